#include "tests/hardening/bad_input_today.h"

#include <algorithm>

namespace bad_input {

void WriteItemRegistry(const e2e::TempDir& dir, const std::string& values) {
  e2e::WriteBytes(dir.file("registry.reg"),
                  "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Kalmeno]\n" + values + "\n");
}

std::string Quoted(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return "\"" + out + "\"";
}

std::string ItemValues(const std::string& dataFile, const std::string& exe) {
  return "\"DATA\"=" + Quoted(dataFile) + "\n\"EXE\"=" + Quoted(exe) + "\n\"DLL\"=" +
         Quoted(e2e::Built("today/libKalmenoTP.so")) + "\n";
}

TodayRun RunToday(const e2e::TempDir& dir, const std::string& now, const std::vector<std::string>& script) {
  std::string text;
  for (const std::string& line : script) text += line + "\n";
  e2e::WriteBytes(dir.file("today.script"), text);
  TodayRun run;
  run.result = e2e::Run(e2e::Built("host/kalmeno-today"), {},
                        {{"KALMENO_NOW", now},
                         {"KALMENO_REGISTRY", dir.file("registry.reg")},
                         {"KALMENO_TRACE", dir.file("today-trace.log")},
                         {"KALMENO_SCRIPT", dir.file("today.script")},
                         {"KALMENO_TODAY_REFRESH_MS", "200"},
                         {"XDG_RUNTIME_DIR", dir.path()}},
                        40000);
  run.trace = e2e::ReadTrace(dir.file("today-trace.log"));
  run.itemTexts = e2e::Texts(e2e::Select(run.trace, "text", "Kalmeno Today Plugin"));
  run.boxes = e2e::Select(run.trace, "msgbox");
  return run;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace bad_input
