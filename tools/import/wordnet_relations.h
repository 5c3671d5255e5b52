// What WordNet's data files say of single words across their synsets: the
// words derived from one another ("positional" of "position", "redistribute"
// and "redistribution": its derivational and pertainym pointers) and the
// clipped words that share a synset with the word they are cut from ("info"
// and "information", "Dec" and "December").
#pragma once

#include <string>
#include <vector>

#include "part_of_speech.h"

namespace import {

// A file of WordNet's directory, joined with the directory's own separator:
// the Windows package's path is written with backslashes.
inline std::string WordnetFile(const std::string& directory, const std::string& name) {
  const bool backslashes = directory.find('\\') != std::string::npos && directory.find('/') == std::string::npos;
  return directory + (backslashes ? "\\" : "/") + name;
}

enum class Relation : uint8_t { kDerived, kClipped };

struct RelatedWord {
  std::string word;  // as WordNet writes it
  PartOfSpeech pos;
  std::string other;  // the word it is derived from or cut from
  PartOfSpeech otherPos;
  Relation relation;
};

// Reads data.noun, data.verb, data.adj and data.adv in `directory`. A
// derivation between two parts of speech is given both ways; a clipping
// keeps three letters at least and leaves three out. Throws ImportError
// naming a file that can't be read or holds no WordNet data.
std::vector<RelatedWord> ReadWordnetRelations(const std::string& directory);

}  // namespace import
