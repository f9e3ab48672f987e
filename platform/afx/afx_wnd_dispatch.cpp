// Message maps at work: a message goes to the first matching entry of the most derived class's
// map, then of each base class's map; what no entry takes goes to the default processing.
#include "platform/afx/kp_afx_internal.h"

namespace {

bool IsCtlColor(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

// The first entry, most derived map first, that the predicate accepts.
template <class Match>
const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* map, Match match) {
  for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry && entry->pfn; ++entry) {
      if (match(*entry)) return entry;
    }
  }
  return nullptr;
}

}  // namespace

const CRuntimeClass CWnd::classCWnd = {"CWnd", sizeof(CWnd), &CCmdTarget::classCCmdTarget};
const CRuntimeClass* CWnd::GetRuntimeClass() const { return &classCWnd; }

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, &entries[0]};
  return &map;
}
const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    *result = 0;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    LRESULT answer = 0;
    if (!OnNotify(wParam, lParam, &answer)) return FALSE;
    *result = answer;
    return TRUE;
  }
  // AFX_WM_CTLCOLOR stands for all seven control-colour messages.
  const bool ctlColor = IsCtlColor(message);
  const AFX_MSGMAP_ENTRY* entry = FindEntry(GetMessageMap(), [&](const AFX_MSGMAP_ENTRY& e) {
    return e.nMessage == message || (ctlColor && e.nMessage == AFX_WM_CTLCOLOR);
  });
  if (!entry) return FALSE;
  *result = entry->pfn(this, message, wParam, lParam);
  return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Matched by id and notification code: ON_COMMAND takes menu commands and button clicks (code 0).
  const UINT id = LOWORD(wParam), code = HIWORD(wParam);
  const AFX_MSGMAP_ENTRY* entry = FindEntry(GetMessageMap(), [&](const AFX_MSGMAP_ENTRY& e) {
    return e.nMessage == WM_COMMAND && e.nID == id && e.nCode == code;
  });
  if (!entry) return FALSE;
  entry->pfn(this, WM_COMMAND, wParam, lParam);
  return TRUE;
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header) return FALSE;
  const AFX_MSGMAP_ENTRY* entry = FindEntry(GetMessageMap(), [&](const AFX_MSGMAP_ENTRY& e) {
    return e.nMessage == WM_NOTIFY && e.nID == header->idFrom && e.nCode == header->code;
  });
  if (!entry) return FALSE;
  LRESULT answer = entry->pfn(this, WM_NOTIFY, wParam, lParam);
  if (result) *result = answer;
  return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam); }
