#include "forms/access.h"

#include <sddl.h>

#include <vector>

namespace forms {

std::wstring RunningUserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return {};
    }
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    wchar_t* sid = nullptr;
    std::wstring text;
    if (size > 0 && GetTokenInformation(token, TokenUser, user.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &sid)) {
        text = sid;
        LocalFree(sid);
    }
    CloseHandle(token);
    return text;
}

namespace {

// SDDL: the user owns it; the list is protected, so nothing is inherited from the parent.
// A private file: full access for the user and the system. A shared folder: the user keeps
// the folder; signed-in users may add files, remove any file and pass through, but not list
// it (0x1000e2: add file, traverse, delete child, read attributes, synchronize), and every
// file made in it inherits full access for its creator and the system alone.
std::wstring DescriptorFor(Access::Kind kind, const std::wstring& user) {
    const std::wstring owner = L"O:" + user + L"D:P(A;;FA;;;" + user + L")";
    if (kind == Access::Kind::PrivateFile) {
        return owner + L"(A;;FA;;;SY)";
    }
    return owner + L"(A;OICI;FA;;;SY)(A;OICIIO;FA;;;CO)(A;;0x1000e2;;;AU)";
}

}  // namespace

Access::Access(Kind kind) {
    const std::wstring user = RunningUserSid();
    if (user.empty() ||
        !ConvertStringSecurityDescriptorToSecurityDescriptorW(
            DescriptorFor(kind, user).c_str(), SDDL_REVISION_1, &descriptor_, nullptr)) {
        descriptor_ = nullptr;
        return;
    }
    attributes_.nLength = sizeof(attributes_);
    attributes_.lpSecurityDescriptor = descriptor_;
}

Access::~Access() {
    if (descriptor_ != nullptr) {
        LocalFree(descriptor_);
    }
}

SECURITY_ATTRIBUTES* Access::Attributes() {
    return descriptor_ != nullptr ? &attributes_ : nullptr;
}

void MakeSharedFolder(const std::wstring& path) {
    Access shared(Access::Kind::SharedFolder);
    SECURITY_ATTRIBUTES* attributes = shared.Attributes();
    if (CreateDirectoryW(path.c_str(), attributes) || attributes == nullptr ||
        GetLastError() != ERROR_ALREADY_EXISTS) {
        return;
    }
    SetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, attributes->lpSecurityDescriptor);
}

}  // namespace forms
