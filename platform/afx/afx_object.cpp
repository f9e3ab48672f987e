// Run-time class information and the root of the message maps.
#include "afxwin.h"

const CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), nullptr};
const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const {
  for (const CRuntimeClass* c = GetRuntimeClass(); c; c = c->m_pBaseClass) {
    if (c == cls) return TRUE;
  }
  return FALSE;
}

const CRuntimeClass CCmdTarget::classCCmdTarget = {"CCmdTarget", sizeof(CCmdTarget), &CObject::classCObject};
const CRuntimeClass* CCmdTarget::GetRuntimeClass() const { return &classCCmdTarget; }

// The end of every chain of message maps: no entries, no base.
const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}
const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }
