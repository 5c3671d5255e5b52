// Import of EDICT (Japanese-English, EUC-JP), inverted: every English gloss
// becomes a headword whose meaning lists the Japanese words (with their kana
// readings) it translates.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import_report.h"

namespace import {

inline constexpr char kEdictFile[] = "/usr/share/edict/edict";

// One gloss of an EDICT line, ready to invert.
struct EdictGloss {
  std::string headword;  // the gloss without its tags, "to " of a verb, trailing notes
  std::string note;      // trailing parenthesised notes, "(of a plan)"
};
struct EdictEntry {
  std::string japanese;  // "回帰"
  std::string reading;   // "かいき"; empty when the word is written in kana
  bool common = false;   // marked (P)
  std::vector<EdictGloss> glosses;
  int glossesWithoutText = 0;
};
// Parses "回帰 [かいき] /(n,vs) (1) return (to)/revolution/(P)/" (UTF-8);
// nullopt when the line has not that shape.
std::optional<EdictEntry> ParseEdictLine(std::string_view line);

// Reads the file and makes the sorted lines. Throws ImportError naming the
// file when it is missing, not EUC-JP, or holds no EDICT entry.
Imported ImportEdict(const std::string& path, const ImportSettings& settings = {});

}  // namespace import
