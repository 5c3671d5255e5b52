// Telling whether the dictionary is still the file a lookup once read,
// without reading it: its size, its last-write time and which file it is.
#pragma once

#include <cstdint>

namespace dictionary {

// File times and the clock, in 100-nanosecond ticks since 1601 on every platform.
using FileTime = int64_t;
inline constexpr FileTime kTicksPerSecond = 10'000'000;

// Two writes within one tick of the file system's clock leave the same
// last-write time. FAT's two seconds is the coarsest tick a dictionary may
// meet; a finer file system only pays for an extra read now and then.
inline constexpr FileTime kTimestampGranularity = 2 * kTicksPerSecond;

struct FileStamp {
  uint64_t size = 0;
  FileTime lastWrite = 0;
  uint64_t volume = 0;  // device on POSIX, volume serial number on Windows
  uint64_t file = 0;    // inode on POSIX, file index on Windows: a rename puts another file there
};

inline bool operator==(const FileStamp& a, const FileStamp& b) {
  return a.size == b.size && a.lastWrite == b.lastWrite && a.volume == b.volume && a.file == b.file;
}

// One read of a file: its stamp when it was opened, and the clock just before.
struct FileRead {
  FileStamp stamp;
  FileTime readAt = 0;
};

// Whether what `read` learned may stand for the file at later lookups. Not
// when the file was written within a tick of the read: an edit right after
// it could leave the stamp as it was.
inline bool MayKeep(const FileRead& read) {
  return read.readAt - read.stamp.lastWrite >= kTimestampGranularity;
}

// Whether the file, opened again with `current`, is still the one `read` read.
inline bool StillAsRead(const FileRead& read, const FileStamp& current) {
  return MayKeep(read) && read.stamp == current;
}

}  // namespace dictionary
