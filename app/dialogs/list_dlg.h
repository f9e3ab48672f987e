#pragma once
// The schedule list: every entry of the store in store order with its date and kind, a count
// line, and deletion of the ticked rows; a double tap on a row edits its entry in the add dialog.
// Changes only the store in memory.
#include "afxwin.h"
#include "schedule/schedule_store.h"

class CListDlg : public CDialog {
  DECLARE_DYNAMIC(CListDlg)

 public:
  explicit CListDlg(CWnd* parent = nullptr);
  ~CListDlg() override;

  CFont m_font;
  ScheduleStore* m_pStore = nullptr;  // set before the dialog runs
  CListCtrl m_list;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  // Rebuilds the rows from the store (row i holds store index i as its item data) and asks for
  // the count line to be repainted.
  void FillList();
  CRect CountLineRect() const;
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg void OnDelete();
  afx_msg void OnRowDoubleTap(NMHDR* header, LRESULT* result);
  // Shows the entry at store index `index` in row `row`.
  void ShowRow(int row, int index);
  DECLARE_MESSAGE_MAP()
};
