// A library for the loading tests. It records its DllMain calls in the file named by
// KP_TEST_LIBRARY_LOG, and refuses to attach when KP_TEST_LIBRARY_REFUSE is set.
#include <cstdio>
#include <cstdlib>

#include "windows.h"

extern "C" BOOL DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (const char* log = std::getenv("KP_TEST_LIBRARY_LOG")) {
    if (FILE* f = std::fopen(log, "a")) {
      std::fprintf(f, "%s %p\n", reason == DLL_PROCESS_ATTACH ? "attach" : reason == DLL_PROCESS_DETACH ? "detach" : "other",
                   module);
      std::fclose(f);
    }
  }
  if (reason == DLL_PROCESS_ATTACH && std::getenv("KP_TEST_LIBRARY_REFUSE")) return FALSE;
  return TRUE;
}

extern "C" int KpTestLibraryAnswer() { return 42; }
