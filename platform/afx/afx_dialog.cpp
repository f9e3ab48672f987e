// CDialog: a dialog from the program's resources, bound to its object for one modal run.
#include "platform/afx/kp_afx_internal.h"

const CRuntimeClass CDialog::classCDialog = {"CDialog", sizeof(CDialog), &CWnd::classCWnd};
const CRuntimeClass* CDialog::GetRuntimeClass() const { return &classCDialog; }

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, &CDialog::OnOK)
  ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

INT_PTR KpAfxDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  // From here on every message goes through the object's message map first.
  auto* object = reinterpret_cast<CDialog*>(lParam);
  if (object && !CWnd::FromHandlePermanent(dialog)) object->SubclassWindow(dialog);
  auto* bound = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(dialog));
  if (!bound) return TRUE;
  const auto saved = KpAfxAccess::CurrentMessage(bound);
  KpAfxAccess::SetCurrentMessage(bound, message, wParam, lParam);
  const BOOL focusDefault = bound->OnInitDialog();
  if (CWnd::FromHandlePermanent(dialog) == bound) KpAfxAccess::RestoreCurrentMessage(bound, saved);
  return focusDefault;
}

INT_PTR CDialog::DoModal() {
  // Without a parent of its own the dialog is owned by the active window (the main window, or the
  // dialog above it), which stays disabled for the run.
  HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : GetActiveWindow();
  if (owner && owner == m_hWnd) owner = nullptr;
  return DialogBoxParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), owner, KpAfxDlgProc,
                         reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  // Done at once, before a derived class's own set-up continues, so that a dialog that then
  // moves or sizes itself keeps the place it chose.
  SHINITDLGINFO info{};
  info.dwMask = SHIDIM_FLAGS;
  info.hDlg = m_hWnd;
  info.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN;
  SHInitDialog(&info);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }
