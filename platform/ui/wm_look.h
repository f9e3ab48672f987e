#pragma once
// Colours of the window manager's own parts of the screen.
#include <QColor>

namespace kpwm::look {

inline const QColor kTitleTop(40, 92, 180);
inline const QColor kTitleBottom(18, 52, 124);
inline const QColor kTitleText(255, 255, 255);
inline const QColor kBarBack(44, 52, 76);
inline const QColor kBarText(255, 255, 255);
inline const QColor kBarPressed(0, 84, 227);
inline const QColor kDesktop(236, 240, 248);
inline const QColor kMenuBack(255, 255, 255);
inline const QColor kMenuBorder(90, 90, 90);
inline const QColor kMenuText(0, 0, 0);
inline const QColor kMenuGrayed(150, 150, 150);
inline const QColor kHighlight(0, 84, 227);
inline const QColor kHighlightText(255, 255, 255);
inline const QColor kBoxFace(212, 208, 200);

}  // namespace kpwm::look
