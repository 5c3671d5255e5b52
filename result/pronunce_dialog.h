// "発音記号の登録をしましょう": asks for a pronunciation of one result row and
// writes it into the dictionary. OK registers and closes; Escape writes nothing.
#pragma once

#include "framework/dialog.h"
#include "res/resource.h"

class CPronunceDialog : public CDialog {
  DECLARE_DYNAMIC(CPronunceDialog)

 public:
  enum { IDD = IDD_PRONUNCE };
  explicit CPronunceDialog(CString row, CWnd* parent = nullptr);

 protected:
  // The dialog stays open when the dictionary could not be rewritten, and a
  // message box tells why. While a held file is waited for, messages go on
  // being handled; OK, Enter and Escape wait until the registration is over.
  void RegisterPronunciation();
  void OnCancel() override;

  DECLARE_MESSAGE_MAP()

 private:
  const CString m_strRow;
  bool m_bRegistering = false;
};
