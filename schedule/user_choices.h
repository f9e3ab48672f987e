#pragma once
// The user's on/off choices that both programs remember for their own views (the month view's
// 공휴일 보기, the Today item's 공휴일·절기 표시): REG_DWORD values under the user's Kalmeno key.
#include "windef.h"

// The choice named `value`; off when it was never made or the registry cannot be read.
bool LoadUserChoice(LPCWSTR value);
// Remembers the choice; a registry that cannot be written leaves it unremembered, nothing more.
void SaveUserChoice(LPCWSTR value, bool on);
