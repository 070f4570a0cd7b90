#pragma once

#define IDI_VORLENTA 1
#define IDB_PREVIEW_STILL 101
