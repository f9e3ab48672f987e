// Shared libraries opened by path, with the DllMain calls a library expects around its lifetime.
#include "kp_platform.h"
#include "kp_resources.h"
#include "platform/core/kp_core_internal.h"

#include <dlfcn.h>
#include <link.h>
#include <map>
#include <mutex>
#include <sys/stat.h>

namespace {

typedef BOOL (*DllMainFunction)(HINSTANCE, DWORD, LPVOID);

struct OpenLibrary {
  void* dl;
  int loads;
};

std::mutex& LibraryMutex() {
  static std::mutex mutex;
  return mutex;
}
std::map<HMODULE, OpenLibrary>& OpenLibraries() {
  static auto* libraries = new std::map<HMODULE, OpenLibrary>();
  return *libraries;
}

// The module handle of a dlopen()ed library: the base of the image its dynamic section lies in.
HMODULE ModuleOfDl(void* dl) {
  struct link_map* map = nullptr;
  if (dlinfo(dl, RTLD_DI_LINKMAP, &map) != 0 || !map) return nullptr;
  return KpModuleOfAddress(map->l_ld);
}

}  // namespace

HINSTANCE LoadLibraryW(LPCWSTR path) {
  if (!path || !*path) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::string host = KpHostPath(path);
  // The loader would wait for ever on a FIFO and read a device until memory runs out.
  struct stat info;
  if (stat(host.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  void* dl = dlopen(host.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!dl) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  HMODULE module = ModuleOfDl(dl);
  if (!module) {
    dlclose(dl);
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  {
    std::lock_guard<std::mutex> lock(LibraryMutex());
    auto it = OpenLibraries().find(module);
    if (it != OpenLibraries().end()) {
      // A second load of the same library shares the first; DllMain runs once per process.
      ++it->second.loads;
      dlclose(dl);
      return module;
    }
  }
  auto dllMain = reinterpret_cast<DllMainFunction>(dlsym(dl, "DllMain"));
  if (dllMain && !dllMain(module, DLL_PROCESS_ATTACH, nullptr)) {
    dlclose(dl);
    KpForgetModuleResources(module);
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  std::lock_guard<std::mutex> lock(LibraryMutex());
  OpenLibraries()[module] = OpenLibrary{dl, 1};
  return module;
}

BOOL FreeLibrary(HMODULE module) {
  void* dl = nullptr;
  {
    std::lock_guard<std::mutex> lock(LibraryMutex());
    auto it = OpenLibraries().find(module);
    if (it == OpenLibraries().end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    if (--it->second.loads > 0) return TRUE;
    dl = it->second.dl;
    OpenLibraries().erase(it);
  }
  if (auto dllMain = reinterpret_cast<DllMainFunction>(dlsym(dl, "DllMain")))
    dllMain(module, DLL_PROCESS_DETACH, nullptr);
  dlclose(dl);
  // The library's resource tables go with its image; a later library may load at the same address.
  KpForgetModuleResources(module);
  return TRUE;
}

FARPROC GetProcAddress(HMODULE module, LPCWSTR procName) {
  if (!procName || IS_INTRESOURCE(procName)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  void* dl = nullptr;
  bool borrowed = false;
  {
    std::lock_guard<std::mutex> lock(LibraryMutex());
    auto it = OpenLibraries().find(module);
    if (it != OpenLibraries().end()) dl = it->second.dl;
  }
  if (!dl) {
    // A module not loaded through LoadLibraryW (the program, the platform): find it by its file.
    Dl_info info;
    if (!module || dladdr(module, &info) == 0 || info.dli_fbase != module) {
      SetLastError(ERROR_INVALID_HANDLE);
      return nullptr;
    }
    dl = module == GetModuleHandleW(nullptr) ? dlopen(nullptr, RTLD_NOW)
                                             : dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
    if (!dl) {
      SetLastError(ERROR_INVALID_HANDLE);
      return nullptr;
    }
    borrowed = true;
  }
  void* symbol = dlsym(dl, KpToUtf8(procName).c_str());
  if (borrowed) dlclose(dl);
  if (!symbol) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}
