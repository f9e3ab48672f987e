// Module handles and paths. A module handle is the load address the dynamic loader reports for
// the program or a library (dladdr's dli_fbase), so any address inside a module leads to it.
#include "kp_platform.h"
#include "kp_resources.h"
#include "platform/core/kp_core_internal.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <sys/auxv.h>
#include <unistd.h>

namespace {

std::string ProgramFilePath() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return std::string();
  return std::string(buffer, static_cast<size_t>(n));
}

// The main program's handle: the program headers lie inside the program's own image.
HMODULE ProgramModule() {
  static HMODULE module = KpModuleOfAddress(reinterpret_cast<const void*>(getauxval(AT_PHDR)));
  return module;
}

struct NameSearch {
  std::string wanted;   // base name, as given
  const void* address = nullptr;
};

int MatchLoadedObject(struct dl_phdr_info* info, size_t, void* data) {
  auto* search = static_cast<NameSearch*>(data);
  if (!info->dlpi_name || !*info->dlpi_name) return 0;
  const char* base = std::strrchr(info->dlpi_name, '/');
  base = base ? base + 1 : info->dlpi_name;
  if (search->wanted != base && search->wanted != info->dlpi_name) return 0;
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    if (info->dlpi_phdr[i].p_type == PT_LOAD) {
      search->address = reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr);
      return 1;
    }
  }
  return 0;
}

}  // namespace

HINSTANCE KpModuleOfAddress(const void* address) {
  Dl_info info;
  if (!address || dladdr(address, &info) == 0) return nullptr;
  return info.dli_fbase;
}

HMODULE GetModuleHandleW(LPCWSTR name) {
  if (!name) return ProgramModule();
  NameSearch search;
  search.wanted = KpHostPath(name);
  dl_iterate_phdr(MatchLoadedObject, &search);
  if (!search.address) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  return KpModuleOfAddress(search.address);
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
  std::string path;
  if (!module || module == ProgramModule()) {
    path = ProgramFilePath();
  } else {
    Dl_info info;
    if (dladdr(module, &info) != 0 && info.dli_fname && info.dli_fbase == module) {
      char resolved[PATH_MAX];
      path = realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
    }
  }
  if (path.empty()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (!buffer || size == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (path.find('\\') != std::string::npos) {
    SetLastError(ERROR_BAD_PATHNAME);
    return 0;
  }
  std::u16string handheld = KpHandheldPath(path);
  // Too small a buffer gets the path cut and terminated, and the full size is reported.
  DWORD n = static_cast<DWORD>(handheld.size());
  if (n >= size) {
    lstrcpynW(buffer, handheld.c_str(), static_cast<int>(size));
    SetLastError(ERROR_MORE_DATA);
    return size;
  }
  lstrcpyW(buffer, handheld.c_str());
  SetLastError(ERROR_SUCCESS);
  return n;
}

const char* KpProgramName() {
  static const std::string name = [] {
    std::string path = ProgramFilePath();
    std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
  }();
  return name.c_str();
}
