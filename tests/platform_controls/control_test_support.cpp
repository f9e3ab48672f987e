#include "tests/platform_controls/control_test_support.h"

#include "kp_platform.h"

std::vector<Notice> g_notices;
HBRUSH g_staticBrush = nullptr;
COLORREF g_staticText = RGB(0, 0, 0);

namespace {

LRESULT ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      g_notices.push_back(Notice{WM_COMMAND, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam), {}, {}});
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      Notice notice{WM_NOTIFY, static_cast<int>(header->idFrom), header->code, header->hwndFrom, {}, {}};
      if (header->code == LVN_ITEMCHANGED) notice.list = *reinterpret_cast<NMLISTVIEW*>(lParam);
      if (header->code == DTN_DATETIMECHANGE) notice.time = reinterpret_cast<NMDATETIMECHANGE*>(lParam)->st;
      g_notices.push_back(notice);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      if (!g_staticBrush) break;
      SetTextColor(reinterpret_cast<HDC>(wParam), g_staticText);
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(g_staticBrush);
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void ControlTest::SetUp() {
  KpInitialize(0, nullptr);
  static bool registered = false;
  if (!registered) {
    WNDCLASSW parentClass{};
    parentClass.lpfnWndProc = ParentProc;
    parentClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    parentClass.lpszClassName = u"ControlTestParent";
    RegisterClassW(&parentClass);
    registered = true;
  }
  g_notices.clear();
  g_staticBrush = nullptr;
  m_parent = CreateWindowExW(0, u"ControlTestParent", u"Controls", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(m_parent, nullptr);
}

void ControlTest::TearDown() {
  if (HWND popup = TopPopup()) DestroyWindow(popup);
  DestroyWindow(m_parent);
  if (g_staticBrush) DeleteObject(g_staticBrush);
  g_staticBrush = nullptr;
}

HWND ControlTest::Create(LPCWSTR className, DWORD style, int id, int x, int y, int width, int height, LPCWSTR text) {
  HWND control = CreateWindowExW(0, className, text, style | WS_CHILD | WS_VISIBLE, x, y, width, height, m_parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  EXPECT_NE(control, nullptr) << "class " << KpToUtf8(className);
  return control;
}

void ControlTest::Tap(HWND window, int x, int y) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  // The press may have handed the mouse to a drop-down that opened.
  HWND target = GetCapture() ? GetCapture() : window;
  POINT point{x, y};
  if (target != window) {
    ClientToScreen(window, &point);
    ScreenToClient(target, &point);
  }
  SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

void ControlTest::Type(HWND window, const std::u16string& text) {
  for (char16_t unit : text) SendMessageW(window, WM_CHAR, unit, 1);
}

void ControlTest::Key(HWND window, UINT key) {
  SendMessageW(window, WM_KEYDOWN, key, 1);
  SendMessageW(window, WM_KEYUP, key, 1);
}

std::vector<Notice> ControlTest::NoticesOf(UINT code) const {
  std::vector<Notice> found;
  for (const auto& notice : g_notices)
    if (notice.code == code) found.push_back(notice);
  return found;
}

std::u16string ControlTest::TextOf(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied));
  return text;
}

COLORREF ControlTest::PixelOf(HWND window, int x, int y) {
  UpdateWindow(window);
  HDC dc = GetDC(window);
  COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

HWND ControlTest::TopPopup() const {
  HWND top = GetWindow(m_parent, GW_HWNDFIRST);
  return top == m_parent ? nullptr : top;
}

int ControlTest::SystemLineHeight(HWND window) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return metrics.tmHeight;
}
