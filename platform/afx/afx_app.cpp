// The application object, the program's start, and the framework's message boxes.
#include <cstdio>
#include <string>

#include "kp_platform.h"
#include "platform/afx/kp_afx_internal.h"
#include "platform/afx/kp_dialog_internal.h"

namespace {

CWinApp* g_app = nullptr;

// The name of the program file without its folder (and without ".exe", should it have one).
std::u16string ProgramBaseName() {
  WCHAR path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::u16string name(path, length);
  const size_t slash = name.find_last_of(u"\\/");
  if (slash != std::u16string::npos) name.erase(0, slash + 1);
  if (name.size() > 4) {
    std::u16string tail = name.substr(name.size() - 4);
    for (auto& c : tail) c = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    if (tail == u".exe") name.resize(name.size() - 4);
  }
  return name;
}

// Program files here are named in lower case (`kalmeno`) while the handheld's carried a capital
// (`Kalmeno.exe`); the application name is the base name with its first letter made a capital,
// so message boxes read "Kalmeno" as they did there.
std::u16string ApplicationNameFrom(std::u16string base) {
  if (!base.empty() && base[0] >= u'a' && base[0] <= u'z') base[0] = static_cast<char16_t>(base[0] - 32);
  return base;
}

std::u16string& DerivedExeName() {
  static std::u16string name;
  return name;
}
std::u16string& DerivedAppName() {
  static std::u16string name;
  return name;
}

void FillNames(CWinApp* app) {
  if (DerivedExeName().empty()) {
    DerivedExeName() = ProgramBaseName();
    DerivedAppName() = ApplicationNameFrom(DerivedExeName());
  }
  if (!app) return;
  if (!app->m_pszExeName) app->m_pszExeName = DerivedExeName().c_str();
  if (!app->m_pszAppName) app->m_pszAppName = DerivedAppName().c_str();
  if (!app->m_hInstance) app->m_hInstance = GetModuleHandleW(nullptr);
}

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCWSTR appName) {
  if (appName) {
    m_appName = appName;
    m_pszAppName = m_appName.c_str();
  }
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

int CWinApp::Run() {
  MSG msg{};
  for (;;) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) KpRunIdleHandlers();
    if (!GetMessageW(&msg, nullptr, 0, 0)) return static_cast<int>(msg.wParam);
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

CWinApp* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }
HINSTANCE AfxGetInstanceHandle() {
  return g_app && g_app->m_hInstance ? g_app->m_hInstance : GetModuleHandleW(nullptr);
}
HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

LPCWSTR AfxGetAppName() {
  if (g_app && g_app->m_pszAppName) return g_app->m_pszAppName;
  FillNames(g_app);
  return g_app && g_app->m_pszAppName ? g_app->m_pszAppName : DerivedAppName().c_str();
}

int AfxMessageBox(LPCWSTR text, UINT type, UINT helpId) {
  // Owned by the window the user is looking at, so that it blocks that window.
  HWND owner = GetActiveWindow();
  if (!owner && AfxGetMainWnd()) owner = AfxGetMainWnd()->GetSafeHwnd();
  return MessageBoxW(owner, text, AfxGetAppName(), type);
}

void AfxThrowInvalidArgException() {
  // Said on the error stream first, so that the reason is known even when nobody answers the box;
  // a second error while the box is open (a repaint reaching the same fault) ends at once.
  static bool reporting = false;
  std::fputs("Invalid argument.\n", stderr);
  std::fflush(stderr);
  if (!reporting) {
    reporting = true;
    KpInitialize(0, nullptr);
    AfxMessageBox(u"Invalid argument.", MB_OK | MB_ICONERROR);
  }
  KpQuitNow(3);
}

int AfxWinMain(int argc, char** argv) {
  KpInitialize(argc, argv);
  CWinApp* app = AfxGetApp();
  int code = 0;
  if (app) {
    FillNames(app);
    // A dialog program does its whole work in InitInstance and returns FALSE: no loop of its own.
    const bool loop = app->InitInstance() != FALSE;
    const int loopCode = loop ? app->Run() : 0;
    const int exitCode = app->ExitInstance();
    code = exitCode != 0 ? exitCode : loopCode;
  }
  KpTrace("exit", std::to_string(code).c_str());
  return code;
}
