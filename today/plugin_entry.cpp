// What the shell calls: library load and unload, and the creation of the item window. The shell
// finds the entry points by name, so they have C linkage and stay visible.
#include "today/exports.h"
#include "today/item_cache.h"
#include "today/reminders.h"
#include "today/settings_store.h"
#include "today/today_settings.h"
#include "today/today_state.h"

namespace {

HICON LoadItemIcon(int id, int size) {
  return (HICON)LoadImageW(g_hInstance, MAKEINTRESOURCEW(id), IMAGE_ICON, ScaleX(size), ScaleY(size), 0);
}

void DestroyItemIcon(HICON& icon) {
  if (icon != nullptr) DestroyIcon(icon);
  icon = nullptr;
}

BOOL ProcessAttach(HINSTANCE instance) {
  // Every load starts from nothing, whatever the loader kept of an earlier load of the same file.
  g_item = TodayItemModel{};
  g_hInstance = instance;
  // The settings are what the registry holds.
  LoadSettings();
  g_hItemIcon = LoadItemIcon(IDI_ITEM, 16);
  g_hFirstIcon = LoadItemIcon(IDI_FIRST_MARKER, 16);
  g_hDdayIcon = LoadItemIcon(IDI_DDAY_MARKER, 16);
  g_hNextIcon = LoadItemIcon(IDI_NEXT_MARKER, 16);
  for (int i = 0; i < MOON_PHASES; ++i) g_hMoonIcons[i] = LoadItemIcon(IDI_MOON_FIRST + i, 32);
  g_rcMoon = RECT{ScaleX(201), ScaleY(3), ScaleX(237), ScaleY(39)};

  WCHAR szClass[100];
  LoadStringW(g_hInstance, IDS_ITEM_CLASS, szClass, 100);
  // A registration left over from an earlier load of this module would make ours fail.
  UnregisterClassW(szClass, g_hInstance);
  WNDCLASSW windowClass = {};
  windowClass.style = 0;
  windowClass.lpfnWndProc = TodayItemWndProc;
  windowClass.hInstance = g_hInstance;
  windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
  windowClass.lpszClassName = szClass;
  RegisterClassW(&windowClass);
  return TRUE;
}

BOOL ProcessDetach() {
  DestroyItemIcon(g_hItemIcon);
  DestroyItemIcon(g_hFirstIcon);
  DestroyItemIcon(g_hNextIcon);
  DestroyItemIcon(g_hDdayIcon);
  for (HICON& icon : g_hMoonIcons) DestroyItemIcon(icon);
  WCHAR szClass[100];
  LoadStringW(g_hInstance, IDS_ITEM_CLASS, szClass, 100);
  UnregisterClassW(szClass, g_hInstance);
  g_item = TodayItemModel{};
  return TRUE;
}

}  // namespace

KALMENOTP_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) return ProcessAttach(instance);
  if (reason == DLL_PROCESS_DETACH) return ProcessDetach();
  return TRUE;
}

KALMENOTP_EXPORT HWND InitializeCustomItem(TODAYLISTITEM* item, HWND parent) {
  WCHAR szClass[100];
  LoadStringW(g_hInstance, IDS_ITEM_CLASS, szClass, 100);
  HWND window = CreateWindowExW(0, szClass, szClass, WS_CHILD | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, 240, 0,
                                parent, nullptr, g_hInstance, nullptr);
  if (window == nullptr) return nullptr;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  return window;
}
