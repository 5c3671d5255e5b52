// CWnd: a window handle with the operations the program uses. A CWnd does not
// own its window; classes derived from it decide that (a dialog object destroys
// its window, a subclassing object gives the window back when either goes).
#pragma once

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

  operator HWND() const { return m_hWnd; }

  // The object attached to `hWnd` by this framework (a dialog of ours or a
  // subclassed control), or nullptr.
  static CWnd* FromHandlePermanent(HWND hWnd);

  virtual const CRuntimeClass* GetRuntimeClass() const;
  static const CRuntimeClass classCWnd;

  // A child control; the handle is null when there is none.
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

  BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
  }
  void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
  void GetWindowText(CString& text) const;
  BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const;
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement) {
    return ::SetWindowPlacement(m_hWnd, placement);
  }
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
  HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
  HICON SetIcon(HICON icon, BOOL bigIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
  }
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) {
    return ::SetTimer(m_hWnd, id, elapse, proc);
  }
  void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }

  // Takes over control `id` of `parent`: its messages reach this object's
  // message map first. The window is given back when it is destroyed.
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
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  bool m_bSubclassed = false;

  friend class CDialog;
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
