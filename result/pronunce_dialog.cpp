#include "result/pronunce_dialog.h"

#include "result/dictionary_rewrite.h"
#include "result/windows_file_system.h"

IMPLEMENT_DYNAMIC(CPronunceDialog, CDialog)

BEGIN_MESSAGE_MAP(CPronunceDialog, CDialog)
ON_COMMAND(IDOK, RegisterPronunciation)
END_MESSAGE_MAP()

CPronunceDialog::CPronunceDialog(CString row, CWnd* parent)
    : CDialog(IDD, parent), m_strRow(std::move(row)) {}

void CPronunceDialog::RegisterPronunciation() {
  CString pronunciation;
  CWnd(GetDlgItem(IDC_PRONUNCIATION)).GetWindowText(pronunciation);
  rowaction::WindowsFileSystem files;
  if (rowaction::RegisterPronunciation(m_strRow.view(), pronunciation.view(), files).Succeeded())
    CDialog::OnOK();
}
