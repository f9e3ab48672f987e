#pragma once
// The month view: the program's main window, one month as six weeks by seven days, the schedule
// panel over it, the arrow buttons, the menu bar and the tap-and-hold popup.
#include "afxwin.h"

#include "app/day_marks.h"
#include "app/month_grid.h"
#include "app/one_copy.h"
#include "app/resource_ids.h"
#include "schedule/schedule_store.h"

// One of the two month-stepping buttons: its rectangle in client pixels, its two images (normal,
// pressed) and which of them is shown.
struct ArrowButton {
  RECT rcButton{};
  CImageList images;
  int nImage = 0;   // 0 normal, 1 pressed
};

class CKalmenoDlg : public CDialog {
 public:
  explicit CKalmenoDlg(CWnd* parent = nullptr);
  ~CKalmenoDlg() override;

  // Moves the displayed month back (step -1), keeps it (0) or moves it on (+1), then shows it in
  // the title. A step past the months the lunar table covers does nothing.
  void UpdateTitle(int step);
  // Fills m_cells with the days of m_nYear / m_nMonth.
  void BuildMonthModel();

 protected:
  DECLARE_MESSAGE_MAP()
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;

  // Set-up and teardown.
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT ctlColor);
  afx_msg void OnDestroy();
  // Painting.
  afx_msg void OnPaint();
  // Stylus.
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  // Commands.
  afx_msg void OnExit();
  // The desktop session ends: saves as the exit does, but the program ends whatever the outcome.
  afx_msg void OnEndSession(BOOL ending);
  // Escape, which would cancel the view and lose what was added, is the view's own and does nothing.
  afx_msg UINT OnGetDlgCode(UINT key);
  // A later start of the program asked this copy to come forward (see one_copy.h).
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnLunarView();
  // Turns the public holidays and solar terms on or off and keeps the choice for the next start.
  afx_msg void OnHolidayView();
  afx_msg void OnAbout();
  afx_msg void OnAddSchedule();
  afx_msg void OnScheduleList();
  afx_msg void OnGoToday();

  // The members, in this order (construction reads the data file first, through m_store).
  ScheduleStore m_store;
  CFont m_fontTitle;
  CFont m_fontLunar;
  CFont m_fontCount;
  CFont m_fontLabel;
  CFont m_fontBold;
  HMENU m_hMenuBar = nullptr;
  int m_nYear = 0;
  int m_nMonth = 0;
  DayCell m_cells[kMonthCellCount] = {};
  int m_nSelCell = -1;
  unsigned m_nTodayDay = 0;
  unsigned m_nTodayMonth = 0;
  CBrush m_brushBack;
  BOOL m_bPrevPressed = 0;
  BOOL m_bNextPressed = 0;
  BOOL m_bLunarView = 0;
  BOOL m_bHolidayView = 0;
  DayMarks m_marks[kMonthCellCount];  // filled while m_bHolidayView is on
  BOOL m_bPanelVisible = 0;
  CArray<unsigned long, unsigned long> m_dayEntries;
  int m_nPanelIndex = 0;
  HICON m_hIcon = nullptr;
  CStatic m_title;
  CString m_strTitle;
  ArrowButton m_arrows[2];
  HANDLE m_hComeForward = nullptr;

 private:
  // Painting, one job each.
  void PaintHeader(CDC& dc);
  void PaintGridLines(CDC& dc);
  void PaintWeekdayNames(CDC& dc);
  void PaintCell(CDC& dc, int i, CPen& redPen);
  void PaintSchedulePanel(CDC& dc);
  // The panel's page for the selected day's holidays, shown before its entries.
  void PaintHolidayPage(CDC& dc, const RECT& panel, int count);
  // Pages of the schedule panel for the selected day: its holiday (when the layer shows one) and
  // its entries. The holiday's page comes first.
  int HolidayPages() const;
  int PanelPageCount() const;
  // Asks the store about cell i; with keepEntries the day's entry indexes go to m_dayEntries.
  void QueryCell(int i, DaySummary* summary, bool keepEntries);
  // The selected day's entries, asked of the store now (not waiting for the next paint).
  void RefreshDayEntries();
  // Hides the schedule panel when what it shows may have changed under it.
  void CloseSchedulePanel();
  void InvalidateCell(int i, BOOL erase);
  // Takes today's date from the clock and shows its month (a today outside the lunar table's
  // years shows the nearest month the view can show). Returns today's date.
  SYSTEMTIME TurnToTodaysMonth();
  void ShowPopupMenu(CPoint point);
  // Runs a modal dialog that may change the store; closes the panel when the store changed.
  void AfterStoreDialog(int countBefore);
};
