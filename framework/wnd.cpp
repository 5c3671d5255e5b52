#include "framework/wnd.h"

#include "framework/dialog.h"

namespace {
// Identifies our subclass among any others a control may carry.
constexpr UINT_PTR kSubclassId = 0x4C58;  // 'LX'
// Names the subclassing object on its window, so it can be found from the handle.
constexpr char kObjectProperty[] = "Lexmoor.CWnd";
}  // namespace

const CRuntimeClass CWnd::classCWnd = {"CWnd", nullptr};

const CRuntimeClass* CWnd::GetRuntimeClass() const { return &classCWnd; }

const fw::MessageMap* CWnd::GetThisMessageMap() {
  static const fw::MessageMapEntry entries[] = {fw::MessageMapEntry{}};
  static const fw::MessageMap map{nullptr, entries};
  return &map;
}

CWnd::~CWnd() {
  // A subclassing object that goes before its window gives the window back.
  if (m_bSubclassed && m_hWnd) {
    RemoveWindowSubclass(m_hWnd, &SubclassProc, kSubclassId);
    RemovePropA(m_hWnd, kObjectProperty);
  }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  if (!hWnd) return nullptr;
  if (HANDLE object = GetPropA(hWnd, kObjectProperty)) return static_cast<CWnd*>(object);
  return CDialog::FromDialogHandle(hWnd);
}

void CWnd::GetWindowText(CString& text) const {
  const int length = ::GetWindowTextLengthA(m_hWnd);
  std::string buffer(static_cast<size_t>(length) + 1, '\0');
  const int got = ::GetWindowTextA(m_hWnd, buffer.data(), length + 1);
  buffer.resize(got > 0 ? static_cast<size_t>(got) : 0);
  text = CString(std::move(buffer));
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* placement) const {
  placement->length = sizeof(WINDOWPLACEMENT);
  return ::GetWindowPlacement(m_hWnd, placement);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
  const DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE));
  const DWORD changed = (style & ~remove) | add;
  if (style == changed) return FALSE;
  ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, changed);
  if (flags)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  HWND control = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
  return control ? SubclassWindow(control) : FALSE;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (m_hWnd || !hWnd) return FALSE;
  if (!SetWindowSubclass(hWnd, &SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return FALSE;
  SetPropA(hWnd, kObjectProperty, this);
  m_hWnd = hWnd;
  m_bSubclassed = true;
  return TRUE;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR ref) {
  CWnd* self = reinterpret_cast<CWnd*>(ref);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hWnd, &SubclassProc, kSubclassId);
    RemovePropA(hWnd, kObjectProperty);
    self->m_hWnd = nullptr;
    self->m_bSubclassed = false;
    return DefSubclassProc(hWnd, message, wParam, lParam);
  }
  CurrentMessageScope scope(*self, message, wParam, lParam);
  LRESULT result = 0;
  try {
    if (self->OnWndMsg(message, wParam, lParam, &result)) return result;
  } catch (...) {
    // No exception may unwind through the system's frames; the message is dropped.
    return 0;
  }
  return DefSubclassProc(hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return m_pCurrentMessage ? DefaultFor(*m_pCurrentMessage) : 0; }

LRESULT CWnd::DefaultFor(CurrentMessage& current) {
  return DefSubclassProc(m_hWnd, current.message, current.wParam, current.lParam);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  for (const fw::MessageMap* map = GetMessageMap(); map; map = map->base) {
    for (const fw::MessageMapEntry* entry = map->entries; entry->thunk; ++entry) {
      const UINT entryMessage = entry->registered ? *entry->registered : entry->message;
      if (entryMessage == 0 || entryMessage != message) continue;
      // Commands from buttons (code 0) and accelerators (code 1), not control notifications.
      if (message == WM_COMMAND && (entry->id != LOWORD(wParam) || HIWORD(wParam) > 1)) continue;
      *result = entry->thunk(*this, wParam, lParam);
      return true;
    }
  }
  return false;
}

CurrentMessageScope::CurrentMessageScope(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam)
    : m_wnd(wnd), m_current{message, wParam, lParam, false}, m_outer(wnd.m_pCurrentMessage) {
  wnd.m_pCurrentMessage = &m_current;
}

CurrentMessageScope::~CurrentMessageScope() { m_wnd.m_pCurrentMessage = m_outer; }
