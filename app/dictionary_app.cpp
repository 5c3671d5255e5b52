#include "app/dictionary_app.h"

#include "app/dictionary_folder.h"
#include "app/single_instance.h"
#include "app/write_translate_dialog.h"

BOOL CDictionaryApp::InitInstance() {
  InitCommonControls();
  CWinApp::InitInstance();

  // Held for the whole run.
  const SingleInstance instance;
  if (!instance.IsFirst()) {
    ShowRunningInstance();
    return FALSE;
  }
  const std::wstring noDictionary = SettleDictionaryFolder();

  CWriteTranslateDialog dialog;
  if (!noDictionary.empty()) dialog.TellAtStart(noDictionary);
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;

  // The dialog has ended: the process ends without a message loop of its own.
  return FALSE;
}
