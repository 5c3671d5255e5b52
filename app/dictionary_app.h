// The application: runs the main dialog for the whole life of the process.
#pragma once

#include "framework/win_app.h"

class CDictionaryApp : public CWinApp {
 public:
  BOOL InitInstance() override;
};
