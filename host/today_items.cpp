#include "host/today_items.h"

#include <cstring>

namespace {

const WCHAR kItemsKey[] = u"Software\\Microsoft\\Today\\Items";
constexpr int kProblemLineHeight = 20;

// The options procedure has the Today interface's signature (BOOL, 32-bit parameters); the
// dialog manager calls a DLGPROC. This adapter passes the call on and widens the reply.
PFNCUSTOMOPTIONSDLGPROC g_pfnRunningOptions = nullptr;
INT_PTR OptionsAdapter(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_pfnRunningOptions == nullptr) return FALSE;
  return g_pfnRunningOptions(dialog, message, (UINT)wParam, (LONG)lParam) ? TRUE : FALSE;
}

// The DLL value of one item key; false when it is missing.
bool ReadLibraryPath(LPCWSTR itemName, WCHAR (&path)[MAX_PATH]) {
  WCHAR keyPath[MAX_PATH];
  wsprintfW(keyPath, u"%s\\%s", kItemsKey, itemName);
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, 0, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  DWORD size = sizeof(path);
  LONG status = RegQueryValueExW(key, u"DLL", nullptr, &type, (LPBYTE)path, &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_SZ;
}

void LoadOneItem(TodayItem& item, HWND today) {
  if (!ReadLibraryPath(item.record.szName, item.record.szDLLPath)) {
    wsprintfW(item.szProblem, u"%s: 항목의 DLL 경로가 없습니다.", item.record.szName);
    return;
  }
  item.hLibrary = LoadLibraryW(item.record.szDLLPath);
  if (item.hLibrary == nullptr) {
    wsprintfW(item.szProblem, u"%s 항목을 불러오지 못했습니다.", item.record.szName);
    return;
  }
  item.record.hinstDLL = item.hLibrary;
  auto initialize = (PFNCUSTOMINITIALIZEITEM)(void*)GetProcAddress(item.hLibrary, u"InitializeCustomItem");
  item.pfnOptions = (PFNCUSTOMOPTIONSDLGPROC)(void*)GetProcAddress(item.hLibrary, u"CustomItemOptionsDlgProc");
  item.record.fOptions = item.pfnOptions != nullptr;
  HWND window = initialize != nullptr ? initialize(&item.record, today) : nullptr;
  if (window == nullptr) {
    wsprintfW(item.szProblem, u"%s 항목을 만들지 못했습니다.", item.record.szName);
    return;
  }
  item.record.hwndCustom = window;
}

}  // namespace

std::vector<std::unique_ptr<TodayItem>> LoadTodayItems(HWND today) {
  std::vector<std::unique_ptr<TodayItem>> items;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kItemsKey, 0, 0, &key) != ERROR_SUCCESS) return items;
  for (DWORD index = 0;; ++index) {
    WCHAR name[MAX_ITEMNAME];
    DWORD nameSize = MAX_ITEMNAME;
    LONG status = RegEnumKeyExW(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;  // a name too long for the shell's record
    auto item = std::make_unique<TodayItem>();
    std::memset(&item->record, 0, sizeof(item->record));
    lstrcpynW(item->record.szName, name, MAX_ITEMNAME);
    item->record.tlit = tlitCustom;
    item->record.dwOrder = index;
    item->record.fEnabled = TRUE;
    items.push_back(std::move(item));
  }
  RegCloseKey(key);
  for (auto& item : items) LoadOneItem(*item, today);
  return items;
}

void LayOutTodayItems(std::vector<std::unique_ptr<TodayItem>>& items, int top, int width) {
  int y = top;
  for (auto& item : items) {
    item->nTop = y;
    if (item->record.hwndCustom != nullptr) {
      item->nHeight = (int)item->record.cyp;
      MoveWindow(item->record.hwndCustom, 0, y, width, item->nHeight, TRUE);
    } else {
      item->nHeight = kProblemLineHeight;
    }
    y += item->nHeight;
  }
}

bool RefreshTodayItems(std::vector<std::unique_ptr<TodayItem>>& items) {
  bool relayout = false;
  for (auto& item : items) {
    HWND window = item->record.hwndCustom;
    if (window == nullptr) continue;
    DWORD before = item->record.cyp;
    LRESULT redraw = SendMessageW(window, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&item->record, 0);
    if (item->record.cyp != before) relayout = true;
    if (redraw) InvalidateRect(window, nullptr, TRUE);
  }
  return relayout;
}

void ShowItemOptions(std::vector<std::unique_ptr<TodayItem>>& items, HWND today) {
  for (auto& item : items) {
    if (item->pfnOptions == nullptr || item->record.hwndCustom == nullptr) continue;
    g_pfnRunningOptions = item->pfnOptions;
    DialogBoxParamW(item->hLibrary, MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), today, OptionsAdapter, 0);
    g_pfnRunningOptions = nullptr;
    // New settings may call for another height: the item reports it at the next query.
    item->record.cyp = 0;
    return;
  }
  MessageBoxW(today, u"설정할 수 있는 투데이 항목이 없습니다.", u"투데이", MB_OK);
}

void UnloadTodayItems(std::vector<std::unique_ptr<TodayItem>>& items) {
  for (auto& item : items) {
    if (item->record.hwndCustom != nullptr) DestroyWindow(item->record.hwndCustom);
    if (item->hLibrary != nullptr) FreeLibrary(item->hLibrary);
  }
  items.clear();
}
