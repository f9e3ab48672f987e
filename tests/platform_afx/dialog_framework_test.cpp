// CDialog: modal runs of framework dialogs with their set-up, data exchange, OK and Cancel.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "afxwin.h"
#include "tests/platform_afx/test_dialogs.h"

namespace {

std::vector<std::string> g_events;

// Commands the tests post to a running dialog to make it act from inside its modal loop.
#define ID_RUN_INNER 5000
#define ID_CHECK_AND_OK 5001

class CInnerDlg : public CDialog {
 public:
  explicit CInnerDlg(CWnd* parent) : CDialog(IDD_INNER, parent) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    CWnd* parent = m_pParentWnd;
    g_events.push_back(std::string("inner init, owner ") + (parent && ::IsWindowEnabled(*parent) ? "enabled" : "disabled"));
    PostMessage(WM_COMMAND, IDOK);
    return TRUE;
  }
  void OnOK() override {
    g_events.push_back("inner ok");
    CDialog::OnOK();
  }
};

class CFormDlg : public CDialog {
 public:
  CFormDlg() : CDialog(IDD_FORM) {}
  CString m_strName;
  int m_bRemind = 0;
  int m_nCount = 0;
  CEdit m_name;
  std::function<void(CFormDlg&)> m_onInit;   // what the test does once the dialog is up
  bool m_moveItself = false;

  void DoDataExchange(CDataExchange* dx) override {
    g_events.push_back(dx->m_bSaveAndValidate ? "exchange save" : "exchange load");
    DDX_Control(dx, IDC_NAME, m_name);
    DDX_Text(dx, IDC_NAME, m_strName);
    DDX_Check(dx, IDC_REMIND, m_bRemind);
    DDX_Text(dx, IDC_COUNT, m_nCount);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    g_events.push_back("init");
    if (m_moveItself) MoveWindow(10, 40, 200, 150);
    if (m_onInit) m_onInit(*this);
    return TRUE;
  }
  void OnOK() override {
    g_events.push_back("ok");
    CDialog::OnOK();
  }
  void OnCancel() override {
    g_events.push_back("cancel");
    CDialog::OnCancel();
  }
  void OnRunInner() {
    CInnerDlg inner(this);
    const INT_PTR result = inner.DoModal();
    g_events.push_back("inner returned " + std::to_string(result) + ", form " +
                       (::IsWindowEnabled(m_hWnd) ? "enabled" : "disabled") + ", " +
                       (::GetActiveWindow() == m_hWnd ? "active" : "inactive"));
    PostMessage(WM_COMMAND, IDOK);
  }
  HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT ctlColor) {
    HBRUSH standard = CDialog::OnCtlColor(dc, window, ctlColor);
    m_defaultBrush = standard;
    return window && window->GetDlgCtrlID() == IDC_NAME ? m_nameBrush : standard;
  }
  HBRUSH m_defaultBrush = nullptr;
  HBRUSH m_nameBrush = nullptr;

 protected:
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFormDlg, CDialog)
  ON_WM_CTLCOLOR()
  ON_COMMAND(ID_RUN_INNER, &CFormDlg::OnRunInner)
END_MESSAGE_MAP()

using Events = std::vector<std::string>;

class FrameworkDialogs : public testing::Test {
 protected:
  void SetUp() override { g_events.clear(); }
};

std::u16string ItemText(CWnd& dialog, int id) {
  CString text;
  dialog.GetDlgItemText(id, text);
  return text.str();
}

TEST_F(FrameworkDialogs, OkTakesTheControlsIntoTheMembersAfterInitFilledThem) {
  CFormDlg dlg;
  dlg.m_strName = u"하나";
  dlg.m_bRemind = 1;
  dlg.m_nCount = 5;
  dlg.m_onInit = [](CFormDlg& d) {
    // The set-up put the members into the controls ...
    EXPECT_EQ(ItemText(d, IDC_NAME), u"하나");
    EXPECT_EQ(d.SendDlgItemMessage(IDC_REMIND, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(ItemText(d, IDC_COUNT), u"5");
    EXPECT_EQ(d.m_name.m_hWnd, ::GetDlgItem(d.m_hWnd, IDC_NAME));
    // ... and the user changes them.
    d.SetDlgItemText(IDC_NAME, u"둘");
    d.SendDlgItemMessage(IDC_REMIND, BM_SETCHECK, BST_UNCHECKED);
    ::SetDlgItemInt(d.m_hWnd, IDC_COUNT, 12, TRUE);
    d.PostMessage(WM_COMMAND, IDOK);
  };
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(g_events, (Events{"exchange load", "init", "ok", "exchange save"}));
  EXPECT_EQ(dlg.m_strName, u"둘");
  EXPECT_EQ(dlg.m_bRemind, 0);
  EXPECT_EQ(dlg.m_nCount, 12);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  EXPECT_EQ(dlg.m_name.m_hWnd, nullptr);
}

TEST_F(FrameworkDialogs, CancelEndsWithoutTouchingTheMembers) {
  CFormDlg dlg;
  dlg.m_strName = u"그대로";
  dlg.m_onInit = [](CFormDlg& d) {
    d.SetDlgItemText(IDC_NAME, u"바뀜");
    d.SendDlgItemMessage(IDC_REMIND, BM_SETCHECK, BST_CHECKED);
    d.PostMessage(WM_COMMAND, IDCANCEL);
  };
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(g_events, (Events{"exchange load", "init", "cancel"}));
  EXPECT_EQ(dlg.m_strName, u"그대로");
  EXPECT_EQ(dlg.m_bRemind, 0);
}

TEST_F(FrameworkDialogs, CheckBoxExchangeGoesBothWays) {
  CFormDlg dlg;
  dlg.m_onInit = [](CFormDlg& d) {
    for (int value : {1, 0, 1}) {
      d.m_bRemind = value;
      d.UpdateData(FALSE);
      EXPECT_EQ(d.SendDlgItemMessage(IDC_REMIND, BM_GETCHECK), value);
      d.SendDlgItemMessage(IDC_REMIND, BM_SETCHECK, !value);
      EXPECT_TRUE(d.UpdateData(TRUE));
      EXPECT_EQ(d.m_bRemind, !value);
    }
    d.EndDialog(IDCANCEL);
  };
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(FrameworkDialogs, NestedModalDialogDisablesTheOuterOneUntilItEnds) {
  CFormDlg dlg;
  dlg.m_onInit = [](CFormDlg& d) { d.PostMessage(WM_COMMAND, ID_RUN_INNER); };
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(g_events, (Events{"exchange load", "init", "inner init, owner disabled", "inner ok",
                              "inner returned 1, form enabled, active", "ok", "exchange save"}));
}

TEST_F(FrameworkDialogs, SetUpMakesTheDialogFullScreenBeforeTheDerivedClassPlacesItself) {
  for (bool moveItself : {false, true}) {
    CFormDlg dlg;
    dlg.m_moveItself = moveItself;
    RECT placed{};
    dlg.m_onInit = [&](CFormDlg& d) {
      d.GetWindowRect(&placed);
      d.EndDialog(IDOK);
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    if (moveItself) {
      EXPECT_EQ(placed.left, 10);
      EXPECT_EQ(placed.top, 40);
      EXPECT_EQ(placed.right, 210);
      EXPECT_EQ(placed.bottom, 190);
    } else {
      // The work area: below the title bar, above the menu bar.
      EXPECT_EQ(placed.left, 0);
      EXPECT_EQ(placed.top, 26);
      EXPECT_EQ(placed.right, width);
      EXPECT_EQ(placed.bottom, height - 26);
    }
  }
}

TEST_F(FrameworkDialogs, ControlColoursDefaultToTheDialogBackground) {
  CFormDlg dlg;
  CBrush nameBrush(RGB(255, 0, 0));
  dlg.m_nameBrush = nameBrush;
  LRESULT forName = 0, forCheck = 0;
  dlg.m_onInit = [&](CFormDlg& d) {
    HWND name = ::GetDlgItem(d.m_hWnd, IDC_NAME), check = ::GetDlgItem(d.m_hWnd, IDC_REMIND);
    HDC dc = ::GetDC(name);
    forName = d.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(name));
    forCheck = d.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(check));
    ::ReleaseDC(name, dc);
    d.EndDialog(IDOK);
  };
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(forName, reinterpret_cast<LRESULT>(static_cast<HBRUSH>(nameBrush)));
  EXPECT_EQ(forCheck, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)));
  EXPECT_EQ(dlg.m_defaultBrush, GetSysColorBrush(COLOR_WINDOW));
}

TEST_F(FrameworkDialogs, MissingTemplateGivesMinusOneWithoutRunningSetUp) {
  CDialog dlg(31999);
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

}  // namespace
