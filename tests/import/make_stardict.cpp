// make_stardict DICTIONARY BASE: writes BASE.ifo, BASE.idx and BASE.dict.dz
// holding the lines of a dictionary file (code page 932, CR LF), to try the
// StarDict import on a dictionary of real size.
#include <exception>
#include <iostream>

#include "dictionary_as_stardict.h"
#include "gzip_file.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_stardict DICTIONARY BASE\n";
    return 2;
  }
  try {
    const std::string dictionary = import::ReadWholeFile(argv[1]);
    if (dictionary.empty()) throw std::runtime_error(std::string(argv[1]) + ": empty");
    const auto entries = import_test::StardictEntriesOf(dictionary);
    import_test::WriteStardict(argv[2], entries);
    std::cout << entries.size() << " entries written to " << argv[2] << ".ifo, .idx and .dict.dz\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "make_stardict: " << e.what() << "\n";
    return 1;
  }
}
