// What the desktop knows the desktop window by: its title and icon, from the program's own
// resources (string AFX_IDS_APP_TITLE, icon AFX_IDI_STD_FRAME; the program file's name and no icon
// without them), and its window class (WM_CLASS), the program file's name, which the program's
// desktop entry names as its StartupWMClass so that the taskbar puts the window under it.
#include <QCoreApplication>
#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include "afxres.h"
#include "kp_platform.h"
#include "kp_resources.h"
#include "platform/ui/kp_ui_internal.h"
#include "platform/ui/wm_internal.h"

namespace kpwm {
namespace {

HINSTANCE ProgramInstance() { return GetModuleHandleW(nullptr); }

QString ProgramTitle() {
  const KpStringEntry* title = KpFindString(ProgramInstance(), AFX_IDS_APP_TITLE);
  if (title && title->text && title->text[0]) return KpQString(std::u16string(title->text));
  return QString::fromUtf8(KpProgramName());
}

QIcon ProgramIcon() {
  constexpr int kMaxSizes = 8;
  const KpImageEntry* entries[kMaxSizes];
  const int count = KpFindImages(ProgramInstance(), AFX_IDI_STD_FRAME, KP_IMAGE_ICON, entries, kMaxSizes);
  QIcon icon;
  for (int i = 0; i < std::min(count, kMaxSizes); ++i) {
    const QImage image = KpDecodeResourceImage(*entries[i]);
    if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

}  // namespace

void PrepareDesktopIdentity() {
  // The X window class is "instance, class"; Qt takes the instance from RESOURCE_NAME and the
  // class from the application's name. Both are set here, so that a program started under
  // another name (a link) is still recognised. Each program sets its own before its window.
  qputenv("RESOURCE_NAME", QByteArray(KpProgramName()));
}

void ApplyDesktopIdentity(QWidget* window) {
  QCoreApplication::setApplicationName(QString::fromUtf8(KpProgramName()));
  window->setWindowTitle(ProgramTitle());
  const QIcon icon = ProgramIcon();
  if (!icon.isNull()) window->setWindowIcon(icon);
}

}  // namespace kpwm
