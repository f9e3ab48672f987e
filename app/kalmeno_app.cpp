#include "app/kalmeno_app.h"

#include <cstdio>

#include "app/kalmeno_dlg.h"
#include "app/one_copy.h"

// The program file here is called "kalmeno"; the name is given so that message boxes are
// captioned "Kalmeno" as on the handheld, where the file's base name is "Kalmeno".
CKalmenoApp::CKalmenoApp() : CWinApp(u"Kalmeno") {}

BEGIN_MESSAGE_MAP(CKalmenoApp, CWinApp)
END_MESSAGE_MAP()

// Without a claim a second copy could run unseen and one of them would lose the other's entries
// at exit, so the program does not start; it says why where the user looks for it.
void CKalmenoApp::ReportNoClaim() {
  m_nExitCode = 1;
  std::fprintf(stderr, "kalmeno: 실행 중인 Kalmeno를 확인할 폴더를 쓸 수 없어 시작하지 않습니다.\n");
  std::fflush(stderr);
  ::SHInitExtraControls();
  AfxMessageBox(u"실행 중인 Kalmeno를 확인할 폴더를 쓸 수 없어 시작하지 않습니다.", MB_OK | MB_ICONERROR);
}

int CKalmenoApp::ExitInstance() { return m_nExitCode; }

BOOL CKalmenoApp::InitInstance() {
  // The data file is found beside the program by its path in the handheld's form, where a
  // backslash separates folders: a folder whose name holds one would lead to another file.
  WCHAR program[MAX_PATH];
  if (::GetModuleFileNameW(nullptr, program, MAX_PATH) == 0 && ::GetLastError() == ERROR_BAD_PATHNAME) {
    std::fprintf(stderr, "kalmeno: 프로그램이 있는 폴더의 경로에 역슬래시(\\)가 있어 일정 파일을 찾을 수 없습니다. "
                         "역슬래시가 없는 폴더로 옮겨 실행해 주세요.\n");
    return FALSE;
  }
  HANDLE onlyCopy = ClaimOnlyCopy();
  if (!onlyCopy) {
    if (::GetLastError() != ERROR_ALREADY_EXISTS) ReportNoClaim();
    return FALSE;  // else the running copy comes forward instead
  }
  ::SHInitExtraControls();
  CKalmenoDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  ::CloseHandle(onlyCopy);
  // The dialog object ends with this scope; FALSE ends the program instead of a message loop.
  return FALSE;
}
