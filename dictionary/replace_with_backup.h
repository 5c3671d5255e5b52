// Putting a rewritten dictionary in place: the previous one is kept as the
// backup, and at no instant is there no dictionary or a half-written one.
#pragma once

#include <optional>

#include "dictionary/dictionary_paths.h"
#include "dictionary/file_system.h"
#include "dictionary/held_file_retry.h"

namespace dictionary {

// Makes the flushed work file the dictionary. A dictionary already there
// first becomes the backup, under a second name (or, where the volume has no
// hard links or another program holds it, as a flushed copy), so it never
// leaves its own name; then one rename replaces it, over programs reading it
// where the system allows that. A step refused because another program holds
// a file is tried again for a moment, waiting through `pause`. On failure the
// dictionary is as it was, the work file is left to the caller, and the
// refused step's file and the reason are returned.
std::optional<FileFailure> ReplaceWithBackup(FileSystem& files, const DictionaryPaths& paths,
                                             RetryPause& pause = SleepingPause());

}  // namespace dictionary
