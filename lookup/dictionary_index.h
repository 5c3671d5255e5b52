// What one read of the dictionary learns, kept so that later lookups of the
// unchanged file need not read it again: where each piece starts, ordered by
// its folded text.
//
// Pieces are grouped by their first two folded bytes; within a group they are
// put in order of the next few bytes, which the index keeps, the first time a
// word needs the group, or before, between the program's messages. Pieces that agree in every byte kept are put in order
// of their text, read from the file, the first time a longer word needs them;
// from then on a word finds them by reading a few pieces only. So the index
// holds about four bytes per piece and the bytes kept, and a word that no
// piece begins with costs no read at all in most cases.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "dictionary/read_only_file.h"
#include "dictionary/text_mode_reader.h"

namespace lookup {

class DictionaryIndex {
 public:
  // Words up to this length are found through the index; the words of a
  // lookup are shorter.
  static constexpr size_t kLongestWord = 128;
  // Folded bytes kept for each piece beyond the first two, at most.
  static constexpr int kMostKeyBytes = 3;

  // Gathers the pieces of one read, in file order.
  class Builder {
   public:
    explicit Builder(uint64_t fileSize);
    void Add(const dictionary::Piece& piece);
    // Keeps as many key bytes (up to `mostKeyBytes`) as fit in `maxBytes`;
    // nothing when even none do, or the file is too large for the offsets.
    std::optional<DictionaryIndex> Finish(size_t maxBytes, int mostKeyBytes = kMostKeyBytes);

   private:
    std::vector<uint32_t> offsets_;
    std::vector<uint64_t> keys_;  // the first five folded bytes, zeros past the text's end
    std::vector<uint32_t> groupSizes_;
    bool tooLarge_ = false;
  };

  // Positions in the index.
  struct Range {
    uint32_t begin = 0;
    uint32_t end = 0;
    int32_t Count() const { return static_cast<int32_t>(end - begin); }
  };

  // The pieces whose folded text begins with `folded` (1 to kLongestWord
  // bytes, no zero byte), reading `file`, the file the index was made from,
  // for what the index does not hold. A range stays valid for the lookup.
  Range Find(std::string_view folded, dictionary::ReadOnlyFile& file);

  // Where the pieces of a range start, handed out in file order as they are
  // wanted. The index holds each stretch of pieces that agree in every byte it
  // holds of them in file order, so the stretches are merged, not sorted: a
  // word found a million times costs no sort before its first rows.
  class FileOrder {
   public:
    explicit FileOrder(std::vector<uint32_t> offsets);
    size_t Remaining() const { return remaining_; }
    // Appends the next `most` offsets, fewer at the end, to `into`.
    void Next(size_t most, std::vector<uint32_t>& into);

   private:
    struct Stretch {
      uint32_t next;
      uint32_t end;
    };
    bool Later(const Stretch& a, const Stretch& b) const { return offsets_[a.next] > offsets_[b.next]; }

    std::vector<uint32_t> offsets_;
    std::vector<Stretch> heap_;  // the stretches not yet handed out whole, earliest on top
    size_t remaining_;
  };
  FileOrder Offsets(Range range) const;

  // Puts the next group not yet in order of its kept bytes in that order, as
  // the first word that needs it would; false once all are.
  bool SortNextGroup();

  // Memory the index holds.
  size_t KeptBytes() const;
  int keyBytes() const { return keyBytes_; }

 private:
  DictionaryIndex() = default;

  const uint8_t* KeyAt(uint32_t position) const { return keys_.data() + size_t{position} * keyBytes_; }
  void SortGroup(size_t group);
  // False on a read error.
  bool Refine(Range range, dictionary::ReadOnlyFile& file);
  bool Refined(uint32_t position) const { return (refined_[position / 64] >> (position % 64)) & 1; }

  int keyBytes_ = 0;
  std::vector<uint32_t> offsets_;
  std::vector<uint8_t> keys_;         // keyBytes_ per piece, folded bytes 2 and on
  std::vector<uint16_t> groupFirst_;  // the first two folded bytes of each group, ascending
  std::vector<uint32_t> groupStart_;  // where each group starts; one more at the end
  std::vector<uint8_t> groupSorted_;  // whether the group is in order of its kept bytes
  size_t unsortedFrom_ = 0;           // no group before it is still to be sorted
  std::vector<uint64_t> refined_;     // a bit for the first position of each range in text order
};

}  // namespace lookup
