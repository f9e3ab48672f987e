// The resource tables of every module, found by module handle. Modules register their tables
// from static constructors, which may run before main or during dlopen, so the registry is
// created on first use.
#include "kp_resources.h"
#include "platform/core/kp_core_internal.h"

#include <map>
#include <mutex>
#include <vector>

namespace {

std::mutex& ResourceMutex() {
  static std::mutex mutex;
  return mutex;
}
std::map<HINSTANCE, std::vector<const KpModuleResources*>>& Tables() {
  static auto* tables = new std::map<HINSTANCE, std::vector<const KpModuleResources*>>();
  return *tables;
}

std::vector<const KpModuleResources*> TablesOf(HINSTANCE module) {
  std::lock_guard<std::mutex> lock(ResourceMutex());
  auto it = Tables().find(module);
  return it == Tables().end() ? std::vector<const KpModuleResources*>() : it->second;
}

}  // namespace

void KpRegisterModuleResources(const KpModuleResources* table, const void* addressInModule) {
  HINSTANCE module = KpModuleOfAddress(addressInModule);
  if (!table || !module) return;
  std::lock_guard<std::mutex> lock(ResourceMutex());
  Tables()[module].push_back(table);
}

void KpForgetModuleResources(HINSTANCE module) {
  std::lock_guard<std::mutex> lock(ResourceMutex());
  Tables().erase(module);
}

const KpStringEntry* KpFindString(HINSTANCE module, int id) {
  for (const KpModuleResources* table : TablesOf(module))
    for (int i = 0; i < table->stringCount; ++i)
      if (table->strings[i].id == id) return &table->strings[i];
  return nullptr;
}

int KpFindImages(HINSTANCE module, int id, KpImageKind kind, const KpImageEntry** out, int max) {
  int found = 0;
  for (const KpModuleResources* table : TablesOf(module))
    for (int i = 0; i < table->imageCount && found < max; ++i)
      if (table->images[i].id == id && table->images[i].kind == kind) out[found++] = &table->images[i];
  return found;
}

const KpDialogTemplate* KpFindDialogTemplate(HINSTANCE module, int id) {
  for (const KpModuleResources* table : TablesOf(module))
    for (int i = 0; i < table->dialogCount; ++i)
      if (table->dialogs[i].id == id) return &table->dialogs[i];
  return nullptr;
}

const KpMenuTemplate* KpFindMenuTemplate(HINSTANCE module, int id) {
  for (const KpModuleResources* table : TablesOf(module))
    for (int i = 0; i < table->menuCount; ++i)
      if (table->menus[i].id == id) return &table->menus[i];
  return nullptr;
}
