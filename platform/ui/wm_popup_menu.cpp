// Popup menus: a helper window drawn at the point and a nested loop that holds the stylus
// capture until an item is tapped (press and release on the same item) or a press lands outside.
// The release that ends the gesture which opened the menu (tap-and-hold) chooses nothing.
#include <QFontMetrics>
#include <QPainter>

#include "kp_platform.h"
#include "platform/ui/kp_ui_internal.h"
#include "platform/ui/wm_internal.h"
#include "platform/ui/wm_look.h"
#include "platform/ui/wm_menu_model.h"

namespace kpwm {
namespace {

constexpr int kItemHeight = 24;
constexpr int kSeparatorHeight = 7;
constexpr int kCheckColumn = 20;
constexpr int kTextPadding = 14;
constexpr int kFontHeight = 13;

struct PopupState {
  Menu* menu = nullptr;
  std::vector<QRect> itemRects;   // client coordinates
  int pressed = -1;
  bool ignoreNextRelease = false;
  bool done = false;
  UINT_PTR chosen = 0;
};

bool Choosable(const MenuItem& item) { return !(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_POPUP)); }

int ItemAt(const PopupState& state, QPoint p) {
  for (size_t i = 0; i < state.itemRects.size(); ++i)
    if (state.itemRects[i].contains(p) && Choosable(state.menu->items[i])) return static_cast<int>(i);
  return -1;
}

void DrawCheck(QPainter& painter, const QRect& item, const QColor& colour) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colour, 2));
  int cx = item.left() + kCheckColumn / 2, cy = item.center().y();
  painter.drawLine(QPointF(cx - 5, cy), QPointF(cx - 1, cy + 4));
  painter.drawLine(QPointF(cx - 1, cy + 4), QPointF(cx + 5, cy - 4));
  painter.restore();
}

void Paint(HWND window, Window* w, PopupState& state) {
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  {
    QPainter painter(&w->buffer);
    QRect all(QPoint(0, 0), w->rect.size());
    painter.fillRect(all, look::kMenuBack);
    painter.setPen(look::kMenuBorder);
    painter.drawRect(all.adjusted(0, 0, -1, -1));
    painter.setFont(UiFont(kFontHeight));
    for (size_t i = 0; i < state.itemRects.size(); ++i) {
      const MenuItem& item = state.menu->items[i];
      const QRect& r = state.itemRects[i];
      if (item.flags & MF_SEPARATOR) {
        painter.setPen(look::kMenuGrayed);
        painter.drawLine(r.left() + 4, r.center().y(), r.right() - 4, r.center().y());
        continue;
      }
      bool highlighted = static_cast<int>(i) == state.pressed;
      if (highlighted) painter.fillRect(r, look::kHighlight);
      QColor text = highlighted ? look::kHighlightText : (item.flags & MF_GRAYED) ? look::kMenuGrayed : look::kMenuText;
      if (item.flags & MF_CHECKED) DrawCheck(painter, r, text);
      painter.setPen(text);
      painter.drawText(r.adjusted(kCheckColumn, 0, -kTextPadding, 0), Qt::AlignVCenter | Qt::AlignLeft,
                       KpQString(item.text));
      if (item.flags & MF_POPUP) {
        int x = r.right() - 8, y = r.center().y();
        painter.drawLine(x - 3, y - 4, x + 1, y);
        painter.drawLine(x + 1, y, x - 3, y + 4);
      }
    }
  }
  EndPaint(window, &paint);
}

LRESULT PopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(window);
  auto* state = w ? static_cast<PopupState*>(w->roleData) : nullptr;
  if (!state) return DefWindowProcW(window, message, wParam, lParam);
  QPoint p(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  QRect client(QPoint(0, 0), w->rect.size());
  switch (message) {
    case WM_PAINT: Paint(window, w, *state); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
      if (!client.contains(p)) {
        state->done = true;   // a press outside closes the menu and is used up
        return 0;
      }
      state->pressed = ItemAt(*state, p);
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_MOUSEMOVE:
      if (state->pressed >= 0 && ItemAt(*state, p) != state->pressed) {
        state->pressed = -1;
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONUP: {
      if (state->ignoreNextRelease) {
        state->ignoreNextRelease = false;
        return 0;
      }
      int at = ItemAt(*state, p);
      if (at >= 0 && at == state->pressed) {
        state->chosen = state->menu->items[at].id;
        state->done = true;
      }
      state->pressed = -1;
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    }
    case WM_CANCELMODE: state->done = true; return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterPopupClass() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = PopupProc;
  windowClass.lpszClassName = u"KpPopupMenu";
  RegisterClassW(&windowClass);
}

}  // namespace

UINT_PTR TrackMenu(Menu* menu, int x, int y, bool openUpwards, HWND owner, bool returnCommand) {
  if (!menu || menu->items.empty()) return 0;
  RegisterPopupClass();
  PopupState state;
  state.menu = menu;
  QFontMetrics metrics(UiFont(kFontHeight));
  int width = 96, height = 2;
  for (const MenuItem& item : menu->items) {
    int itemHeight = (item.flags & MF_SEPARATOR) ? kSeparatorHeight : kItemHeight;
    state.itemRects.push_back(QRect(1, height - 1, 0, itemHeight));
    height += itemHeight;
    width = std::max(width, metrics.horizontalAdvance(KpQString(item.text)) + kCheckColumn + 2 * kTextPadding);
  }
  width = std::min(width, ScreenWidth());
  height = std::min(height, ScreenHeight());
  for (QRect& r : state.itemRects) r.setWidth(width - 2);
  // Left and top edge at the point (bottom edge for the menu bar), kept on the screen.
  if (openUpwards) y -= height;
  x = std::clamp(x, 0, ScreenWidth() - width);
  y = std::clamp(y, 0, ScreenHeight() - height);

  HWND popup = CreateWindowExW(WS_EX_TOPMOST, u"KpPopupMenu", nullptr, WS_POPUP, x, y, width, height, owner, nullptr,
                               nullptr, nullptr);
  if (!popup) return 0;
  Window* w = FromHandle(popup);
  RegisterRoleWindow(w, Role::PopupMenu, &state);
  for (size_t i = 0; i < menu->items.size(); ++i) {
    const MenuItem& item = menu->items[i];
    bool separator = (item.flags & MF_SEPARATOR) != 0;
    TraceMenuItem(state.itemRects[i].translated(x, y), separator ? 0 : item.id, separator ? u"" : item.text);
  }
  state.ignoreNextRelease = StylusIsDown();
  ShowWindow(popup, SW_SHOWNA);
  HWND previousCapture = SetCapture(popup);

  MSG msg;
  while (!state.done && IsWindow(popup)) {
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    // An open menu has the keyboard: Escape closes it, other keys reach no window beneath it.
    if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR) {
      if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) state.done = true;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (GetCapture() == popup) SetCapture(IsWindow(previousCapture) ? previousCapture : nullptr);
  if (IsWindow(popup)) {
    w->roleData = nullptr;
    DestroyWindow(popup);
  }
  if (!state.chosen) return 0;
  if (returnCommand) return state.chosen;
  if (IsWindow(owner)) PostMessageW(owner, WM_COMMAND, MAKEWPARAM(state.chosen, 0), 0);
  return TRUE;
}

}  // namespace kpwm

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS) {
  kpwm::Menu* m = kpwm::MenuFromHandle(menu);
  if (!m) return FALSE;
  return static_cast<BOOL>(kpwm::TrackMenu(m, x, y, (flags & TPM_BOTTOMALIGN) != 0, owner, (flags & TPM_RETURNCMD) != 0));
}
