#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "access_entries.h"
#include "forms/access.h"

namespace {

using Entries = std::vector<AccessEntry>;

constexpr BYTE kFilesAndFolders = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;

std::wstring TempFolder() {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return folder;
}

}  // namespace

// Wine keeps of a stored list only what Unix permissions can hold, so the lists are checked
// entry by entry as the program hands them to Windows.
TEST(Access, APrivateFileIsOpenToItsWriterAndTheSystemAlone) {
    forms::Access access(forms::Access::Kind::PrivateFile);
    ASSERT_NE(access.Attributes(), nullptr);
    const PSECURITY_DESCRIPTOR descriptor = access.Attributes()->lpSecurityDescriptor;
    const std::string user = RunningUser();
    EXPECT_EQ(OwnerOf(descriptor), user);
    EXPECT_TRUE(ListIsProtected(descriptor)) << "the folder's entries would be inherited";
    EXPECT_EQ(EntriesOf(descriptor),
              (Entries{{user, true, FILE_ALL_ACCESS, 0}, {kSystem, true, FILE_ALL_ACCESS, 0}}));
}

TEST(Access, ASharedFolderLetsEveryUserAddAndRemoveFilesButNotListOrReadThem) {
    forms::Access access(forms::Access::Kind::SharedFolder);
    ASSERT_NE(access.Attributes(), nullptr);
    const PSECURITY_DESCRIPTOR descriptor = access.Attributes()->lpSecurityDescriptor;
    const std::string user = RunningUser();
    const ACCESS_MASK addAndRemove =
        FILE_ADD_FILE | FILE_DELETE_CHILD | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
    EXPECT_EQ(OwnerOf(descriptor), user);
    EXPECT_TRUE(ListIsProtected(descriptor)) << "the parent's entries would be inherited";
    EXPECT_EQ(EntriesOf(descriptor),
              (Entries{{user, true, FILE_ALL_ACCESS, 0},
                       {kSystem, true, FILE_ALL_ACCESS, kFilesAndFolders},
                       // What anyone makes inside is open to its maker and the system alone.
                       {kCreatorOwner, true, FILE_ALL_ACCESS, kFilesAndFolders | INHERIT_ONLY_ACE},
                       {kAuthenticatedUsers, true, addAndRemove, 0}}));
}

TEST(SharedFolder, AFolderItsOwnerMadeOpenToEveryoneGetsTodaysList) {
    const std::wstring folder = TempFolder() + L"vorlenta shared folder";
    RemoveDirectoryW(folder.c_str());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_EQ(AccountsOf(StoredAccess(folder).Entries()).count(kEveryone), 1u);

    forms::MakeSharedFolder(folder);

    const StoredAccess stored(folder);
    EXPECT_EQ(stored.Owner(), RunningUser());
    EXPECT_EQ(AccountsOf(stored.Entries()), (std::set<std::string>{RunningUser(), kSystem}));
    RemoveDirectoryW(folder.c_str());
}
