// The one application object of the program.
#include "kalmeno_app.h"

CKalmenoApp theApp;
