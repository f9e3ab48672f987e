#pragma once
// The add-schedule dialog: collects one entry (title, solar or lunar date, time, yearly and
// holiday flags, memo), refuses an empty title and appends the entry to the store. The file is
// not written here; the store is saved when the program exits.
#include "afxwin.h"
#include "schedule/schedule_store.h"

class CAddDlg : public CDialog {
  DECLARE_DYNAMIC(CAddDlg)

 public:
  explicit CAddDlg(CWnd* parent = nullptr);
  ~CAddDlg() override;

  CFont m_font;
  ScheduleStore* m_pStore = nullptr;  // set before the dialog runs
  CComboBox m_cbKind;                 // "양력" (index 0) or "음력" (index 1)
  CDateTimeCtrl m_dtDate;
  CDateTimeCtrl m_dtTime;
  int m_bYearly = 0;
  int m_bHoliday = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnPaint();
  afx_msg void OnSize(UINT type, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};
