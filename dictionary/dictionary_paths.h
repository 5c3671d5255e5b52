// Where the dictionary and its two companion files are.
#pragma once

#include <string>
#include <string_view>

namespace dictionary {

// The dictionary, relative to the process's current directory.
inline constexpr char kDictionaryFile[] = "RAdoro.txt";

struct DictionaryPaths {
  std::string dictionary;    // RAdoro.txt
  std::string work;          // RAdoro.txt.next: a new dictionary being written
  std::string backup;        // RAdoro.txt.bak: the dictionary before the last rewrite
  std::string stagedBackup;  // RAdoro.txt.bak.tmp: the backup before it takes its name

  // The files of RAdoro.txt in `directory`; the empty directory is the current one.
  static DictionaryPaths In(std::string_view directory = {});
  // The same files for a dictionary at `path`, whatever its name.
  static DictionaryPaths Of(std::string path);
};

}  // namespace dictionary
