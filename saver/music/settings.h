#pragma once

// The background-music settings: the settings file beside the program, its reader
// (LoadSettings, at start-up) and its writer (SaveSettings, the settings dialog's save), and
// the small path helpers they share with the dialog.
//
// Before the first call, the program installs the platform once with UseWin32MusicPorts()
// (win32_music_ports.h); without it every read is empty and every write is dropped.

#include <cstdint>
#include <string>

#include "music/bool16.h"
#include "music/profile_port.h"

// The music kinds BGMKind names; any other value plays nothing and marks no option.
enum MusicKind : std::int16_t { kNoMusic = 0, kMusicCd = 1, kMusicFile = 2 };

// Shared settings, read by the run mode and the music player, edited by the settings dialog.
extern std::int16_t BGMKind;    // a MusicKind, or any other value
extern std::int16_t BGMRepeat;  // CD track played over and over, 0 = none
extern std::string BGMFile;     // music file of kind 2; empty when none or when it has vanished
extern std::string BGMFolder;   // where the dialog's file chooser opens

// The file's section and keys, as the exact code page 932 bytes every version has written.
extern const char kSettingsSection[];
extern const char kKindKey[];
extern const char kRepeatKey[];
extern const char kFileKey[];

// Installs the platform behind the settings; nullptr puts back the silent default.
void UseProfilePort(ProfilePort* port);

// The program folder followed by "\Vorlenta.ini" (two separators in a row at a drive root,
// which still names the file in that root).
std::string SettingsPath();

// The value, or empty when the file, section or key is missing; at most 255 bytes.
std::string Ini_Read(const std::string& section, const std::string& key, const std::string& file);

// Stores the value unchanged (empty gives "key="); the result goes to ApiResult.
void Ini_Write(const std::string& section, const std::string& key, const std::string& value,
               const std::string& file);

// True when path names a file that can be opened for reading. A folder, or any path ending
// in "\" (which names a folder), is not a file.
Bool16 File_Exists(const std::string& path);

// The folder part of a path without a trailing separator: "C:\Music\a.mp3" gives "C:\Music",
// "C:\a.mp3" gives "C:", a bare name gives "".
std::string Path_Folder(const std::string& path);

// Fills BGMKind, BGMRepeat, BGMFile and BGMFolder from the settings file. A stored file that
// no longer exists is dropped, and kind 2 without a file falls back to 0.
void LoadSettings();

// The settings dialog's save: writes the kind, takes the repeat box's text into BGMRepeat
// (numeric text rounded half to even, anything else or out of 16 bits 0) and writes it, then
// writes BGMFile unchanged. Every write is tried; false when any of them failed (a read-only
// file or folder), so that the dialog can say so instead of closing as if all were saved.
bool SaveSettings(const std::string& repeatBoxText);
