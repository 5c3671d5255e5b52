#include "cp932_encoder.h"

#include <cstring>
#include <utility>

#include "import_error.h"

namespace import {
namespace {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "code points are exchanged as UCS-4LE");
constexpr const char* kCodePoints = text::kUcs4Le;
constexpr const char* kCp932 = text::kCp932;
constexpr char32_t kFullWidthSemicolon = 0xFF1B;

// Characters of JIS X 0208 that Unicode has twice: text converted by the JIS
// tables (as on a Mac) holds the first form, code page 932 has the second.
// Named here, they give the same bytes whatever the system's tables say.
constexpr std::pair<char32_t, char32_t> kJisToMicrosoftForms[] = {
    {0x301C, 0xFF5E},  // 〜 wave dash
    {0x2016, 0x2225},  // ‖ double vertical line
    {0x2212, 0xFF0D},  // − minus sign
    {0x00A2, 0xFFE0},  // ¢
    {0x00A3, 0xFFE1},  // £
    {0x00AC, 0xFFE2},  // ¬
    {0x2014, 0x2015},  // — em dash
    {0x00A6, 0xFFE4},  // ¦
};

char32_t MicrosoftForm(char32_t cp) {
  for (const auto& [jis, microsoft] : kJisToMicrosoftForms)
    if (cp == jis) return microsoft;
  return cp;
}

std::string_view AsBytes(const char32_t& cp) {
  return {reinterpret_cast<const char*>(&cp), sizeof cp};
}

std::u32string AsCodePoints(const std::string& ucs4) {
  std::u32string cps(ucs4.size() / sizeof(char32_t), U'\0');
  std::memcpy(cps.data(), ucs4.data(), cps.size() * sizeof(char32_t));
  return cps;
}

}  // namespace

Cp932Encoder::Cp932Encoder()
    : toUcs4_(kCodePoints, "UTF-8"),
      toCp932_(kCp932, kCodePoints),
      fromCp932_(kCodePoints, kCp932),
      translit_(kCp932, kCodePoints, text::Unmappable::kSubstitute) {
  size_t failedAt = 0;
  if (!toCp932_.Convert(AsBytes(kFullWidthSemicolon), fullWidthSemicolon_, failedAt))
    throw ImportError("the system's CP932 conversion has no full-width semicolon");
}

std::optional<std::string> Cp932Encoder::Encode(std::string_view utf8) {
  std::string ucs4;
  size_t failedAt = 0;
  if (!toUcs4_.Convert(utf8, ucs4, failedAt)) return std::nullopt;
  std::string out;
  out.reserve(utf8.size());
  for (char32_t cp : AsCodePoints(ucs4)) {
    if (cp < 0x80) {
      AppendAscii(cp, out);
      continue;
    }
    const Mapping& m = Map(cp);
    out += m.bytes;
    if (m.kind == Kind::kEquivalent) ++counts_.equivalents;
    if (m.kind == Kind::kUnmappable) ++counts_.unmappable;
  }
  return out;
}

bool Cp932Encoder::IsValidUtf8(std::string_view text) {
  std::string ucs4;
  size_t failedAt = 0;
  return toUcs4_.Convert(text, ucs4, failedAt);
}

void Cp932Encoder::AppendAscii(char32_t cp, std::string& out) {
  if (cp == U';') {
    out += fullWidthSemicolon_;
    ++counts_.semicolons;
  } else if (cp < 0x20 || cp == 0x7F) {
    out += ' ';
    ++counts_.controls;
  } else {
    out += static_cast<char>(cp);
  }
}

const Cp932Encoder::Mapping& Cp932Encoder::Map(char32_t cp) {
  auto it = cache_.find(cp);
  if (it == cache_.end()) it = cache_.emplace(cp, Compute(cp)).first;
  return it->second;
}

Cp932Encoder::Mapping Cp932Encoder::Compute(char32_t cp) {
  size_t failedAt = 0;
  std::string bytes;
  if (const char32_t microsoft = MicrosoftForm(cp); microsoft != cp) {
    if (toCp932_.Convert(AsBytes(microsoft), bytes, failedAt)) return {bytes, Kind::kEquivalent};
    bytes.clear();
  }
  if (toCp932_.Convert(AsBytes(cp), bytes, failedAt)) {
    // Several code points share one CP932 character (the JIS and the Microsoft
    // forms of the wave dash, the minus sign, ...): only a round trip tells.
    std::string back;
    bool exact = fromCp932_.Convert(bytes, back, failedAt) && back == AsBytes(cp);
    return {bytes, exact ? Kind::kExact : Kind::kEquivalent};
  }
  std::string translit;
  const bool transliterated = translit_.Convert(AsBytes(cp), translit, failedAt);
  // Transliteration marks what it can't replace with '?'; an empty result
  // (a zero-width character) is a fair equivalent.
  if (!transliterated || translit == "?") return {"?", Kind::kUnmappable};
  // The replacement may itself hold a ';' or a control character.
  std::string ucs4;
  if (!fromCp932_.Convert(translit, ucs4, failedAt)) return {"?", Kind::kUnmappable};
  std::string out;
  for (char32_t c : AsCodePoints(ucs4)) {
    if (c == U';') {
      out += fullWidthSemicolon_;
    } else if (c < 0x20 || c == 0x7F) {
      out += ' ';
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      bytes.clear();
      if (!toCp932_.Convert(AsBytes(c), bytes, failedAt)) bytes = "?";
      out += bytes;
    }
  }
  return {out, Kind::kEquivalent};
}

}  // namespace import
