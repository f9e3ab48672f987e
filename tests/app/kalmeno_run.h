#pragma once
// Runs the real program in a folder of its own (the data file lies beside the program, so the
// binary is copied there) and reads back what it drew.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/support/e2e.h"
#include "tests/support/records.h"

namespace kalmeno_test {

// The month view's client area starts below the 26-pixel title bar of the screen.
constexpr int kClientTop = 26;


struct Kalmeno {
  e2e::TempDir dir;
  std::string program;     // the copy of the program in dir
  std::string dataFile;    // dir/qmrv.dat
  std::string trace;       // dir/trace.txt
  e2e::RunResult result;
  std::vector<e2e::TraceLine> lines;
  // Called once the script and an empty trace file are in place, just before the program starts.
  std::function<void()> beforeStart;

  Kalmeno();
  // Runs the program with the clock at `now` and the script lines; extra environment optional.
  void Run(const std::string& now, const std::vector<std::string>& script,
           const std::map<std::string, std::string>& extraEnv = {});
  std::string Shot(const std::string& name) const { return dir.file(name); }
};

// Script commands in client coordinates of the month view.
std::string Tap(int x, int y);
std::string Hold(int x, int y);
std::string Down(int x, int y);
std::string Up(int x, int y);
// A point inside cell i (away from its texts).
int CellX(int i);
int CellY(int i);

// The text lines the month view drew, in order.
std::vector<e2e::TraceLine> ViewTexts(const std::vector<e2e::TraceLine>& lines);
struct DrawnText {
  std::string text;
  std::string colour;   // "#rrggbb"
  bool found = false;
};
// The last text drawn at the rectangle, in the month view.
DrawnText LastTextAt(const std::vector<e2e::TraceLine>& lines, int left, int top, int right, int bottom);
// The day number last drawn in cell i ("" when none), and its colour.
DrawnText DayNumberOf(const std::vector<e2e::TraceLine>& lines, int i);
// The entry label, solar count, lunar count (at the top or 8 px lower) and lunar label of cell i.
DrawnText LabelOf(const std::vector<e2e::TraceLine>& lines, int i);
DrawnText LunarLabelOf(const std::vector<e2e::TraceLine>& lines, int i);
DrawnText TopCountOf(const std::vector<e2e::TraceLine>& lines, int i);
DrawnText LowerCountOf(const std::vector<e2e::TraceLine>& lines, int i);
// The title text last drawn anywhere that looks like "YYYY년MM월".
std::string LastTitle(const std::vector<e2e::TraceLine>& lines);
// The texts of message boxes, in order.
std::vector<std::string> MessageBoxTexts(const std::vector<e2e::TraceLine>& lines);

// Cell rectangles, inclusive client pixels.
int CellLeft(int i);
int CellTop(int i);
int CellRight(int i);
int CellBottom(int i);

// A screenshot pixel at a client point.
long ClientPixel(const std::string& png, int x, int y);
// How many pixels of the client rectangle (inclusive) differ between two screenshots.
int DifferingPixels(const std::string& a, const std::string& b, int left, int top, int right, int bottom);
// How many pixels of the client rectangle (inclusive) are "mostly" of the colour: red, blue.
int CountReddish(const std::string& png, int left, int top, int right, int bottom);
int CountBluish(const std::string& png, int left, int top, int right, int bottom);

}  // namespace kalmeno_test
