// Replacing a dictionary keeps the one it replaces as its backup, as the
// program does when it rewrites the dictionary.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dictionary_file.h"
#include "import_error.h"

namespace import {

inline constexpr char kBackupSuffix[] = ".bak";

// The new dictionary is in place, but the one it replaced is kept under
// another name than its backup's; the message names it.
class BackupNotKept : public ImportError {
 public:
  using ImportError::ImportError;
};

// Writes `lines` to `path` as WriteDictionary does. A file already at `path`
// is kept as `path`.bak, in place of an earlier backup, and `backup` names it
// (empty when there was none). When the write fails, the dictionary and an
// earlier backup are left as they were. Returns the bytes written. Throws
// ImportError naming the file, or BackupNotKept.
uint64_t WriteDictionaryKeepingBackup(const std::string& path, const std::vector<DictionaryLine>& lines,
                                      std::string& backup);

}  // namespace import
