// The shell's own notification bubble, for when the desktop has no notification service: a
// rounded box hanging from the title bar over whatever the screen shows, with the notification's
// title in bold and its text below. A tap on it dismisses it; it takes no other input and never
// becomes the active window, so the program under it goes on as before. One bubble at a time: the
// next notification replaces the one shown.
// Trace: "bubble <title> <text>" when one is shown.
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include "kp_platform.h"
#include "platform/ui/kp_ui_internal.h"
#include "platform/ui/wm_internal.h"
#include "platform/ui/wm_look.h"

namespace kpwm {
namespace {

constexpr int kMargin = 8;
constexpr int kGap = 4;   // between the title bar and the bubble, and between title and text
constexpr int kTitleHeight = 13;
constexpr int kTextHeight = 12;
const QColor kBubbleBack(255, 252, 220);

struct BubbleState {
  std::u16string title;
  std::u16string text;
};

// The bubble on the screen, if any: a new notification takes its place, so bubbles never pile up
// over the programs (each one would take a tap of its own).
HWND g_shown = nullptr;

void Paint(HWND window, Window* w, const BubbleState& state) {
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  {
    QPainter painter(&w->buffer);
    painter.setRenderHint(QPainter::Antialiasing);
    QRect all(QPoint(0, 0), w->rect.size());
    // What lies outside the rounded corners is the desktop's colour, as under every other box.
    painter.fillRect(all, look::kDesktop);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(all).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    painter.fillPath(outline, kBubbleBack);
    painter.setPen(look::kMenuBorder);
    painter.drawPath(outline);
    QRect inner = all.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    painter.setPen(look::kMenuText);
    painter.setFont(UiFont(kTitleHeight, true));
    QRect titleRect(inner.left(), inner.top(), inner.width(), QFontMetrics(UiFont(kTitleHeight, true)).height());
    painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter, KpQString(state.title));
    painter.setFont(UiFont(kTextHeight));
    QRect textRect = inner.adjusted(0, titleRect.height() + kGap, 0, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, KpQString(state.text));
  }
  EndPaint(window, &paint);
}

LRESULT BubbleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(window);
  auto* state = w ? static_cast<BubbleState*>(w->roleData) : nullptr;
  if (!state) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: Paint(window, w, *state); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: return 0;
    case WM_LBUTTONUP:
      DestroyWindow(window);
      return 0;
    case WM_NCDESTROY:
      if (g_shown == window) g_shown = nullptr;
      w->roleData = nullptr;
      delete state;
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterBubbleClass() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = BubbleProc;
  windowClass.lpszClassName = u"KpNotificationBubble";
  RegisterClassW(&windowClass);
}

}  // namespace

void ShowNotificationBubble(const std::u16string& title, const std::u16string& text) {
  EnsureStarted();
  RegisterBubbleClass();
  std::string titleUtf8 = KpToUtf8(title.c_str()), textUtf8 = KpToUtf8(text.c_str());
  KpTrace("bubble", titleUtf8.c_str(), textUtf8.c_str());

  int width = ScreenWidth() - 2 * kGap;
  QFontMetrics titleMetrics(UiFont(kTitleHeight, true));
  QFontMetrics textMetrics(UiFont(kTextHeight));
  QRect wrapped = textMetrics.boundingRect(QRect(0, 0, width - 2 * kMargin, 10000), Qt::AlignLeft | Qt::TextWordWrap,
                                           KpQString(text));
  int height = kMargin + titleMetrics.height() + kGap + std::max(wrapped.height(), textMetrics.height()) + kMargin;
  height = std::min(height, WorkArea().height() - 2 * kGap);
  HWND bubble = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, u"KpNotificationBubble", title.c_str(), WS_POPUP,
                                kGap, TitleBarHeight() + kGap, width, height, nullptr, nullptr, nullptr, nullptr);
  if (!bubble) return;
  if (g_shown && IsWindow(g_shown)) DestroyWindow(g_shown);
  g_shown = bubble;
  RegisterRoleWindow(FromHandle(bubble), Role::Notification, new BubbleState{title, text});
  ShowWindow(bubble, SW_SHOWNA);
}

}  // namespace kpwm
