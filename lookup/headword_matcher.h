// Matching many words against the headwords of one read of the dictionary.
//
// Every word a lookup may try is known before the file is read, and they come
// in chains: a stem is the beginning of the word it was cut from, and the
// candidates of one replacement prefix are beginnings of one another. So the
// words are grouped into spines (a spine is the longest word of its group, and
// the others begin it), and one pass measures, for each piece of the file, how
// far its headword agrees with each spine that starts with its first letter.
// A word matches a piece when that agreement reaches the word's length.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/byte_source.h"
#include "dictionary/text_mode_reader.h"
#include "lookup/lookup.h"
#include "lookup/lookup_run.h"

namespace lookup {

class HeadwordMatcher {
 public:
  // `words` must not hold zero bytes; each may be matched after the scan.
  explicit HeadwordMatcher(const std::vector<std::string>& words);

  // One pass over the dictionary. The text of the pieces that may be listed
  // is kept; nothing else of the file is.
  void Scan(dictionary::ByteSource& source);
  // The same for one piece, for a pass that also does other work; every
  // piece that passes filter() must be measured, in file order.
  void Measure(const dictionary::Piece& piece);
  const dictionary::PieceFilter& filter() const { return filter_; }

  // The number of pieces whose headword begins with `word`, one of the words
  // given to the constructor.
  int32_t Count(std::string_view word) const;

  // What listing `word` leaves in a list. The rows keep the text the scan
  // kept, not the matcher.
  static ListFeed Feed(std::shared_ptr<const HeadwordMatcher> matcher, std::string_view word);

 private:
  friend class MatchedPieces;

  struct Match {
    size_t text;         // where the piece's text starts in kept_
    uint32_t length;     // bytes of the piece's text
    uint32_t agreement;  // bytes the headword has in common with the spine
  };
  struct Spine {
    std::string folded;
    size_t shortestWord;              // matches below this length are not kept
    std::vector<Match> matches;       // in file order
    std::vector<int32_t> agreements;  // pieces per agreement length, 0 to folded.size()
  };
  struct Word {
    std::string text;
    int spine;  // -1: no headword can begin with it
  };

  // The word given to the constructor, if some headword can begin with it.
  const Word* Find(std::string_view word) const;

  // The text of every piece some word may list, once each.
  std::shared_ptr<std::string> kept_ = std::make_shared<std::string>();
  std::vector<Spine> spines_;
  std::vector<Word> words_;
  std::array<std::vector<uint16_t>, 256> spinesByFirstByte_;
  dictionary::PieceFilter filter_;  // the first two bytes of some spine
};

// Lists the words of a finished scan.
class MatchedLister : public WordLister {
 public:
  explicit MatchedLister(std::shared_ptr<const HeadwordMatcher> matcher) : matcher_(std::move(matcher)) {}
  int32_t Count(std::string_view word) override { return matcher_->Count(word); }
  ListFeed Feed(std::string_view word) override { return HeadwordMatcher::Feed(matcher_, word); }

 private:
  std::shared_ptr<const HeadwordMatcher> matcher_;
};

}  // namespace lookup
