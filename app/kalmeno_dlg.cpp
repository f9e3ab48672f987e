// The month view's construction, message map and data exchange. What it does lives in the files
// named after each job: month_model.cpp, cell_geometry.cpp, month_paint.cpp, schedule_panel.cpp,
// month_input.cpp, month_commands.cpp, month_setup.cpp.
#include "app/kalmeno_dlg.h"

CKalmenoDlg::CKalmenoDlg(CWnd* parent) : CDialog(IDD_KALMENO_DIALOG, parent) {
  // m_store has read the data file by now (it is the first member).
  m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

// The members release what they hold in reverse order: the arrows' image lists, the fonts and the
// brush still holding a platform object, and last the store, which writes nothing.
CKalmenoDlg::~CKalmenoDlg() = default;

BEGIN_MESSAGE_MAP(CKalmenoDlg, CDialog)
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_CTLCOLOR()
  ON_WM_DESTROY()
  ON_WM_LBUTTONUP()
  ON_WM_ENDSESSION()
  ON_WM_TIMER()
  ON_WM_GETDLGCODE()
  ON_COMMAND(IDOK, &CKalmenoDlg::OnExit)
  ON_COMMAND(ID_LUNAR_VIEW, &CKalmenoDlg::OnLunarView)
  ON_COMMAND(ID_HOLIDAY_VIEW, &CKalmenoDlg::OnHolidayView)
  ON_COMMAND(ID_ABOUT, &CKalmenoDlg::OnAbout)
  ON_COMMAND(ID_ADD_SCHEDULE, &CKalmenoDlg::OnAddSchedule)
  ON_COMMAND(ID_SCHEDULE_LIST, &CKalmenoDlg::OnScheduleList)
  ON_COMMAND(ID_GO_TODAY, &CKalmenoDlg::OnGoToday)
END_MESSAGE_MAP()

void CKalmenoDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_MONTH_TITLE, m_title);
  DDX_Text(dx, IDC_MONTH_TITLE, m_strTitle);
}

