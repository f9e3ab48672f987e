#include "kalmeno_app.h"

#include "kalmeno_dlg.h"

// The program file here is called "kalmeno"; the name is given so that message boxes are
// captioned "Kalmeno" as on the handheld, where the file's base name is "Kalmeno".
CKalmenoApp::CKalmenoApp() : CWinApp(u"Kalmeno") {}

BEGIN_MESSAGE_MAP(CKalmenoApp, CWinApp)
END_MESSAGE_MAP()

BOOL CKalmenoApp::InitInstance() {
  ::SHInitExtraControls();
  CKalmenoDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  // The dialog object ends with this scope; FALSE ends the program instead of a message loop.
  return FALSE;
}
