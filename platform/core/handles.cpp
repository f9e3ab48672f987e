// The table of live handles: CloseHandle and the handle-taking functions check here first.
#include "platform/core/kp_core_internal.h"

#include <mutex>
#include <unordered_map>

namespace {
std::mutex& HandleMutex() {
  static std::mutex mutex;
  return mutex;
}
std::unordered_map<HANDLE, KpHandleObject*>& HandleTable() {
  static auto* table = new std::unordered_map<HANDLE, KpHandleObject*>();
  return *table;
}
}  // namespace

HANDLE KpRegisterHandle(KpHandleObject* object) {
  std::lock_guard<std::mutex> lock(HandleMutex());
  HandleTable()[object] = object;
  return object;
}

KpHandleObject* KpLookupHandle(HANDLE handle, KpHandleObject::Kind kind) {
  std::lock_guard<std::mutex> lock(HandleMutex());
  auto it = HandleTable().find(handle);
  if (it == HandleTable().end() || it->second->kind != kind) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return it->second;
}

KpHandleObject* KpUnregisterHandle(HANDLE handle) {
  std::lock_guard<std::mutex> lock(HandleMutex());
  auto it = HandleTable().find(handle);
  if (it == HandleTable().end()) return nullptr;
  KpHandleObject* object = it->second;
  HandleTable().erase(it);
  return object;
}

BOOL CloseHandle(HANDLE object) {
  KpHandleObject* found = KpUnregisterHandle(object);
  if (!found) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  delete found;
  return TRUE;
}
