// Message maps: the most derived class's entries first, then its bases'; what no entry takes goes
// to the window procedure the object replaced.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afxwin.h"

namespace {

std::vector<std::string> g_log;

// The window's own procedure, which the object replaces: it notes what reaches it.
LRESULT ClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) {
    g_log.push_back("class WM_APP");
    return 77;
  }
  if (message == WM_COMMAND) g_log.push_back("class command " + std::to_string(LOWORD(wParam)));
  if (message == WM_LBUTTONDOWN) g_log.push_back("class press");
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow() {
  static const bool registered = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ClassProc;
    windowClass.lpszClassName = u"MessageMapProbe";
    return RegisterClassW(&windowClass) != 0;
  }();
  EXPECT_TRUE(registered);
  return CreateWindowExW(0, u"MessageMapProbe", u"", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

class CBaseProbe : public CWnd {
 public:
  HBRUSH m_brush = nullptr;
  UINT m_lastCtlColor = 99;
  bool m_postNcDestroy = false;
  void PostNcDestroy() override { m_postNcDestroy = true; }
  void OnTen() { g_log.push_back("base 10"); }
  void OnEleven() { g_log.push_back("base 11"); }
  void OnTimer(UINT_PTR id) { g_log.push_back("base timer " + std::to_string(id)); }
  HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT ctlColor) {
    m_lastCtlColor = ctlColor;
    return m_brush;
  }
 protected:
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseProbe, CWnd)
  ON_COMMAND(10, &CBaseProbe::OnTen)
  ON_COMMAND(11, &CBaseProbe::OnEleven)
  ON_WM_TIMER()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

class CDerivedProbe : public CBaseProbe {
 public:
  void OnEleven() { g_log.push_back("derived 11"); }
  void OnEditChange() { g_log.push_back("derived change 12"); }
  void OnLButtonDown(UINT flags, CPoint point) {
    g_log.push_back("derived press " + std::to_string(point.x) + "," + std::to_string(point.y));
    CBaseProbe::OnLButtonDown(flags, point);  // the default: on to the replaced procedure
  }
 protected:
  DECLARE_MESSAGE_MAP()
};

#define EN_CHANGE_ENTRY(id, memberFxn) \
  {WM_COMMAND, EN_CHANGE, (UINT)(id), KP_THUNK((static_cast<ThisClass*>(w_)->*(memberFxn))(); return 0;)},

BEGIN_MESSAGE_MAP(CDerivedProbe, CBaseProbe)
  ON_COMMAND(11, &CDerivedProbe::OnEleven)
  EN_CHANGE_ENTRY(12, &CDerivedProbe::OnEditChange)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class MessageMaps : public testing::Test {
 protected:
  void SetUp() override {
    g_log.clear();
    m_window = MakeWindow();
    ASSERT_NE(m_window, nullptr);
    ASSERT_TRUE(m_probe.SubclassWindow(m_window));
  }
  void TearDown() override {
    if (IsWindow(m_window)) DestroyWindow(m_window);
  }
  std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(g_log);
    return taken;
  }
  HWND m_window = nullptr;
  CDerivedProbe m_probe;
};

using Log = std::vector<std::string>;

TEST_F(MessageMaps, CommandsGoToTheMostDerivedEntryForTheirIdAndCode) {
  SendMessageW(m_window, WM_COMMAND, 11, 0);
  EXPECT_EQ(Take(), Log{"derived 11"});
  SendMessageW(m_window, WM_COMMAND, 10, 0);
  EXPECT_EQ(Take(), Log{"base 10"});
  // The same id with another notification code is another command.
  SendMessageW(m_window, WM_COMMAND, MAKEWPARAM(10, EN_CHANGE), 0);
  EXPECT_EQ(Take(), Log{"class command 10"});
  SendMessageW(m_window, WM_COMMAND, MAKEWPARAM(12, EN_CHANGE), 0);
  EXPECT_EQ(Take(), Log{"derived change 12"});
  SendMessageW(m_window, WM_COMMAND, 12, 0);
  EXPECT_EQ(Take(), Log{"class command 12"});
}

TEST_F(MessageMaps, MessagesWithoutAnEntryReachTheReplacedProcedure) {
  EXPECT_EQ(SendMessageW(m_window, WM_APP, 0, 0), 77);
  EXPECT_EQ(Take(), Log{"class WM_APP"});
  SendMessageW(m_window, WM_TIMER, 5, 0);
  EXPECT_EQ(Take(), Log{"base timer 5"});
}

TEST_F(MessageMaps, DefaultHandsTheCurrentMessageOn) {
  SendMessageW(m_window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 34));
  EXPECT_EQ(Take(), (Log{"derived press 12,34", "class press"}));
}

TEST_F(MessageMaps, EveryControlColourMessageReachesOnCtlColorWithItsKind) {
  HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
  m_probe.m_brush = brush;
  HDC dc = GetDC(m_window);
  const struct {
    UINT message;
    UINT kind;
  } rows[] = {{WM_CTLCOLORSTATIC, CTLCOLOR_STATIC}, {WM_CTLCOLOREDIT, CTLCOLOR_EDIT},
              {WM_CTLCOLORBTN, CTLCOLOR_BTN}, {WM_CTLCOLORDLG, CTLCOLOR_DLG}};
  for (const auto& row : rows) {
    EXPECT_EQ(SendMessageW(m_window, row.message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_window)),
              reinterpret_cast<LRESULT>(brush));
    EXPECT_EQ(m_probe.m_lastCtlColor, row.kind);
  }
  ReleaseDC(m_window, dc);
  DeleteObject(brush);
}

TEST_F(MessageMaps, ObjectLetsGoOfItsWindowWhenTheWindowIsDestroyed) {
  EXPECT_EQ(CWnd::FromHandlePermanent(m_window), &m_probe);
  EXPECT_EQ(CWnd::FromHandle(m_window), &m_probe);
  DestroyWindow(m_window);
  EXPECT_EQ(m_probe.m_hWnd, nullptr);
  EXPECT_TRUE(m_probe.m_postNcDestroy);
  EXPECT_EQ(CWnd::FromHandlePermanent(m_window), nullptr);
}

TEST_F(MessageMaps, DetachGivesTheWindowItsOwnProcedureBack) {
  EXPECT_EQ(m_probe.Detach(), m_window);
  SendMessageW(m_window, WM_COMMAND, 11, 0);
  EXPECT_EQ(Take(), Log{"class command 11"});
  EXPECT_EQ(CWnd::FromHandlePermanent(m_window), nullptr);
}

TEST_F(MessageMaps, UnboundWindowsGetOneTemporaryWrapperEach) {
  HWND other = MakeWindow();
  CWnd* first = CWnd::FromHandle(other);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->m_hWnd, other);
  EXPECT_EQ(CWnd::FromHandle(other), first);
  EXPECT_EQ(CWnd::FromHandlePermanent(other), nullptr);
  EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
  // A second binding of a bound window is refused.
  CWnd second;
  EXPECT_FALSE(second.SubclassWindow(m_window));
  DestroyWindow(other);
}

TEST_F(MessageMaps, RunTimeClassesKnowTheirBases) {
  CDialog dialog(1);
  EXPECT_TRUE(dialog.IsKindOf(RUNTIME_CLASS(CDialog)));
  EXPECT_TRUE(dialog.IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_TRUE(dialog.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(m_probe.IsKindOf(RUNTIME_CLASS(CDialog)));
  EXPECT_STREQ(dialog.GetRuntimeClass()->m_lpszClassName, "CDialog");
}

}  // namespace
