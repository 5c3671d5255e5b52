// Registering a pronunciation: the dictionary is rewritten through a work file
// and put in place, keeping the previous dictionary as the backup.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dictionary/dictionary_paths.h"
#include "dictionary/file_system.h"

namespace rows {

using dictionary::DictionaryPaths;

enum class RegisterStatus {
  kRegistered,
  kNotRegistrable,      // nothing touched (see IsRegistrableRow)
  kNoDictionary,        // the dictionary can't be opened; nothing touched
  kWorkFileNotCreated,  // nothing touched
  kReadFailed,          // the dictionary is unchanged, the work file removed
  kWriteFailed,         // likewise
  kSyncFailed,          // likewise
  kReplaceFailed,       // likewise
};

struct RegisterOutcome {
  RegisterStatus status = RegisterStatus::kNotRegistrable;
  std::int32_t replacedLines = 0;  // pieces replaced (a line longer than a piece may hold several)

  // The dialog closes on success and stays open otherwise.
  bool Succeeded() const { return status == RegisterStatus::kRegistered; }
};

// Writes `pronunciation` into every line of the dictionary whose visible text
// is `row` (the row text as listed: cut before the line's first ';', or the
// whole line with its LF). The line's hidden part (from its first ';' on) is
// kept; other lines, and any bytes after a 0x1A, are copied unchanged. The
// rewritten dictionary has CR LF line ends. When no line matches, the
// dictionary is still rewritten with its content unchanged.
RegisterOutcome RegisterPronunciation(std::string_view row, std::string_view pronunciation,
                                      dictionary::FileSystem& files,
                                      const DictionaryPaths& paths = DictionaryPaths::In());

}  // namespace rows
