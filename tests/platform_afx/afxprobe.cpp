// A small framework program for the end-to-end tests: one dialog run modally from InitInstance,
// as the calendar program does, plus a command that reaches outside an array and a mode that
// runs the application's own message loop.
#include <cstdio>
#include <cstring>

#include "afxwin.h"
#include "kp_platform.h"
#include "kp_resources.h"

#define IDD_PROBE 300
#define IDC_REMIND 1002
#define IDC_COUNT 1003
#define ID_OUT_OF_BOUNDS 5000

namespace {

const KpDialogItem kItems[] = {
    {IDC_REMIND, u"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 5, 5, 60, 10, u"알림"},
    {IDC_COUNT, u"EDIT", WS_TABSTOP | WS_BORDER, 0, 5, 20, 40, 12, u"0"},
    {IDOK, u"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 5, 40, 40, 14, u"확인"},
    {IDCANCEL, u"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 50, 40, 40, 14, u"취소"},
};
const KpDialogTemplate kDialogs[] = {
    {IDD_PROBE, WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT, 0, u"Probe", u"MS Shell Dlg", 8, 0, 0, 100, 70,
     kItems, 4},
};
const KpModuleResources kResources = {kDialogs, 1, nullptr, 0, nullptr, 0, nullptr, 0};

class CProbeDlg : public CDialog {
 public:
  CProbeDlg() : CDialog(IDD_PROBE) {}
  int m_bRemind = 0;
  int m_nCount = 0;
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Check(dx, IDC_REMIND, m_bRemind);
    DDX_Text(dx, IDC_COUNT, m_nCount);
  }
  void OnOutOfBounds() {
    CArray<int, int> values;
    values.Add(1);
    std::printf("reading index 5 of %d\n", static_cast<int>(values.GetSize()));
    std::fflush(stdout);
    std::printf("value %d\n", values[5]);
  }

 protected:
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeDlg, CDialog)
  ON_COMMAND(ID_OUT_OF_BOUNDS, &CProbeDlg::OnOutOfBounds)
END_MESSAGE_MAP()

class CProbeApp : public CWinApp {
 public:
  bool m_ownLoop = false;
  BOOL InitInstance() override {
    std::printf("app name %s\n", KpToUtf8(AfxGetAppName()).c_str());
    if (m_ownLoop) {
      PostQuitMessage(4);
      return TRUE;
    }
    CProbeDlg dlg;
    m_pMainWnd = &dlg;
    const INT_PTR result = dlg.DoModal();
    std::printf("result=%d remind=%d count=%d\n", static_cast<int>(result), dlg.m_bRemind, dlg.m_nCount);
    m_pMainWnd = nullptr;
    return FALSE;
  }
};

CProbeApp theApp;

}  // namespace

KP_REGISTER_MODULE_RESOURCES(kResources)

int main(int argc, char** argv) {
  theApp.m_ownLoop = argc > 1 && std::strcmp(argv[1], "loop") == 0;
  return AfxWinMain(argc, argv);
}
