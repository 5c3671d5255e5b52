#include "app/clipboard_text.h"

#include <cstring>
#include <cwchar>

#include "dictionary/dictionary_line.h"
#include "framework/code_page.h"
#include "framework/handles.h"

namespace {

// The text format the source itself put on the open clipboard, the first one
// listed. The system makes the other from it with the code page of the input
// language at copy time (CF_LOCALE), which need not be the dictionary's: a
// browser's Unicode text read as CF_TEXT loses a curly apostrophe or a
// Japanese word under an English input language, and so would a Japanese
// program's CF_TEXT read as CF_UNICODETEXT.
UINT SourceTextFormat() {
  for (UINT format = ::EnumClipboardFormats(0); format != 0; format = ::EnumClipboardFormats(format)) {
    if (format == CF_UNICODETEXT || format == CF_TEXT) return format;
  }
  return CF_TEXT;
}

}  // namespace

std::optional<std::string> ReadClipboardText() {
  if (!::IsClipboardFormatAvailable(CF_UNICODETEXT) && !::IsClipboardFormatAvailable(CF_TEXT)) {
    return std::nullopt;
  }
  fw::ClipboardSession clipboard(nullptr);
  if (!clipboard.IsOpen()) return std::nullopt;
  const UINT format = SourceTextFormat();
  HANDLE data = ::GetClipboardData(format);
  fw::GlobalLockGuard lock(data);
  if (!lock.Data()) return std::string();
  // Another program's block may lack its terminator: never read past its end.
  const size_t size = ::GlobalSize(data);
  if (format == CF_UNICODETEXT) {
    const auto* text = static_cast<const wchar_t*>(lock.Data());
    return fw::FromUnicode(std::wstring_view(text, wcsnlen(text, size / sizeof(wchar_t))),
                           dictionary::kDictionaryCodePage);
  }
  // A program's own CF_TEXT is in the system's code page. In 932 it is taken
  // byte for byte, as the dictionary holds it.
  const auto* bytes = static_cast<const char*>(lock.Data());
  const std::string_view text(bytes, strnlen(bytes, size));
  const UINT systemCodePage = ::GetACP();
  if (systemCodePage == dictionary::kDictionaryCodePage) return std::string(text);
  return fw::FromUnicode(fw::ToUnicode(text, systemCodePage), dictionary::kDictionaryCodePage);
}
