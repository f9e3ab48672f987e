// A full repaint of the month view's client area (240 x 268): 130 texts in four fonts, mostly
// Korean, and 50 grid lines, into a 32-bit off-screen bitmap.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "windows.h"

namespace {

HFONT FontOf(LONG height, LONG weight) {
  LOGFONTW lf{};
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
  lf.lfHeight = height;
  lf.lfWeight = weight;
  return CreateFontIndirectW(&lf);
}

std::u16string Number(int n) {
  std::u16string s;
  for (char c : std::to_string(n)) s += static_cast<char16_t>(c);
  return s;
}

void BM_FullRepaint(benchmark::State& state) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP buffer = CreateCompatibleBitmap(dc, 240, 268);
  HGDIOBJ oldBitmap = SelectObject(dc, buffer);
  HFONT label = FontOf(-11, FW_NORMAL), lunar = FontOf(-9, FW_NORMAL), bold = FontOf(-13, FW_BOLD);
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  const char16_t* weekdays[] = {u"일", u"월", u"화", u"수", u"목", u"금", u"토"};
  const char16_t* labels[] = {u"설날", u"생일", u"회의", u"", u"병원", u"", u"제사"};
  const RECT client{0, 0, 240, 268};
  for (auto _ : state) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    int texts = 0;
    for (int i = 0; i < 7; ++i, ++texts) {
      RECT r{i * 34 + 10, 24, i * 34 + 34, 40};
      SetTextColor(dc, i == 0 ? RGB(255, 0, 0) : i == 6 ? RGB(0, 0, 255) : 0);
      DrawTextW(dc, weekdays[i], -1, &r, DT_SINGLELINE | DT_LEFT);
    }
    for (int row = 0; row < 7; ++row) {
      MoveToEx(dc, 0, 40 + row * 33, nullptr);
      LineTo(dc, 240, 40 + row * 33);
    }
    for (int col = 0; col < 8; ++col) {
      MoveToEx(dc, col * 34, 40, nullptr);
      LineTo(dc, col * 34, 238);
    }
    for (int cell = 0; cell < 42 && texts < 130; ++cell) {
      const int x = (cell % 7) * 34, y = 40 + (cell / 7) * 33;
      RECT day{x + 2, y - 1, x + 34, y + 33};
      SetTextColor(dc, cell % 7 == 0 ? RGB(255, 0, 0) : 0);
      const std::u16string n = Number(cell % 31 + 1);
      DrawTextW(dc, n.c_str(), -1, &day, DT_SINGLELINE);
      ++texts;
      HGDIOBJ old = SelectObject(dc, lunar);
      SetTextColor(dc, RGB(128, 128, 128));
      RECT l{x, y, x + 34, y + 35};
      DrawTextW(dc, u"03/15", -1, &l, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
      ++texts;
      SelectObject(dc, label);
      SetTextColor(dc, RGB(50, 50, 50));
      RECT lb{x, y, x + 34, y + 25};
      DrawTextW(dc, labels[cell % 7], -1, &lb, DT_SINGLELINE | DT_BOTTOM);
      ++texts;
      SelectObject(dc, old);
    }
    // The selection frame and the schedule panel's texts.
    HGDIOBJ oldPen = SelectObject(dc, red);
    const POINT ring[] = {{33, 72}, {33, 106}, {68, 106}, {68, 72}, {33, 72}};
    Polyline(dc, ring, 5);
    SelectObject(dc, oldPen);
    for (int k = 0; k < 5; ++k) {
      MoveToEx(dc, 17, 96 + k, nullptr);
      LineTo(dc, 221, 96 + k);
    }
    HGDIOBJ old = SelectObject(dc, bold);
    RECT title{23, 107, 216, 209};
    for (; texts < 127; ++texts) DrawTextW(dc, u"< 어머니 생신 >", -1, &title, DT_SINGLELINE | DT_CENTER);
    SelectObject(dc, lunar);
    RECT date{23, 127, 221, 209};
    DrawTextW(dc, u"2026년 03월 15일 (음01/27)", -1, &date, DT_SINGLELINE);
    SelectObject(dc, old);
    RECT memo{23, 172, 216, 209};
    DrawTextW(dc, u"오후 3시에 식당 예약, 꽃다발 준비하기", -1, &memo, DT_WORDBREAK);
    RECT line{23, 150, 120, 170};
    DrawTextW(dc, u"내일(화) 10:00 아주 길고 긴 일정 제목", -1, &line, DT_END_ELLIPSIS | DT_VCENTER);
    benchmark::DoNotOptimize(GetPixel(dc, 100, 100));
  }
  SelectObject(dc, oldBitmap);
  DeleteObject(buffer);
  DeleteDC(dc);
  DeleteObject(label);
  DeleteObject(lunar);
  DeleteObject(bold);
  DeleteObject(red);
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
