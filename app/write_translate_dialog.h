// The main dialog "Dorev uze Zoredevud". It lives for the whole run, mostly
// hidden, and owns everything else: the result window, its list objects, the
// fonts and the tray icon.
#pragma once

#include <memory>

#include "app/notify_icon_data.h"
#include "framework/dialog.h"
#include "framework/font.h"
#include "res/resource.h"
#include "result/choicable_list_box.h"
#include "result/listup_window.h"

class CWriteTranslateDialog : public CDialog {
 public:
  enum { IDD = IDD_WRITE_TRANSLATE };
  static constexpr int kListCount = 5;

  explicit CWriteTranslateDialog(CWnd* parent = nullptr);

  CListupWindow* ListupWindow() const { return m_pListupWindow.get(); }
  const NotifyIconData& TrayIcon() const { return m_nid; }

 protected:
  BOOL OnInitDialog() override;
  void OnSysCommand(UINT id, LPARAM lParam);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnDestroy();

  DECLARE_MESSAGE_MAP()

 private:
  void SetFontOn(HWND control, const CFont& font);

  HICON m_hIcon;
  NotifyIconData m_nid;
  int m_bHidden = 0;
  std::unique_ptr<CListupWindow> m_pListupWindow;
  CFont m_fontWord;
  CFont m_fontList;
  CChoicableListBox m_listBoxes[kListCount];
};
