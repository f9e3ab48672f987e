// The shell's menu bar: a helper window on the bottom rows of the screen, shown while its owner
// is the active window. Each top-level item of its menu resource is a button; a tap on a popup
// button opens that popup upwards from the bar, a tap on a plain item sends its command.
#include <QPainter>

#include "aygshell.h"
#include "platform/ui/kp_ui_internal.h"
#include "platform/ui/wm_internal.h"
#include "platform/ui/wm_look.h"
#include "platform/ui/wm_menu_model.h"

namespace kpwm {
namespace {

struct MenuBarState {
  Menu* menu = nullptr;
  HWND owner = nullptr;
  int pressed = -1;
};

QRect ButtonRect(const Window* w, const MenuBarState& state, int index) {
  int count = static_cast<int>(state.menu->items.size());
  int width = w->rect.width() / std::max(1, count);
  return QRect(index * width, 0, index + 1 == count ? w->rect.width() - index * width : width, w->rect.height());
}

int ButtonAt(const Window* w, const MenuBarState& state, QPoint p) {
  for (int i = 0; i < static_cast<int>(state.menu->items.size()); ++i)
    if (ButtonRect(w, state, i).contains(p)) return i;
  return -1;
}

void Paint(HWND window, Window* w, const MenuBarState& state) {
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  {
    QPainter painter(&w->buffer);
    painter.fillRect(QRect(QPoint(0, 0), w->rect.size()), look::kBarBack);
    painter.setFont(UiFont(13, true));
    for (int i = 0; i < static_cast<int>(state.menu->items.size()); ++i) {
      QRect r = ButtonRect(w, state, i);
      if (i == state.pressed) painter.fillRect(r, look::kBarPressed);
      if (i > 0) {
        painter.setPen(look::kMenuGrayed);
        painter.drawLine(r.left(), r.top() + 5, r.left(), r.bottom() - 5);
      }
      painter.setPen(look::kBarText);
      painter.drawText(r, Qt::AlignCenter, KpQString(state.menu->items[i].text));
    }
  }
  EndPaint(window, &paint);
}

LRESULT Answer(Window* w, MenuBarState& state, UINT message, WPARAM wParam, LPARAM lParam) {
  int count = static_cast<int>(state.menu->items.size());
  if (message == TB_BUTTONCOUNT) return count;
  if (message == TB_GETBUTTON) {
    auto* button = reinterpret_cast<TBBUTTON*>(lParam);
    int index = static_cast<int>(wParam);
    if (!button || index < 0 || index >= count) return FALSE;
    const MenuItem& item = state.menu->items[index];
    *button = TBBUTTON{};
    button->iBitmap = -2;   // I_IMAGENONE: the bar shows text
    button->idCommand = static_cast<int>(item.id);
    button->fsState = 0x04; // TBSTATE_ENABLED
    button->dwData = reinterpret_cast<DWORD_PTR>(item.popup);
    button->iString = reinterpret_cast<INT_PTR>(item.text.c_str());
    return TRUE;
  }
  // TB_GETBUTTONINFOW: by index with TBIF_BYINDEX, else by command id; returns the index.
  auto* info = reinterpret_cast<TBBUTTONINFOW*>(lParam);
  if (!info) return -1;
  int index = -1;
  if (info->dwMask & TBIF_BYINDEX) {
    index = static_cast<int>(wParam) < count ? static_cast<int>(wParam) : -1;
  } else {
    for (int i = 0; i < count; ++i)
      if (state.menu->items[i].id == wParam) index = i;
  }
  if (index < 0) return -1;
  const MenuItem& item = state.menu->items[index];
  info->idCommand = static_cast<int>(item.id);
  if (info->dwMask & TBIF_LPARAM) info->lParam = reinterpret_cast<DWORD_PTR>(item.popup);
  return index;
}

LRESULT MenuBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(window);
  auto* state = w ? static_cast<MenuBarState*>(w->roleData) : nullptr;
  if (!state) return DefWindowProcW(window, message, wParam, lParam);
  QPoint p(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  switch (message) {
    case WM_PAINT: Paint(window, w, *state); return 0;
    case WM_ERASEBKGND: return 1;
    case TB_BUTTONCOUNT:
    case TB_GETBUTTON:
    case TB_GETBUTTONINFOW: return Answer(w, *state, message, wParam, lParam);
    case WM_LBUTTONDOWN:
      state->pressed = ButtonAt(w, *state, p);
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP: {
      int at = ButtonAt(w, *state, p);
      int pressed = state->pressed;
      if (at < 0 || at != pressed) {
        state->pressed = -1;
        InvalidateRect(window, nullptr, FALSE);
        return 0;
      }
      const MenuItem& item = state->menu->items[at];
      if (item.popup) {
        QRect button = ButtonRect(w, *state, at).translated(ClientOriginOnScreen(w));
        // The button stays highlighted while its popup is open.
        TrackMenu(item.popup, button.left(), button.top(), true, state->owner, false);
      } else if (!(item.flags & (MF_GRAYED | MF_SEPARATOR))) {
        PostMessageW(state->owner, WM_COMMAND, MAKEWPARAM(item.id, 0), 0);
      }
      if (IsLive(w)) {
        state->pressed = -1;
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    }
    case WM_DESTROY:
      DestroyMenu(MenuHandle(state->menu));
      w->roleData = nullptr;
      delete state;
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterMenuBarClass() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = MenuBarProc;
  windowClass.lpszClassName = u"menu_worker";
  RegisterClassW(&windowClass);
}

}  // namespace
}  // namespace kpwm

using namespace kpwm;

BOOL SHCreateMenuBar(SHMENUBARINFO* info) {
  if (!info || !FromHandle(info->hwndParent)) return FALSE;
  HMENU loaded = nullptr;
  if (!(info->dwFlags & SHCMBF_EMPTYBAR)) {
    loaded = LoadMenuW(info->hInstRes, MAKEINTRESOURCEW(info->nToolBarId));
    if (!loaded) return FALSE;
  } else {
    loaded = CreatePopupMenu();
  }
  RegisterMenuBarClass();
  HWND bar = CreateWindowExW(0, u"menu_worker", nullptr, WS_POPUP, 0, ScreenHeight() - MenuBarHeight(), ScreenWidth(),
                             MenuBarHeight(), TopLevelOf(FromHandle(info->hwndParent)) ? Handle(TopLevelOf(FromHandle(info->hwndParent))) : nullptr,
                             nullptr, nullptr, nullptr);
  if (!bar) {
    DestroyMenu(loaded);
    return FALSE;
  }
  auto* state = new MenuBarState;
  state->menu = MenuFromHandle(loaded);
  state->owner = info->hwndParent;
  RegisterRoleWindow(FromHandle(bar), Role::MenuBar, state);
  if (!(info->dwFlags & SHCMBF_HIDDEN)) ShowWindow(bar, SW_SHOWNA);
  info->hwndMB = bar;
  return TRUE;
}
