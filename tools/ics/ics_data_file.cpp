#include "tools/ics/ics_data_file.h"

#include "schedule/data_file.h"
#include "tools/common/utf8_text.h"

namespace ics_tool {
namespace {

const char* ErrorFor(DataFileRead outcome) {
  switch (outcome) {
    case DataFileRead::Held: return "다른 프로그램(Kalmeno)이 쓰고 있어 읽지 못했습니다. 잠시 뒤 다시 하세요";
    case DataFileRead::Missing: return "파일이 없습니다";
    case DataFileRead::Folder: return "파일이 아니라 폴더입니다";
    case DataFileRead::NotAFile: return "일반 파일이 아닙니다 (FIFO, 장치 등은 읽지 않습니다)";
    case DataFileRead::Denied: return "읽을 권한이 없습니다";
    default: return "읽지 못했습니다";
  }
}

}  // namespace

DataFile ReadDataFile(const std::string& path) {
  DataFile file;
  std::u16string platformPath = tool_text::Utf16(path);
  if (path.empty()) {
    WCHAR value[MAX_PATH];
    switch (ReadItemKeyValue(u"DATA", value, MAX_PATH)) {
      case ItemValue::NoKey:
        file.error = "설치된 Kalmeno가 없습니다 (레지스트리에 Today 항목이 없음): 일정 파일을 인자로 주세요";
        return file;
      case ItemValue::Missing:
        file.error = "레지스트리의 Today 항목에 일정 파일의 경로(DATA)가 없습니다: 일정 파일을 인자로 주세요";
        return file;
      case ItemValue::Found: break;
    }
    platformPath = value;
  }
  file.path = tool_text::HostPath(platformPath);
  const DataFileRead outcome =
      ::ReadDataFile(platformPath.c_str(), file.entries, HeldFile::WaitBriefly, false, &file.fragmentBytes);
  if (outcome != DataFileRead::Read) file.error = file.path + ": " + ErrorFor(outcome);
  return file;
}

}  // namespace ics_tool
