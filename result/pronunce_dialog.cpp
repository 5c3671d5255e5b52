#include "result/pronunce_dialog.h"

#include <string>

#include "dictionary/dictionary_line.h"
#include "dictionary/native_file_system.h"
#include "framework/code_page.h"
#include "framework/message_loop.h"
#include "result/registration_failure_box.h"
#include "rows/dictionary_rewrite.h"

IMPLEMENT_DYNAMIC(CPronunceDialog, CDialog)

BEGIN_MESSAGE_MAP(CPronunceDialog, CDialog)
ON_COMMAND(IDOK, RegisterPronunciation)
END_MESSAGE_MAP()

namespace {

// The user-interface thread waits for a held file without freezing its windows.
class MessagesFlowingPause final : public dictionary::RetryPause {
 public:
  void Wait(std::chrono::milliseconds pause) override {
    fw::WaitHandlingMessages(static_cast<DWORD>(pause.count()));
  }
};

// The edit box's text in the dictionary's code page, whatever the system's is.
std::string DictionaryText(HWND edit) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  return fw::FromUnicode(text, dictionary::kDictionaryCodePage);
}

}  // namespace

CPronunceDialog::CPronunceDialog(CString row, CWnd* parent)
    : CDialog(IDD, parent), m_strRow(std::move(row)) {}

void CPronunceDialog::RegisterPronunciation() {
  if (m_bRegistering) return;
  const std::string pronunciation = DictionaryText(GetDlgItem(IDC_PRONUNCIATION));
  dictionary::NativeFileSystem files;
  MessagesFlowingPause pause;
  // Cleared however the registration ends: a flag left set would keep the dialog from closing.
  struct Registering {
    bool& flag;
    explicit Registering(bool& f) : flag(f) { flag = true; }
    ~Registering() { flag = false; }
  };
  const rows::RegisterOutcome outcome = [&] {
    Registering registering(m_bRegistering);
    return rows::RegisterPronunciation(m_strRow.view(), pronunciation, files, dictionary::DictionaryPaths::In(),
                                       pause);
  }();
  if (outcome.Succeeded()) {
    CDialog::OnOK();
    return;
  }
  ShowRegistrationFailure(m_hWnd, outcome);
  // Nothing this dialog can do would find the row: the word is looked up again first.
  if (outcome.status == rows::RegisterStatus::kRowNotFound) {
    CDialog::OnCancel();
    return;
  }
  // Otherwise the dialog stays open, so OK can be pressed again once the cause is gone.
}

void CPronunceDialog::OnCancel() {
  if (!m_bRegistering) CDialog::OnCancel();
}
