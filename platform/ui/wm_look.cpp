// The look the window manager's own drawing shares: the title bar, the menu bar, popup menus and
// message boxes all use the system font (NanumGothic) and these colours.
#include "platform/ui/wm_internal.h"
#include "platform/ui/wm_look.h"

namespace kpwm {

QFont UiFont(int pixelHeight, bool bold) {
  QFont font(QStringLiteral("NanumGothic"));
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

std::string RectText(const QRect& r) {
  return std::to_string(r.left()) + "," + std::to_string(r.top()) + "," + std::to_string(r.left() + r.width()) + "," +
         std::to_string(r.top() + r.height());
}

}  // namespace kpwm
