#pragma once
// The application object: runs the month view modally and ends when it closes.
#include "afxwin.h"

class CKalmenoApp : public CWinApp {
 public:
  CKalmenoApp();
  BOOL InitInstance() override;
  int ExitInstance() override;

 private:
  void ReportNoClaim();
  int m_nExitCode = 0;

 protected:
  DECLARE_MESSAGE_MAP()
};
