// Resource ids of the module: dialog templates, controls, icons, cursors and bitmaps.
#pragma once

// Dialog templates.
#define IDD_DLG_ABOUT 251
#define IDD_DLG_PROGRESS 455
#define IDD_DLG_OPTIONS 605

// Controls.
#define IDC_LOGO 215
#define IDC_FONT_SOURCE 229
#define IDC_VERSION_TEXT 364
#define IDC_PROGRESS_BAR 488

// Icons.
#define IDI_KORVEL 674
#define IDI_CLOSE_IDLE 710
#define IDI_CLOSE_HOVER 711

// Cursors.
#define IDR_HAND_CURSOR 709

// Bitmaps.
#define IDB_LOGO 695
