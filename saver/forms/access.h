#pragma once

#include <windows.h>

#include <string>

namespace forms {

// Who may open what the program writes. A private file is the user's alone: only the user
// running the program, and the system itself, which services such as backup act as, may
// open it. A shared folder lets every signed-in user put files of their own into it, each
// private to its owner, and remove any file in it, so that what one user's killed show left
// behind never locks the next user out; nobody but its owner may list it. Without a
// descriptor (Windows could not say who the user is) a file or folder takes its parent's
// rights, as it always did.
class Access {
  public:
    enum class Kind { PrivateFile, SharedFolder };
    explicit Access(Kind kind);
    ~Access();
    Access(const Access&) = delete;
    Access& operator=(const Access&) = delete;

    // For CreateFileW and CreateDirectoryW; null when no descriptor could be made.
    SECURITY_ATTRIBUTES* Attributes();

  private:
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
    SECURITY_ATTRIBUTES attributes_{};
};

// The user running the program, as SDDL names a security identifier; empty when unknown.
std::wstring RunningUserSid();

// Makes the shared folder. One that stands already gets today's list from its owner, the only
// user Windows lets rewrite it: an earlier list let other users add files there but not
// replace them. Anyone else finds the folder as it is.
void MakeSharedFolder(const std::wstring& path);

}  // namespace forms
