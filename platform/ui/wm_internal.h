#pragma once
// The window manager's own state, shared by its files (windows, messages, painting, input, screen,
// menus, shell). Nothing outside platform/ui includes this.
#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "kp_platform.h"
#include "windows.h"

class QWidget;

namespace kpwm {

// The platform's monotonic clock: the real one, or a stepped one that tests move (KpUseSteppedClock).
struct Clock {
  using duration = std::chrono::steady_clock::duration;
  using rep = duration::rep;
  using period = duration::period;
  using time_point = std::chrono::steady_clock::time_point;
  static constexpr bool is_steady = true;
  static time_point now() { return time_point(std::chrono::microseconds(KpMonotonicMicros())); }
};

struct WindowClass {
  std::u16string name;
  HINSTANCE instance = nullptr;   // null: a global class (the built-in controls)
  WNDCLASSW info{};
};

// What a window is to the screen beyond its style: our own helper windows (menu bar, popup menu,
// message box) never become the active window that the title bar and the script address.
enum class Role { Normal, MenuBar, PopupMenu, MessageBox, Notification };

struct Window {
  const WindowClass* windowClass = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  Window* parent = nullptr;      // child windows
  Window* owner = nullptr;       // top-level windows
  std::vector<Window*> children; // creation order: the first is the top of the z-order
  QRect rect;                    // parent's client coordinates (child) or screen (top-level)
  std::u16string text;
  LONG_PTR id = 0;
  LONG_PTR userData = 0;
  std::map<int, LONG_PTR> extra;  // the class's extra window bytes, by offset
  int extraBytes = 0;
  HINSTANCE instance = nullptr;
  QImage buffer;                 // the client area's pixels, kept between paints
  QRegion update;                // client coordinates
  bool eraseOnPaint = false;
  std::string traceName;         // set by the dialog manager; else the class name
  Role role = Role::Normal;
  bool destroying = false;
  unsigned paintCount = 0;       // BeginPaint calls, to notice a WM_PAINT handler that never validates
  void* roleData = nullptr;      // the helper window's own state (menu bar, popup, message box)
};

inline Window* From(HWND handle);
inline HWND Handle(Window* window) { return reinterpret_cast<HWND>(window); }

// ---- Classes (wm_classes.cpp)
const WindowClass* FindClass(LPCWSTR name, HINSTANCE instance);

// ---- Windows (wm_windows.cpp)
bool IsLive(const Window* window);
Window* FromHandle(HWND handle);             // null when not a live window
const std::vector<Window*>& TopLevels();     // bottom to top
bool IsVisibleOnScreen(const Window* window);  // itself and every ancestor visible
bool IsEnabledForInput(const Window* window);  // itself and every ancestor enabled
QPoint ClientOriginOnScreen(const Window* window);
QRect ScreenRect(const Window* window);
// The window that script commands, the keyboard and GetActiveWindow address: the most recently
// shown enabled top-level window, an open message box included.
Window* ActiveTopLevel();
// The application window whose caption the title bar and whose menu bar the bottom rows show
// (a message box or a control's drop-down over it leaves both in place).
Window* CaptionWindow();
Window* TopLevelOf(Window* window);
void BringToTop(Window* topLevel);
// Makes a freshly created (hidden) window one of our helper windows, above the others.
void RegisterRoleWindow(Window* window, Role role, void* data);
// Invalidates, erasing, what lies under `screenArea` in the windows below `above` (null: all).
void ExposeBelow(const Window* above, const QRegion& screenArea);

// ---- Painting (wm_paint.cpp)
void InvalidateClient(Window* window, const QRegion& region, bool erase);
void ResizeBuffer(Window* window);
Window* NextWindowToPaint(HWND filter);

// ---- Messages (wm_messages.cpp)
void DropMessagesFor(const Window* window);
// Fetches the next message like GetMessageW / PeekMessageW; waits until `deadline` at most when
// `wait` (returns false when nothing arrived by then).
bool Fetch(MSG* msg, HWND filter, UINT first, UINT last, bool remove, bool wait, Clock::time_point deadline);
Clock::time_point Forever();
bool HasPostedMessage(UINT message);
void Post(const MSG& msg);
void PutBack(const MSG& msg);   // to the front of the queue
DWORD Now();

// ---- Timers (wm_timers.cpp)
bool NextDueTimer(HWND filter, UINT first, UINT last, bool remove, MSG* msg);
// The earliest due time of a timer, or of one due after `after`.
Clock::time_point EarliestTimer(Clock::time_point after = Clock::time_point::min());
void KillTimersOf(const Window* window);

// ---- Input (wm_input.cpp)
// The one input path: the desktop window's mouse and the script's taps both come here.
void StylusDown(QPoint screenPoint);
void StylusMove(QPoint screenPoint);
void StylusUp(QPoint screenPoint);
bool StylusIsDown();
void KeyDown(int virtualKey);
void TypeText(const std::u16string& text);
// The window that keys and typed text go to: the focus window, else the active one; null when
// it takes no input.
Window* KeyTarget();

// ---- Input method (wm_ime.cpp)
// What an input method delivers: the text now being composed (empty: none) and the text it
// commits first (empty: none). The key target gets the composition messages.
void InputMethodText(const std::u16string& preedit, const std::u16string& commit);
// The focus moves: what is being composed is committed where it was being composed, and the
// desktop's input method starts afresh.
void CompleteComposition();
// Where the focus window last said its caret is, on the screen; empty when it said nothing.
QRect InputMethodCaretOnScreen();
void ForgetWindowInInput(const Window* window);
Window* FocusWindow();

// ---- Screen (wm_screen.cpp)
void EnsureStarted();
int ScreenWidth();
int ScreenHeight();
inline int TitleBarHeight() { return 26; }
inline int MenuBarHeight() { return 26; }
QRect WorkArea();
void MarkScreenDirty();
const QImage& ComposeScreen();
void ProcessHostEvents(int waitMs);   // waitMs < 0: wait for something, 0: do not wait
QRect CaptionOkButtonRect();

// ---- Device pixels (wm_screen_scale.cpp)
// The desktop's device pixels per screen pixel (its device pixel ratio), the user's zoom in
// percent, and the two together: the device pixels per screen pixel of every window buffer and
// of the composed screen.
qreal DeviceRatio();
int ZoomPercent();
qreal ScreenScale();
// The desktop window moved to a screen of another density.
void SetDeviceRatio(qreal ratio);
// Ctrl + (direction > 0), Ctrl - (< 0), Ctrl 0 (0: back to the size that fits, forgotten).
// Remembered per program and user; true when the zoom changed.
bool StepZoom(int direction);

// ---- The desktop window (wm_desktop_window.cpp)
void CreateDesktopWindow();
void ScheduleDesktopRepaint();   // shows the composited screen soon
void DesktopScaleChanged();      // the window takes the new zoom's size
// The desktop window's title, icon and window class (wm_desktop_identity.cpp): the first before
// the application object exists, the second for the window.
void PrepareDesktopIdentity();
void ApplyDesktopIdentity(QWidget* window);
void PaintTitleBar(QImage& screen);

// ---- Script (wm_script.cpp)
void StartScriptOnce();
// The desktop window's close button (and the script's `close`): closes the windows top first.
void RequestClose();
// Called when the queue is idle: takes the close request's next step. True when it acted.
bool ContinueClose();
// SIGTERM and SIGHUP end the session: WM_ENDSESSION to every window, then the process ends.
void InstallSessionEndSignals();
// Runs the next script command when one is due; returns true when it did something.
bool RunScriptStep();
Clock::time_point ScriptDeadline();
// With a stepped clock: when the script's current wait ends (the clock may be carried there), or
// Forever() when the script does not wait on time.
Clock::time_point ScriptWaitEnd();

// ---- Trace lines (wm_trace.cpp)
std::string NameOf(const Window* window);   // dialog template id, else class name
void TraceWindowPlacement(Window* window);  // when it is shown, moved or sized
void TracePaint(const Window* window, const QRect& updateBounds);
void TraceMenuItem(const QRect& onScreen, UINT_PTR id, const std::u16string& text);
void TraceMessageBox(const std::u16string& caption, const std::u16string& text);

// ---- The shell's own notification bubble (wm_notification_bubble.cpp)
// Shows a notification over the screen until a tap on it dismisses it; newer ones cover older ones.
void ShowNotificationBubble(const std::u16string& title, const std::u16string& text);

// ---- Helpers' fonts and colours (wm_look.cpp)
QFont UiFont(int pixelHeight, bool bold = false);
std::string RectText(const QRect& rect);     // "l,t,r,b" (right and bottom exclusive)

inline Window* From(HWND handle) { return reinterpret_cast<Window*>(handle); }

}  // namespace kpwm
