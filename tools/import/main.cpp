// lexmoor-import: writes a dictionary file (RAdoro.txt) from English-Japanese
// data: Debian's, or a dictionary the user has, in one of the formats that
// dictionary programs and sellers of dictionary data use. On Windows a file
// dropped onto the program goes into the RAdoro.txt beside it.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "csv_import.h"
#include "dictionary_file.h"
#include "dictionary_import.h"
#include "drop_import.h"
#include "edict_import.h"
#include "form_options.h"
#include "freedict_import.h"
#include "gap_fill.h"
#include "import_error.h"
#include "platform.h"
#include "slash_text_import.h"
#include "source_recognition.h"
#include "square_text_import.h"
#include "stardict_import.h"
#include "tools/text/conversion.h"
#include "tsv_import.h"
#ifdef _WIN32
#include "windows_drop.h"
#endif

namespace {

constexpr char kProgram[] = "lexmoor-import";
constexpr char kDefaultOutput[] = "RAdoro.txt";
constexpr int kFailed = 1;
constexpr int kBadUsage = 2;

// The sources that take one file, and those of them that are text in an
// encoding --encoding may tell.
constexpr std::string_view kFileSources[] = {"stardict", "tsv",        "csv", "slashes",
                                             "squares",  "dictionary", "auto"};
constexpr std::string_view kTextSources[] = {"tsv", "csv", "slashes", "squares", "dictionary"};

template <size_t N>
bool OneOf(const std::string& word, const std::string_view (&words)[N]) {
  for (std::string_view w : words)
    if (word == w) return true;
  return false;
}

bool IsSource(const std::string& word) {
  return word == "freedict" || word == "edict" || word == "freedict+edict" || OneOf(word, kFileSources);
}

void PrintUsage(std::ostream& out) {
  out << "usage: " << kProgram << " freedict [--index FILE] [--dict FILE] [-o OUTPUT] [--fresh]\n"
      << "       " << kProgram << " edict [--edict FILE] [-o OUTPUT] [--fresh]\n"
      << "       " << kProgram
      << " freedict+edict [--index FILE] [--dict FILE] [--edict FILE] [-o OUTPUT] [--fresh]\n"
      << "       " << kProgram << " stardict FILE.ifo [-o OUTPUT] [--fresh]\n"
      << "       " << kProgram
      << " tsv|csv|slashes|squares|dictionary FILE [--encoding E] [-o OUTPUT] [--fresh]\n"
      << "       " << kProgram << " auto FILE [-o OUTPUT] [--fresh]\n"
#ifdef _WIN32
      << "       " << kProgram << " FILE   (a file dropped onto the program: into the RAdoro.txt beside it,\n"
      << "                              told in a message box)\n"
#endif
      << "\n"
      << "Writes a dictionary file (code page 932, CR LF, \"headword TAB meaning\").\n"
      << "  freedict  English-Japanese FreeDict data (dictd .index and .dict.dz), one line\n"
      << "            per headword with its senses joined; defaults:\n"
      << "              --index " << import::kFreedictIndex << "\n"
      << "              --dict  " << import::kFreedictData << "\n"
      << "  edict     EDICT (Japanese-English, EUC-JP) turned around: English glosses as\n"
      << "            headwords; default --edict " << import::kEdictFile << "\n"
      << "  freedict+edict  the FreeDict lines, and the EDICT line of each headword FreeDict\n"
      << "            lacks, its meaning marked \"\xE3\x80\x94" "EDICT" "\xE3\x80\x95\"\n"
      << "  stardict  a StarDict dictionary: FILE.ifo with FILE.idx[.gz], FILE.dict[.dz] and\n"
      << "            FILE.syn beside it; one line per headword, in the order of the .idx\n"
      << "  tsv       \"word TAB meaning\" lines, as spreadsheets and flash-card programs\n"
      << "            export them\n"
      << "  csv       CSV whose first row names the columns: word (required), trans, exp\n"
      << "            and pron (the pronunciation field); other columns are left out\n"
      << "  slashes   \"headword /// translation\" lines, \" / example\" after it if any,\n"
      << "            \" \\ \" for a line break in a field\n"
      << "  squares   \"\xE2\x96\xA0headword  {part of speech} : meaning\" lines, examples in lines\n"
      << "            beginning \"\xE2\x96\xA0\xE3\x83\xBB\"; a line per headword and part of speech\n"
      << "  dictionary  a dictionary file of Lexmoor's own, its lines kept as they are\n"
      << "  auto      any of the above, told by the file's name and content\n"
      << "  --encoding  of a text source: utf-8, cp932 or auto (the default: UTF-16 with\n"
      << "            its byte order mark, else UTF-8 when the file is valid UTF-8, else\n"
      << "            Shift-JIS); a gzip-compressed source is read as well\n"
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

auto Import(const std::string& source, const std::string& index, const std::string& data,
            const std::string& edict, const std::string& file, import::SourceEncoding encoding,
            const import::ImportSettings& settings) -> import::Imported {
  if (source == "freedict") return import::ImportFreedict(index, data, settings);
  if (source == "edict") return import::ImportEdict(edict, settings);
  if (source == "freedict+edict") {
    import::ImportSettings eachAlone = settings;  // form lines are made over the headwords of both
    eachAlone.forms = nullptr;
    return import::FillGaps(import::ImportFreedict(index, data, eachAlone), import::ImportEdict(edict, eachAlone),
                            "EDICT", import::kEdictMark, settings);
  }
  if (source == "stardict") return import::ImportStardict(file, settings);
  if (source == "tsv") return import::ImportTsv(file, encoding, settings);
  if (source == "csv") return import::ImportCsv(file, encoding, settings);
  if (source == "slashes") return import::ImportSlashText(file, encoding, settings);
  if (source == "squares") return import::ImportSquareText(file, encoding, settings);
  if (source == "dictionary") return import::ImportDictionaryFile(file, encoding, settings);
  return import::ImportRecognised(import::RecogniseSource(file), settings);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // Explorer starts the program with the files dropped onto it as its
  // arguments, or with none when it is double-clicked.
  const bool dropped = argc >= 2 && !IsSource(argv[1]) && argv[1][0] != '-';
  if (dropped || (argc < 2 && import::HasOwnConsole()))
    return import::RunDroppedFiles(std::vector<std::string>(argv + 1, argv + argc));
#endif
  if (argc < 2)
    return BadUsage(
        "which source: freedict, edict, freedict+edict, stardict, tsv, csv, slashes, squares, dictionary or "
        "auto?");
  const std::string source = argv[1];
  if (source == "-h" || source == "--help") {
    PrintUsage(std::cout);
    return 0;
  }
  const bool takesFile = OneOf(source, kFileSources);
  const bool freedict = source == "freedict" || source == "freedict+edict";
  const bool edictSource = source == "edict" || source == "freedict+edict";
  if (!IsSource(source)) return BadUsage("unknown source \"" + source + "\"");

  std::string index = import::kFreedictIndex, data = import::kFreedictData, edict = import::kEdictFile;
  std::string output = kDefaultOutput, encodingName = "auto";
  std::vector<std::string> files;
  bool fresh = false;
#ifdef _WIN32
  import::FormOptions formOptions = import::FormOptions::Packaged(import::ProgramFolder());
#else
  import::FormOptions formOptions;
#endif
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
    if (freedict && option == "--index") value = &index;
    if (freedict && option == "--dict") value = &data;
    if (edictSource && option == "--edict") value = &edict;
    if (OneOf(source, kTextSources) && option == "--encoding") value = &encodingName;
    if (!value) return BadUsage("unknown option \"" + option + "\" for " + source);
    if (i + 1 >= argc || argv[i + 1][0] == '\0') return BadUsage(option + " needs a value");
    *value = argv[++i];
  }
  if (takesFile && files.size() != 1) return BadUsage(source + " takes one file");
  const std::optional<import::SourceEncoding> encoding = import::ParseSourceEncoding(encodingName);
  if (!encoding) return BadUsage("unknown encoding \"" + encodingName + "\"");

  try {
    import::Progress progress(std::cerr, import::StderrShowsProgress());
    const import::ImportReport report =
        import::ImportInto(output, !fresh, &progress, formOptions, [&](const import::ImportSettings& settings) {
          return Import(source, index, data, edict, takesFile ? files[0] : std::string(), *encoding,
                        settings);
        });
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
