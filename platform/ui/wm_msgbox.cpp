// Message boxes: OK only, modal. The box is a helper window over the active window; while it is
// open a nested loop keeps dispatching every other window's messages and timers (a Today item's
// refresh may even open a second box over the first). The owner takes no input meanwhile.
#include <QFontMetrics>
#include <QPainter>

#include "kp_platform.h"
#include "platform/ui/kp_ui_internal.h"
#include "platform/ui/wm_internal.h"
#include "platform/ui/wm_look.h"

namespace kpwm {
namespace {

constexpr int kMargin = 10;
constexpr int kCaptionHeight = 22;
constexpr int kButtonWidth = 64;
constexpr int kButtonHeight = 24;
constexpr int kTextHeight = 13;

struct BoxState {
  std::u16string caption;
  std::u16string text;
  QRect textRect;     // client coordinates
  QRect okRect;
  bool okPressed = false;
  bool done = false;
};

void Paint(HWND window, Window* w, const BoxState& state) {
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  {
    QPainter painter(&w->buffer);
    QRect all(QPoint(0, 0), w->rect.size());
    painter.fillRect(all, look::kMenuBack);
    QRect caption(0, 0, all.width(), kCaptionHeight);
    QLinearGradient gradient(caption.topLeft(), caption.bottomLeft());
    gradient.setColorAt(0, look::kTitleTop);
    gradient.setColorAt(1, look::kTitleBottom);
    painter.fillRect(caption, gradient);
    painter.setPen(look::kTitleText);
    painter.setFont(UiFont(kTextHeight, true));
    painter.drawText(caption.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     KpQString(state.caption));
    painter.setPen(look::kMenuText);
    painter.setFont(UiFont(kTextHeight));
    painter.drawText(state.textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     KpQString(state.text));
    painter.fillRect(state.okRect, state.okPressed ? look::kHighlight : look::kBoxFace);
    painter.setPen(look::kMenuBorder);
    painter.drawRect(state.okRect.adjusted(0, 0, -1, -1));
    painter.setPen(state.okPressed ? look::kHighlightText : look::kMenuText);
    painter.drawText(state.okRect, Qt::AlignCenter, QStringLiteral("OK"));
    painter.setPen(look::kMenuBorder);
    painter.drawRect(all.adjusted(0, 0, -1, -1));
  }
  EndPaint(window, &paint);
}

LRESULT BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(window);
  auto* state = w ? static_cast<BoxState*>(w->roleData) : nullptr;
  if (!state) return DefWindowProcW(window, message, wParam, lParam);
  QPoint p(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  switch (message) {
    case WM_PAINT: Paint(window, w, *state); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
      state->okPressed = state->okRect.contains(p);
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP:
      if (state->okPressed && state->okRect.contains(p)) state->done = true;
      state->okPressed = false;
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) state->done = true;
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_SPACE) state->done = true;
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterBoxClass() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = BoxProc;
  windowClass.lpszClassName = u"KpMessageBox";
  RegisterClassW(&windowClass);
}

}  // namespace
}  // namespace kpwm

using namespace kpwm;

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  EnsureStarted();
  RegisterBoxClass();
  BoxState state;
  // As on the platform, a box without a caption is titled "Error".
  state.caption = caption ? caption : u"Error";
  state.text = text ? text : u"";
  TraceMessageBox(state.caption, state.text);

  int width = std::min(ScreenWidth() - 20, 220);
  QFontMetrics metrics(UiFont(kTextHeight));
  QRect wrapped = metrics.boundingRect(QRect(0, 0, width - 2 * kMargin, 10000), Qt::AlignLeft | Qt::TextWordWrap,
                                       KpQString(state.text));
  int textHeight = std::max(wrapped.height(), metrics.height());
  int height = kCaptionHeight + kMargin + textHeight + kMargin + kButtonHeight + kMargin;
  state.textRect = QRect(kMargin, kCaptionHeight + kMargin, width - 2 * kMargin, textHeight);
  state.okRect = QRect((width - kButtonWidth) / 2, height - kMargin - kButtonHeight, kButtonWidth, kButtonHeight);
  Window* ownerTop = TopLevelOf(FromHandle(owner));
  Window* over = ownerTop ? ownerTop : CaptionWindow();
  QRect area = over ? ScreenRect(over) : WorkArea();
  int x = std::clamp(area.center().x() - width / 2, 0, std::max(0, ScreenWidth() - width));
  int y = std::clamp(area.center().y() - height / 2, 0, std::max(0, ScreenHeight() - height));

  HWND box = CreateWindowExW(WS_EX_TOPMOST, u"KpMessageBox", state.caption.c_str(), WS_POPUP, x, y, width, height,
                             ownerTop ? Handle(ownerTop) : nullptr, nullptr, nullptr, nullptr);
  if (!box) return 0;
  Window* w = FromHandle(box);
  RegisterRoleWindow(w, Role::MessageBox, &state);
  bool disabledOwner = ownerTop && IsWindowEnabled(Handle(ownerTop));
  if (disabledOwner) EnableWindow(Handle(ownerTop), FALSE);
  HWND previousFocus = GetFocus();
  ShowWindow(box, SW_SHOWNA);
  SetFocus(box);

  MSG msg;
  while (!state.done && IsWindow(box)) {
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (disabledOwner && IsLive(ownerTop)) EnableWindow(Handle(ownerTop), TRUE);
  if (IsWindow(box)) {
    w->roleData = nullptr;
    DestroyWindow(box);
  }
  if (IsWindow(previousFocus)) SetFocus(previousFocus);
  return IDOK;
}
