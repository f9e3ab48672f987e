// The About box. Its layout follows the client size, so it holds at any screen size.
#include "app/dialogs/info_dlg.h"

#include "app/dialogs/dialog_font.h"
#include "app/resource_ids.h"

IMPLEMENT_DYNAMIC(CInfoDlg, CDialog)

BEGIN_MESSAGE_MAP(CInfoDlg, CDialog)
  ON_WM_SIZE()
END_MESSAGE_MAP()

CInfoDlg::CInfoDlg(CWnd* parent) : CDialog(IDD_INFO, parent) {}

CInfoDlg::~CInfoDlg() = default;

BOOL CInfoDlg::OnInitDialog() {
  // The framework makes the dialog full-screen; it keeps that size.
  CDialog::OnInitDialog();
  CreateDialogFont(m_font, 0);
  for (int id : {IDC_VERSION, IDC_AUTHOR, IDOK, IDC_WEB_ADDRESS, IDC_DESCRIPTION})
    if (CWnd* control = GetDlgItem(id)) control->SetFont(&m_font, TRUE);
  // Lay the controls out now rather than at the next size change.
  SendMessage(WM_SIZE, 0, 0);
  return TRUE;
}

void CInfoDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  CRect client;
  GetClientRect(&client);
  const int L = client.left, T = client.top, R = client.right, B = client.bottom;
  const int M = (R - L) / 2;
  const struct {
    int id;
    CRect rect;
  } places[] = {
      {IDC_APP_ICON, CRect(L + 30, T + 30, L + 62, T + 62)},
      {IDC_VERSION, CRect(L + 72, T + 30, R - 30, T + 48)},
      {IDC_AUTHOR, CRect(L + 72, T + 48, R - 30, T + 68)},
      {IDOK, CRect(M - 40, B - 40, M + 40, B - 15)},
      {IDC_WEB_ADDRESS, CRect(L, B - 65, R, B - 50)},
      {IDC_DESCRIPTION, CRect(L + 30, T + 78, R - 30, B - 70)},
  };
  for (const auto& place : places)
    if (CWnd* control = GetDlgItem(place.id)) control->MoveWindow(&place.rect, TRUE);
}
