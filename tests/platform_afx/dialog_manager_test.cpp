// The dialog manager: modal and modeless runs, the dialog procedure's answers, focus, and the
// controls it makes from a template.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/platform_afx/test_dialogs.h"
#include "windows.h"

namespace {

// The behaviour of the dialog under test, set by each test.
std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> g_behaviour;

INT_PTR TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return g_behaviour ? g_behaviour(dialog, message, wParam, lParam) : FALSE;
}

INT_PTR RunModal(int templateId, HWND owner = nullptr, LPARAM param = 0) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner, TestDialogProc, param);
}

std::u16string TextOf(HWND window) {
  WCHAR buffer[256] = {};
  GetWindowTextW(window, buffer, 256);
  return buffer;
}

std::u16string ClassOf(HWND window) {
  WCHAR buffer[64] = {};
  GetClassNameW(window, buffer, 64);
  return buffer;
}

RECT ClientRectOf(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  POINT topLeft{r.left, r.top}, bottomRight{r.right, r.bottom};
  ScreenToClient(GetParent(child), &topLeft);
  ScreenToClient(GetParent(child), &bottomRight);
  return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

std::string Show(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

LRESULT PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeOwnerWindow() {
  static const bool registered = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = u"DialogTestOwner";
    return RegisterClassW(&windowClass) != 0;
  }();
  EXPECT_TRUE(registered);
  return CreateWindowExW(0, u"DialogTestOwner", u"Owner", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

class DialogManager : public testing::Test {
 protected:
  void TearDown() override { g_behaviour = nullptr; }
};

TEST_F(DialogManager, ModalRunReturnsTheEndDialogResultAndPassesTheInitParameter) {
  LPARAM seen = 0;
  g_behaviour = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
    if (message == WM_INITDIALOG) {
      seen = lParam;
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
      EndDialog(dialog, 42);
      return TRUE;
    }
    return FALSE;
  };
  EXPECT_EQ(RunModal(IDD_FORM, nullptr, 0x5150), 42);
  EXPECT_EQ(seen, 0x5150);
}

TEST_F(DialogManager, MissingTemplateOrUnmakeableControlGivesMinusOneAndLeavesTheOwnerEnabled) {
  HWND owner = MakeOwnerWindow();
  bool procSawInit = false;
  g_behaviour = [&](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR {
    if (message == WM_INITDIALOG) procSawInit = true;
    return FALSE;
  };
  EXPECT_EQ(RunModal(999, owner), -1);
  EXPECT_EQ(RunModal(IDD_BROKEN, owner), -1);
  EXPECT_FALSE(procSawInit);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(999), owner, TestDialogProc, 0), nullptr);
  DestroyWindow(owner);
}

TEST_F(DialogManager, ModalRunDisablesTheOwnerAndActivatesItAgainAfterwards) {
  HWND owner = MakeOwnerWindow();
  BOOL ownerEnabledDuringRun = TRUE;
  HWND activeDuringRun = nullptr;
  g_behaviour = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
    if (message == WM_INITDIALOG) {
      PostMessageW(dialog, WM_APP, 0, 0);
      return TRUE;
    }
    if (message == WM_APP) {
      ownerEnabledDuringRun = IsWindowEnabled(owner);
      activeDuringRun = GetActiveWindow();
      EXPECT_EQ(GetParent(dialog), owner);
      EndDialog(dialog, IDOK);
      return TRUE;
    }
    return FALSE;
  };
  EXPECT_EQ(RunModal(IDD_FORM, owner), IDOK);
  EXPECT_FALSE(ownerEnabledDuringRun);
  EXPECT_NE(activeDuringRun, owner);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetActiveWindow(), owner);
  DestroyWindow(owner);
}

TEST_F(DialogManager, CancelThatTheProcedureIgnoresLeavesTheDialogOpen) {
  std::vector<int> commands;
  g_behaviour = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
    if (message == WM_INITDIALOG) {
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      PostMessageW(dialog, WM_CLOSE, 0, 0);   // asks for IDCANCEL once more
      PostMessageW(dialog, WM_APP, 0, 0);
      return TRUE;
    }
    // Controls tell about their focus with commands too; only the clicks matter here.
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) commands.push_back(LOWORD(wParam));
    if (message == WM_APP) {
      // The close request's IDCANCEL is posted, so it arrives after this: look again later.
      PostMessageW(dialog, WM_APP + 1, 0, 0);
      return TRUE;
    }
    if (message == WM_APP + 1) {
      EXPECT_TRUE(IsWindowVisible(dialog));
      EndDialog(dialog, 7);
      return TRUE;
    }
    return FALSE;
  };
  EXPECT_EQ(RunModal(IDD_FORM), 7);
  EXPECT_EQ(commands, (std::vector<int>{IDCANCEL, IDCANCEL}));
}

TEST_F(DialogManager, AnswersComeFromMsgResultExceptControlColoursWhichTheProcedureReturns) {
  HBRUSH custom = CreateSolidBrush(RGB(1, 2, 3));
  LRESULT handled = 0, unhandled = -1, colourDefault = 0, colourCustom = 0;
  g_behaviour = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
    switch (message) {
      case WM_INITDIALOG:
        PostMessageW(dialog, WM_APP, 0, 0);
        return TRUE;
      case WM_APP: {
        handled = SendMessageW(dialog, WM_APP + 1, 0, 0);
        unhandled = SendMessageW(dialog, WM_APP + 2, 0, 0);
        HWND name = GetDlgItem(dialog, IDC_NAME);
        HDC dc = GetDC(name);
        colourDefault = SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(name));
        colourCustom = SendMessageW(dialog, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(name));
        ReleaseDC(name, dc);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      case WM_APP + 1:
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1234);
        return TRUE;
      case WM_CTLCOLOREDIT:
        return reinterpret_cast<INT_PTR>(custom);
    }
    return FALSE;
  };
  ASSERT_EQ(RunModal(IDD_FORM), IDOK);
  EXPECT_EQ(handled, 1234);
  EXPECT_EQ(unhandled, 0);
  EXPECT_EQ(colourDefault, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)));
  EXPECT_EQ(colourCustom, reinterpret_cast<LRESULT>(custom));
  DeleteObject(custom);
}

TEST_F(DialogManager, FocusGoesToTheFirstTabStopUnlessInitDialogSetsItItself) {
  for (BOOL initResult : {TRUE, FALSE}) {
    HWND focusAfterInit = nullptr, offered = nullptr, wanted = nullptr;
    g_behaviour = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
      if (message == WM_INITDIALOG) {
        offered = reinterpret_cast<HWND>(wParam);
        // FALSE: the procedure chose the focus itself and it stays there.
        wanted = initResult ? GetDlgItem(dialog, IDC_NAME) : GetDlgItem(dialog, IDC_COUNT);
        if (!initResult) SetFocus(wanted);
        PostMessageW(dialog, WM_APP, 0, 0);
        return initResult;
      }
      if (message == WM_APP) {
        focusAfterInit = GetFocus();
        EXPECT_EQ(offered, GetDlgItem(dialog, IDC_NAME));
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      return FALSE;
    };
    ASSERT_EQ(RunModal(IDD_FORM), IDOK);
    EXPECT_EQ(focusAfterInit, wanted) << "WM_INITDIALOG returned " << initResult;
  }
}

TEST_F(DialogManager, FocusReturnsToItsControlWhenADialogAboveCloses) {
  HWND focusAfterInner = nullptr, count = nullptr;
  g_behaviour = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
    if (message == WM_INITDIALOG && GetDlgItem(dialog, IDC_COUNT)) {
      count = GetDlgItem(dialog, IDC_COUNT);
      SetFocus(count);
      PostMessageW(dialog, WM_APP, 0, 0);
      return FALSE;
    }
    if (message == WM_INITDIALOG) {  // the inner dialog
      EndDialog(dialog, IDOK);
      return TRUE;
    }
    if (message == WM_APP) {
      RunModal(IDD_INNER, dialog);
      PostMessageW(dialog, WM_APP + 1, 0, 0);
      return TRUE;
    }
    if (message == WM_APP + 1) {
      focusAfterInner = GetFocus();
      EndDialog(dialog, IDOK);
      return TRUE;
    }
    return FALSE;
  };
  ASSERT_EQ(RunModal(IDD_FORM), IDOK);
  EXPECT_EQ(focusAfterInner, count);
}

TEST_F(DialogManager, KeysMoveBetweenTabStopsAndEnterAndEscapeAreOkAndCancel) {
  for (WPARAM finalKey : {static_cast<WPARAM>(VK_RETURN), static_cast<WPARAM>(VK_ESCAPE)}) {
    std::vector<HWND> focusTrail;
    g_behaviour = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
      if (message == WM_INITDIALOG) {
        // Keys go to the control with the focus, as the window manager delivers them.
        PostMessageW(GetDlgItem(dialog, IDC_NAME), WM_KEYDOWN, VK_TAB, 1);
        PostMessageW(dialog, WM_APP, 0, 0);
        return TRUE;
      }
      if (message == WM_APP) {
        focusTrail.push_back(GetFocus());
        PostMessageW(GetFocus(), WM_KEYDOWN, finalKey, 1);
        return TRUE;
      }
      if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      if (message == WM_DESTROY) focusTrail.push_back(GetDlgItem(dialog, IDC_REMIND));
      return FALSE;
    };
    EXPECT_EQ(RunModal(IDD_FORM), finalKey == VK_RETURN ? IDOK : IDCANCEL);
    ASSERT_EQ(focusTrail.size(), 2u);
    EXPECT_EQ(focusTrail[0], focusTrail[1]) << "Tab from the name field goes to the check box";
  }
}

TEST_F(DialogManager, EndDialogDuringInitDialogEndsTheRunAtOnce) {
  int initCount = 0;
  g_behaviour = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
    if (message == WM_INITDIALOG) {
      ++initCount;
      EndDialog(dialog, 5);
    }
    return FALSE;
  };
  EXPECT_EQ(RunModal(IDD_TEXTS), 5);
  EXPECT_EQ(initCount, 1);
}

// One modal run, as the dialog procedure sees it: the font, WM_INITDIALOG with the first tab
// stop and the caller's parameter, the edit telling that it has the focus, the command that ends
// the run, the edit losing the focus as the dialog goes, then the window's destruction.
TEST_F(DialogManager, ModalRunDeliversMessagesInThePlatformOrder) {
  struct Record {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Record&) const = default;
  };
  std::vector<Record> seen;
  HWND firstTabStop = nullptr;
  LRESULT font = 0;
  g_behaviour = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
    switch (message) {
      case WM_SETFONT:
      case WM_INITDIALOG:
      case WM_COMMAND:
      case WM_DESTROY:
      case WM_NCDESTROY:
        seen.push_back({message, wParam, lParam});
    }
    if (message == WM_INITDIALOG) {
      firstTabStop = GetDlgItem(dialog, IDC_NAME);
      font = SendMessageW(dialog, WM_GETFONT, 0, 0);
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
    if (message == WM_COMMAND && wParam == IDOK) EndDialog(dialog, IDOK);
    return FALSE;
  };
  ASSERT_EQ(RunModal(IDD_FORM, nullptr, 99), IDOK);
  const std::vector<Record> expected = {
      {WM_SETFONT, static_cast<WPARAM>(font), FALSE},
      {WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTabStop), 99},
      {WM_COMMAND, MAKEWPARAM(IDC_NAME, EN_SETFOCUS), reinterpret_cast<LPARAM>(firstTabStop)},
      {WM_COMMAND, IDOK, 0},
      {WM_COMMAND, MAKEWPARAM(IDC_NAME, EN_KILLFOCUS), reinterpret_cast<LPARAM>(firstTabStop)},
      {WM_DESTROY, 0, 0},
      {WM_NCDESTROY, 0, 0},
  };
  ASSERT_EQ(seen.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(seen[i], expected[i]) << "record " << i << ": got message 0x" << std::hex << seen[i].message
                                    << " wParam " << seen[i].wParam << " lParam " << seen[i].lParam
                                    << ", expected 0x" << expected[i].message << " wParam " << expected[i].wParam
                                    << " lParam " << expected[i].lParam;
  }
}

TEST_F(DialogManager, ModelessDialogIsShownOnlyWhenItsTemplateIsVisible) {
  HINSTANCE self = GetModuleHandleW(nullptr);
  HWND visible = CreateDialogParamW(self, MAKEINTRESOURCEW(IDD_MODELESS), nullptr, TestDialogProc, 0);
  HWND hidden = CreateDialogParamW(self, MAKEINTRESOURCEW(IDD_INNER), nullptr, TestDialogProc, 0);
  ASSERT_NE(visible, nullptr);
  ASSERT_NE(hidden, nullptr);
  EXPECT_TRUE(IsWindowVisible(visible));
  EXPECT_FALSE(IsWindowVisible(hidden));
  EXPECT_TRUE(EndDialog(visible, 3));
  EXPECT_FALSE(IsWindowVisible(visible));
  EXPECT_TRUE(IsWindow(visible));  // a modeless dialog is destroyed by its owner, not by EndDialog
  DestroyWindow(visible);
  DestroyWindow(hidden);
  EXPECT_FALSE(EndDialog(visible, 3));
}

class TemplateItems : public testing::Test {
 protected:
  void SetUp() override {
    m_dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_FORM), nullptr, TestDialogProc, 0);
    ASSERT_NE(m_dialog, nullptr);
  }
  void TearDown() override { DestroyWindow(m_dialog); }
  HWND m_dialog = nullptr;
};

TEST_F(TemplateItems, EachItemIsMadeWithItsClassIdTextStyleAndPlace) {
  struct Expected {
    int id;
    std::u16string className, text;
    DWORD style;
    RECT units;
  };
  const Expected items[] = {
      {0xFFFF, u"STATIC", u"이름", SS_LEFT, {5, 5, 35, 15}},
      {IDC_NAME, u"EDIT", u"처음", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, {40, 5, 95, 17}},
      {IDC_REMIND, u"BUTTON", u"알림", BS_AUTOCHECKBOX | WS_TABSTOP, {5, 22, 65, 32}},
      {IDC_COUNT, u"EDIT", u"", ES_NUMBER | WS_TABSTOP | WS_BORDER, {40, 36, 70, 48}},
      {IDOK, u"BUTTON", u"확인", BS_DEFPUSHBUTTON | WS_TABSTOP, {5, 60, 45, 74}},
      {IDCANCEL, u"BUTTON", u"취소", BS_PUSHBUTTON | WS_TABSTOP, {55, 60, 95, 74}},
  };
  const LRESULT font = SendMessageW(m_dialog, WM_GETFONT, 0, 0);
  HWND child = GetWindow(m_dialog, GW_CHILD);
  for (const Expected& item : items) {
    ASSERT_NE(child, nullptr) << "missing control " << item.id;
    EXPECT_EQ(GetDlgCtrlID(child) & 0xFFFF, item.id);
    EXPECT_EQ(ClassOf(child), item.className);
    EXPECT_EQ(TextOf(child), item.text);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
    EXPECT_EQ(style & (item.style | WS_CHILD | WS_VISIBLE), item.style | WS_CHILD | WS_VISIBLE) << "control " << item.id;
    // Position and size are converted each on its own, as the platform does for templates.
    RECT placeAndSize{item.units.left, item.units.top, item.units.right - item.units.left,
                      item.units.bottom - item.units.top};
    ASSERT_TRUE(MapDialogRect(m_dialog, &placeAndSize));
    const RECT expected{placeAndSize.left, placeAndSize.top, placeAndSize.left + placeAndSize.right,
                        placeAndSize.top + placeAndSize.bottom};
    EXPECT_EQ(Show(ClientRectOf(child)), Show(expected)) << "control " << item.id;
    EXPECT_EQ(SendMessageW(child, WM_GETFONT, 0, 0), font) << "control " << item.id;
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr);
}

TEST_F(TemplateItems, DialogUnitsComeFromTheTemplateFontMappedToTheSystemFont) {
  LOGFONTW font{};
  ASSERT_TRUE(GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(m_dialog, WM_GETFONT, 0, 0)), sizeof(font), &font));
  EXPECT_EQ(std::u16string(font.lfFaceName), u"NanumGothic");
  EXPECT_EQ(font.lfHeight, -11);  // 8 points at 96 dots per inch

  RECT base{0, 0, 4, 8};
  ASSERT_TRUE(MapDialogRect(m_dialog, &base));
  // An 11-pixel font: a few pixels wide on average, a little more than its height tall.
  EXPECT_GE(base.right, 4);
  EXPECT_LE(base.right, 8);
  EXPECT_GE(base.bottom, 11);
  EXPECT_LE(base.bottom, 16);

  // The dialog's client area is the template's size in those units.
  RECT client{};
  GetClientRect(m_dialog, &client);
  RECT size{0, 0, 100, 80};
  MapDialogRect(m_dialog, &size);
  EXPECT_EQ(Show(client), Show(size));

  // A larger template font gives larger units.
  HWND inner = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_INNER), nullptr, TestDialogProc, 0);
  RECT innerBase{0, 0, 400, 800};
  RECT formBase{0, 0, 400, 800};
  MapDialogRect(inner, &innerBase);
  MapDialogRect(m_dialog, &formBase);
  EXPECT_GE(innerBase.bottom, formBase.bottom);
  DestroyWindow(inner);

  RECT notADialog{0, 0, 4, 8};
  EXPECT_FALSE(MapDialogRect(GetDlgItem(m_dialog, IDOK), &notADialog));
}

TEST_F(TemplateItems, CentredDialogSitsInTheMiddleOfTheWorkArea) {
  HWND centred = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_CENTRED), nullptr, TestDialogProc, 0);
  ASSERT_NE(centred, nullptr);
  RECT r{};
  GetWindowRect(centred, &r);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_LE(std::abs((r.left + r.right) - screenWidth), 1);
  EXPECT_LE(std::abs((r.top + r.bottom) - screenHeight), 1);  // the work area is centred on the screen
  DestroyWindow(centred);
}

TEST_F(TemplateItems, TextAndNumbersOfItemsByIdentifier) {
  EXPECT_TRUE(SetDlgItemTextW(m_dialog, IDC_NAME, u"생일 잔치"));
  WCHAR buffer[32];
  EXPECT_EQ(GetDlgItemTextW(m_dialog, IDC_NAME, buffer, 32), 5u);
  EXPECT_EQ(std::u16string(buffer), u"생일 잔치");
  EXPECT_EQ(GetDlgItemTextW(m_dialog, IDC_NAME, buffer, 3), 2u);  // cut to fit, terminated
  EXPECT_EQ(std::u16string(buffer), u"생일");
  EXPECT_EQ(GetDlgItemTextW(m_dialog, 4242, buffer, 32), 0u);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_FALSE(SetDlgItemTextW(m_dialog, 4242, u"x"));
  EXPECT_EQ(SendDlgItemMessageW(m_dialog, 4242, WM_GETTEXTLENGTH, 0, 0), 0);
  EXPECT_EQ(SendDlgItemMessageW(m_dialog, IDC_NAME, WM_GETTEXTLENGTH, 0, 0), 5);

  struct Row {
    const char16_t* text;
    BOOL isSigned;
    UINT value;
    BOOL translated;
  };
  const Row rows[] = {
      {u"42", TRUE, 42, TRUE},
      {u"-17", TRUE, static_cast<UINT>(-17), TRUE},
      {u"-17", FALSE, 0, FALSE},            // unsigned: no sign allowed
      {u"  8 ", TRUE, 8, TRUE},             // spaces around
      {u"12a", TRUE, 0, FALSE},             // not a number
      {u"", TRUE, 0, FALSE},                // empty
      {u"-", TRUE, 0, FALSE},
      {u"2147483648", TRUE, 0, FALSE},      // beyond a signed 32-bit number
      {u"4294967295", FALSE, 4294967295u, TRUE},
      {u"99999999999", FALSE, 0, FALSE},
  };
  for (const Row& row : rows) {
    SetDlgItemTextW(m_dialog, IDC_COUNT, row.text);
    BOOL translated = 2;
    EXPECT_EQ(GetDlgItemInt(m_dialog, IDC_COUNT, &translated, row.isSigned), row.value);
    EXPECT_EQ(translated, row.translated);
  }
  EXPECT_TRUE(SetDlgItemInt(m_dialog, IDC_COUNT, static_cast<UINT>(-5), TRUE));
  EXPECT_EQ(GetDlgItemTextW(m_dialog, IDC_COUNT, buffer, 32), 2u);
  EXPECT_EQ(std::u16string(buffer), u"-5");
  SetDlgItemInt(m_dialog, IDC_COUNT, 4294967295u, FALSE);
  GetDlgItemTextW(m_dialog, IDC_COUNT, buffer, 32);
  EXPECT_EQ(std::u16string(buffer), u"4294967295");
}

TEST_F(TemplateItems, GetDlgItemFindsDirectChildrenOnly) {
  HWND box = CreateWindowExW(0, u"STATIC", u"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_dialog,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(3000)), nullptr, nullptr);
  HWND inside = CreateWindowExW(0, u"STATIC", u"", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, box,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(3001)), nullptr, nullptr);
  ASSERT_NE(inside, nullptr);
  EXPECT_EQ(GetDlgItem(m_dialog, 3000), box);
  EXPECT_EQ(GetDlgItem(m_dialog, 3001), nullptr);
  EXPECT_EQ(GetDlgItem(box, 3001), inside);
}

}  // namespace
