#pragma once
// The base of the built-in and common controls: one object per control window, created with the
// window and destroyed with it, reached from the class's window procedure. The controls draw
// themselves with the platform's own drawing functions into their window's buffer and take input
// from the mouse and keyboard messages, exactly like an application's custom window.
#include <string>

#include "kp_platform.h"
#include "windows.h"

class KpControl {
 public:
  explicit KpControl(HWND window) : m_hwnd(window) {}
  virtual ~KpControl() = default;
  KpControl(const KpControl&) = delete;
  KpControl& operator=(const KpControl&) = delete;

  // Messages every control answers alike (font, text, painting); the rest goes to DefWindowProcW.
  virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  HWND Window() const { return m_hwnd; }

 protected:
  virtual void Paint(HDC dc, const RECT& client) = 0;
  // The window's text changed through WM_SETTEXT (or at creation).
  virtual void TextChanged() {}

  DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(m_hwnd, GWL_STYLE)); }
  int Id() const { return GetDlgCtrlID(m_hwnd); }
  RECT Client() const;
  HFONT Font() const;
  void Redraw() { InvalidateRect(m_hwnd, nullptr, FALSE); }

  // WM_COMMAND (id, code) to the parent.
  void NotifyCommand(WORD code);
  // WM_NOTIFY to the parent; header's hwndFrom, idFrom and code are filled in here.
  LRESULT NotifyParent(NMHDR* header, UINT code);
  // Sets the DC's default colours for the control, then lets the parent change them through
  // WM_CTLCOLOR...; returns the parent's brush, or null when the parent left it to the default.
  HBRUSH AskParentColours(UINT ctlColorMessage, HDC dc, COLORREF text, COLORREF back);
  // The sunken field of an edit-like control (combo box, date picker): colours from the parent's
  // WM_CTLCOLOREDIT, border, background. Returns the rectangle inside the border.
  RECT PaintField(HDC dc, const RECT& client);

  // Keeps the window manager's copy of the text in step with the control's own (GetWindowTextW may
  // read either).
  void StoreWindowText(const std::u16string& text);

  HWND m_hwnd;
  std::u16string m_text;
  HFONT m_font = nullptr;
};

// Dispatches a control class's messages to its object, creating it on the first message and
// deleting it after WM_NCDESTROY.
template <class T>
LRESULT KpControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The object of a control window (null when the window is not a control of these classes).
KpControl* KpControlOf(HWND window);
void KpAttachControl(HWND window, KpControl* control);
void KpDetachControl(HWND window);

template <class T>
LRESULT KpControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  KpControl* control = KpControlOf(window);
  if (!control) {
    if (message == WM_NCDESTROY) return DefWindowProcW(window, message, wParam, lParam);
    control = new T(window);
    KpAttachControl(window, control);
  }
  LRESULT result = control->Handle(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    KpDetachControl(window);
    delete control;
  }
  return result;
}

// Registers a global class (hInstance null) whose windows are controls of type T.
ATOM KpRegisterControlClass(LPCWSTR className, WNDPROC proc, HBRUSH background = nullptr);
