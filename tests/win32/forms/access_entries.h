#pragma once

#include <windows.h>
#include <sddl.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

// The entries of an access list as Windows holds them: who, allowed or denied, which rights,
// and how they pass on to what is made inside a folder.
struct AccessEntry {
    std::string account;  // a security identifier, S-1-...
    bool allowed = true;
    ACCESS_MASK rights = 0;
    BYTE inheritance = 0;

    bool operator==(const AccessEntry& other) const {
        return account == other.account && allowed == other.allowed && rights == other.rights &&
               inheritance == other.inheritance;
    }
};

inline std::ostream& operator<<(std::ostream& out, const AccessEntry& entry) {
    return out << "{" << entry.account << (entry.allowed ? " allowed 0x" : " denied 0x") << std::hex
               << entry.rights << " inheritance 0x" << int(entry.inheritance) << std::dec << "}";
}

inline const std::string kSystem = "S-1-5-18";
inline const std::string kEveryone = "S-1-1-0";
inline const std::string kCreatorOwner = "S-1-3-0";
inline const std::string kAuthenticatedUsers = "S-1-5-11";

inline std::string SidText(PSID sid) {
    wchar_t* text = nullptr;
    if (sid == nullptr || !ConvertSidToStringSidW(sid, &text)) {
        return "none";
    }
    std::string narrow(text, text + wcslen(text));
    LocalFree(text);
    return narrow;
}

inline std::string RunningUser() {
    HANDLE token = nullptr;
    BYTE user[256];
    DWORD size = sizeof(user);
    std::string sid = "unknown";
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        if (GetTokenInformation(token, TokenUser, user, size, &size)) {
            sid = SidText(reinterpret_cast<TOKEN_USER*>(user)->User.Sid);
        }
        CloseHandle(token);
    }
    return sid;
}

inline std::string OwnerOf(PSECURITY_DESCRIPTOR descriptor) {
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    GetSecurityDescriptorOwner(descriptor, &owner, &defaulted);
    return SidText(owner);
}

inline bool ListIsProtected(PSECURITY_DESCRIPTOR descriptor) {
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    return GetSecurityDescriptorControl(descriptor, &control, &revision) &&
           (control & SE_DACL_PROTECTED) != 0;
}

inline std::vector<AccessEntry> EntriesOf(PSECURITY_DESCRIPTOR descriptor) {
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL list = nullptr;
    std::vector<AccessEntry> entries;
    if (!GetSecurityDescriptorDacl(descriptor, &present, &list, &defaulted) || list == nullptr) {
        return entries;
    }
    for (DWORD index = 0; index < list->AceCount; ++index) {
        void* ace = nullptr;
        GetAce(list, index, &ace);
        // Allowed and denied entries share one layout.
        const auto* entry = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        entries.push_back({SidText(const_cast<DWORD*>(&entry->SidStart)),
                           entry->Header.AceType == ACCESS_ALLOWED_ACE_TYPE, entry->Mask,
                           entry->Header.AceFlags});
    }
    return entries;
}

inline std::set<std::string> AccountsOf(const std::vector<AccessEntry>& entries) {
    std::set<std::string> accounts;
    for (const AccessEntry& entry : entries) {
        accounts.insert(entry.account);
    }
    return accounts;
}

// The owner and access list stored for a file or folder, read back as any program would.
class StoredAccess {
  public:
    explicit StoredAccess(const std::wstring& path) {
        const SECURITY_INFORMATION wanted = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
        DWORD size = 0;
        GetFileSecurityW(path.c_str(), wanted, nullptr, 0, &size);
        bytes_.resize(size);
        if (size == 0 || !GetFileSecurityW(path.c_str(), wanted, bytes_.data(), size, &size)) {
            bytes_.clear();
        }
    }

    std::string Owner() const { return bytes_.empty() ? "none" : OwnerOf(Descriptor()); }
    std::vector<AccessEntry> Entries() const {
        return bytes_.empty() ? std::vector<AccessEntry>{} : EntriesOf(Descriptor());
    }

  private:
    PSECURITY_DESCRIPTOR Descriptor() const { return const_cast<BYTE*>(bytes_.data()); }

    std::vector<BYTE> bytes_;
};
