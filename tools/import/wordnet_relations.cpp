#include "wordnet_relations.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <unordered_map>

#include "grouped_senses.h"
#include "gzip_file.h"
#include "import_error.h"
#include "text_util.h"

namespace import {
namespace {

struct DataFile {
  const char* name;
  PartOfSpeech pos;
};
constexpr DataFile kDataFiles[] = {
    {"data.noun", PartOfSpeech::kNoun},
    {"data.verb", PartOfSpeech::kVerb},
    {"data.adj", PartOfSpeech::kAdjective},
    {"data.adv", PartOfSpeech::kAdverb},
};

// The pointers followed: "derivationally related form" and "pertains to
// noun" (of an adjective) or "derived from adjective" (of an adverb).
bool IsDerivation(std::string_view symbol) { return symbol == "+" || symbol == "\\"; }

constexpr size_t kShortestClipping = 3, kLettersClipped = 3;

struct Synset {
  PartOfSpeech pos;
  std::vector<std::string> words;
};
struct Pointer {
  uint32_t from;  // synset
  uint8_t fromWord, toWord;
  uint8_t toFile;
  uint32_t toOffset;
};

uint64_t Key(size_t file, uint32_t offset) { return (uint64_t{file} << 32) | offset; }

[[noreturn]] void Malformed(const std::string& path, size_t line) {
  throw ImportError(path + ": line " + std::to_string(line) + ": not a WordNet data line");
}

bool ParseNumber(std::string_view text, int base, uint32_t& value) {
  if (text.empty() || text.size() > 8) return false;
  value = 0;
  for (char c : text) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : base;
    if (digit >= base) return false;
    value = value * base + digit;
  }
  return true;
}

// The file that holds a pointer's target: n, v, a or s (a satellite
// adjective), r.
bool FileOfPos(std::string_view pos, uint8_t& file) {
  constexpr std::string_view kPos[] = {"n", "v", "a", "r"};
  for (uint8_t i = 0; i < 4; ++i) {
    if (pos != kPos[i] && !(pos == "s" && i == 2)) continue;
    file = i;
    return true;
  }
  return false;
}

// "galore(ip)": an adjective's place after its noun is no part of the word.
std::string_view WithoutMarker(std::string_view word) {
  return EndsWith(word, ")") && word.find('(') != std::string_view::npos ? word.substr(0, word.find('('))
                                                                         : word;
}

}  // namespace

std::vector<RelatedWord> ReadWordnetRelations(const std::string& directory) {
  std::vector<Synset> synsets;
  std::unordered_map<uint64_t, uint32_t> synsetAt;  // by file and offset
  std::vector<Pointer> pointers;
  std::vector<RelatedWord> related;
  for (size_t file = 0; file < std::size(kDataFiles); ++file) {
    const std::string path = WordnetFile(directory, kDataFiles[file].name);
    const std::string text = ReadWholeFile(path);
    const size_t before = synsets.size();
    ForEachTextLine(text, [&](std::string_view line, size_t lineNumber) {
      if (line.empty() || line[0] == ' ') return;  // the licence at the top
      // offset lex_filenum ss_type w_cnt (word lex_id)... p_cnt (symbol offset pos source/target)... | gloss
      const std::vector<std::string_view> f = Split(line.substr(0, line.find(" | ")), ' ');
      uint32_t offset = 0, words = 0, count = 0;
      if (f.size() < 5 || !ParseNumber(f[0], 10, offset) || !ParseNumber(f[3], 16, words) || words == 0 ||
          f.size() < 5 + 2 * words || !ParseNumber(f[4 + 2 * words], 10, count) ||
          f.size() < 5 + 2 * words + 4 * count)
        Malformed(path, lineNumber);
      Synset synset{kDataFiles[file].pos, {}};
      for (uint32_t w = 0; w < words; ++w) synset.words.emplace_back(WithoutMarker(f[4 + 2 * w]));
      const uint32_t index = static_cast<uint32_t>(synsets.size());
      for (uint32_t p = 0; p < count; ++p) {
        const std::string_view* ptr = &f[5 + 2 * words + 4 * p];
        Pointer pointer{index, 0, 0, 0, 0};
        uint32_t sourceTarget = 0;
        if (!ParseNumber(ptr[1], 10, pointer.toOffset) || !FileOfPos(ptr[2], pointer.toFile) ||
            ptr[3].size() != 4 || !ParseNumber(ptr[3], 16, sourceTarget))
          Malformed(path, lineNumber);
        pointer.fromWord = static_cast<uint8_t>(sourceTarget >> 8);
        pointer.toWord = static_cast<uint8_t>(sourceTarget & 0xFF);
        // Between words, not whole synsets.
        if (IsDerivation(ptr[0]) && pointer.fromWord && pointer.toWord) pointers.push_back(pointer);
      }
      for (const std::string& a : synset.words)
        for (const std::string& b : synset.words)
          if (a.size() >= kShortestClipping && b.size() >= a.size() + kLettersClipped && StartsWith(b, a) &&
              a.find('_') == std::string::npos && b.find('_') == std::string::npos)
            related.push_back({a, synset.pos, b, synset.pos, Relation::kClipped});
      synsetAt.emplace(Key(file, offset), index);
      synsets.push_back(std::move(synset));
    });
    if (synsets.size() == before) throw ImportError(path + ": holds no WordNet synsets");
  }
  for (const Pointer& p : pointers) {
    auto to = synsetAt.find(Key(p.toFile, p.toOffset));
    const Synset& from = synsets[p.from];
    if (to == synsetAt.end() || p.fromWord > from.words.size() || p.toWord > synsets[to->second].words.size())
      continue;  // a dangling pointer: WordNet has none
    const Synset& target = synsets[to->second];
    const std::string &word = from.words[p.fromWord - 1], &other = target.words[p.toWord - 1];
    if (from.pos == target.pos || word.find('_') != std::string::npos || other.find('_') != std::string::npos)
      continue;
    related.push_back({word, from.pos, other, target.pos, Relation::kDerived});
  }
  return related;
}

}  // namespace import
