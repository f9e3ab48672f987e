#pragma once
// The drop-down windows of the combo box (its list) and of the date picker (a month calendar):
// top-level popups shown below their control (above it when the work area, the screen between the
// title bar and the menu bar, has no room below) that
// take the mouse until they close. A press outside closes them without doing anything else, like
// the platform's drop-downs; Escape closes them too. The control hears of the close through
// KPM_DROPDOWN_CLOSED.
#include "platform/controls/kp_control.h"

// Sent (wParam 0, lParam the popup) to the control when its drop-down has been closed.
#define KPM_DROPDOWN_CLOSED 0x03F1

// Creates and shows the popup of a registered drop-down class for the control, `width` x `height`
// pixels, its left edge on the control's left edge (right edge on the right edge when alignRight).
HWND KpOpenDropDown(LPCWSTR className, HWND control, int width, int height, bool alignRight);
// The most pixels a drop-down of the control can be high: the larger of the work area's room below
// and above it.
int KpDropDownRoom(HWND control);

class KpDropDown : public KpControl {
 public:
  using KpControl::KpControl;
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  // The control that opened the popup.
  HWND Owner() const { return m_owner; }
  // Presses and releases inside the popup, in its client coordinates.
  virtual void Press(int x, int y) {}
  virtual void Drag(int x, int y) {}
  virtual void Release(int x, int y) {}
  // Destroys the popup: nothing of the object may be touched afterwards.
  void Close();

 private:
  HWND m_owner = nullptr;
  bool m_pressed = false;
};
