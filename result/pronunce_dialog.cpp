#include "result/pronunce_dialog.h"

#include "rows/dictionary_rewrite.h"
#include "dictionary/windows_file_system.h"

IMPLEMENT_DYNAMIC(CPronunceDialog, CDialog)

BEGIN_MESSAGE_MAP(CPronunceDialog, CDialog)
ON_COMMAND(IDOK, RegisterPronunciation)
END_MESSAGE_MAP()

CPronunceDialog::CPronunceDialog(CString row, CWnd* parent)
    : CDialog(IDD, parent), m_strRow(std::move(row)) {}

void CPronunceDialog::RegisterPronunciation() {
  CString pronunciation;
  CWnd(GetDlgItem(IDC_PRONUNCIATION)).GetWindowText(pronunciation);
  dictionary::WindowsFileSystem files;
  if (rows::RegisterPronunciation(m_strRow.view(), pronunciation.view(), files).Succeeded())
    CDialog::OnOK();
}
