#include "tests/app/kalmeno_run.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>

namespace kalmeno_test {

namespace {

bool RectIs(const e2e::TraceLine& line, int left, int top, int right, int bottom) {
  if (line.fields.size() < 2) return false;
  int l = 0, t = 0, r = 0, b = 0;
  if (std::sscanf(line.fields[1].c_str(), "%d,%d,%d,%d", &l, &t, &r, &b) != 4) return false;
  return l == left && t == top && r == right && b == bottom;
}

}  // namespace

Kalmeno::Kalmeno() {
  program = dir.file("kalmeno");
  dataFile = dir.file("qmrv.dat");
  trace = dir.file("trace.txt");
  // A copy, not a link: the program finds its data file beside its own resolved path.
  std::filesystem::copy_file(e2e::Built("app/kalmeno"), program);
}

void Kalmeno::Run(const std::string& now, const std::vector<std::string>& script,
                  const std::map<std::string, std::string>& extraEnv) {
  const std::string scriptFile = dir.file("script.txt");
  std::string text;
  for (const std::string& line : script) text += line + "\n";
  e2e::WriteBytes(scriptFile, text);
  std::map<std::string, std::string> env{{"KALMENO_NOW", now},
                                         {"KALMENO_SCRIPT", scriptFile},
                                         {"KALMENO_TRACE", trace},
                                         {"KALMENO_REGISTRY", dir.file("registry.reg")}};
  for (const auto& [k, v] : extraEnv) env[k] = v;
  e2e::WriteBytes(trace, "");
  if (beforeStart) beforeStart();
  result = e2e::Run(program, {}, env);
  lines = e2e::ReadTrace(trace);
  EXPECT_FALSE(result.timedOut) << result.output;
}

std::string Tap(int x, int y) { return "tap " + std::to_string(x) + " " + std::to_string(y + kClientTop); }
std::string Hold(int x, int y) { return "hold " + std::to_string(x) + " " + std::to_string(y + kClientTop); }
std::string Down(int x, int y) { return "down " + std::to_string(x) + " " + std::to_string(y + kClientTop); }
std::string Up(int x, int y) { return "up " + std::to_string(x) + " " + std::to_string(y + kClientTop); }

int CellLeft(int i) { return 34 * (i % 7) + 1; }
int CellRight(int i) { return i % 7 == 6 ? 238 : 34 * (i % 7) + 33; }
int CellTop(int i) { return 40 + 38 * (i / 7); }
int CellBottom(int i) { return 76 + 38 * (i / 7); }
// Right of the day number, left of the counts, above the label: a pixel of the cell's background.
int CellX(int i) { return CellLeft(i) + 20; }
int CellY(int i) { return CellTop(i) + 4; }

std::vector<e2e::TraceLine> ViewTexts(const std::vector<e2e::TraceLine>& lines) {
  return e2e::Select(lines, "text", "102");
}

DrawnText LastTextAt(const std::vector<e2e::TraceLine>& lines, int left, int top, int right, int bottom) {
  DrawnText found;
  for (const e2e::TraceLine& line : ViewTexts(lines)) {
    if (!RectIs(line, left, top, right, bottom) || line.fields.size() < 5) continue;
    found.text = line.fields.back();
    found.colour = line.fields[3];
    found.found = true;
  }
  return found;
}

DrawnText DayNumberOf(const std::vector<e2e::TraceLine>& lines, int i) {
  return LastTextAt(lines, CellLeft(i) + 2, CellTop(i) - 1, CellRight(i), CellBottom(i));
}
DrawnText LabelOf(const std::vector<e2e::TraceLine>& lines, int i) {
  return LastTextAt(lines, CellLeft(i), CellTop(i), CellRight(i), CellBottom(i) - 8);
}
DrawnText LunarLabelOf(const std::vector<e2e::TraceLine>& lines, int i) {
  return LastTextAt(lines, CellLeft(i), CellTop(i), CellRight(i), CellBottom(i) + 2);
}
DrawnText TopCountOf(const std::vector<e2e::TraceLine>& lines, int i) {
  return LastTextAt(lines, CellLeft(i), CellTop(i), CellRight(i), CellBottom(i));
}
DrawnText LowerCountOf(const std::vector<e2e::TraceLine>& lines, int i) {
  return LastTextAt(lines, CellLeft(i), CellTop(i) + 8, CellRight(i), CellBottom(i));
}

std::string LastTitle(const std::vector<e2e::TraceLine>& lines) {
  static const std::regex title("^[0-9]{4}년[0-9]{2}월$");
  std::string last;
  for (const std::string& t : e2e::Texts(lines))
    if (std::regex_match(t, title)) last = t;
  return last;
}

std::vector<std::string> MessageBoxTexts(const std::vector<e2e::TraceLine>& lines) {
  std::vector<std::string> texts;
  for (const e2e::TraceLine& line : e2e::Select(lines, "msgbox"))
    if (!line.fields.empty()) texts.push_back(line.fields.back());
  return texts;
}

// Screenshots are read once each: a pixel-by-pixel comparison would otherwise decode the file
// for every pixel.
long ClientPixel(const std::string& png, int x, int y) {
  static std::map<std::string, QImage> images;
  auto it = images.find(png);
  if (it == images.end()) it = images.emplace(png, QImage(QString::fromStdString(png))).first;
  const QImage& image = it->second;
  y += kClientTop;
  if (image.isNull() || x < 0 || y < 0 || x >= image.width() || y >= image.height()) return -1;
  return static_cast<long>(image.pixel(x, y) & 0xFFFFFF);
}

namespace {
template <class Pred>
int CountPixels(const std::string& png, int left, int top, int right, int bottom, Pred pred) {
  int n = 0;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) {
      const long p = ClientPixel(png, x, y);
      if (p < 0) continue;
      if (pred((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)) ++n;
    }
  return n;
}
}  // namespace

int DifferingPixels(const std::string& a, const std::string& b, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x)
      if (ClientPixel(a, x, y) != ClientPixel(b, x, y)) ++n;
  return n;
}

int CountReddish(const std::string& png, int left, int top, int right, int bottom) {
  return CountPixels(png, left, top, right, bottom,
                     [](long r, long g, long b) { return r > 180 && g < 140 && b < 140 && r - g > 80; });
}
int CountBluish(const std::string& png, int left, int top, int right, int bottom) {
  return CountPixels(png, left, top, right, bottom,
                     [](long r, long g, long b) { return b > 180 && r < 140 && g < 140 && b - r > 80; });
}

}  // namespace kalmeno_test
