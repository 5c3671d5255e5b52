// The main dialog "Dorev uze Zoredevud". It lives for the whole run, mostly
// hidden, and owns everything else: the result window, its list objects, the
// fonts, the tray icon and what the lookups learned of the dictionary.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/desktop.h"
#include "app/hot_key.h"
#include "app/notify_icon_data.h"
#include "dictionary/dictionary_paths.h"
#include "dictionary/read_only_file.h"
#include "framework/dialog.h"
#include "framework/font.h"
#include "lookup/dictionary_lookups.h"
#include "lookup/lookup.h"
#include "lookup/result_filling.h"
#include "res/resource.h"
#include "result/choicable_list_box.h"
#include "result/listup_window.h"

class CWriteTranslateDialog : public CDialog {
 public:
  enum { IDD = IDD_WRITE_TRANSLATE };
  static constexpr int kListCount = lookup::kListCount;  // lists 1000 to 1004

  explicit CWriteTranslateDialog(CWnd* parent = nullptr, Desktop& desktop = SystemDesktop());

  // The lookup every trigger ends in: fills the lists and shows the result
  // window at the mouse cursor. An empty query shows nothing. The window
  // shows with the first screen of every list; the rest of a long list
  // follows between messages.
  void LookupAndShow(CString query);

  void LookupClipboard();
  void LookupEditText();
  // A later tick of one hold of the hot key: with the clipboard, the check
  // box and the dictionary as the last lookup found them, the result window
  // only comes to the cursor again, in front; else the clipboard is looked up.
  void RepeatClipboardLookup();

  // Rows still to go into the result lists, or out of them.
  size_t RowsPending() const { return m_filling.PendingRows(); }

  // A message box, in Japanese, shown once the dialog runs; the program goes on meanwhile.
  void TellAtStart(std::wstring message);

 protected:
  BOOL OnInitDialog() override;
  void OnSysCommand(UINT id, LPARAM lParam);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnDestroy();
  void OnTimer(UINT_PTR id);
  LRESULT OnTrayCallback(WPARAM, LPARAM);
  LRESULT OnLookupClipboard(WPARAM, LPARAM);
  LRESULT OnTaskbarCreated(WPARAM, LPARAM);
  LRESULT OnHotKey(WPARAM, LPARAM);
  LRESULT OnShowMainDialog(WPARAM, LPARAM);
  LRESULT OnTellAtStart(WPARAM, LPARAM);
  LRESULT OnRowsPending(WPARAM, LPARAM);
  void OnHide();
  void OnCloseApp();

  DECLARE_MESSAGE_MAP()

 private:
  void SetFontOn(HWND control, const CFont& font);
  bool RelatedChecked();
  void ShowAtCursor(const lookup::WindowSize& size);
  void BringToFront(HWND window);
  void RunHotKeyAction(HotKey::Action action);
  // A balloon from the tray icon naming the dictionary and `error`, the
  // system's reason; not more often than about once a minute.
  void TellUnreadableDictionary(uint32_t error);
  // A slice of the rows still to go into the lists, on the fill timer.
  void FillSlice();
  void FillLater();

  // The timer of the slices that fill long lists, beside the hot key's.
  static constexpr UINT_PTR kFillTimerId = 11;
  // Sent to every top-level window when the shell's taskbar is re-created.
  static const UINT s_msgTaskbarCreated;

  Desktop& m_desktop;
  HICON m_hIcon;
  NotifyIconData m_nid{m_desktop};
  HotKey m_hotKey{m_desktop};
  std::wstring m_strStartMessage;
  ULONGLONG m_unreadableToldAt = 0;  // GetTickCount64 when the balloon last showed
  bool m_bUnreadableTold = false;
  dictionary::NativeReadOnlyFiles m_files;
  lookup::DictionaryLookups m_lookups{dictionary::kDictionaryFile, m_files};
  int m_bHidden = 0;
  std::unique_ptr<CListupWindow> m_pListupWindow;
  CFont m_fontWord;
  CFont m_fontList;
  CChoicableListBox m_listBoxes[kListCount];
  lookup::ResultFilling m_filling{m_lookups,
                                  {&m_listBoxes[0].Filling(), &m_listBoxes[1].Filling(), &m_listBoxes[2].Filling(),
                                   &m_listBoxes[3].Filling(), &m_listBoxes[4].Filling()}};
  lookup::WindowSize m_shownSize;  // of the last lookup shown
  bool m_bFilling = false;         // while the fill timer runs
};
