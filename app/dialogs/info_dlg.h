#pragma once
// The About box: icon, name and version, author, a short description and the project's address.
#include "afxwin.h"

class CInfoDlg : public CDialog {
  DECLARE_DYNAMIC(CInfoDlg)

 public:
  explicit CInfoDlg(CWnd* parent = nullptr);
  ~CInfoDlg() override;

  CFont m_font;

 protected:
  BOOL OnInitDialog() override;
  afx_msg void OnSize(UINT type, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};
