// lexmoor-import: writes a dictionary file (RAdoro.txt) from Debian's
// English-Japanese data.
#include <cstring>
#include <iostream>
#include <string>

#include "edict_import.h"
#include "freedict_import.h"
#include "import_error.h"

namespace {

constexpr char kProgram[] = "lexmoor-import";
constexpr char kDefaultOutput[] = "RAdoro.txt";
constexpr int kFailed = 1;
constexpr int kBadUsage = 2;

void PrintUsage(std::ostream& out) {
  out << "usage: " << kProgram << " freedict [--index FILE] [--dict FILE] [-o OUTPUT]\n"
      << "       " << kProgram << " edict [--edict FILE] [-o OUTPUT]\n"
      << "\n"
      << "Writes a dictionary file (code page 932, CR LF, \"headword TAB meaning\").\n"
      << "  freedict  English-Japanese FreeDict data (dictd .index and .dict.dz), one line\n"
      << "            per headword with its senses joined; defaults:\n"
      << "              --index " << import::kFreedictIndex << "\n"
      << "              --dict  " << import::kFreedictData << "\n"
      << "  edict     EDICT (Japanese-English, EUC-JP) turned around: English glosses as\n"
      << "            headwords; default --edict " << import::kEdictFile << "\n"
      << "  -o        the file to write (default ./" << kDefaultOutput << "); it is replaced only\n"
      << "            when the import succeeds\n";
}

int BadUsage(const std::string& why) {
  std::cerr << kProgram << ": " << why << "\n";
  PrintUsage(std::cerr);
  return kBadUsage;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return BadUsage("which source: freedict or edict?");
  const std::string source = argv[1];
  if (source == "-h" || source == "--help") {
    PrintUsage(std::cout);
    return 0;
  }
  if (source != "freedict" && source != "edict") return BadUsage("unknown source \"" + source + "\"");

  std::string index = import::kFreedictIndex, data = import::kFreedictData, edict = import::kEdictFile;
  std::string output = kDefaultOutput;
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    std::string* value = nullptr;
    if (option == "-o" || option == "--output") value = &output;
    if (source == "freedict" && option == "--index") value = &index;
    if (source == "freedict" && option == "--dict") value = &data;
    if (source == "edict" && option == "--edict") value = &edict;
    if (!value) return BadUsage("unknown option \"" + option + "\" for " + source);
    if (i + 1 >= argc || argv[i + 1][0] == '\0') return BadUsage(option + " needs a file name");
    *value = argv[++i];
  }

  try {
    import::Imported imported =
        source == "freedict" ? import::ImportFreedict(index, data) : import::ImportEdict(edict);
    imported.report.bytesWritten = import::WriteDictionary(output, imported.lines);
    imported.report.linesWritten = static_cast<int64_t>(imported.lines.size());
    import::PrintReport(std::cout, output, imported.report);
    return 0;
  } catch (const import::ImportError& e) {
    std::cerr << kProgram << ": " << e.what() << "\n" << kProgram << ": nothing written\n";
  } catch (const std::bad_alloc&) {
    std::cerr << kProgram << ": out of memory\n" << kProgram << ": nothing written\n";
  }
  return kFailed;
}
