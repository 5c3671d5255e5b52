// What the main dialog tells the user: that no dictionary was found at start
// (a message box), and that a lookup could not read the dictionary (a balloon
// from the tray icon). The lookups themselves stay silent.
#include <string>

#include "app/write_translate_dialog.h"
#include "dictionary/dictionary_line.h"
#include "framework/code_page.h"
#include "framework/system_text.h"

namespace {

constexpr wchar_t kCaption[] = L"Lexmoor";
constexpr wchar_t kUnreadableTitle[] = L"辞書を読めません";
constexpr wchar_t kUnknownReason[] = L"理由は不明です";
// A user who can't fix it at once still looks words up: one balloon a minute at most.
constexpr ULONGLONG kUnreadableQuietMs = 60 * 1000;
// What a balloon's text holds, its terminator included.
constexpr size_t kBalloonText = sizeof(NOTIFYICONDATAW::szInfo) / sizeof(wchar_t);
constexpr wchar_t kCut[] = L"…";

std::wstring Reason(DWORD error) {
  const std::wstring reason = fw::SystemReason(error);
  return reason.empty() ? kUnknownReason : reason;
}

std::wstring DictionaryPath() {
  return fw::FullPath(fw::ToUnicode(dictionary::kDictionaryFile, dictionary::kDictionaryCodePage));
}

// The path, then the reason. The reason stays whole; a path too long for the
// balloon loses its beginning, so the file's own name stays.
std::wstring BalloonText(const std::wstring& path, const std::wstring& reason) {
  constexpr size_t kMost = kBalloonText - 1;
  if (reason.size() + 2 >= kMost) return reason.substr(0, kMost);
  const size_t room = kMost - reason.size() - 1;
  if (path.size() <= room) return path + L"\n" + reason;
  return kCut + path.substr(path.size() - (room - 1)) + L"\n" + reason;
}

}  // namespace

void CWriteTranslateDialog::TellAtStart(std::wstring message) { m_strStartMessage = std::move(message); }

LRESULT CWriteTranslateDialog::OnTellAtStart(WPARAM, LPARAM) {
  const std::wstring message = std::move(m_strStartMessage);
  m_strStartMessage.clear();
  // No owner: the box gets a taskbar button of its own, and the main dialog
  // stays usable. Its modal loop keeps the timer and the hot key working.
  if (!message.empty())
    ::MessageBoxW(nullptr, message.c_str(), kCaption, MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
  return 0;
}

void CWriteTranslateDialog::TellUnreadableDictionary(uint32_t error) {
  const ULONGLONG now = ::GetTickCount64();
  if (m_bUnreadableTold && now - m_unreadableToldAt < kUnreadableQuietMs) return;
  // Counted only once shown: an icon the shell has not taken yet shows nothing.
  if (!m_nid.ShowBalloon(kUnreadableTitle, BalloonText(DictionaryPath(), Reason(error)).c_str()))
    return;
  m_bUnreadableTold = true;
  m_unreadableToldAt = now;
}
