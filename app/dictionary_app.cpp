#include "app/dictionary_app.h"

#include "app/write_translate_dialog.h"

BOOL CDictionaryApp::InitInstance() {
  InitCommonControls();
  CWinApp::InitInstance();

  CWriteTranslateDialog dialog;
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;

  // The dialog has ended: the process ends without a message loop of its own.
  return FALSE;
}
