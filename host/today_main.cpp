// kalmeno-today: the shell's Today screen, which shows the Today items listed in the registry.
#include <string>

#include "host/today_window.h"
#include "kp_platform.h"

int main(int argc, char** argv) {
  KpInitialize(argc, argv);
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
  KpTrace("exit", std::to_string(code).c_str());
  return code;
}
