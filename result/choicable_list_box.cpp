#include "result/choicable_list_box.h"

#include <cstring>
#include <optional>
#include <string>

#include "dictionary/dictionary_line.h"
#include "framework/code_page.h"
#include "framework/handles.h"
#include "res/private_messages.h"
#include "res/resource.h"
#include "result/pronunce_dialog.h"
#include "rows/pronunciation.h"
#include "rows/row_word.h"

IMPLEMENT_DYNAMIC(CChoicableListBox, CListBox)

BEGIN_MESSAGE_MAP(CChoicableListBox, CListBox)
ON_WM_LBUTTONDBLCLK(OnListDoubleClick)
END_MESSAGE_MAP()

namespace {
// Puts `word` on the clipboard as Unicode text, owned by `owner`: the system
// makes the other text formats from it for every reader, whatever its code
// page. False, with the clipboard as it was, when the memory or the clipboard
// can't be had.
bool PutOnClipboard(HWND owner, const std::string& word) {
  const std::wstring text = fw::ToUnicode(word, dictionary::kDictionaryCodePage);
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  // Movable memory: the clipboard's own kind. Allocated before the clipboard is
  // emptied, so a failure leaves it untouched.
  fw::GlobalMemory block(GMEM_MOVEABLE, bytes);
  if (!block.Get()) return false;
  {
    fw::GlobalLockGuard lock(block.Get());
    if (!lock.Data()) return false;
    std::memcpy(lock.Data(), text.c_str(), bytes);
  }
  // An owner is needed: emptied without one, the clipboard refuses new data.
  fw::ClipboardSession clipboard(owner);
  if (!clipboard.IsOpen()) return false;
  ::EmptyClipboard();
  if (::SetClipboardData(CF_UNICODETEXT, block.Get())) block.Release();  // the clipboard's now
  return true;
}
}  // namespace

void CChoicableListBox::OnListDoubleClick(UINT, POINT) {
  // A copy first: the lookup below refills this very list.
  const int selected = GetCurSel();
  const CString row(selected < 0 ? std::string() : m_filling.RowAt(static_cast<size_t>(selected)));

  if (::GetKeyState(VK_CONTROL) < 0) {
    // The placeholder and an empty selection are no dictionary lines.
    if (rows::IsRegistrableRow(row.view())) {
      CPronunceDialog dialog(row);
      dialog.DoModal();
    }
    Default();
    return;
  }

  const std::optional<std::string> word = rows::WordToFollow(row.view());
  if (!word) return;
  if (!PutOnClipboard(m_hWnd, *word)) return;
  // This list's own main dialog, the result window's owner: another window
  // may carry its title, another Lexmoor's or not.
  HWND mainDialog = ::GetWindow(::GetAncestor(m_hWnd, GA_ROOT), GW_OWNER);
  if (!mainDialog) return;
  // Handled before SendMessage returns: the lookup runs nested, right here.
  ::SendMessageW(mainDialog, WM_LOOKUP_CLIPBOARD, 0, 0);
  Default();
}
