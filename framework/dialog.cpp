#include "framework/dialog.h"

#include "framework/message_loop.h"
#include "framework/win_app.h"

const CRuntimeClass CDialog::classCDialog = {"CDialog", &CWnd::classCWnd};

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  if (m_hWnd) return FALSE;
  m_nIDTemplate = templateId;
  m_pParentWnd = parent;
  return ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(templateId),
                              parent ? parent->m_hWnd : nullptr, &DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

HWND CDialog::OwnerForModal() const {
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  if (!owner) {
    // Without a parent, the application's main window owns the dialog (never itself).
    CWinApp* app = AfxGetApp();
    CWnd* main = app ? app->m_pMainWnd : nullptr;
    if (main && main != this) owner = main->m_hWnd;
  }
  if (!owner) return nullptr;
  owner = ::GetAncestor(owner, GA_ROOT);
  return owner ? ::GetLastActivePopup(owner) : nullptr;
}

INT_PTR CDialog::DoModal() {
  HWND owner = OwnerForModal();
  const bool disableOwner = owner && ::IsWindowEnabled(owner);
  if (disableOwner) ::EnableWindow(owner, FALSE);

  m_bInModalLoop = true;
  m_bEndModalLoop = false;
  m_nModalResult = -1;
  HWND hWnd = ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), owner,
                                   &DialogProc, reinterpret_cast<LPARAM>(this));
  if (hWnd && !m_bEndModalLoop) {
    if (!::IsWindowVisible(hWnd)) ::ShowWindow(hWnd, SW_SHOWNORMAL);
    MSG msg;
    while (ContinueModal() && ::IsWindow(hWnd)) {
      const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
      if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
      if (got <= 0) break;
      fw::DispatchLoopMessage(msg);
    }
  }
  m_bInModalLoop = false;

  if (disableOwner) ::EnableWindow(owner, TRUE);
  if (hWnd && ::IsWindow(hWnd)) {
    if (owner && ::GetActiveWindow() == hWnd) ::SetActiveWindow(owner);
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    ::DestroyWindow(hWnd);
  }
  return hWnd ? m_nModalResult : -1;
}

void CDialog::EndDialog(int result) {
  if (m_bInModalLoop) {
    m_nModalResult = result;
    m_bEndModalLoop = true;
    if (m_hWnd) ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wakes the loop
  }
  // For a modeless dialog this hides the window; it stays alive.
  if (m_hWnd) ::EndDialog(m_hWnd, result);
}

LRESULT CDialog::DefaultFor(CurrentMessage& current) {
  // The dialog manager's handling runs once the dialog procedure returns FALSE.
  current.defaultRequested = true;
  return 0;
}

namespace {
// Messages whose result a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}
}  // namespace

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* self;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    ::SetWindowLongPtrA(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->m_hWnd = hWnd;
    self->SetPermanent(hWnd);
  } else {
    self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
  }
  if (!self) return FALSE;  // messages before WM_INITDIALOG

  if (message == WM_NCDESTROY) {
    ClearPermanent(hWnd);
    ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
    self->m_hWnd = nullptr;
    return FALSE;
  }

  try {
    CurrentMessageScope scope(*self, message, wParam, lParam);
    if (message == WM_INITDIALOG) return self->OnInitDialog();
    LRESULT result = 0;
    if (!self->OnWndMsg(message, wParam, lParam, &result) || scope.DefaultRequested()) return FALSE;
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, result);
    return TRUE;
  } catch (...) {
    // No exception may unwind through the system's frames; the message is dropped.
    return FALSE;
  }
}
