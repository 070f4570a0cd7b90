#pragma once

// The settings dialog's pictures as resources of the screen saver.
#define IDI_SETTINGS_DIALOG 2
#define IDC_LINK_POINTER 3
#define IDB_OPTION_OFF 102
#define IDB_OPTION_ON 103
#define IDB_PANEL_STRIP 104
