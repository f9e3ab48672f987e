#pragma once
// The handheld's idiom for one running copy: a named mutex claims, and a later start that finds
// it taken sets the running copy's named event to ask it to come forward, then ends.
#include "windows.h"

// Claims `claimName` for this process. Returns the claim (held until the process ends), or null:
// with the last error ERROR_ALREADY_EXISTS when another process holds it (its event `forwardName`
// has then been set), any other when no claim could be made at all.
inline HANDLE KpClaimOnlyCopy(LPCWSTR claimName, LPCWSTR forwardName) {
  HANDLE claim = CreateMutexW(nullptr, TRUE, claimName);
  if (!claim || GetLastError() != ERROR_ALREADY_EXISTS) return claim;
  CloseHandle(claim);
  if (HANDLE forward = OpenEventW(EVENT_MODIFY_STATE, FALSE, forwardName)) {
    SetEvent(forward);
    CloseHandle(forward);
  }
  SetLastError(ERROR_ALREADY_EXISTS);
  return nullptr;
}
