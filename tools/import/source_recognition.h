// Which import takes a file, told by its name and its content: what a file
// dropped onto the importer, or given to "lexmoor-import auto", goes through.
#pragma once

#include <string>

#include "import_report.h"

namespace import {

enum class SourceFormat {
  kStardict,        // any file of it, with the .ifo beside it
  kDictd,           // the .index or the .dict.dz, with the other beside it
  kEdict,           // EUC-JP, by its header line or its name
  kDictionaryFile,  // this program's own, by its name (RAdoro...)
  kCsv,             // by its name, or a header row naming a word column
  kTsv,             // by its name, or lines with a TAB
  kSlashText,       // lines "headword /// translation"
  kSquareText,      // lines "■headword : meaning"
};

struct RecognisedSource {
  SourceFormat format;
  std::string path;  // what the import reads first: the .ifo, the .index, the file itself
  std::string data;  // the .dict.dz of a dictd dictionary
};

// Throws ImportError naming the file (and the line) when it can't be read,
// is empty, is no text, is cut short (compressed data) or is in no format
// the importer reads.
RecognisedSource RecogniseSource(const std::string& path);

// The import of `source`, text in whichever encoding it is.
Imported ImportRecognised(const RecognisedSource& source, const ImportSettings& settings = {});

}  // namespace import
