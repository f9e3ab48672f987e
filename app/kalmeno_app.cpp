#include "app/kalmeno_app.h"

#include <cstdio>

#include "app/kalmeno_dlg.h"
#include "app/one_copy.h"

// The program file here is called "kalmeno"; the name is given so that message boxes are
// captioned "Kalmeno" as on the handheld, where the file's base name is "Kalmeno".
CKalmenoApp::CKalmenoApp() : CWinApp(u"Kalmeno") {}

BEGIN_MESSAGE_MAP(CKalmenoApp, CWinApp)
END_MESSAGE_MAP()

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
  if (!onlyCopy) return FALSE;  // the running copy comes forward instead
  ::SHInitExtraControls();
  CKalmenoDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  ::CloseHandle(onlyCopy);
  // The dialog object ends with this scope; FALSE ends the program instead of a message loop.
  return FALSE;
}
