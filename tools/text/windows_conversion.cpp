// The conversions through the system's code pages: MultiByteToWideChar and
// WideCharToMultiByte, with UTF-16 between them. UTF-16 and UCS-4 themselves
// are no code pages those functions take; they are rearranged here.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <climits>
#include <cstring>
#include <optional>
#include <utility>

#include "tools/text/conversion.h"

namespace text {
namespace {

constexpr UINT kEucJpCodePage = 20932;
// EUC-JP's third set (JIS X 0212) comes after this byte; code page 20932
// has no table for it and would read the three bytes as two wrong characters.
constexpr char kEucJpThirdSet = '\x8F';
constexpr wchar_t kReplacementCharacter = 0xFFFD;
constexpr char kDefaultCharacter[] = "?";

enum class Form { kCodePage, kUtf16Le, kUtf16Be, kUcs4Le };

struct Encoding {
  Form form;
  UINT codePage = 0;
};

std::optional<Encoding> Named(std::string_view name) {
  if (name == kUtf8) return Encoding{Form::kCodePage, CP_UTF8};
  if (name == kCp932) return Encoding{Form::kCodePage, 932};
  if (name == kEucJp) return Encoding{Form::kCodePage, kEucJpCodePage};
  if (name == kUtf16Le) return Encoding{Form::kUtf16Le};
  if (name == kUtf16Be) return Encoding{Form::kUtf16Be};
  if (name == kUcs4Le) return Encoding{Form::kUcs4Le};
  return std::nullopt;
}

bool IsHighSurrogate(unsigned u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(unsigned u) { return u >= 0xDC00 && u <= 0xDFFF; }
bool InRange(unsigned char b, unsigned char first, unsigned char last) { return b >= first && b <= last; }

// The bytes of the character that begins `in`, as far as its first byte
// tells; it may be more than `in` holds.
size_t CharacterLength(const Encoding& e, std::string_view in) {
  const auto b = static_cast<unsigned char>(in[0]);
  switch (e.form) {
    case Form::kUtf16Le:
    case Form::kUtf16Be: {
      if (in.size() < 2) return 2;
      const auto hi = static_cast<unsigned char>(e.form == Form::kUtf16Le ? in[1] : in[0]);
      return IsHighSurrogate(hi << 8) ? 4 : 2;
    }
    case Form::kUcs4Le:
      return 4;
    case Form::kCodePage:
      break;
  }
  if (e.codePage == CP_UTF8) return b < 0xC2 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
  if (e.codePage == kEucJpCodePage) return b == 0x8F ? 3 : (b == 0x8E || InRange(b, 0xA1, 0xFE)) ? 2 : 1;
  return (InRange(b, 0x81, 0x9F) || InRange(b, 0xE0, 0xFC)) ? 2 : 1;
}

void AppendUtf16(char32_t cp, std::wstring& wide) {
  if (cp < 0x10000) {
    wide += static_cast<wchar_t>(cp);
  } else {
    cp -= 0x10000;
    wide += static_cast<wchar_t>(0xD800 + (cp >> 10));
    wide += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
  }
}

// UTF-16 whose surrogates all stand in pairs.
bool PairedSurrogates(const std::wstring& wide) {
  for (size_t i = 0; i < wide.size(); ++i) {
    if (IsLowSurrogate(wide[i])) return false;
    if (IsHighSurrogate(wide[i]) && (++i == wide.size() || !IsLowSurrogate(wide[i]))) return false;
  }
  return true;
}

bool DecodeCodePage(UINT codePage, std::string_view in, std::wstring& wide) {
  if (in.empty()) return true;
  const int size = static_cast<int>(in.size());
  const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), size, nullptr, 0);
  if (n <= 0) return false;
  const size_t start = wide.size();
  wide.resize(start + static_cast<size_t>(n));
  return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), size, wide.data() + start, n) == n;
}

// EUC-JP with each character of its third set read as U+FFFD: a character
// no code page 932 text can hold either.
bool DecodeEucJp(std::string_view in, std::wstring& wide) {
  for (size_t at; (at = in.find(kEucJpThirdSet)) != std::string_view::npos; in.remove_prefix(at + 3)) {
    if (!DecodeCodePage(kEucJpCodePage, in.substr(0, at), wide) || in.size() - at < 3) return false;
    for (size_t i = at + 1; i < at + 3; ++i)
      if (!InRange(static_cast<unsigned char>(in[i]), 0xA1, 0xFE)) return false;
    wide += kReplacementCharacter;
  }
  return DecodeCodePage(kEucJpCodePage, in, wide);
}

bool Decode(const Encoding& e, std::string_view in, std::wstring& wide) {
  wide.clear();
  if (in.size() > INT_MAX) return false;
  switch (e.form) {
    case Form::kUtf16Le:
    case Form::kUtf16Be:
      if (in.size() % 2) return false;
      for (size_t i = 0; i < in.size(); i += 2) {
        const auto first = static_cast<unsigned char>(in[i]), second = static_cast<unsigned char>(in[i + 1]);
        wide += static_cast<wchar_t>(e.form == Form::kUtf16Le ? first | second << 8 : first << 8 | second);
      }
      return PairedSurrogates(wide);
    case Form::kUcs4Le:
      if (in.size() % 4) return false;
      for (size_t i = 0; i < in.size(); i += 4) {
        char32_t cp = 0;
        for (int k = 3; k >= 0; --k) cp = cp << 8 | static_cast<unsigned char>(in[i + k]);
        if (cp > 0x10FFFF || IsHighSurrogate(cp) || IsLowSurrogate(cp)) return false;
        AppendUtf16(cp, wide);
      }
      return true;
    case Form::kCodePage:
      break;
  }
  return e.codePage == kEucJpCodePage ? DecodeEucJp(in, wide) : DecodeCodePage(e.codePage, in, wide);
}

bool IsCombiningMark(wchar_t c) {
  return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
         (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE20 && c <= 0xFE2F);
}

bool Encode(const Encoding& e, Unmappable unmappable, const std::wstring& wide, std::string& out);

// Windows' best fit knows few letters with marks (é, not è) and no
// subscripts: the character's compatibility decomposition without its marks
// (what glibc's transliteration gives too) comes before it.
bool EncodeDecomposed(const Encoding& e, const std::wstring& character, std::string& out) {
  const int size = static_cast<int>(character.size());
  int n = ::NormalizeString(NormalizationKD, character.data(), size, nullptr, 0);
  if (n <= 0) return false;
  std::wstring decomposed(static_cast<size_t>(n), L'\0');
  n = ::NormalizeString(NormalizationKD, character.data(), size, decomposed.data(), n);
  if (n <= 0) return false;
  decomposed.resize(static_cast<size_t>(n));
  std::wstring kept;
  for (wchar_t c : decomposed)
    if (!IsCombiningMark(c)) kept += c;
  return !kept.empty() && kept != character && Encode(e, Unmappable::kFail, kept, out);
}

bool EncodeSubstituting(const Encoding& e, const std::wstring& wide, std::string& out) {
  if (Encode(e, Unmappable::kFail, wide, out)) return true;
  std::string all, one;
  for (size_t i = 0; i < wide.size();) {
    const size_t n = IsHighSurrogate(wide[i]) && i + 1 < wide.size() ? 2 : 1;
    const std::wstring character = wide.substr(i, n);
    if (!Encode(e, Unmappable::kFail, character, one) && !EncodeDecomposed(e, character, one))
      Encode(e, Unmappable::kSubstitute, character, one);
    all += one;
    i += n;
  }
  out = std::move(all);
  return true;
}

bool Encode(const Encoding& e, Unmappable unmappable, const std::wstring& wide, std::string& out) {
  out.clear();
  switch (e.form) {
    case Form::kUtf16Le:
    case Form::kUtf16Be:
      for (wchar_t u : wide) {
        const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
        out += e.form == Form::kUtf16Le ? lo : hi;
        out += e.form == Form::kUtf16Le ? hi : lo;
      }
      return true;
    case Form::kUcs4Le:
      for (size_t i = 0; i < wide.size(); ++i) {
        char32_t cp = wide[i];
        if (IsHighSurrogate(cp)) cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[++i] - 0xDC00);  // paired
        for (int k = 0; k < 4; ++k) out += static_cast<char>(cp >> (8 * k) & 0xFF);
      }
      return true;
    case Form::kCodePage:
      break;
  }
  if (wide.empty()) return true;
  if (wide.size() > INT_MAX / 4) return false;
  const int size = static_cast<int>(wide.size());
  const bool utf8 = e.codePage == CP_UTF8;
  // UTF-8 takes neither flags nor a default character.
  const DWORD flags = utf8                              ? WC_ERR_INVALID_CHARS
                      : unmappable == Unmappable::kFail ? WC_NO_BEST_FIT_CHARS
                                                        : 0;
  const char* defaultCharacter = utf8 ? nullptr : kDefaultCharacter;
  BOOL usedDefault = FALSE;
  BOOL* seeDefault = utf8 || unmappable == Unmappable::kSubstitute ? nullptr : &usedDefault;
  const int n =
      WideCharToMultiByte(e.codePage, flags, wide.data(), size, nullptr, 0, defaultCharacter, seeDefault);
  if (n <= 0 || usedDefault) return false;
  out.resize(static_cast<size_t>(n));
  return WideCharToMultiByte(e.codePage, flags, wide.data(), size, out.data(), n, defaultCharacter,
                             seeDefault) == n &&
         !usedDefault;
}

}  // namespace

struct Conversion::State {
  Encoding to, from;
  Unmappable unmappable;
  std::wstring wide;
  std::string encoded;

  bool Whole(std::string_view in) {
    if (!Decode(from, in, wide)) return false;
    const bool substituting =
        unmappable == Unmappable::kSubstitute && to.form == Form::kCodePage && to.codePage != CP_UTF8;
    return substituting ? EncodeSubstituting(to, wide, encoded) : Encode(to, unmappable, wide, encoded);
  }
};

Conversion::Conversion(const char* to, const char* from, Unmappable unmappable) {
  const std::optional<Encoding> target = Named(to), source = Named(from);
  auto available = [](const std::optional<Encoding>& e) {
    return e && (e->form != Form::kCodePage || IsValidCodePage(e->codePage));
  };
  if (!available(target) || !available(source))
    throw ConversionUnavailable(std::string("the system cannot convert from ") + from + " to " + to);
  state_.reset(new State{*target, *source, unmappable, {}, {}});
}

Conversion::~Conversion() = default;

bool Conversion::Convert(std::string_view in, std::string& out, size_t& failedAt) {
  State& s = *state_;
  if (s.Whole(in)) {
    out += s.encoded;
    return true;
  }
  // The system tells only that something failed: the first character that
  // fails on its own is where, and everything before it converts.
  size_t at = 0;
  while (at < in.size()) {
    const size_t n = CharacterLength(s.from, in.substr(at));
    if (n > in.size() - at || !s.Whole(in.substr(at, n))) break;
    at += n;
  }
  s.Whole(in.substr(0, at));
  out += s.encoded;
  failedAt = at;
  return at == in.size();
}

}  // namespace text
