#include "result/pronunce_dialog.h"

#include "dictionary/native_file_system.h"
#include "result/registration_failure_box.h"
#include "rows/dictionary_rewrite.h"

IMPLEMENT_DYNAMIC(CPronunceDialog, CDialog)

BEGIN_MESSAGE_MAP(CPronunceDialog, CDialog)
ON_COMMAND(IDOK, RegisterPronunciation)
END_MESSAGE_MAP()

CPronunceDialog::CPronunceDialog(CString row, CWnd* parent)
    : CDialog(IDD, parent), m_strRow(std::move(row)) {}

void CPronunceDialog::RegisterPronunciation() {
  CString pronunciation;
  CWnd(GetDlgItem(IDC_PRONUNCIATION)).GetWindowText(pronunciation);
  dictionary::NativeFileSystem files;
  const rows::RegisterOutcome outcome =
      rows::RegisterPronunciation(m_strRow.view(), pronunciation.view(), files);
  if (outcome.Succeeded()) {
    CDialog::OnOK();
    return;
  }
  // The dialog stays open, so OK can be pressed again once the cause is gone.
  ShowRegistrationFailure(m_hWnd, outcome.refused);
}
