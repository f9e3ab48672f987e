// kalmeno-today: the shell's Today screen, which shows the Today items listed in the registry.
#include <string>

#include "host/today_one_copy.h"
#include "host/today_window.h"
#include "kp_platform.h"

int main(int argc, char** argv) {
  KpInitialize(argc, argv);
  HANDLE onlyScreen = ClaimOnlyTodayScreen();
  if (!onlyScreen && GetLastError() == ERROR_ALREADY_EXISTS) {
    KpTrace("exit", "0");  // the running screen comes forward instead
    return 0;
  }
  int code = 1;
  if (CreateTodayScreen() != nullptr) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    code = (int)message.wParam;
  }
  CloseTodayScreen();
  if (onlyScreen) CloseHandle(onlyScreen);
  KpTrace("exit", std::to_string(code).c_str());
  return code;
}
