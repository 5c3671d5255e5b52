#include "lookup/dictionary_index.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstring>
#include <limits>
#include <numeric>
#include <string>
#include <utility>

#include "dictionary/dictionary_line.h"
#include "dictionary/pieces_at.h"

namespace lookup {
namespace {

// Bytes of folded text gathered per piece while reading: the two that choose
// its group and the most that may be kept.
constexpr int kGatheredBytes = 2 + DictionaryIndex::kMostKeyBytes;
constexpr size_t kGroups = 1 << 16;
// A guess at the pieces of a file of some size, so that gathering them
// seldom has to move what it gathered; memory not written to costs nothing.
constexpr uint64_t kFewestBytesPerPiece = 40;

unsigned char Fold(char c) { return dictionary::FoldAsciiCase(static_cast<unsigned char>(c)); }

// The first position in [begin, end) for which `less` is false; `less` is
// true for a beginning of the range and false for the rest.
template <class Less>
uint32_t FirstNotLess(uint32_t begin, uint32_t end, Less less) {
  while (begin < end) {
    const uint32_t middle = begin + (end - begin) / 2;
    if (less(middle)) {
      begin = middle + 1;
    } else {
      end = middle;
    }
  }
  return begin;
}

// The first `length` folded bytes of the text of the piece at `offset`, fewer
// when the text is shorter.
std::string FoldedStart(dictionary::ReadOnlyFile& file, uint64_t offset, size_t length) {
  std::array<char, DictionaryIndex::kLongestWord + 1> raw;
  const size_t wanted = length + 1;  // and the LF of a CR LF right after it
  size_t got = 0;
  while (got < wanted) {
    const std::ptrdiff_t read = file.ReadAt(offset + got, raw.data() + got, wanted - got);
    if (read <= 0) break;
    got += static_cast<size_t>(read);
  }
  const dictionary::RawPiece piece = dictionary::PieceAt(std::string_view(raw.data(), got), got < wanted);
  std::string text = dictionary::FoldedText(piece.bytes);
  if (piece.crLf) text += '\n';
  text.resize(std::min(text.size(), length));
  return text;
}

}  // namespace

DictionaryIndex::Builder::Builder(uint64_t fileSize) : groupSizes_(kGroups) {
  const size_t expected = static_cast<size_t>(fileSize / kFewestBytesPerPiece) + 1;
  offsets_.reserve(expected);
  keys_.reserve(expected);
}

void DictionaryIndex::Builder::Add(const dictionary::Piece& piece) {
  const std::string_view text = piece.text;
  if ((text[0] == '\t' || text[0] == '\0') && dictionary::IsBlank(text)) return;
  if (piece.offset > std::numeric_limits<uint32_t>::max()) {
    tooLarge_ = true;
    return;
  }
  uint64_t key = 0;
  for (size_t i = 0; i < kGatheredBytes; ++i) key = key << 8 | (i < text.size() ? Fold(text[i]) : 0);
  offsets_.push_back(static_cast<uint32_t>(piece.offset));
  keys_.push_back(key);
  ++groupSizes_[key >> (8 * (kGatheredBytes - 2))];
}

std::optional<DictionaryIndex> DictionaryIndex::Builder::Finish(size_t maxBytes, int mostKeyBytes) {
  if (tooLarge_ || offsets_.size() > std::numeric_limits<uint32_t>::max()) return std::nullopt;
  const size_t pieces = offsets_.size();
  const size_t groups = kGroups - static_cast<size_t>(std::count(groupSizes_.begin(), groupSizes_.end(), 0));
  const size_t fixedBytes = sizeof(DictionaryIndex) + groups * (sizeof(uint16_t) + sizeof(uint32_t) + 1) +
                            sizeof(uint32_t) + (pieces + 63) / 64 * sizeof(uint64_t);
  int keyBytes = std::min(mostKeyBytes, kMostKeyBytes);
  while (keyBytes >= 0 && fixedBytes + pieces * (sizeof(uint32_t) + keyBytes) > maxBytes) --keyBytes;
  if (keyBytes < 0) return std::nullopt;

  DictionaryIndex index;
  index.keyBytes_ = keyBytes;
  index.groupFirst_.reserve(groups);
  index.groupStart_.reserve(groups + 1);
  // From here on groupSizes_ holds where the next piece of each group goes.
  uint32_t next = 0;
  for (size_t first = 0; first < kGroups; ++first) {
    const uint32_t members = groupSizes_[first];
    if (members == 0) continue;
    index.groupFirst_.push_back(static_cast<uint16_t>(first));
    index.groupStart_.push_back(next);
    groupSizes_[first] = next;
    next += members;
  }
  index.groupStart_.push_back(next);
  index.groupSorted_.assign(groups, keyBytes == 0);
  index.refined_.assign((pieces + 63) / 64, 0);

  // In file order within each group.
  index.offsets_.resize(pieces);
  index.keys_.resize(pieces * keyBytes);
  for (size_t i = 0; i < pieces; ++i) {
    const uint64_t key = keys_[i];
    const uint32_t at = groupSizes_[key >> (8 * (kGatheredBytes - 2))]++;
    index.offsets_[at] = offsets_[i];
    for (int k = 0; k < keyBytes; ++k) {
      index.keys_[size_t{at} * keyBytes + k] = static_cast<uint8_t>(key >> (8 * (kGatheredBytes - 3 - k)));
    }
  }
  std::vector<uint32_t>().swap(offsets_);
  std::vector<uint64_t>().swap(keys_);
  return index;
}

void DictionaryIndex::SortGroup(size_t group) {
  const uint32_t begin = groupStart_[group];
  const size_t members = groupStart_[group + 1] - begin;
  const size_t width = static_cast<size_t>(keyBytes_);
  uint32_t* offsets = offsets_.data() + begin;
  uint8_t* keys = keys_.data() + size_t{begin} * width;
  std::vector<uint32_t> movedOffsets(members);
  std::vector<uint8_t> movedKeys(members * width);
  // Least significant byte first, each pass stable: equal keys stay in file order.
  for (size_t k = width; k-- > 0;) {
    std::array<size_t, 257> at{};
    for (size_t i = 0; i < members; ++i) ++at[keys[i * width + k] + 1];
    std::partial_sum(at.begin(), at.end(), at.begin());
    for (size_t i = 0; i < members; ++i) {
      const size_t to = at[keys[i * width + k]]++;
      movedOffsets[to] = offsets[i];
      std::memcpy(&movedKeys[to * width], &keys[i * width], width);
    }
    std::copy(movedOffsets.begin(), movedOffsets.end(), offsets);
    std::copy(movedKeys.begin(), movedKeys.end(), keys);
  }
  groupSorted_[group] = 1;
}

bool DictionaryIndex::SortNextGroup() {
  while (unsortedFrom_ < groupSorted_.size() && groupSorted_[unsortedFrom_]) ++unsortedFrom_;
  if (unsortedFrom_ == groupSorted_.size()) return false;
  SortGroup(unsortedFrom_);
  return true;
}

bool DictionaryIndex::Refine(Range range, dictionary::ReadOnlyFile& file) {
  std::vector<uint32_t> offsets(offsets_.begin() + range.begin, offsets_.begin() + range.end);
  std::sort(offsets.begin(), offsets.end());
  std::vector<std::string> texts(offsets.size());
  const bool read = dictionary::ForEachPieceAt(
      file, offsets, kLongestWord,
      [&](size_t i, std::string_view text) { texts[i] = dictionary::FoldedText(text); });
  if (!read) return false;
  std::vector<uint32_t> order(offsets.size());
  std::iota(order.begin(), order.end(), 0);
  // Stable: pieces of one text stay in file order.
  std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return texts[a] < texts[b]; });
  for (size_t i = 0; i < order.size(); ++i) offsets_[range.begin + i] = offsets[order[i]];
  refined_[range.begin / 64] |= uint64_t{1} << (range.begin % 64);
  return true;
}

DictionaryIndex::Range DictionaryIndex::Find(std::string_view folded, dictionary::ReadOnlyFile& file) {
  assert(!folded.empty() && folded.size() <= kLongestWord);
  const auto* word = reinterpret_cast<const unsigned char*>(folded.data());
  const uint32_t groups = static_cast<uint32_t>(groupFirst_.size());
  auto groupAtOrAfter = [&](uint32_t first) {
    return FirstNotLess(0, groups, [&](uint32_t g) { return groupFirst_[g] < first; });
  };
  if (folded.size() == 1) {
    return Range{groupStart_[groupAtOrAfter(word[0] << 8)], groupStart_[groupAtOrAfter((word[0] + 1) << 8)]};
  }
  const uint32_t first = static_cast<uint32_t>(word[0] << 8 | word[1]);
  const uint32_t group = groupAtOrAfter(first);
  if (group == groups || groupFirst_[group] != first) return Range{};
  Range range{groupStart_[group], groupStart_[group + 1]};
  if (folded.size() == 2) return range;

  if (!groupSorted_[group]) SortGroup(group);
  const size_t kept = std::min(folded.size() - 2, static_cast<size_t>(keyBytes_));
  if (kept > 0) {
    const unsigned char* key = word + 2;
    range.begin = FirstNotLess(range.begin, range.end,
                               [&](uint32_t at) { return std::memcmp(KeyAt(at), key, kept) < 0; });
    range.end = FirstNotLess(range.begin, range.end,
                             [&](uint32_t at) { return std::memcmp(KeyAt(at), key, kept) <= 0; });
  }
  if (folded.size() - 2 == kept || range.Count() == 0) return range;

  // Every piece of the range agrees with the word in every byte kept.
  // A read error leaves the range as it was, for a later lookup to try again.
  if (!Refined(range.begin) && !Refine(range, file)) return Range{};
  const std::string_view wanted = folded;
  range.begin = FirstNotLess(range.begin, range.end, [&](uint32_t at) {
    return FoldedStart(file, offsets_[at], wanted.size()) < wanted;
  });
  range.end = FirstNotLess(range.begin, range.end, [&](uint32_t at) {
    return FoldedStart(file, offsets_[at], wanted.size()) <= wanted;
  });
  return range;
}

DictionaryIndex::FileOrder DictionaryIndex::Offsets(Range range) const {
  return FileOrder(std::vector<uint32_t>(offsets_.begin() + range.begin, offsets_.begin() + range.end));
}

DictionaryIndex::FileOrder::FileOrder(std::vector<uint32_t> offsets)
    : offsets_(std::move(offsets)), remaining_(offsets_.size()) {
  const auto later = [this](const Stretch& a, const Stretch& b) { return Later(a, b); };
  const uint32_t size = static_cast<uint32_t>(offsets_.size());
  for (uint32_t begin = 0, end = 1; begin < size; begin = end++) {
    while (end < size && offsets_[end] > offsets_[end - 1]) ++end;
    heap_.push_back(Stretch{begin, end});
  }
  std::make_heap(heap_.begin(), heap_.end(), later);
}

void DictionaryIndex::FileOrder::Next(size_t most, std::vector<uint32_t>& into) {
  const auto later = [this](const Stretch& a, const Stretch& b) { return Later(a, b); };
  for (; most > 0 && !heap_.empty(); --most, --remaining_) {
    std::pop_heap(heap_.begin(), heap_.end(), later);
    Stretch& first = heap_.back();
    into.push_back(offsets_[first.next]);
    if (++first.next == first.end) {
      heap_.pop_back();
    } else {
      std::push_heap(heap_.begin(), heap_.end(), later);
    }
  }
}

size_t DictionaryIndex::KeptBytes() const {
  return sizeof(*this) + offsets_.capacity() * sizeof(uint32_t) + keys_.capacity() +
         groupFirst_.capacity() * sizeof(uint16_t) + groupStart_.capacity() * sizeof(uint32_t) +
         groupSorted_.capacity() + refined_.capacity() * sizeof(uint64_t);
}

}  // namespace lookup
