#pragma once
// Dialog templates of the framework's tests, registered as this test program's resources.

// A form: a label, a name field, a check box, a number field, OK and Cancel (8 pt, tab stops).
#define IDD_FORM 200
#define IDC_NAME 1001
#define IDC_REMIND 1002
#define IDC_COUNT 1003
// A small dialog run from inside the form, to nest modal runs (9 pt).
#define IDD_INNER 201
// Texts only: nothing takes the focus.
#define IDD_TEXTS 202
// A centred dialog in a face the system does not map.
#define IDD_CENTRED 203
// Names a control class that does not exist, so the dialog cannot be made.
#define IDD_BROKEN 204
// Visible in its template, for modeless creation.
#define IDD_MODELESS 205
