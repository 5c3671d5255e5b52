#include "lookup/headword_matcher.h"

#include <algorithm>
#include <cassert>

#include "dictionary/dictionary_line.h"

namespace lookup {
namespace {

// A word that holds the TAB ending a headword is never the beginning of one.
bool CanBeginHeadword(std::string_view word) { return dictionary::HeadwordEnd(word) == std::string_view::npos; }

}  // namespace

HeadwordMatcher::HeadwordMatcher(const std::vector<std::string>& words) {
  std::vector<size_t> order(words.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return words[a].size() > words[b].size(); });

  words_.resize(words.size());
  for (size_t i : order) {
    assert(words[i].find('\0') == std::string::npos);
    Word& word = words_[i];
    word.text = words[i];
    word.spine = -1;
    if (!CanBeginHeadword(word.text)) continue;
    std::string folded = dictionary::FoldedText(word.text);
    for (size_t s = 0; s < spines_.size() && word.spine < 0; ++s) {
      if (std::string_view(spines_[s].folded).substr(0, folded.size()) == folded) word.spine = static_cast<int>(s);
    }
    if (word.spine < 0) {
      word.spine = static_cast<int>(spines_.size());
      spines_.push_back(Spine{folded, folded.size(), {}, {}});
    }
    Spine& spine = spines_[word.spine];
    spine.shortestWord = std::min(spine.shortestWord, folded.size());
  }

  for (size_t s = 0; s < spines_.size(); ++s) {
    Spine& spine = spines_[s];
    spine.agreements.assign(spine.folded.size() + 1, 0);
    const auto index = static_cast<uint16_t>(s);
    // The filter lets through every line its shortest word may begin.
    if (spine.shortestWord == 0) {  // the empty word begins every headword
      for (auto& list : spinesByFirstByte_) list.push_back(index);
      filter_.AllowAll();
      continue;
    }
    for (int first = 0; first < 256; ++first) {
      if (dictionary::FoldAsciiCase(static_cast<unsigned char>(first)) != static_cast<unsigned char>(spine.folded[0])) continue;
      spinesByFirstByte_[first].push_back(index);
      if (spine.shortestWord == 1) {
        filter_.Allow(static_cast<unsigned char>(first));
        continue;
      }
      for (int second = 0; second < 256; ++second) {
        if (dictionary::FoldAsciiCase(static_cast<unsigned char>(second)) == static_cast<unsigned char>(spine.folded[1])) {
          filter_.Allow(static_cast<unsigned char>(first), static_cast<unsigned char>(second));
        }
      }
    }
  }
}

void HeadwordMatcher::Scan(dictionary::ByteSource& source) {
  dictionary::ForEachPiece(source, filter_, [this](const dictionary::Piece& piece) { Measure(piece); });
}

void HeadwordMatcher::Measure(const dictionary::Piece& piece) {
  const auto* text = reinterpret_cast<const unsigned char*>(piece.text.data());
  const std::vector<uint16_t>& candidates = spinesByFirstByte_[text[0]];
  if (candidates.empty()) return;
  if ((text[0] == '\t' || text[0] == '\0') && dictionary::IsBlank(piece.text)) return;
  size_t keptAt = std::string::npos;
  for (uint16_t s : candidates) {
    Spine& spine = spines_[s];
    const auto* folded = reinterpret_cast<const unsigned char*>(spine.folded.data());
    size_t limit = std::min(piece.text.size(), spine.folded.size());
    size_t agreement = 0;
    while (agreement < limit && dictionary::FoldAsciiCase(text[agreement]) == folded[agreement]) ++agreement;
    if (agreement < spine.shortestWord) continue;
    if (keptAt == std::string::npos) {
      keptAt = kept_->size();
      kept_->append(piece.text);
    }
    spine.matches.push_back(
        Match{keptAt, static_cast<uint32_t>(piece.text.size()), static_cast<uint32_t>(agreement)});
    ++spine.agreements[agreement];
  }
}

const HeadwordMatcher::Word* HeadwordMatcher::Find(std::string_view word) const {
  auto found = std::find_if(words_.begin(), words_.end(), [&](const Word& w) { return w.text == word; });
  assert(found != words_.end() && "every word tried must be given to the matcher");
  return found != words_.end() && found->spine >= 0 ? &*found : nullptr;
}

int32_t HeadwordMatcher::Count(std::string_view word) const {
  const Word* found = Find(word);
  if (!found) return 0;
  const Spine& spine = spines_[found->spine];
  int32_t count = 0;
  for (size_t length = word.size(); length < spine.agreements.size(); ++length) count += spine.agreements[length];
  return count;
}

// The matches of one word, in file order: those of its spine that agree with
// it all along.
class MatchedPieces final : public PieceSource {
 public:
  MatchedPieces(std::shared_ptr<const HeadwordMatcher> matcher, const HeadwordMatcher::Spine& spine,
                size_t wordLength, size_t count)
      : matcher_(std::move(matcher)), spine_(spine), wordLength_(wordLength), remaining_(count) {}

  bool Next(size_t most, std::vector<std::string_view>& texts, std::shared_ptr<const void>& keep) override {
    const std::string_view kept = *matcher_->kept_;
    for (; most > 0 && remaining_ > 0; ++next_) {
      const HeadwordMatcher::Match& match = spine_.matches[next_];
      if (match.agreement < wordLength_) continue;
      texts.push_back(kept.substr(match.text, match.length));
      --most;
      --remaining_;
    }
    keep = matcher_->kept_;
    return true;
  }
  size_t Remaining() const override { return remaining_; }

 private:
  std::shared_ptr<const HeadwordMatcher> matcher_;
  const HeadwordMatcher::Spine& spine_;
  size_t wordLength_;
  size_t remaining_;
  size_t next_ = 0;
};

ListFeed HeadwordMatcher::Feed(std::shared_ptr<const HeadwordMatcher> matcher, std::string_view word) {
  const Word* found = matcher->Find(word);
  const int32_t count = found ? matcher->Count(word) : 0;
  if (count == 0) return ListFeed(0, nullptr);
  const Spine& spine = matcher->spines_[found->spine];
  return ListFeed(count, std::make_unique<MatchedPieces>(std::move(matcher), spine, word.size(), count));
}

}  // namespace lookup
