#pragma once
// Resource ids that the framework and the shell look for in a program's own resources.
#define AFX_IDS_APP_TITLE 0xE000   // the program's name, as the desktop's taskbar shows it
#define AFX_IDI_STD_FRAME 128      // the program's icon (the framework's IDR_MAINFRAME)
