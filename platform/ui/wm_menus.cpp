// Menus: loaded from a module's menu resources or built with AppendMenuW.
#include <unordered_set>
#include <vector>

#include "kp_resources.h"
#include "platform/ui/wm_menu_model.h"

namespace kpwm {
namespace {

std::unordered_set<const Menu*>& LiveMenus() {
  static std::unordered_set<const Menu*> menus;
  return menus;
}

Menu* NewMenu() {
  Menu* menu = new Menu;
  LiveMenus().insert(menu);
  return menu;
}

Menu* Build(const KpMenuItem* items, int count) {
  Menu* menu = NewMenu();
  for (int i = 0; i < count; ++i) {
    MenuItem item;
    item.flags = items[i].flags;
    item.id = static_cast<UINT_PTR>(items[i].id);
    item.text = items[i].text ? std::u16string(items[i].text) : std::u16string();
    if (items[i].flags & MF_POPUP) item.popup = Build(items[i].children, items[i].childCount);
    menu->items.push_back(std::move(item));
  }
  return menu;
}

MenuItem* FindByCommand(Menu* menu, UINT id) {
  for (MenuItem& item : menu->items) {
    if (!(item.flags & (MF_POPUP | MF_SEPARATOR)) && item.id == id) return &item;
    if (item.popup)
      if (MenuItem* found = FindByCommand(item.popup, id)) return found;
  }
  return nullptr;
}

}  // namespace

Menu* MenuFromHandle(HMENU handle) {
  Menu* menu = reinterpret_cast<Menu*>(handle);
  return LiveMenus().count(menu) ? menu : nullptr;
}

}  // namespace kpwm

using namespace kpwm;

HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name) {
  if (!IS_INTRESOURCE(name)) return nullptr;
  if (!instance) instance = GetModuleHandleW(nullptr);
  const KpMenuTemplate* found = KpFindMenuTemplate(instance, static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
  if (!found) {
    SetLastError(1814);   // ERROR_RESOURCE_NAME_NOT_FOUND
    return nullptr;
  }
  return MenuHandle(Build(found->items, found->itemCount));
}

HMENU GetSubMenu(HMENU handle, int position) {
  Menu* menu = MenuFromHandle(handle);
  if (!menu || position < 0 || position >= static_cast<int>(menu->items.size())) return nullptr;
  return MenuHandle(menu->items[position].popup);
}

HMENU CreatePopupMenu() { return MenuHandle(NewMenu()); }

BOOL AppendMenuW(HMENU handle, UINT flags, UINT_PTR idOrPopup, LPCWSTR text) {
  Menu* menu = MenuFromHandle(handle);
  if (!menu) return FALSE;
  MenuItem item;
  item.flags = flags & (MF_POPUP | MF_SEPARATOR | MF_CHECKED | MF_GRAYED);
  if (flags & MF_POPUP) {
    item.popup = MenuFromHandle(reinterpret_cast<HMENU>(idOrPopup));
    if (!item.popup) return FALSE;
  } else if (!(flags & MF_SEPARATOR)) {
    item.id = idOrPopup;
  }
  if (text && !(flags & MF_SEPARATOR)) item.text = text;
  menu->items.push_back(std::move(item));
  return TRUE;
}

DWORD CheckMenuItem(HMENU handle, UINT idOrPosition, UINT flags) {
  Menu* menu = MenuFromHandle(handle);
  if (!menu) return static_cast<DWORD>(-1);
  MenuItem* item = nullptr;
  if (flags & MF_BYPOSITION) {
    if (idOrPosition < menu->items.size()) item = &menu->items[idOrPosition];
  } else {
    item = FindByCommand(menu, idOrPosition);
  }
  if (!item) return static_cast<DWORD>(-1);
  DWORD previous = item->flags & MF_CHECKED;
  if (flags & MF_CHECKED) item->flags |= MF_CHECKED;
  else item->flags &= ~MF_CHECKED;
  return previous;
}

int GetMenuItemCount(HMENU handle) {
  Menu* menu = MenuFromHandle(handle);
  return menu ? static_cast<int>(menu->items.size()) : -1;
}

BOOL DestroyMenu(HMENU handle) {
  Menu* menu = MenuFromHandle(handle);
  if (!menu) return FALSE;
  for (MenuItem& item : menu->items)
    if (item.popup) DestroyMenu(MenuHandle(item.popup));
  LiveMenus().erase(menu);
  // Kept allocated, so a stale handle never names a later menu; and kept reachable, so leak
  // checkers do not take it for lost memory.
  static std::vector<const Menu*>* retired = new std::vector<const Menu*>;
  retired->push_back(menu);
  menu->items.clear();
  return TRUE;
}
