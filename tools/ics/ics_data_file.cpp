#include "tools/ics/ics_data_file.h"

#include <filesystem>

#include "kp_platform.h"
#include "schedule/schedule_file.h"
#include "today/item_key.h"
#include "winreg.h"

namespace ics_tool {
namespace {

// The program holds the file while it reads or saves it, well under a second.
constexpr int kReadAttempts = 40;
constexpr DWORD kReadRetryMs = 50;


// The installed data file's host path, or an empty string and the reason in `error`.
std::string InstalledDataPath(std::string& error) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    error = "설치된 Kalmeno가 없습니다 (레지스트리에 Today 항목이 없음): 일정 파일을 인자로 주세요";
    return {};
  }
  WCHAR value[MAX_PATH + 1] = {};
  DWORD type = 0, size = sizeof(value) - sizeof(WCHAR);
  const LONG status = RegQueryValueExW(key, u"DATA", nullptr, &type, reinterpret_cast<LPBYTE>(value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ || value[0] == 0) {
    error = "레지스트리의 Today 항목에 일정 파일의 경로(DATA)가 없습니다: 일정 파일을 인자로 주세요";
    return {};
  }
  return KpHostPath(value);
}

std::string ErrorForOpen(DWORD code) {
  switch (code) {
    case ERROR_SHARING_VIOLATION: return "다른 프로그램(Kalmeno)이 쓰고 있어 읽지 못했습니다. 잠시 뒤 다시 하세요";
    case ERROR_ACCESS_DENIED: return "읽을 권한이 없습니다";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return "파일이 없습니다";
    default: return "읽지 못했습니다";
  }
}

}  // namespace

DataFile ReadDataFile(const std::string& path) {
  DataFile file;
  file.path = path.empty() ? InstalledDataPath(file.error) : path;
  if (file.path.empty()) return file;

  namespace fs = std::filesystem;
  std::error_code failure;
  const fs::file_status status = fs::status(file.path, failure);
  if (status.type() == fs::file_type::not_found) {
    file.error = file.path + ": 파일이 없습니다";
    return file;
  }
  if (status.type() == fs::file_type::directory) {
    file.error = file.path + ": 파일이 아니라 폴더입니다";
    return file;
  }
  if (!failure && status.type() != fs::file_type::regular) {
    file.error = file.path + ": 일반 파일이 아닙니다 (FIFO, 장치 등은 읽지 않습니다)";
    return file;
  }
  const std::uintmax_t size = fs::file_size(file.path, failure);
  if (!failure) file.fragmentBytes = static_cast<unsigned long>(size % SCHEDULE_RECORD_SIZE);

  const std::u16string platformPath = KpFromUtf8(file.path);
  for (int attempt = 1;; ++attempt) {
    if (ReadScheduleFile(platformPath.c_str(), file.entries, false) == 0) return file;
    const DWORD code = GetLastError();
    if (code != ERROR_SHARING_VIOLATION || attempt == kReadAttempts) {
      file.error = file.path + ": " + ErrorForOpen(code);
      return file;
    }
    Sleep(kReadRetryMs);
  }
}

}  // namespace ics_tool
