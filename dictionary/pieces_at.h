// Reading again the pieces that start at known offsets of a file that has
// not changed since they were found there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "dictionary/read_only_file.h"

namespace dictionary {

// Calls `visit(i, text)` with the text of the piece at `offsets[i]`, or its
// first `prefix` bytes when `prefix` is not 0, in the order of `offsets`,
// which must ascend. Reads the stretches of the file that hold them, or the
// whole file in one pass where that costs less. An offset where no piece
// starts (the file changed after all) is passed over. False on a read error.
bool ForEachPieceAt(ReadOnlyFile& file, const uint32_t* offsets, size_t count, size_t prefix,
                    const std::function<void(size_t, std::string_view)>& visit);
inline bool ForEachPieceAt(ReadOnlyFile& file, const std::vector<uint32_t>& offsets, size_t prefix,
                           const std::function<void(size_t, std::string_view)>& visit) {
  return ForEachPieceAt(file, offsets.data(), offsets.size(), prefix, visit);
}

// The file from `offset` on, as a source for the text-mode reader. Started
// where a piece starts, a reading cuts the pieces after it as a reading from
// the start of the file does.
class FileFrom final : public ByteSource {
 public:
  FileFrom(ReadOnlyFile& file, uint64_t offset) : file_(file), position_(offset) {}
  std::ptrdiff_t Read(char* into, size_t capacity) override {
    const std::ptrdiff_t got = file_.ReadAt(position_, into, capacity);
    if (got > 0) position_ += static_cast<uint64_t>(got);
    return got;
  }

 private:
  ReadOnlyFile& file_;
  uint64_t position_;
};

}  // namespace dictionary
