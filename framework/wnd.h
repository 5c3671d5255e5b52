// CWnd: a window handle with the operations the program uses. A CWnd does not
// own its window; classes derived from it decide that (a dialog object destroys
// its window, a subclassing object gives the window back when either goes).
#pragma once

#include <cassert>

#include "framework/cstring.h"
#include "framework/message_map.h"
#include "framework/runtime_class.h"
#include "framework/win32.h"

class CWnd {
 public:
  CWnd() = default;
  explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  virtual ~CWnd();

  HWND m_hWnd = nullptr;

  // The object attached to `hWnd` by this framework (a dialog of ours or a
  // subclassed control), or nullptr. Not for message paths: it asks the
  // window's properties, which cost a server round trip under Wine.
  static CWnd* FromHandlePermanent(HWND hWnd);

  virtual const CRuntimeClass* GetRuntimeClass() const;
  static const CRuntimeClass classCWnd;

  // A child control; the handle is null when there is none.
  HWND GetDlgItem(int id) const { return ::GetDlgItem(Valid(), id); }

  BOOL ShowWindow(int command) { return ::ShowWindow(Valid(), command); }
  BOOL IsIconic() const { return ::IsIconic(Valid()); }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageW(Valid(), message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::PostMessageW(Valid(), message, wParam, lParam);
  }
  // The window's text, read and set in its Unicode form and converted from
  // and to the program's code page.
  void GetWindowText(CString& text) const;
  void SetWindowText(std::string_view text);
  BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const;
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement) { return ::SetWindowPlacement(Valid(), placement); }
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
  HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(Valid(), revert); }
  HICON SetIcon(HICON icon, BOOL bigIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
  }
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(Valid(), id, elapse, nullptr); }
  void GetClientRect(RECT* rect) const { ::GetClientRect(Valid(), rect); }

  // Takes over control `id` of `parent`: its messages reach this object's
  // message map first, in their Unicode form (the subclass procedure is a
  // Unicode one). The window is given back when either it or the object goes.
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  BOOL SubclassWindow(HWND hWnd);

  // The default handling of the message being handled: the control's own
  // window procedure for a subclassed control, the dialog manager for a dialog.
  LRESULT Default();

  // Routes one message through the message maps; false when no entry took it.
  bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

 protected:
  static const fw::MessageMap* GetThisMessageMap();
  virtual const fw::MessageMap* GetMessageMap() const { return GetThisMessageMap(); }

  // The handle, checked: every wrapper works on a window that exists.
  HWND Valid() const {
    assert(::IsWindow(m_hWnd) && "a window operation on an object without a window");
    return m_hWnd;
  }

  // Makes FromHandlePermanent find this object behind `hWnd`, or no longer.
  void SetPermanent(HWND hWnd);
  static void ClearPermanent(HWND hWnd);

  void OnDestroy() { Default(); }
  void OnPaint() { Default(); }
  void OnSysCommand(UINT, LPARAM) { Default(); }

  // The message being handled, so that Default() can pass it on.
  struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool defaultRequested;
  };
  CurrentMessage* m_pCurrentMessage = nullptr;
  virtual LRESULT DefaultFor(CurrentMessage& current);

 private:
  struct Subclass;
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
  void Unsubclass();

  // Lives on the subclassed window (GWLP_USERDATA) until the subclass ends.
  Subclass* m_pSubclass = nullptr;

  friend class CurrentMessageScope;
};

// Sets m_pCurrentMessage for one dispatch and restores the outer one after it.
class CurrentMessageScope {
 public:
  CurrentMessageScope(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam);
  ~CurrentMessageScope();
  CurrentMessageScope(const CurrentMessageScope&) = delete;
  CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;
  bool DefaultRequested() const { return m_current.defaultRequested; }

 private:
  CWnd& m_wnd;
  CWnd::CurrentMessage m_current;
  CWnd::CurrentMessage* m_outer;
};
