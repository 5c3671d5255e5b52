#include "dictionary/pieces_at.h"

#include <algorithm>
#include <string>

#include "dictionary/text_mode_reader.h"

namespace dictionary {
namespace {

// A stretch read at once spans at most this many bytes; pieces closer
// together than that share a read.
constexpr uint64_t kStretch = 64 * 1024;
// What is read for a whole piece before it is known to be longer: most
// dictionary lines are shorter.
constexpr size_t kTypicalPiece = 256;

// Reads [offset, offset + size) into `into`, fewer bytes at the end of the file.
bool ReadFully(ReadOnlyFile& file, uint64_t offset, size_t size, std::string& into) {
  into.resize(size);
  size_t got = 0;
  while (got < size) {
    const std::ptrdiff_t read = file.ReadAt(offset + got, into.data() + got, size - got);
    if (read < 0) return false;
    if (read == 0) break;
    got += static_cast<size_t>(read);
  }
  into.resize(got);
  return true;
}

// Where the stretch that begins with offsets[first] ends: the index after its last piece.
size_t StretchEnd(const uint32_t* offsets, size_t count, size_t first, size_t need) {
  size_t last = first + 1;
  while (last < count && offsets[last] + need <= offsets[first] + kStretch) ++last;
  return last;
}

bool InOnePass(ReadOnlyFile& file, const uint32_t* offsets, size_t count, size_t prefix,
               const std::function<void(size_t, std::string_view)>& visit) {
  PieceFilter everyPiece;
  everyPiece.AllowAll();
  FileFrom source(file, 0);
  size_t next = 0;
  const TextEnd end = ForEachPiece(source, everyPiece, [&](const Piece& piece) {
    while (next < count && offsets[next] < piece.offset) ++next;
    if (next < count && offsets[next] == piece.offset) {
      visit(next, prefix != 0 ? piece.text.substr(0, prefix) : piece.text);
      ++next;
    }
    return next < count;
  });
  return end != TextEnd::kReadError;
}

}  // namespace

bool ForEachPieceAt(ReadOnlyFile& file, const uint32_t* offsets, size_t count, size_t prefix,
                    const std::function<void(size_t, std::string_view)>& visit) {
  if (count == 0) return true;
  // Enough for the prefix and the LF of a CR LF right after it.
  const size_t need = prefix != 0 ? prefix + 1 : kTypicalPiece;
  uint64_t cost = 0;
  for (size_t first = 0; first < count;) {
    const size_t last = StretchEnd(offsets, count, first, need);
    cost += file.ReadCost() + offsets[last - 1] + need - offsets[first];
    first = last;
  }
  if (cost > file.Stamp().size) return InOnePass(file, offsets, count, prefix, visit);

  std::string stretch;
  std::string longPiece;
  // The text of `piece`, which lies in `buffer`: a final CR LF reads as LF,
  // written over the CR.
  auto textOf = [](const RawPiece& piece, std::string& buffer) {
    if (!piece.crLf) return piece.bytes;
    const size_t at = static_cast<size_t>(piece.bytes.data() - buffer.data());
    buffer[at + piece.bytes.size()] = '\n';
    return std::string_view(buffer).substr(at, piece.bytes.size() + 1);
  };
  for (size_t first = 0; first < count;) {
    const size_t last = StretchEnd(offsets, count, first, need);
    const uint64_t begin = offsets[first];
    const size_t size = static_cast<size_t>(offsets[last - 1] + need - begin);
    if (!ReadFully(file, begin, size, stretch)) return false;
    const bool toTheEnd = stretch.size() < size;
    for (size_t i = first; i < last; ++i) {
      const size_t at = static_cast<size_t>(offsets[i] - begin);
      if (at >= stretch.size()) continue;
      const std::string_view raw =
          std::string_view(stretch).substr(at, prefix != 0 ? need : kMaxPieceLength + 1);
      RawPiece piece = PieceAt(raw, toTheEnd && at + raw.size() == stretch.size());
      std::string* buffer = &stretch;
      if (!piece.complete && prefix == 0) {
        if (!ReadFully(file, offsets[i], kMaxPieceLength + 1, longPiece)) return false;
        piece = PieceAt(longPiece, longPiece.size() <= kMaxPieceLength);
        buffer = &longPiece;
      }
      if (piece.bytes.empty() && !piece.crLf) continue;
      const std::string_view text = textOf(piece, *buffer);
      visit(i, prefix != 0 ? text.substr(0, prefix) : text);
    }
    first = last;
  }
  return true;
}

}  // namespace dictionary
