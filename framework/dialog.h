// CDialog: a dialog built from a resource template, run modally (DoModal) or
// modeless (Create). The object owns its window: destroying the object
// destroys the window. Dialogs are Unicode windows, so the templates' Japanese
// captions show right under any ANSI code page.
#pragma once

#include "framework/wnd.h"

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // Runs the dialog with its own modal loop; returns the value given to
  // EndDialog, or -1 when the dialog could not be created.
  INT_PTR DoModal();
  // Creates the dialog modeless; visible only when its template says so.
  BOOL Create(UINT templateId, CWnd* parent = nullptr);

  // Ends a modal loop with `result`; a modeless dialog is hidden.
  void EndDialog(int result);
  // True while the dialog's modal loop runs and nothing has ended it.
  bool ContinueModal() const { return m_bInModalLoop && !m_bEndModalLoop; }

  virtual BOOL OnInitDialog() { return TRUE; }

  static const CRuntimeClass classCDialog;
  const CRuntimeClass* GetRuntimeClass() const override { return &classCDialog; }

 protected:
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }

  LRESULT DefaultFor(CurrentMessage& current) override;

  static const fw::MessageMap* GetThisMessageMap();
  const fw::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
  HWND OwnerForModal() const;

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;
  bool m_bInModalLoop = false;
  bool m_bEndModalLoop = false;
  INT_PTR m_nModalResult = -1;
};
