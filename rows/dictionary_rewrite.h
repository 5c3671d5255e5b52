// Registering a pronunciation: the dictionary is rewritten through a work file
// and put in place, keeping the previous dictionary as the backup.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dictionary/dictionary_paths.h"
#include "dictionary/file_system.h"
#include "dictionary/held_file_retry.h"

namespace rows {

using dictionary::DictionaryPaths;

enum class RegisterStatus {
  kRegistered,
  kNotRegistrable,      // nothing touched (see IsRegistrableRow)
  kRowNotFound,         // no line of the dictionary is the row as shown; nothing touched
  kNoDictionary,        // the dictionary can't be opened (missing or held); nothing touched
  kWorkFileNotCreated,  // nothing touched
  kReadFailed,          // the dictionary is unchanged, the work file removed
  kWriteFailed,         // likewise
  kSyncFailed,          // likewise
  kReplaceFailed,       // likewise
};

struct RegisterOutcome {
  RegisterStatus status = RegisterStatus::kNotRegistrable;
  std::int32_t replacedLines = 0;  // pieces replaced (a line longer than a piece may hold several)
  // When the files refused: the file of the refused step and the system's answer.
  dictionary::FileFailure refused;

  // The dialog closes on success and stays open otherwise.
  bool Succeeded() const { return status == RegisterStatus::kRegistered; }
};

// Writes `pronunciation` into every line of the dictionary whose visible text
// is `row` (the row text as listed: cut before the line's first ';', or the
// whole line with its LF). The line's hidden part (from its first ';' on) is
// kept; other lines, and any bytes after a 0x1A, are copied unchanged. The
// rewritten dictionary has CR LF line ends. When no line matches (the row was
// shown before the dictionary changed), nothing is written. A step refused
// because another program holds a file is tried again for a moment, waiting
// through `pause`; the work file is removed after a failure only while the
// dictionary is there.
RegisterOutcome RegisterPronunciation(std::string_view row, std::string_view pronunciation,
                                      dictionary::FileSystem& files,
                                      const DictionaryPaths& paths = DictionaryPaths::In(),
                                      dictionary::RetryPause& pause = dictionary::SleepingPause());

}  // namespace rows
