// lexmoor-import: writes a dictionary file (RAdoro.txt) from English-Japanese
// data: Debian's, a StarDict dictionary or a tab-separated text file.
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "dictionary/dictionary_paths.h"
#include "dictionary_file.h"
#include "edict_import.h"
#include "form_options.h"
#include "freedict_import.h"
#include "gap_fill.h"
#include "import_error.h"
#include "stardict_import.h"
#include "tools/text/iconv_handle.h"
#include "tsv_import.h"

namespace {

constexpr char kProgram[] = "lexmoor-import";
constexpr char kDefaultOutput[] = "RAdoro.txt";
constexpr int kFailed = 1;
constexpr int kBadUsage = 2;

void PrintUsage(std::ostream& out) {
  out << "usage: " << kProgram << " freedict [--index FILE] [--dict FILE] [-o OUTPUT] [--fresh]\n"
      << "       " << kProgram << " edict [--edict FILE] [-o OUTPUT] [--fresh]\n"
      << "       " << kProgram
      << " freedict+edict [--index FILE] [--dict FILE] [--edict FILE] [-o OUTPUT] [--fresh]\n"
      << "       " << kProgram << " stardict FILE.ifo [-o OUTPUT] [--fresh]\n"
      << "       " << kProgram << " tsv FILE [--encoding utf-8|cp932|auto] [-o OUTPUT] [--fresh]\n"
      << "\n"
      << "Writes a dictionary file (code page 932, CR LF, \"headword TAB meaning\").\n"
      << "  freedict  English-Japanese FreeDict data (dictd .index and .dict.dz), one line\n"
      << "            per headword with its senses joined; defaults:\n"
      << "              --index " << import::kFreedictIndex << "\n"
      << "              --dict  " << import::kFreedictData << "\n"
      << "  edict     EDICT (Japanese-English, EUC-JP) turned around: English glosses as\n"
      << "            headwords; default --edict " << import::kEdictFile << "\n"
      << "  freedict+edict  the FreeDict lines, and the EDICT line of each headword FreeDict\n"
      << "            lacks, its meaning marked \"〔EDICT〕\"\n"
      << "  stardict  a StarDict dictionary: FILE.ifo with FILE.idx[.gz], FILE.dict[.dz] and\n"
      << "            FILE.syn beside it; one line per headword, in the order of the .idx\n"
      << "  tsv       \"word TAB meaning\" lines, as spreadsheets and flash-card programs\n"
      << "            export them; UTF-16 with its byte order mark, UTF-8 or Shift-JIS\n"
      << "            (--encoding, default auto: UTF-8 when the file is valid UTF-8)\n"
      << "  -o        the file to write (default ./" << kDefaultOutput << "); it is replaced only\n"
      << "            when the import succeeds, and the file it replaces is kept as OUTPUT.bak\n"
      << "  --fresh   do not carry the pronunciations registered in OUTPUT over to the new\n"
      << "            lines of the same headword\n"
      << "Each also takes [--wordnet DIR] [--words FILE]... or --no-forms:\n"
      << import::FormOptionsUsage();
}

int BadUsage(const std::string& why) {
  std::cerr << kProgram << ": " << why << "\n";
  PrintUsage(std::cerr);
  return kBadUsage;
}

bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(path, ignored);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return BadUsage("which source: freedict, edict, freedict+edict, stardict or tsv?");
  const std::string source = argv[1];
  if (source == "-h" || source == "--help") {
    PrintUsage(std::cout);
    return 0;
  }
  const bool takesFile = source == "stardict" || source == "tsv";
  const bool filled = source == "freedict+edict";
  if (source != "freedict" && source != "edict" && !filled && !takesFile)
    return BadUsage("unknown source \"" + source + "\"");

  std::string index = import::kFreedictIndex, data = import::kFreedictData, edict = import::kEdictFile;
  std::string output = kDefaultOutput, encodingName = "auto";
  std::vector<std::string> files;
  bool fresh = false;
  import::FormOptions formOptions;
  for (int i = 2; i < argc; ++i) {
    std::string why;
    if (formOptions.Take(argc, argv, i, why)) {
      if (!why.empty()) return BadUsage(why);
      continue;
    }
    const std::string option = argv[i];
    if (option == "--fresh") {
      fresh = true;
      continue;
    }
    if (takesFile && !option.empty() && option[0] != '-') {
      files.push_back(option);
      continue;
    }
    std::string* value = nullptr;
    if (option == "-o" || option == "--output") value = &output;
    if ((source == "freedict" || filled) && option == "--index") value = &index;
    if ((source == "freedict" || filled) && option == "--dict") value = &data;
    if ((source == "edict" || filled) && option == "--edict") value = &edict;
    if (source == "tsv" && option == "--encoding") value = &encodingName;
    if (!value) return BadUsage("unknown option \"" + option + "\" for " + source);
    if (i + 1 >= argc || argv[i + 1][0] == '\0') return BadUsage(option + " needs a value");
    *value = argv[++i];
  }
  if (takesFile && files.size() != 1) return BadUsage(source + " takes one file");
  const std::optional<import::SourceEncoding> encoding = import::ParseSourceEncoding(encodingName);
  if (!encoding) return BadUsage("unknown encoding \"" + encodingName + "\"");

  try {
    import::Progress progress(std::cerr, isatty(STDERR_FILENO) == 1);
    import::ImportSettings settings;
    settings.progress = &progress;
    std::optional<import::EnglishForms> forms;
    formOptions.Apply(forms, settings);
    import::Registrations registered;
    const bool replacing = Exists(output);
    if (replacing && !fresh) {
      registered = import::ReadRegistrations(output);
      settings.registrations = &registered;
    }
    import::ImportSettings eachAlone = settings;  // form lines are made over the headwords of both
    eachAlone.forms = nullptr;
    import::Imported imported = filled ? import::FillGaps(import::ImportFreedict(index, data, eachAlone),
                                                          import::ImportEdict(edict, eachAlone), "EDICT",
                                                          import::kEdictMark, settings)
                                : source == "freedict" ? import::ImportFreedict(index, data, settings)
                                : source == "edict"    ? import::ImportEdict(edict, settings)
                                : source == "stardict" ? import::ImportStardict(files[0], settings)
                                                       : import::ImportTsv(files[0], *encoding, settings);
    import::ImportReport& report = imported.report;
    report.bytesWritten = import::WriteDictionary(output, imported.lines);
    if (replacing) report.backup = dictionary::DictionaryPaths::Of(output).backup;
    report.linesWritten = static_cast<int64_t>(imported.lines.size());
    progress.Clear();
    import::PrintReport(std::cout, output, report);
    return 0;
  } catch (const import::ImportError& e) {
    std::cerr << kProgram << ": " << e.what() << "\n" << kProgram << ": nothing written\n";
  } catch (const text::ConversionUnavailable& e) {
    std::cerr << kProgram << ": " << e.what() << "\n" << kProgram << ": nothing written\n";
  } catch (const std::bad_alloc&) {
    std::cerr << kProgram << ": out of memory\n" << kProgram << ": nothing written\n";
  }
  return kFailed;
}
