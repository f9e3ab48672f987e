#pragma once
// The application object: runs the month view modally and ends when it closes.
#include "afxwin.h"

class CKalmenoApp : public CWinApp {
 public:
  CKalmenoApp();
  BOOL InitInstance() override;

 protected:
  DECLARE_MESSAGE_MAP()
};
