#pragma once

#include <cstdint>
#include <string>

// What the settings need from the platform: the profile (INI) functions, a file open for
// reading and the program's folder. The Win32 build implements it with the real calls
// (win32_music_ports.h); tests implement it in memory.
class ProfilePort {
  public:
    virtual ~ProfilePort() = default;

    // GetPrivateProfileStringA with an empty default: fills buffer with the value cut to
    // size - 1 bytes and a NUL; leaves it empty when the file, section or key is missing.
    virtual void ReadProfileValue(const char* section, const char* key, char* buffer,
                                  std::uint32_t size, const char* file) = 0;

    // WritePrivateProfileStringA; returns the platform's result (non-zero on success).
    virtual std::int32_t WriteProfileValue(const char* section, const char* key, const char* value,
                                           const char* file) = 0;

    // True when path names a file that can be opened for reading; never for a folder.
    virtual bool OpensForReading(const std::string& path) = 0;

    // The running program's folder, without a trailing separator except at a drive root.
    virtual std::string ProgramFolder() = 0;
};
