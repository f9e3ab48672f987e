// Message sequences of creating, painting, moving and destroying windows, compared with tables.
#include <gtest/gtest.h>

#include "kp_platform.h"
#include "tests/platform_wm/wm_test_support.h"

using namespace wmtest;

namespace {

class MessageSequence : public ::testing::Test {
 protected:
  void SetUp() override {
    KpInitialize(0, nullptr);
    RegisterRecorderClass();
    SetHook(nullptr);
    PumpIdle();
    Log().clear();
  }
  void TearDown() override {
    for (HWND w : m_windows)
      if (IsWindow(w)) DestroyWindow(w);
    SetHook(nullptr);
    PumpIdle();
  }
  HWND Create(DWORD style, HWND parent = nullptr, int x = CW_USEDEFAULT, int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT,
              int cy = CW_USEDEFAULT, int id = 0) {
    HWND w = CreateWindowExW(0, u"Recorder", u"Rec", style, x, y, cx, cy, parent,
                             reinterpret_cast<HMENU>(static_cast<LONG_PTR>(id)), nullptr, nullptr);
    m_windows.push_back(w);
    return w;
  }
  std::vector<HWND> m_windows;
};

TEST_F(MessageSequence, VisibleTopLevelWindowIsCreatedSizedShownAndFocusedInThatOrder) {
  HWND w = Create(WS_VISIBLE);
  ASSERT_TRUE(w);
  // Created with no size: the work area below the title bar, 240 x 268 at y 26.
  EXPECT_TRUE(SameSequence(Relevant(Log()), {
                                                {WM_NCCREATE, 0, kAny},
                                                {WM_CREATE, 0, kAny},
                                                {WM_SIZE, SIZE_RESTORED, MAKELPARAM(240, 268)},
                                                {WM_MOVE, 0, MAKELPARAM(0, 26)},
                                                {WM_SHOWWINDOW, TRUE, 0},
                                                {WM_SETFOCUS, 0, 0},
                                            }));
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 26);
  EXPECT_EQ(r.right, 240);
  EXPECT_EQ(r.bottom, 294);
}

TEST_F(MessageSequence, CreateStructCarriesTheCreationParameters) {
  CREATESTRUCTW seen{};
  SetHook([&](HWND, UINT m, WPARAM, LPARAM l, LRESULT*) {
    if (m == WM_CREATE) seen = *reinterpret_cast<CREATESTRUCTW*>(l);
    return false;
  });
  int marker = 7;
  HWND parent = Create(0, nullptr, 0, 26, 240, 268);
  HWND child = CreateWindowExW(0, u"Recorder", u"Kid", WS_CHILD, 5, 6, 70, 80, parent,
                               reinterpret_cast<HMENU>(1234), nullptr, &marker);
  ASSERT_TRUE(child);
  EXPECT_EQ(seen.lpCreateParams, &marker);
  EXPECT_EQ(seen.hwndParent, parent);
  EXPECT_EQ(seen.x, 5);
  EXPECT_EQ(seen.y, 6);
  EXPECT_EQ(seen.cx, 70);
  EXPECT_EQ(seen.cy, 80);
  EXPECT_EQ(GetDlgCtrlID(child), 1234);
  EXPECT_EQ(GetParent(child), parent);
  POINT p{0, 0};
  ClientToScreen(child, &p);
  EXPECT_EQ(p.x, 5);
  EXPECT_EQ(p.y, 32);
}

TEST_F(MessageSequence, FailedCreateDestroysTheHalfMadeWindowAndReturnsNull) {
  SetHook([](HWND, UINT m, WPARAM, LPARAM, LRESULT* result) {
    if (m != WM_CREATE) return false;
    *result = -1;
    return true;
  });
  EXPECT_EQ(Create(WS_VISIBLE), nullptr);
  EXPECT_TRUE(SameSequence(Relevant(Log()), {
                                                {WM_NCCREATE, 0, kAny},
                                                {WM_CREATE, 0, kAny},
                                                {WM_DESTROY, 0, 0},
                                                {WM_NCDESTROY, 0, 0},
                                            }));
}

TEST_F(MessageSequence, FirstPaintErasesThenLaterPaintsEraseOnlyWhenAsked) {
  HWND w = Create(WS_VISIBLE);
  PumpIdle();
  // The first paint of a new window erases its background.
  EXPECT_TRUE(SameSequence(Relevant(std::vector<Seen>(Log().begin() + 6, Log().end())),
                           {{WM_PAINT, 0, 0}, {WM_ERASEBKGND, kAny, 0}}));
  Log().clear();
  InvalidateRect(w, nullptr, FALSE);
  PumpIdle();
  EXPECT_TRUE(SameSequence(Relevant(Log()), {{WM_PAINT, 0, 0}}));
  Log().clear();
  RECT part{10, 10, 20, 20};
  InvalidateRect(w, &part, TRUE);
  PumpIdle();
  EXPECT_TRUE(SameSequence(Relevant(Log()), {{WM_PAINT, 0, 0}, {WM_ERASEBKGND, kAny, 0}}));
  Log().clear();
  PumpIdle();
  EXPECT_TRUE(Log().empty()) << "a validated window is not painted again";
}

TEST_F(MessageSequence, PostedMessagesComeBeforePaintAndPaintBeforeTimers) {
  HWND w = Create(WS_VISIBLE);
  PumpIdle();
  Log().clear();
  SetTimer(w, 9, 10, nullptr);
  KpAdvanceClock(20);  // the timer is due before anything is posted
  InvalidateRect(w, nullptr, FALSE);
  PostMessageW(w, WM_USER + 1, 2, 3);
  ASSERT_TRUE(PumpUntil([] { return !Log().empty() && Log().back().message == WM_TIMER; }));
  KillTimer(w, 9);
  EXPECT_TRUE(SameSequence(Relevant(Log()), {{WM_USER + 1, 2, 3}, {WM_PAINT, 0, 0}, {WM_TIMER, 9, 0}}));
}

TEST_F(MessageSequence, UpdateWindowPaintsAtOnceWithoutTheQueue) {
  HWND w = Create(WS_VISIBLE);
  PumpIdle();
  Log().clear();
  InvalidateRect(w, nullptr, FALSE);
  UpdateWindow(w);
  EXPECT_TRUE(SameSequence(Relevant(Log()), {{WM_PAINT, 0, 0}}));
}

TEST_F(MessageSequence, ShrinkingAWindowShrinksWhatIsLeftToPaint) {
  HWND w = Create(WS_VISIBLE, nullptr, 0, 26, 240, 400);
  MoveWindow(w, 0, 26, 240, 268, FALSE);
  RECT pending;
  ASSERT_TRUE(GetUpdateRect(w, &pending, FALSE));
  EXPECT_EQ(pending.right, 240);
  EXPECT_EQ(pending.bottom, 268);
}

TEST_F(MessageSequence, MovingAndSizingSendsMoveThenSize) {
  HWND w = Create(0, nullptr, 0, 26, 100, 100);
  Log().clear();
  MoveWindow(w, 10, 40, 120, 90, TRUE);
  EXPECT_TRUE(SameSequence(Relevant(Log()), {{WM_MOVE, 0, MAKELPARAM(10, 40)}, {WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 90)}}));
  Log().clear();
  MoveWindow(w, 10, 40, 120, 90, FALSE);
  EXPECT_TRUE(Log().empty()) << "the same place again changes nothing";
}

TEST_F(MessageSequence, DestroyReachesTheParentFirstAndFreesTheChildrenFirst) {
  HWND parent = Create(0, nullptr, 0, 26, 240, 268);
  HWND child = Create(WS_CHILD, parent, 0, 0, 10, 10, 5);
  HWND grandchild = Create(WS_CHILD, child, 0, 0, 5, 5, 6);
  Log().clear();
  bool childAliveDuringParentDestroy = false;
  SetHook([&](HWND w, UINT m, WPARAM, LPARAM, LRESULT*) {
    if (w == parent && m == WM_DESTROY) childAliveDuringParentDestroy = IsWindow(child);
    return false;
  });
  ASSERT_TRUE(DestroyWindow(parent));
  EXPECT_TRUE(SameSequence(Relevant(Log()), {
                                                {WM_DESTROY, 0, 0, parent},
                                                {WM_DESTROY, 0, 0, child},
                                                {WM_DESTROY, 0, 0, grandchild},
                                                {WM_NCDESTROY, 0, 0, grandchild},
                                                {WM_NCDESTROY, 0, 0, child},
                                                {WM_NCDESTROY, 0, 0, parent},
                                            }));
  EXPECT_TRUE(childAliveDuringParentDestroy);
  EXPECT_FALSE(IsWindow(parent));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(IsWindow(grandchild));
}

TEST_F(MessageSequence, DestroyingAnOwnerDestroysItsOwnedWindowsFirst) {
  HWND owner = Create(0, nullptr, 0, 26, 240, 268);
  HWND owned = Create(WS_POPUP, owner, 20, 60, 100, 100);
  Log().clear();
  DestroyWindow(owner);
  EXPECT_TRUE(SameSequence(Relevant(Log()), {
                                                {WM_DESTROY, 0, 0, owned},
                                                {WM_NCDESTROY, 0, 0, owned},
                                                {WM_DESTROY, 0, 0, owner},
                                                {WM_NCDESTROY, 0, 0, owner},
                                            }));
}

TEST_F(MessageSequence, MessagesPostedToAWindowDieWithIt) {
  HWND w = Create(0, nullptr, 0, 26, 100, 100);
  PostMessageW(w, WM_USER + 5, 0, 0);
  DestroyWindow(w);
  Log().clear();
  PumpIdle();
  EXPECT_TRUE(Log().empty());
  EXPECT_FALSE(PostMessageW(w, WM_USER, 0, 0)) << "a destroyed window takes no messages";
}

TEST_F(MessageSequence, AHandleOfADestroyedWindowNeverNamesALaterOne) {
  std::vector<HWND> gone;
  for (int i = 0; i < 50; ++i) {
    HWND w = Create(0, nullptr, 0, 26, 10, 10);
    DestroyWindow(w);
    gone.push_back(w);
  }
  HWND fresh = Create(0, nullptr, 0, 26, 10, 10);
  for (HWND old : gone) {
    EXPECT_NE(old, fresh);
    EXPECT_FALSE(IsWindow(old));
  }
}

TEST_F(MessageSequence, DefaultProcessingKeepsTheTextAndCloseDestroys) {
  HWND w = Create(0, nullptr, 0, 26, 100, 100);
  EXPECT_TRUE(SetWindowTextW(w, u"달력"));
  WCHAR text[8] = {};
  EXPECT_EQ(GetWindowTextW(w, text, 8), 2);
  EXPECT_EQ(std::u16string(text), u"달력");
  EXPECT_EQ(GetWindowTextW(w, text, 2), 1) << "the buffer size counts the terminator";
  EXPECT_EQ(GetWindowTextLengthW(w), 2);
  SendMessageW(w, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(MessageSequence, WindowLongsKeepTheirValuesInEitherWidth) {
  HWND w = Create(0, nullptr, 0, 26, 100, 100);
  SetWindowLongPtrW(w, GWLP_USERDATA, 0x1234);
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_USERDATA), 0x1234);
  SetWindowLongW(w, DWL_MSGRESULT, 77);
  EXPECT_EQ(GetWindowLongPtrW(w, DWLP_MSGRESULT), 77);
  SetWindowLongPtrW(w, DWLP_USER, -5);
  EXPECT_EQ(GetWindowLongW(w, DWL_USER), -5);
  EXPECT_EQ(GetWindowLongPtrW(w, DWLP_MSGRESULT), 77) << "the two slots stay apart";
}

TEST_F(MessageSequence, FocusMovesWithKillAndSetFocus) {
  HWND a = Create(0, nullptr, 0, 26, 100, 100);
  HWND b = Create(0, nullptr, 0, 26, 100, 100);
  SetFocus(a);
  Log().clear();
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_TRUE(SameSequence(Relevant(Log()), {{WM_KILLFOCUS, reinterpret_cast<LONG_PTR>(b), 0, a},
                                             {WM_SETFOCUS, reinterpret_cast<LONG_PTR>(a), 0, b}}));
  EXPECT_EQ(GetFocus(), b);
  Log().clear();
  EnableWindow(b, FALSE);
  EXPECT_EQ(GetFocus(), nullptr) << "a disabled window does not keep the focus";
}

TEST_F(MessageSequence, ClassesRegisteredWithoutAnInstanceServeEveryModule) {
  WNDCLASSW global{};
  global.lpfnWndProc = DefWindowProcW;
  global.lpszClassName = u"GlobalThing";
  ASSERT_TRUE(RegisterClassW(&global));
  EXPECT_FALSE(RegisterClassW(&global)) << "a second registration of the same class fails";
  HWND w = CreateWindowExW(0, u"GlobalThing", nullptr, 0, 0, 26, 10, 10, nullptr, nullptr,
                           reinterpret_cast<HINSTANCE>(0x1000), nullptr);
  ASSERT_TRUE(w);
  m_windows.push_back(w);
  WCHAR name[32];
  GetClassNameW(w, name, 32);
  EXPECT_EQ(std::u16string(name), u"GlobalThing");
  EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", nullptr, 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
}

}  // namespace
