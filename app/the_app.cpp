// The one application object of the program.
#include "app/kalmeno_app.h"

CKalmenoApp theApp;
