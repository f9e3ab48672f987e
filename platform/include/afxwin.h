#pragma once
// The dialog framework the program is written in: application object, windows and dialogs with
// message maps, data exchange, drawing objects, control wrappers, strings and arrays.
#include <string>
#include <vector>
#include "aygshell.h"
#include "windows.h"

#define afx_msg
class CWnd;
class CDC;

// ---- Errors ---------------------------------------------------------------------------------
// The framework's invalid-argument error: it shows "Invalid argument." captioned with the
// application name and ends the process with exit code 3 (the stand-in has no exception handler
// of its own around the message loop).
[[noreturn]] void AfxThrowInvalidArgException();

// ---- CString --------------------------------------------------------------------------------
class CString {
 public:
  CString() = default;
  CString(LPCWSTR text) : m_str(text ? text : u"") {}
  CString(LPCWSTR text, int count) : m_str(text, static_cast<size_t>(count)) {}
  CString(const std::u16string& text) : m_str(text) {}
  int GetLength() const { return static_cast<int>(m_str.size()); }
  BOOL IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  operator LPCWSTR() const { return m_str.c_str(); }
  LPCWSTR GetString() const { return m_str.c_str(); }
  WCHAR GetAt(int i) const { return m_str.at(static_cast<size_t>(i)); }
  WCHAR operator[](int i) const { return GetAt(i); }
  CString& operator=(LPCWSTR text) { m_str = text ? text : u""; return *this; }
  CString& operator+=(LPCWSTR text) { m_str += text ? text : u""; return *this; }
  CString& operator+=(WCHAR ch) { m_str += ch; return *this; }
  friend CString operator+(const CString& a, LPCWSTR b) { CString r(a); r += b; return r; }
  bool operator==(LPCWSTR other) const { return m_str == (other ? other : u""); }
  bool operator!=(LPCWSTR other) const { return !(*this == other); }
  // The same conversions as wsprintfW, without its 1024-unit limit.
  void Format(LPCWSTR format, ...);
  CString Left(int count) const;
  CString Mid(int first, int count = -1) const;
  // A writable buffer of at least minLength units plus a terminator; ReleaseBuffer takes the text
  // up to its first NUL (or newLength units).
  LPWSTR GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = -1);
  const std::u16string& str() const { return m_str; }
 private:
  std::u16string m_str;
};

// ---- CArray ---------------------------------------------------------------------------------
// A growable array. GetAt / operator[] / RemoveAt check the index and raise the framework's
// invalid-argument error instead of reaching outside.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray {
 public:
  INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  BOOL IsEmpty() const { return m_data.empty(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }
  void SetSize(INT_PTR newSize, INT_PTR growBy = -1) {
    if (newSize < 0) AfxThrowInvalidArgException();
    m_data.resize(static_cast<size_t>(newSize));
  }
  INT_PTR Add(ARG_TYPE element) { m_data.push_back(element); return GetSize() - 1; }
  const TYPE& GetAt(INT_PTR i) const { Check(i); return m_data[static_cast<size_t>(i)]; }
  TYPE& ElementAt(INT_PTR i) { Check(i); return m_data[static_cast<size_t>(i)]; }
  void SetAt(INT_PTR i, ARG_TYPE element) { Check(i); m_data[static_cast<size_t>(i)] = element; }
  const TYPE& operator[](INT_PTR i) const { return GetAt(i); }
  TYPE& operator[](INT_PTR i) { return ElementAt(i); }
  void RemoveAt(INT_PTR i, INT_PTR count = 1) {
    if (i < 0 || count < 0 || i + count > GetSize()) AfxThrowInvalidArgException();
    m_data.erase(m_data.begin() + i, m_data.begin() + i + count);
  }
  void InsertAt(INT_PTR i, ARG_TYPE element) {
    if (i < 0 || i > GetSize()) AfxThrowInvalidArgException();
    m_data.insert(m_data.begin() + i, element);
  }
  // Empties the array and releases its storage.
  void RemoveAll() { std::vector<TYPE>().swap(m_data); }
  TYPE* GetData() { return m_data.data(); }
  const TYPE* GetData() const { return m_data.data(); }
 private:
  void Check(INT_PTR i) const { if (i < 0 || i >= GetSize()) AfxThrowInvalidArgException(); }
  std::vector<TYPE> m_data;
};

// ---- Geometry -------------------------------------------------------------------------------
class CPoint : public POINT {
 public:
  CPoint() { x = 0; y = 0; }
  CPoint(int ix, int iy) { x = ix; y = iy; }
  CPoint(POINT p) { x = p.x; y = p.y; }
  CPoint(LPARAM lParam) { x = GET_X_LPARAM(lParam); y = GET_Y_LPARAM(lParam); }
};
class CRect : public RECT {
 public:
  CRect() { left = top = right = bottom = 0; }
  CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
  CRect(const RECT& r) { left = r.left; top = r.top; right = r.right; bottom = r.bottom; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CPoint TopLeft() const { return CPoint(left, top); }
  void InflateRect(int dx, int dy) { left -= dx; top -= dy; right += dx; bottom += dy; }
  void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
  BOOL PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }
};
class CSize : public SIZE {
 public:
  CSize() { cx = cy = 0; }
  CSize(int w, int h) { cx = w; cy = h; }
};

// ---- Run-time class information -------------------------------------------------------------
struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  const CRuntimeClass* m_pBaseClass;
};
#define RUNTIME_CLASS(cls) (&cls::class##cls)
#define DECLARE_DYNAMIC(cls)                                 \
 public:                                                     \
  static const CRuntimeClass class##cls;                     \
  const CRuntimeClass* GetRuntimeClass() const override;
#define IMPLEMENT_DYNAMIC(cls, base)                                                      \
  const CRuntimeClass cls::class##cls = {#cls, sizeof(cls), RUNTIME_CLASS(base)};         \
  const CRuntimeClass* cls::GetRuntimeClass() const { return RUNTIME_CLASS(cls); }

class CObject {
 public:
  static const CRuntimeClass classCObject;
  virtual ~CObject() = default;
  virtual const CRuntimeClass* GetRuntimeClass() const;
  BOOL IsKindOf(const CRuntimeClass* cls) const;
};

// ---- Message maps ---------------------------------------------------------------------------
// Each entry carries a small function that unpacks the message and calls the handler, so a
// handler is called with the argument types of its message.
typedef LRESULT (*AFX_PMSG_THUNK)(CWnd* self, UINT message, WPARAM wParam, LPARAM lParam);
struct AFX_MSGMAP_ENTRY {
  UINT nMessage;   // window message; AFX_WM_CTLCOLOR stands for every WM_CTLCOLOR... message
  UINT nCode;      // notification code of WM_COMMAND
  UINT nID;        // control / command id of WM_COMMAND
  AFX_PMSG_THUNK pfn;
};
struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};
#define AFX_WM_CTLCOLOR 0xFFFF0001u
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6

#define DECLARE_MESSAGE_MAP()                              \
 protected:                                                \
  static const AFX_MSGMAP* GetThisMessageMap();            \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                     \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                \
    [[maybe_unused]] typedef theClass ThisClass;                                                  \
    typedef baseClass TheBaseClass;                                                \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                               \
  {0, 0, 0, nullptr}};                                                                  \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                   \
  }

#define KP_THUNK(body) [](CWnd* w_, UINT m_, WPARAM wp_, LPARAM lp_) -> LRESULT { (void)m_; (void)wp_; (void)lp_; body }
#define ON_WM_PAINT() {WM_PAINT, 0, 0, KP_THUNK(static_cast<ThisClass*>(w_)->OnPaint(); return 0;)},
#define ON_WM_SIZE() {WM_SIZE, 0, 0, KP_THUNK(static_cast<ThisClass*>(w_)->OnSize((UINT)wp_, LOWORD(lp_), HIWORD(lp_)); return 0;)},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, KP_THUNK(static_cast<ThisClass*>(w_)->OnDestroy(); return 0;)},
#define ON_WM_LBUTTONDOWN() {WM_LBUTTONDOWN, 0, 0, KP_THUNK(static_cast<ThisClass*>(w_)->OnLButtonDown((UINT)wp_, CPoint(lp_)); return 0;)},
#define ON_WM_LBUTTONUP() {WM_LBUTTONUP, 0, 0, KP_THUNK(static_cast<ThisClass*>(w_)->OnLButtonUp((UINT)wp_, CPoint(lp_)); return 0;)},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, KP_THUNK(static_cast<ThisClass*>(w_)->OnTimer((UINT_PTR)wp_); return 0;)},
#define ON_WM_ERASEBKGND() {WM_ERASEBKGND, 0, 0, KP_THUNK(return static_cast<ThisClass*>(w_)->OnEraseBkgnd(CDC::FromHandle((HDC)wp_));)},
#define ON_WM_CTLCOLOR()                                                                        \
  {AFX_WM_CTLCOLOR, 0, 0, KP_THUNK(return (LRESULT) static_cast<ThisClass*>(w_)->OnCtlColor(   \
                              CDC::FromHandle((HDC)wp_), CWnd::FromHandle((HWND)lp_), m_ - WM_CTLCOLORMSGBOX);)},
// The session ends (the desktop user logs out, the process is told to end): the process ends when
// the handler returns.
#define ON_WM_ENDSESSION() {WM_ENDSESSION, 0, 0, KP_THUNK(static_cast<ThisClass*>(w_)->OnEndSession((BOOL)wp_); return 0;)},
// Which keys the window takes itself rather than the dialog's keyboard handling (wParam: the key).
#define ON_WM_GETDLGCODE() {WM_GETDLGCODE, 0, 0, KP_THUNK(return (LRESULT) static_cast<ThisClass*>(w_)->OnGetDlgCode((UINT)wp_);)},
#define ON_COMMAND(id, memberFxn) {WM_COMMAND, 0, (UINT)(id), KP_THUNK((static_cast<ThisClass*>(w_)->*(memberFxn))(); return 0;)},
#define ON_NOTIFY(code, id, memberFxn) {WM_NOTIFY, (UINT)(code), (UINT)(id), KP_THUNK(LRESULT r_ = 0; (static_cast<ThisClass*>(w_)->*(memberFxn))((NMHDR*)lp_, &r_); return r_;)},
#define ON_BN_CLICKED(id, memberFxn) {WM_COMMAND, BN_CLICKED, (UINT)(id), KP_THUNK((static_cast<ThisClass*>(w_)->*(memberFxn))(); return 0;)},

class CCmdTarget : public CObject {
 public:
  static const CRuntimeClass classCCmdTarget;
  const CRuntimeClass* GetRuntimeClass() const override;
 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

// ---- Drawing objects ------------------------------------------------------------------------
class CGdiObject : public CObject {
 public:
  HGDIOBJ m_hObject = nullptr;
  ~CGdiObject() override;                     // deletes the platform object it still holds
  operator HGDIOBJ() const { return m_hObject; }
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  BOOL Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  BOOL DeleteObject();                         // FALSE when it holds nothing
  int GetObject(int size, LPVOID out) const { return ::GetObjectW(m_hObject, size, out); }
};
class CFont : public CGdiObject {
 public:
  BOOL CreateFontIndirect(const LOGFONTW* font);
  int GetLogFont(LOGFONTW* font) const { return GetObject(sizeof(LOGFONTW), font); }
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  static CFont* FromHandle(HFONT font);
};
class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
  BOOL CreateSolidBrush(COLORREF colour);
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
  static CBrush* FromHandle(HBRUSH brush);
};
class CPen : public CGdiObject {
 public:
  CPen() = default;
  CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
  BOOL CreatePen(int style, int width, COLORREF colour);
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};
class CBitmap : public CGdiObject {
 public:
  BOOL LoadBitmap(UINT id);                    // from the program's resources
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

class CDC : public CObject {
 public:
  HDC m_hDC = nullptr;
  CDC() = default;
  ~CDC() override;                             // deletes a DC it created (CreateCompatibleDC)
  static CDC* FromHandle(HDC dc);              // a temporary wrapper, valid during the message
  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  BOOL CreateCompatibleDC(CDC* dc);
  BOOL DeleteDC();
  CFont* SelectObject(CFont* font);
  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  CBitmap* SelectObject(CBitmap* bitmap);
  HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
  COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
  COLORREF SetBkColor(COLORREF colour) { return ::SetBkColor(m_hDC, colour); }
  void FillRect(LPCRECT rect, CBrush* brush) { ::FillRect(m_hDC, rect, brush ? (HBRUSH)*brush : nullptr); }
  void FillSolidRect(LPCRECT rect, COLORREF colour);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
  CPoint MoveTo(int x, int y);
  BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
  BOOL Polyline(const POINT* points, int count) { return ::Polyline(m_hDC, points, count); }
  int DrawText(LPCWSTR text, int count, LPRECT rect, UINT format) { return ::DrawTextW(m_hDC, text, count, rect, format); }
  int DrawText(const CString& text, LPRECT rect, UINT format) { return ::DrawTextW(m_hDC, text, text.GetLength(), rect, format); }
  BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIconEx(m_hDC, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL); }
  int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }
  BOOL BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop) { return ::BitBlt(m_hDC, x, y, w, h, src->m_hDC, sx, sy, rop); }
 protected:
  bool m_bOwnsDC = false;
};
// BeginPaint in the constructor, EndPaint in the destructor.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* window);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps{};
 private:
  HWND m_hWnd;
};
// GetDC / ReleaseDC.
class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* window);
  ~CClientDC() override;
 private:
  HWND m_hWnd;
};

class CImageList : public CObject {
 public:
  HIMAGELIST m_hImageList = nullptr;
  ~CImageList() override;                      // destroys the list it still holds
  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  int Add(CBitmap* bitmap, COLORREF mask);     // masked add
  int Add(CBitmap* bitmap, CBitmap* mask);
  BOOL Draw(CDC* dc, int image, POINT point, UINT style);
  BOOL DeleteImageList();
  int GetImageCount() const { return ::ImageList_GetImageCount(m_hImageList); }
  operator HIMAGELIST() const { return m_hImageList; }
};

// ---- Windows --------------------------------------------------------------------------------
class CWnd : public CCmdTarget {
 public:
  static const CRuntimeClass classCWnd;
  const CRuntimeClass* GetRuntimeClass() const override;
  HWND m_hWnd = nullptr;

  CWnd() = default;
  ~CWnd() override;                            // destroys a window it still owns
  // The CWnd bound to a window, or a temporary wrapper valid during the current message.
  static CWnd* FromHandle(HWND window);
  static CWnd* FromHandlePermanent(HWND window);
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }
  // Binds this object to an existing window: its messages go through this object's message map.
  BOOL SubclassWindow(HWND window);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  BOOL Attach(HWND window);
  HWND Detach();
  virtual BOOL DestroyWindow();

  CWnd* GetDlgItem(int id) const;
  void GetDlgItem(int id, HWND* window) const { *window = ::GetDlgItem(m_hWnd, id); }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  CWnd* GetParent() const;
  void SetWindowText(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text); }
  int GetWindowText(LPWSTR buffer, int max) const { return ::GetWindowTextW(m_hWnd, buffer, max); }
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
  void SetDlgItemText(int id, LPCWSTR text) { ::SetDlgItemTextW(m_hWnd, id, text); }
  int GetDlgItemText(int id, CString& text) const;
  void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
  void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
  void ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
  void ClientToScreen(LPRECT rect) const;
  void ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) { ::MoveWindow(m_hWnd, x, y, width, height, repaint); }
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
  BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  CWnd* SetFocus();
  void SetFont(CFont* font, BOOL redraw = TRUE);
  CFont* GetFont() const;
  HICON SetIcon(HICON icon, BOOL big);
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return ::SendMessageW(m_hWnd, message, wParam, lParam); }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return ::PostMessageW(m_hWnd, message, wParam, lParam); }
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return ::SendDlgItemMessageW(m_hWnd, id, message, wParam, lParam); }
  int MessageBox(LPCWSTR text, LPCWSTR caption = nullptr, UINT type = MB_OK);
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) { return ::SetTimer(m_hWnd, id, elapse, proc); }
  BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
  DWORD GetStyle() const { return (DWORD)::GetWindowLongW(m_hWnd, GWL_STYLE); }
  DWORD GetExStyle() const { return (DWORD)::GetWindowLongW(m_hWnd, GWL_EXSTYLE); }
  // Runs data exchange: FALSE moves member values into the controls, TRUE reads them back.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  virtual void DoDataExchange(class CDataExchange* dx) {}

  // Message processing: the message map, most derived class first, then DefWindowProc.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual void PostNcDestroy() {}

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  const AFX_MSGMAP* GetMessageMap() const override;
  // Default handlers: each hands the current message to the default processing.
  LRESULT Default();
  void OnPaint() { Default(); }
  void OnSize(UINT type, int cx, int cy) { Default(); }
  void OnDestroy() { Default(); }
  void OnLButtonDown(UINT flags, CPoint point) { Default(); }
  void OnLButtonUp(UINT flags, CPoint point) { Default(); }
  void OnTimer(UINT_PTR id) { Default(); }
  BOOL OnEraseBkgnd(CDC* dc) { return (BOOL)Default(); }
  HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT ctlColor) { return (HBRUSH)Default(); }

  // The message being processed (for Default).
  struct CurrentMessage { UINT message; WPARAM wParam; LPARAM lParam; };
  CurrentMessage m_currentMsg{};
  WNDPROC m_pfnSuper = nullptr;               // the window procedure this object replaced
  friend LRESULT KpAfxWndProc(HWND, UINT, WPARAM, LPARAM);
  friend struct KpAfxAccess;
};

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  // A control's text could not be taken: the message is shown once, UpdateData returns FALSE and
  // the dialog stays open.
  void Fail(LPCWSTR message);
  BOOL m_bFailed = FALSE;
};
// Binds the control with that id to the control object (first exchange only).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Check(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);

// ---- Controls -------------------------------------------------------------------------------
class CStatic : public CWnd {
 public:
  HICON SetIcon(HICON icon) { return (HICON)SendMessage(STM_SETICON, (WPARAM)icon); }
};
class CButton : public CWnd {
 public:
  int GetCheck() const { return (int)::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0); }
  void SetCheck(int check) { ::SendMessageW(m_hWnd, BM_SETCHECK, (WPARAM)check, 0); }
};
class CEdit : public CWnd {
 public:
  void SetSel(int start, int end) { SendMessage(EM_SETSEL, (WPARAM)start, (LPARAM)end); }
  void LimitText(int max) { SendMessage(EM_LIMITTEXT, (WPARAM)max); }
};
class CComboBox : public CWnd {
 public:
  void ResetContent() { SendMessage(CB_RESETCONTENT); }
  int AddString(LPCWSTR text) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)text); }
  int SetCurSel(int index) { return (int)SendMessage(CB_SETCURSEL, (WPARAM)index); }
  int GetCurSel() const { return (int)::SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0); }
  int GetCount() const { return (int)::SendMessageW(m_hWnd, CB_GETCOUNT, 0, 0); }
  void GetLBText(int index, CString& text) const;
};
class CDateTimeCtrl : public CWnd {
 public:
  DWORD GetTime(LPSYSTEMTIME time) const { return (DWORD)::SendMessageW(m_hWnd, DTM_GETSYSTEMTIME, 0, (LPARAM)time); }
  BOOL SetTime(const SYSTEMTIME* time) { return (BOOL)SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)time); }
};
class CListCtrl : public CWnd {
 public:
  DWORD SetExtendedStyle(DWORD style) { return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, (LPARAM)style); }
  DWORD GetExtendedStyle() const { return (DWORD)::SendMessageW(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0); }
  BOOL SetCallbackMask(UINT mask) { return (BOOL)SendMessage(LVM_SETCALLBACKMASK, (WPARAM)mask); }
  int InsertColumn(int column, LPCWSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
  int InsertItem(int item, LPCWSTR text);
  BOOL SetItemText(int item, int subItem, LPCWSTR text);
  CString GetItemText(int item, int subItem) const;
  BOOL SetItemData(int item, DWORD_PTR data);
  DWORD_PTR GetItemData(int item) const;
  int GetItemCount() const { return (int)::SendMessageW(m_hWnd, LVM_GETITEMCOUNT, 0, 0); }
  UINT GetItemState(int item, UINT mask) const { return (UINT)::SendMessageW(m_hWnd, LVM_GETITEMSTATE, (WPARAM)item, (LPARAM)mask); }
  BOOL GetCheck(int item) const { return ((GetItemState(item, LVIS_STATEIMAGEMASK) >> 12) - 1) == 1; }
  BOOL SetCheck(int item, BOOL check = TRUE);
  BOOL DeleteItem(int item) { return (BOOL)SendMessage(LVM_DELETEITEM, (WPARAM)item); }
  BOOL DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
};

// ---- Dialogs --------------------------------------------------------------------------------
class CDialog : public CWnd {
 public:
  static const CRuntimeClass classCDialog;
  const CRuntimeClass* GetRuntimeClass() const override;
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  // Creates the dialog from its template in the program's resources and runs it modally
  // (WM_INITDIALOG -> OnInitDialog, ...) until EndDialog; returns the EndDialog result, or -1
  // when the template or window cannot be made.
  virtual INT_PTR DoModal();
  // Data exchange into the controls (UpdateData(FALSE)); then, as the handheld's framework does,
  // makes the dialog full-screen with the OK button in the caption (SHInitDialog with
  // SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN). Returns TRUE.
  virtual BOOL OnInitDialog();
  virtual void OnOK();        // UpdateData(TRUE), then EndDialog(IDOK)
  virtual void OnCancel();    // EndDialog(IDCANCEL)
  void EndDialog(int result);
  UINT m_nIDHelp = 0;
 protected:
  DECLARE_MESSAGE_MAP()
  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;
};

// ---- Application ----------------------------------------------------------------------------
class CWinApp : public CCmdTarget {
 public:
  // One global instance. A null name: the application name is the program file's base name.
  explicit CWinApp(LPCWSTR appName = nullptr);
  ~CWinApp() override;
  virtual BOOL InitInstance() { return TRUE; }
  virtual int ExitInstance() { return 0; }
  // The main loop, run when InitInstance returns TRUE (a dialog program returns FALSE).
  virtual int Run();
  LPCWSTR m_pszAppName = nullptr;
  LPCWSTR m_pszExeName = nullptr;
  HINSTANCE m_hInstance = nullptr;
  CWnd* m_pMainWnd = nullptr;
  HICON LoadIcon(UINT id) const { return ::LoadIconW(m_hInstance, MAKEINTRESOURCEW(id)); }
 protected:
  DECLARE_MESSAGE_MAP()
 private:
  std::u16string m_appName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
LPCWSTR AfxGetAppName();
// An OK message box owned by the main window and captioned with the application name.
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);
// The program's start: starts the platform, runs the application object's InitInstance (and Run
// when it returns TRUE), then ExitInstance; returns the process exit code. A program's main is
// `int main(int argc, char** argv) { return AfxWinMain(argc, argv); }`.
int AfxWinMain(int argc, char** argv);
