#pragma once
// The add-schedule dialog: collects one entry (title, solar or lunar date, time, yearly and
// holiday flags, memo), refuses an empty title and appends the entry to the store. Given an
// entry's index, the same dialog edits that entry instead ("일정 수정"): it starts filled in and
// its button replaces the entry in its place. The file is not written here; the store is saved
// when the program exits.
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
  int m_nEditIndex = -1;              // the store index of the entry edited; -1: a new entry

 private:
  // The entry the controls describe, over `base` (what the dialog does not show is kept).
  ScheduleEntry EntryFromControls(const ScheduleEntry& base);
  void FillFromEntry(const ScheduleEntry& entry);
  bool IsEditing() const { return m_nEditIndex >= 0; }
  // The pickers' values right after the set-up: a stored date or time the pickers cannot hold
  // stays as stored unless the user changes that picker.
  SYSTEMTIME m_initialDate{};
  SYSTEMTIME m_initialTime{};
  bool m_bDateShown = true;
  bool m_bTimeShown = true;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnPaint();
  afx_msg void OnSize(UINT type, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};
