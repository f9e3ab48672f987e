// The schedule list dialog: one row per store entry with a check box; "삭제" removes the ticked
// entries from the store, highest index first, and rebuilds the rows; a double tap on a row opens
// its entry for editing.
#include "app/dialogs/list_dlg.h"

#include "app/dialogs/add_dlg.h"
#include "app/dialogs/dialog_font.h"
#include "app/resource_ids.h"

IMPLEMENT_DYNAMIC(CListDlg, CDialog)

BEGIN_MESSAGE_MAP(CListDlg, CDialog)
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_COMMAND(IDC_DELETE, &CListDlg::OnDelete)
  ON_NOTIFY(NM_DBLCLK, IDC_SCHEDULE_LIST, &CListDlg::OnRowDoubleTap)
END_MESSAGE_MAP()

CListDlg::CListDlg(CWnd* parent) : CDialog(IDD_LIST, parent) {}

CListDlg::~CListDlg() = default;

void CListDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_SCHEDULE_LIST, m_list);
}

BOOL CListDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  CreateDialogFont(m_font, 12);
  SetFont(&m_font, TRUE);
  SetDlgItemText(IDOK, u"닫기");
  if (CWnd* close = GetDlgItem(IDOK)) close->SetFont(&m_font, TRUE);
  SetDlgItemText(IDC_DELETE, u"삭제");
  if (CWnd* remove = GetDlgItem(IDC_DELETE)) remove->SetFont(&m_font, TRUE);
  m_list.SetFont(&m_font, TRUE);

  CRect client;
  GetClientRect(&client);
  CPoint origin = client.TopLeft();
  ClientToScreen(&origin);
  MoveWindow(origin.x, origin.y, 240, 268, TRUE);

  m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  // The focused state is the owner's to report, and it never does: no row shows a focus frame.
  m_list.SetCallbackMask(LVIS_FOCUSED);
  m_list.InsertColumn(0, u"제목", LVCFMT_LEFT, 109);
  m_list.InsertColumn(1, u"날짜", LVCFMT_CENTER, 78);
  m_list.InsertColumn(2, u"분류", LVCFMT_CENTER, 37);

  FillList();
  // The focus starts in the list, not on 삭제 (the first button as the controls stand): Enter
  // there stays 닫기, as it always was, and never deletes the ticked rows by accident.
  m_list.SetFocus();
  return FALSE;
}

CRect CListDlg::CountLineRect() const {
  CRect client;
  GetClientRect(&client);
  return CRect(10, 7, client.right - 90, 25);
}

void CListDlg::ShowRow(int row, int index) {
  const ScheduleEntry entry = m_pStore->GetAt(index);
  // The stored numbers as they are: a lunar entry shows its lunar date.
  CString date;
  date.Format(u"%04d/%02d/%02d", entry.wYear, entry.wMonth, entry.wDay);
  m_list.SetItemText(row, 0, ScheduleTitleText(entry).c_str());
  m_list.SetItemText(row, 1, date);
  m_list.SetItemText(row, 2, (entry.wFlags & SCHEDULE_LUNAR) ? u"음력" : u"양력");
}

void CListDlg::FillList() {
  const int count = m_pStore->GetCount();
  for (int i = 0; i < count; ++i) {
    m_list.InsertItem(i, u"");
    ShowRow(i, i);
    m_list.SetItemData(i, static_cast<DWORD_PTR>(i));
  }
  CRect countLine = CountLineRect();
  InvalidateRect(&countLine, TRUE);
}

void CListDlg::OnPaint() {
  CPaintDC dc(this);
  CString text;
  text.Format(u"전체일정 : %d개", m_pStore ? m_pStore->GetCount() : 0);
  CFont* oldFont = dc.SelectObject(&m_font);
  CRect countLine = CountLineRect();
  dc.DrawText(text, &countLine, DT_LEFT | DT_TOP);
  dc.SelectObject(oldFont);
}

void CListDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  CRect client;
  GetClientRect(&client);
  const int right = client.right, bottom = client.bottom;
  if (CWnd* list = GetDlgItem(IDC_SCHEDULE_LIST)) list->MoveWindow(0, 30, right, bottom - 30, TRUE);
  if (CWnd* close = GetDlgItem(IDOK)) close->MoveWindow(right - 45, 5, 40, 20, TRUE);
  if (CWnd* remove = GetDlgItem(IDC_DELETE)) remove->MoveWindow(right - 90, 5, 40, 20, TRUE);
}

void CListDlg::OnDelete() {
  const int rows = m_list.GetItemCount();
  bool anyTicked = false;
  for (int row = 0; row < rows && !anyTicked; ++row) anyTicked = m_list.GetCheck(row);
  if (!anyTicked) {
    // A highlighted row is not a ticked one.
    MessageBox(u"삭제할 일정을 선택하세요.", AfxGetAppName(), MB_OK);
    return;
  }
  // Rows are in store order, so removing from the last row up keeps the store index of every
  // row still to be visited valid.
  for (int row = rows - 1; row >= 0; --row) {
    if (!m_list.GetCheck(row)) continue;
    const DWORD_PTR index = m_list.GetItemData(row);
    if (index < static_cast<DWORD_PTR>(m_pStore->GetCount())) m_pStore->RemoveAt(static_cast<int>(index));
  }
  m_list.DeleteAllItems();
  FillList();
}

void CListDlg::OnRowDoubleTap(NMHDR* header, LRESULT* result) {
  *result = 0;
  const int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
  if (row < 0 || row >= m_list.GetItemCount()) return;
  const DWORD_PTR index = m_list.GetItemData(row);
  if (index >= static_cast<DWORD_PTR>(m_pStore->GetCount())) return;
  CAddDlg edit(this);
  edit.m_pStore = m_pStore;
  edit.m_nEditIndex = static_cast<int>(index);
  // Only the edited row changes: the other rows keep their ticks.
  if (edit.DoModal() == IDOK) ShowRow(row, static_cast<int>(index));
}

void CListDlg::OnDestroy() {
  CDialog::OnDestroy();
  if (m_font.GetSafeHandle()) m_font.DeleteObject();
}
