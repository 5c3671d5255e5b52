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
bool ForEachPieceAt(ReadOnlyFile& file, const std::vector<uint32_t>& offsets, size_t prefix,
                    const std::function<void(size_t, std::string_view)>& visit);

}  // namespace dictionary
