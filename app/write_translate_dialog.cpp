#include "app/write_translate_dialog.h"

#include "app/about_dialog.h"
#include "framework/win_app.h"
#include "res/private_messages.h"

namespace {
constexpr char kTrayTip[] = "Vocapop";
constexpr UINT_PTR kTimerId = 10;
constexpr UINT kTimerPeriodMs = 50;
constexpr int kWordFontTenths = 120;
constexpr int kListFontTenths = 100;
// "ＭＳ ゴシック" and "ＭＳ Ｐゴシック" in code page 932.
constexpr char kWordFontFace[] = "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e";
constexpr char kListFontFace[] = "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";
constexpr UINT kSystemCommandMask = 0xFFF0;
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
      ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
      ::AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
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

  m_fontWord.CreatePointFont(kWordFontTenths, kWordFontFace);
  SetFontOn(GetDlgItem(IDC_WORD), m_fontWord);
  m_fontList.CreatePointFont(kListFontTenths, kListFontFace);
  for (int i = 0; i < kListCount; ++i) SetFontOn(m_pListupWindow->GetDlgItem(IDC_LIST0 + i), m_fontList);

  for (int i = 0; i < kListCount; ++i) m_listBoxes[i].SubclassDlgItem(IDC_LIST0 + i, m_pListupWindow.get());

  SetTimer(kTimerId, kTimerPeriodMs);
  return TRUE;
}

void CWriteTranslateDialog::SetFontOn(HWND control, const CFont& font) {
  ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
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
  m_nid.Delete();
  // Destroying the result window ends the lists' subclassing before the list objects go.
  m_pListupWindow.reset();
}
