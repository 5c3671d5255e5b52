#include "stardict_entry.h"

#include <cstdint>

#include "markup_text.h"
#include "text_util.h"

namespace import {
namespace {

constexpr size_t kSizeBytes = 4;

bool IsTextType(char type) { return type >= 'a' && type <= 'z'; }

std::string Describe(char type) { return "field '" + std::string(1, type) + "'"; }

// Splits `text` into trimmed lines, leaving out empty ones.
void AppendLines(std::string_view text, std::vector<std::string>& lines) {
  for (std::string_view line : Split(text, '\n')) {
    if (EndsWith(line, "\r")) line.remove_suffix(1);
    line = Trim(line);
    if (!line.empty()) lines.emplace_back(line);
  }
}

}  // namespace

bool SplitStardictFields(std::string_view data, std::string_view sameTypeSequence,
                         std::vector<StardictField>& fields, std::string& why) {
  fields.clear();
  const bool typesStored = sameTypeSequence.empty();
  for (size_t i = 0; typesStored ? !data.empty() : i < sameTypeSequence.size(); ++i) {
    char type;
    if (typesStored) {
      type = data.front();
      data.remove_prefix(1);
      if (!((type >= 'a' && type <= 'z') || (type >= 'A' && type <= 'Z'))) {
        why = "holds a field of the unknown type " + std::to_string(static_cast<unsigned char>(type));
        return false;
      }
    } else {
      type = sameTypeSequence[i];
    }
    const bool last = !typesStored && i + 1 == sameTypeSequence.size();
    if (last) {
      // Its end is the entry's end; some writers still end text with a NUL.
      while (IsTextType(type) && !data.empty() && data.back() == '\0') data.remove_suffix(1);
      fields.push_back({type, data});
      data = {};
    } else if (IsTextType(type)) {
      const size_t nul = data.find('\0');
      if (nul == std::string_view::npos && !typesStored) {
        why = Describe(type) + " has no end (NUL) before the entry ends";
        return false;
      }
      // A last stored field without its NUL is taken whole.
      fields.push_back({type, data.substr(0, nul)});
      data.remove_prefix(nul == std::string_view::npos ? data.size() : nul + 1);
    } else {
      if (data.size() < kSizeBytes) {
        why = Describe(type) + ": the entry ends inside its size";
        return false;
      }
      uint64_t size = 0;
      for (size_t b = 0; b < kSizeBytes; ++b) size = size << 8 | static_cast<unsigned char>(data[b]);
      data.remove_prefix(kSizeBytes);
      if (size > data.size()) {
        why = Describe(type) + " is given " + std::to_string(size) + " bytes, but the entry has only " +
              std::to_string(data.size()) + " left";
        return false;
      }
      fields.push_back({type, data.substr(0, size)});
      data.remove_prefix(size);
    }
  }
  if (!data.empty()) {
    why = "holds " + std::to_string(data.size()) + " bytes after its last field";
    return false;
  }
  return true;
}

StardictText TextOfFields(const std::vector<StardictField>& fields) {
  StardictText text;
  for (const StardictField& field : fields) {
    switch (field.type) {
      case 'm':
        AppendLines(field.data, text.lines);
        break;
      case 'h':
      case 'g':
        AppendLines(MarkupToText(field.data), text.lines);
        break;
      case 't': {
        std::string_view p = Trim(field.data);
        if (!p.empty()) text.pronunciations.emplace_back(p);
        break;
      }
      default:
        text.otherTypes += field.type;
    }
  }
  return text;
}

}  // namespace import
