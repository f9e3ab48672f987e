// A small window program for the window manager's end-to-end test (a test fixture): one window
// filling the work area, with the caption OK button and a menu bar.
// - a press paints a red 10 x 10 square at the stylus (without erasing, so earlier squares stay);
//   held still, it opens the bar's first popup at the press point;
// - command 100 ("초록") turns the background green (erasing); 101 ("격자") toggles its check mark;
//   102 ("인사") shows a message box; 103 shows the local time in a message box; IDOK ("종료",
//   or the caption's ok) ends the program;
// - typed characters collect in a line that command 104 shows in a message box; Backspace
//   takes the last one away;
// - a child window with id 500 takes the script's `set 500 red|blue` and shows that colour.
#include <string>

#include "aygshell.h"
#include "kp_platform.h"
#include "kp_resources.h"
#include "windows.h"

namespace {

const KpMenuItem kPopupItems[] = {
    {0, 100, u"초록", nullptr, 0},
    {0, 101, u"격자", nullptr, 0},
    {MF_SEPARATOR, 0, nullptr, nullptr, 0},
    {0, 102, u"인사", nullptr, 0},
};
const KpMenuItem kBarItems[] = {
    {MF_POPUP, 0, u"메뉴", kPopupItems, 4},
    {0, IDOK, u"종료", nullptr, 0},
};
const KpMenuTemplate kMenus[] = {{200, kBarItems, 2}};
const KpModuleResources kResources = {nullptr, 0, kMenus, 1, nullptr, 0, nullptr, 0};
KP_REGISTER_MODULE_RESOURCES(kResources)

HBRUSH g_background;
HBRUSH g_square;
RECT g_lastSquare{-1, -1, -1, -1};
HMENU g_popup;
bool g_gridChecked = false;
std::u16string g_typed;

void OnPress(HWND window, int x, int y) {
  g_lastSquare = RECT{x - 5, y - 5, x + 5, y + 5};
  InvalidateRect(window, &g_lastSquare, FALSE);
  SHRGINFO gesture{sizeof(SHRGINFO), window, POINT{x, y}, SHRG_RETURNCMD};
  if (SHRecognizeGesture(&gesture) != GN_CONTEXTMENU || !g_popup) return;
  POINT at{x, y};
  ClientToScreen(window, &at);
  TrackPopupMenuEx(g_popup, 0, at.x, at.y, window, nullptr);
}

void OnCommand(HWND window, int id) {
  switch (id) {
    case IDOK: PostQuitMessage(0); break;
    case 100:
      g_background = CreateSolidBrush(RGB(0, 160, 0));
      g_lastSquare = RECT{-1, -1, -1, -1};
      InvalidateRect(window, nullptr, TRUE);
      break;
    case 101:
      g_gridChecked = !g_gridChecked;
      CheckMenuItem(g_popup, 101, g_gridChecked ? MF_CHECKED : MF_UNCHECKED);
      break;
    case 104: MessageBoxW(window, g_typed.c_str(), u"Typed", MB_OK); break;
    case 103: {
      SYSTEMTIME now;
      GetLocalTime(&now);
      WCHAR text[64];
      wsprintfW(text, u"%04d-%02d-%02d %02d:%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
      MessageBoxW(window, text, u"Clock", MB_OK);
      break;
    }
    case 102: MessageBoxW(window, u"안녕하세요. 이 상자는 확인을 누를 때까지 열려 있습니다.", u"Demo", MB_OK); break;
  }
}

// The value control: `set 500 red` or `set 500 blue` fills it with that colour; other values are
// refused, as a real control refuses a value that does not fit it.
LRESULT ValueProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == KPM_SCRIPT_SET) {
    std::u16string value = reinterpret_cast<LPCWSTR>(lParam);
    if (value != u"red" && value != u"blue") return FALSE;
    SetWindowTextW(window, value.c_str());
    InvalidateRect(window, nullptr, TRUE);
    return TRUE;
  }
  if (message == WM_ERASEBKGND) {
    WCHAR text[8] = {};
    GetWindowTextW(window, text, 8);
    RECT client;
    GetClientRect(window, &client);
    COLORREF colour = std::u16string(text) == u"red" ? RGB(255, 0, 0) : std::u16string(text) == u"blue" ? RGB(0, 0, 255) : RGB(128, 128, 128);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
    DeleteObject(brush);
    return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT DemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN: OnPress(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (g_lastSquare.left >= 0) FillRect(dc, &g_lastSquare, g_square);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return 0;
    case WM_CHAR:
      if (wParam >= 0x20) g_typed.push_back(static_cast<char16_t>(wParam));
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_BACK && !g_typed.empty()) g_typed.pop_back();
      return 0;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, g_background);
      return 1;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  KpInitialize(argc, argv);
  g_background = CreateSolidBrush(RGB(255, 255, 255));
  g_square = CreateSolidBrush(RGB(255, 0, 0));
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DemoProc;
  windowClass.lpszClassName = u"DemoWindow";
  if (!RegisterClassW(&windowClass)) return 1;
  WNDCLASSW valueClass{};
  valueClass.lpfnWndProc = ValueProc;
  valueClass.lpszClassName = u"DemoValue";
  RegisterClassW(&valueClass);
  HWND window = CreateWindowExW(WS_EX_CAPTIONOKBTN, u"DemoWindow", u"Demo", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
  if (!window) return 1;
  CreateWindowExW(0, u"DemoValue", u"", WS_CHILD | WS_VISIBLE, 200, 10, 30, 20, window, reinterpret_cast<HMENU>(500),
                  nullptr, nullptr);
  SHMENUBARINFO bar{sizeof(SHMENUBARINFO), window, SHCMBF_HMENU, 200, GetModuleHandleW(nullptr), 0, 0, nullptr, 0};
  if (SHCreateMenuBar(&bar)) {
    TBBUTTON button{};
    SendMessageW(bar.hwndMB, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&button));
    g_popup = reinterpret_cast<HMENU>(button.dwData);
  }
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  DestroyWindow(window);
  KpTrace("exit", std::to_string(static_cast<int>(msg.wParam)).c_str());
  return static_cast<int>(msg.wParam);
}
