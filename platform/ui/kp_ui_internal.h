#pragma once
// The seam between the window manager (windows, messages, screen, input) and the drawing half
// (device contexts and GDI objects) of the user-interface stand-in. Qt stays inside platform/.
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QString>
#include <cmath>
#include <string>

#include "windows.h"

// A device context draws into a pixel buffer owned by someone else: a window's client buffer
// (origin = where client (0,0) lies in the buffer, clip = the update region in client
// coordinates), a memory bitmap selected into a memory DC, or the screen.
// `window` is the window whose name appears in `text` trace lines (null: no trace line).
// The target is a 32-bit image (Format_RGB32 or Format_ARGB32_Premultiplied; any other format is
// converted in place); the QImage object must outlive the DC (its pixels may be replaced or
// resized between drawing calls). Drawing stays inside clip (an empty region draws nothing). The first DC needs the QGuiApplication: the drawing
// half calls KpInitialize when none exists yet.
HDC KpCreateDC(QImage* target, const QPoint& origin, const QRegion& clip, HWND window);
void KpDestroyDC(HDC dc);
// The DC's current target after SelectObject of a bitmap into a memory DC. Every drawing call is
// finished when it returns, so the pixels may be read or copied between calls.
QImage* KpDCImage(HDC dc);

// A Qt string holding exactly these UTF-16 units. QString::fromUtf16 (and fromStdU16String) take a
// leading U+FEFF or U+FFFE for a byte order mark: they drop it, or swap the bytes of every unit
// after it, so a title that happens to start with one would be shown as other characters.
inline QString KpQString(const char16_t* units, qsizetype count) {
  return QString(reinterpret_cast<const QChar*>(units), count);
}
inline QString KpQString(const std::u16string& text) { return KpQString(text.data(), (qsizetype)text.size()); }

// Screen pixels to device pixels at `scale` device pixels per screen pixel: an edge at v lies at
// round(v * scale), so rectangles that meet on the screen meet in device pixels too.
inline int KpDevice(int v, qreal scale) {
  return scale == 1 ? v : static_cast<int>(std::floor(v * scale + 0.5));
}
inline QRect KpDeviceRect(const QRect& r, qreal scale) {
  if (scale == 1) return r;
  return QRect(QPoint(KpDevice(r.left(), scale), KpDevice(r.top(), scale)),
               QPoint(KpDevice(r.left() + r.width(), scale) - 1, KpDevice(r.top() + r.height(), scale) - 1));
}
inline QSize KpDeviceSize(const QSize& s, qreal scale) {
  return QSize(KpDevice(s.width(), scale), KpDevice(s.height(), scale));
}

// The Qt font for a platform font (the system font for null), and its pixel metrics.
QFont KpQFont(HFONT font);
HFONT KpSystemFont();

// The window manager's side, used by the drawing half:
// the name of a window in trace lines (dialog template id, else class name), UTF-8.
std::string KpTraceNameOf(HWND window);
// The class background brush of a window (for WM_ERASEBKGND default processing).
HBRUSH KpClassBackground(HWND window);

// The drawing half's side, used by the window manager: the screen's dots per inch (KALMENO_DPI).
int KpScreenDpi();
// Decodes a module image resource (PNG/BMP) nearest to the requested size (0 = as stored).
QImage KpLoadResourceImage(HINSTANCE module, int id, int kind, int width, int height);
// One image resource's PNG or BMP bytes, decoded; a null image when they are neither.
QImage KpDecodeResourceImage(const struct KpImageEntry& entry);
QImage KpIconImage(HICON icon);
