// The program's entry point: hands control to the one application object.
#include "framework/win_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  CWinApp* app = AfxGetApp();
  if (!app) return 1;
  app->m_hInstance = instance;
  // The program's whole run happens inside InitInstance; a framework message
  // loop after it would have nothing to serve.
  app->InitInstance();
  return 0;
}
