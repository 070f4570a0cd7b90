#pragma once

// The push button's skin pictures as bitmap resources of the program that hosts it.
#define IDB_SKIN_NORMAL 201
#define IDB_SKIN_HIGHLIGHT 202
#define IDB_SKIN_SELECTED 203
#define IDB_SKIN_PRESSED 204
#define IDB_SKIN_DISABLE 205
