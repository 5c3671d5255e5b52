// The about box, opened from the main dialog's system menu.
#pragma once

#include "framework/dialog.h"
#include "res/resource.h"

class CAboutDialog : public CDialog {
 public:
  enum { IDD = IDD_ABOUTBOX };
  CAboutDialog() : CDialog(IDD) {}

  DECLARE_MESSAGE_MAP()
};
