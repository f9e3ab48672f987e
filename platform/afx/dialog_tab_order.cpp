// The order in which Tab visits a dialog's controls: as the dialog shows them, row by row from the
// top and from left to right within a row, whatever order they were created in.
#include <algorithm>

#include "platform/afx/kp_dialog_internal.h"

namespace {

struct Stop {
  HWND window;
  RECT rect;
};

bool TakesTheFocusByTab(HWND child) {
  const LONG style = GetWindowLongW(child, GWL_STYLE);
  return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

}  // namespace

std::vector<HWND> KpTabStops(HWND dialog) {
  std::vector<Stop> stops;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!TakesTheFocusByTab(child)) continue;
    Stop stop{child, {}};
    GetWindowRect(child, &stop.rect);
    stops.push_back(stop);
  }
  // stable: controls at the same place keep their creation order.
  std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) { return a.rect.top < b.rect.top; });
  // A control whose top lies above the middle of a row's first control stands in that row (a combo
  // box one pixel higher than the picker beside it is still beside it).
  std::vector<HWND> order;
  for (size_t rowStart = 0; rowStart < stops.size();) {
    const RECT& first = stops[rowStart].rect;
    const LONG middle = (first.top + first.bottom) / 2;
    size_t rowEnd = rowStart + 1;
    while (rowEnd < stops.size() && stops[rowEnd].rect.top < middle) ++rowEnd;
    std::stable_sort(stops.begin() + static_cast<long>(rowStart), stops.begin() + static_cast<long>(rowEnd),
                     [](const Stop& a, const Stop& b) { return a.rect.left < b.rect.left; });
    for (size_t i = rowStart; i < rowEnd; ++i) order.push_back(stops[i].window);
    rowStart = rowEnd;
  }
  return order;
}

HWND KpFirstTabStop(HWND dialog) {
  std::vector<HWND> stops = KpTabStops(dialog);
  return stops.empty() ? nullptr : stops.front();
}
