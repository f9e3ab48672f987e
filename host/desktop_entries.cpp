#include "host/desktop_entries.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

extern const unsigned char install_icon_icon_16[];
extern const unsigned long install_icon_icon_16_size;
extern const unsigned char install_icon_icon_32[];
extern const unsigned long install_icon_icon_32_size;
extern const unsigned char install_icon_icon_48[];
extern const unsigned long install_icon_icon_48_size;
extern const unsigned char install_icon_icon101_16[];
extern const unsigned long install_icon_icon101_16_size;
extern const unsigned char install_icon_icon101_32[];
extern const unsigned long install_icon_icon101_32_size;
extern const unsigned char install_icon_icon101_48[];
extern const unsigned long install_icon_icon101_48_size;

namespace {

struct Program {
  const char* id;             // file name of the program, its desktop entry, its icon and its window class
  const char* lines;          // the entry's names and descriptions
  struct Icon { int size; const unsigned char* bytes; const unsigned long* length; } icons[3];
};

// Kalmeno's icon is the program's own; the Today screen's is the icon of its Kalmeno item.
const Program kPrograms[] = {
    {"kalmeno",
     "Name=Kalmeno\nName[ko]=칼메노\nGenericName=Lunar Calendar\nGenericName[ko]=음력 달력\n"
     "Comment=A personal calendar with Korean lunar dates\nComment[ko]=음력 날짜를 함께 보는 개인 달력\n"
     "Keywords=calendar;lunar;schedule;달력;음력;일정;\n",
     {{16, install_icon_icon_16, &install_icon_icon_16_size},
      {32, install_icon_icon_32, &install_icon_icon_32_size},
      {48, install_icon_icon_48, &install_icon_icon_48_size}}},
    {"kalmeno-today",
     "Name=Kalmeno Today\nName[ko]=칼메노 오늘 화면\nGenericName=Today Screen\nGenericName[ko]=오늘 화면\n"
     "Comment=Today's lunar date and the coming entries\nComment[ko]=오늘의 음력 날짜와 다가오는 일정\n"
     "Keywords=calendar;lunar;today;reminder;달력;음력;오늘;알림;\n",
     {{16, install_icon_icon101_16, &install_icon_icon101_16_size},
      {32, install_icon_icon101_32, &install_icon_icon101_32_size},
      {48, install_icon_icon101_48, &install_icon_icon101_48_size}}},
};

fs::path BaseFolder(const char* variable, const char* fallbackUnderHome) {
  const char* value = std::getenv(variable);
  if (value && value[0] == '/') return value;
  const char* home = std::getenv("HOME");
  return fs::path(home ? home : "/") / fallbackUnderHome;
}

// A string value: the backslash is the escape character of the format.
std::string StringValue(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += "\\\\";
    else out += c;
  }
  return out;
}

// The program's path as the one argument of Exec: quoted, with the characters that are special
// inside quotes escaped, "%" doubled (field codes), then escaped as a string value.
std::string ExecValue(const std::string& path) {
  std::string quoted = "\"";
  for (char c : path) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  return StringValue(quoted + "\"");
}

bool WriteFile(const fs::path& path, const char* bytes, size_t length, std::vector<fs::path>& written) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  // A link left in the entry's place is replaced, never followed.
  if (fs::is_symlink(fs::symlink_status(path, error))) fs::remove(path, error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes, (std::streamsize)length);
  out.close();
  if (!out) {
    std::fprintf(stderr, "kalmeno-install: cannot write %s\n", path.c_str());
    return false;
  }
  written.push_back(path);
  return true;
}

bool WriteText(const fs::path& path, const std::string& text, std::vector<fs::path>& written) {
  return WriteFile(path, text.data(), text.size(), written);
}

}  // namespace

DesktopFolders UserDesktopFolders() {
  fs::path data = BaseFolder("XDG_DATA_HOME", ".local/share");
  fs::path config = BaseFolder("XDG_CONFIG_HOME", ".config");
  return DesktopFolders{data / "applications", data / "icons" / "hicolor", config / "autostart"};
}

std::string DesktopEntryText(const fs::path& prefix, bool todayScreen) {
  const Program& program = kPrograms[todayScreen ? 1 : 0];
  std::string path = (prefix / program.id).string();
  return std::string("[Desktop Entry]\nType=Application\nVersion=1.4\n") + program.lines +
         "Exec=" + ExecValue(path) + "\nTryExec=" + StringValue(path) + "\nIcon=" + program.id +
         "\nTerminal=false\nCategories=Office;Calendar;\n" +
         // The program's window class is its file name (the stand-in's desktop window sets it), so
         // the taskbar shows the window under this entry.
         "StartupWMClass=" + program.id + "\n";
}

bool WriteDesktopEntries(const fs::path& prefix, const DesktopFolders& folders, std::vector<fs::path>& written) {
  bool ok = true;
  for (const Program& program : kPrograms) {
    bool today = &program == &kPrograms[1];
    ok = WriteText(folders.applications / (std::string(program.id) + ".desktop"), DesktopEntryText(prefix, today),
                   written) && ok;
    for (const Program::Icon& icon : program.icons) {
      std::string size = std::to_string(icon.size);
      fs::path file = folders.icons / (size + "x" + size) / "apps" / (std::string(program.id) + ".png");
      ok = WriteFile(file, reinterpret_cast<const char*>(icon.bytes), *icon.length, written) && ok;
    }
  }
  return ok;
}

bool WriteAutostartEntry(const fs::path& prefix, const DesktopFolders& folders, std::vector<fs::path>& written) {
  return WriteText(folders.autostart / "kalmeno-today.desktop", DesktopEntryText(prefix, true), written);
}
