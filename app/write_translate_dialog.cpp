#include "app/write_translate_dialog.h"

#include "app/about_dialog.h"
#include "dictionary/dictionary_line.h"
#include "framework/code_page.h"
#include "framework/win_app.h"
#include "res/private_messages.h"
#include "result/row_drawing.h"

static_assert(fw::kStringCodePage == dictionary::kDictionaryCodePage,
              "the program's strings are the dictionary's bytes");

namespace {
constexpr wchar_t kTrayTip[] = L"Vocapop";
constexpr UINT_PTR kTimerId = 10;
constexpr UINT kTimerPeriodMs = 50;
constexpr int kWordFontTenths = 120;
constexpr int kListFontTenths = 100;
constexpr wchar_t kWordFontFace[] = L"ＭＳ ゴシック";
constexpr wchar_t kListFontFace[] = L"ＭＳ Ｐゴシック";
constexpr UINT kSystemCommandMask = 0xFFF0;
// Posted to itself, so that the start's message box shows once the dialog runs.
constexpr UINT WM_TELL_AT_START = WM_APP + 1;
}  // namespace

BEGIN_MESSAGE_MAP(CWriteTranslateDialog, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_COMMAND(IDOK, LookupEditText)  // Enter in the edit box looks up; it never closes
ON_WM_DESTROY()
ON_WM_TIMER()
ON_MESSAGE(WM_TRAY_CALLBACK, OnTrayCallback)
ON_MESSAGE(WM_LOOKUP_CLIPBOARD, OnLookupClipboard)
ON_MESSAGE(WM_ROWS_PENDING, OnRowsPending)
ON_COMMAND(IDC_HIDE, OnHide)
ON_COMMAND(IDC_CLOSE_APP, OnCloseApp)
ON_COMMAND(IDC_TRANSLATE, LookupEditText)
ON_REGISTERED_MESSAGE(s_msgTaskbarCreated, OnTaskbarCreated)
ON_MESSAGE(WM_HOTKEY, OnHotKey)
ON_MESSAGE(WM_SHOW_MAIN_DIALOG, OnShowMainDialog)
ON_MESSAGE(WM_TELL_AT_START, OnTellAtStart)
END_MESSAGE_MAP()

CWriteTranslateDialog::CWriteTranslateDialog(CWnd* parent, Desktop& desktop)
    : CDialog(IDD, parent),
      m_desktop(desktop),
      m_hIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

BOOL CWriteTranslateDialog::OnInitDialog() {
  CDialog::OnInitDialog();

  if (HMENU systemMenu = GetSystemMenu(FALSE)) {
    CString about;
    if (about.LoadString(IDS_ABOUTBOX) && !about.IsEmpty()) {
      ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
      ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX,
                    fw::ToUnicode(about.view(), fw::kStringCodePage).c_str());
    }
  }

  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  m_bHidden = 0;

  m_pListupWindow = std::make_unique<CListupWindow>();
  if (!m_pListupWindow->Create(IDD_LISTUP, this)) {
    // Without a result window there is nothing to show lookups in: end start-up.
    m_pListupWindow.reset();
    EndDialog(IDABORT);
    return TRUE;
  }

  ModifyStyleEx(WS_EX_APPWINDOW, 0, 0);  // no task-bar button

  // The tray draws small icons: loaded at that size, not scaled down from the large one.
  fw::OwnedIcon trayIcon(static_cast<HICON>(
      ::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                   ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
  // Refused (at logon, before the taskbar is ready), it is added again at later timer ticks.
  m_nid.Add(m_hWnd, std::move(trayIcon), WM_TRAY_CALLBACK, kTrayTip);
  // Run elevated, the program still hears the shell and the programs that
  // send it these: the shell's restart, the icon, lookups, commands, a second start.
  for (UINT message : {s_msgTaskbarCreated, WM_TRAY_CALLBACK, WM_LOOKUP_CLIPBOARD,
                       static_cast<UINT>(WM_COMMAND), WM_SHOW_MAIN_DIALOG})
    m_desktop.AllowMessageFromLowerIntegrity(m_hWnd, message);
  m_hotKey.Register(m_hWnd);

  m_fontWord.CreatePointFont(kWordFontTenths, kWordFontFace);
  SetFontOn(GetDlgItem(IDC_WORD), m_fontWord);
  m_fontList.CreatePointFont(kListFontTenths, kListFontFace);
  for (int i = 0; i < kListCount; ++i) {
    HWND list = m_pListupWindow->GetDlgItem(IDC_LIST0 + i);
    SetFontOn(list, m_fontList);
    FitRowHeightToFont(list);  // the lists draw their rows: the font doesn't size them
  }

  for (int i = 0; i < kListCount; ++i) m_listBoxes[i].SubclassDlgItem(IDC_LIST0 + i, m_pListupWindow.get());

  SetTimer(kTimerId, kTimerPeriodMs);
  if (!m_strStartMessage.empty()) PostMessage(WM_TELL_AT_START);
  return TRUE;
}

void CWriteTranslateDialog::SetFontOn(HWND control, const CFont& font) {
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
}

void CWriteTranslateDialog::OnSysCommand(UINT id, LPARAM lParam) {
  if ((id & kSystemCommandMask) == IDM_ABOUTBOX) {
    CAboutDialog about;
    about.DoModal();
  } else {
    CDialog::OnSysCommand(id, lParam);
  }
}

void CWriteTranslateDialog::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    return;
  }
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(m_hWnd, &paint);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(&client);
  const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  ::DrawIcon(dc, x, y, m_hIcon);
  ::EndPaint(m_hWnd, &paint);
}

HCURSOR CWriteTranslateDialog::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CWriteTranslateDialog::OnDestroy() {
  CDialog::OnDestroy();
  m_hotKey.Unregister();
  m_nid.Delete();
  // Destroying the result window ends the lists' subclassing before the list objects go.
  m_pListupWindow.reset();
}
