#include "framework/wnd.h"

#include <string>

#include "framework/code_page.h"

namespace {
// Names the object on its window, for FromHandlePermanent only: a property is a
// server round trip under Wine, so no message path reads it.
constexpr char kObjectProperty[] = "Lexmoor.CWnd";
}  // namespace

// What the subclass procedure needs, kept on the window itself so that every
// message finds it without a lookup. It outlives an object that goes first
// while another subclass sits above ours and the window can't be given back.
struct CWnd::Subclass {
  CWnd* self;
  WNDPROC original;
};

const CRuntimeClass CWnd::classCWnd = {"CWnd", nullptr};

const CRuntimeClass* CWnd::GetRuntimeClass() const { return &classCWnd; }

const fw::MessageMap* CWnd::GetThisMessageMap() {
  static const fw::MessageMapEntry entries[] = {fw::MessageMapEntry{}};
  static const fw::MessageMap map{nullptr, entries};
  return &map;
}

CWnd::~CWnd() {
  // A subclassing object that goes before its window gives the window back.
  if (m_pSubclass) Unsubclass();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  return hWnd ? static_cast<CWnd*>(::GetPropA(hWnd, kObjectProperty)) : nullptr;
}

void CWnd::SetPermanent(HWND hWnd) { ::SetPropA(hWnd, kObjectProperty, this); }

void CWnd::ClearPermanent(HWND hWnd) { ::RemovePropA(hWnd, kObjectProperty); }

void CWnd::GetWindowText(CString& text) const {
  const int length = ::GetWindowTextLengthW(Valid());
  std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
  const int got = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
  buffer.resize(got > 0 ? static_cast<size_t>(got) : 0);
  text = CString(fw::FromUnicode(buffer, fw::kStringCodePage));
}

void CWnd::SetWindowText(std::string_view text) {
  ::SetWindowTextW(Valid(), fw::ToUnicode(text, fw::kStringCodePage).c_str());
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* placement) const {
  placement->length = sizeof(WINDOWPLACEMENT);
  return ::GetWindowPlacement(Valid(), placement);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
  const DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(Valid(), GWL_EXSTYLE));
  const DWORD changed = (style & ~remove) | add;
  if (style == changed) return FALSE;
  ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, changed);
  if (flags)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  HWND control = parent ? ::GetDlgItem(parent->Valid(), static_cast<int>(id)) : nullptr;
  return control ? SubclassWindow(control) : FALSE;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  // The user data slot is the application's; a control that already uses it is not ours to take.
  if (m_hWnd || !hWnd || ::GetWindowLongPtrW(hWnd, GWLP_USERDATA) != 0) return FALSE;
  auto* subclass = new Subclass{this, nullptr};
  ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(subclass));
  // A Unicode procedure: with an ANSI one, Wine converts another process's
  // Unicode reads of long rows through a fixed buffer and the program dies.
  subclass->original = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  if (!subclass->original) {
    ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
    delete subclass;
    return FALSE;
  }
  m_hWnd = hWnd;
  m_pSubclass = subclass;
  SetPermanent(hWnd);
  return TRUE;
}

void CWnd::Unsubclass() {
  ClearPermanent(m_hWnd);
  if (::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassProc)) {
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pSubclass->original));
    ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
    delete m_pSubclass;
  } else {
    // Another subclass sits above ours: keep passing messages on until the window goes.
    m_pSubclass->self = nullptr;
  }
  m_pSubclass = nullptr;
  m_hWnd = nullptr;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* subclass = reinterpret_cast<Subclass*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
  if (!subclass) return ::DefWindowProcW(hWnd, message, wParam, lParam);  // someone cleared our slot
  const WNDPROC original = subclass->original;
  CWnd* self = subclass->self;
  if (message == WM_NCDESTROY) {
    if (self) self->Unsubclass();
    if (::GetWindowLongPtrW(hWnd, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(subclass)) {
      ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
      delete subclass;
    }
    return ::CallWindowProcW(original, hWnd, message, wParam, lParam);
  }
  if (self) {
    CurrentMessageScope scope(*self, message, wParam, lParam);
    LRESULT result = 0;
    try {
      if (self->OnWndMsg(message, wParam, lParam, &result)) return result;
    } catch (...) {
      // No exception may unwind through the system's frames; the message is dropped.
      return 0;
    }
  }
  return ::CallWindowProcW(original, hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return m_pCurrentMessage ? DefaultFor(*m_pCurrentMessage) : 0; }

LRESULT CWnd::DefaultFor(CurrentMessage& current) {
  if (!m_pSubclass) return 0;
  return ::CallWindowProcW(m_pSubclass->original, m_hWnd, current.message, current.wParam, current.lParam);
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
