#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "access_entries.h"
#include "forms/access.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "paths/program_folder.h"

namespace {

std::vector<uint8_t> ReadFile(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    if (FILE* file = _wfopen(path.c_str(), L"rb")) {
        for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
            bytes.push_back(static_cast<uint8_t>(c));
        }
        std::fclose(file);
    }
    return bytes;
}

void WriteText(const std::wstring& path, const char* text) {
    if (FILE* file = _wfopen(path.c_str(), L"wb")) {
        std::fputs(text, file);
        std::fclose(file);
    }
}

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

std::wstring TempFolder() {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return folder;
}

struct CanvasForm : forms::Form {
    CanvasForm() : forms::Form({"Vorlenta picture test", forms::BorderStyle::None, RGB(0, 0, 0)}) {}
    forms::PictureBox Display{*this, *this, RECT{0, 0, 5, 3}, RGB(0, 0, 0)};
};

}  // namespace

TEST(PictureBox, SavesItsSurfaceAsABottomUp24BitBitmapOverTheOldFile) {
    CanvasForm form;
    form.Load();
    SetPixel(form.Display.hDC(), 0, 0, RGB(10, 20, 30));    // top left
    SetPixel(form.Display.hDC(), 4, 2, RGB(200, 100, 50));  // bottom right
    // A folder whose name no single ANSI code page holds.
    const std::wstring folder = TempFolder() + L"Тест Łódź 東京";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\vorlenta picture test.bmp";
    WriteText(path, "an older, longer file that must be replaced completely");

    ASSERT_TRUE(form.Display.SavePicture(path));

    const std::vector<uint8_t> bytes = ReadFile(path);
    const uint32_t stride = 16;  // 5 pixels of 3 bytes, padded to 4
    ASSERT_EQ(bytes.size(), 54u + stride * 3);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(Read32(bytes, 10), 54u);
    EXPECT_EQ(Read32(bytes, 14), 40u);
    EXPECT_EQ(Read32(bytes, 18), 5u);
    EXPECT_EQ(Read32(bytes, 22), 3u);
    // The bottom row comes first; pixels are stored blue, green, red.
    const size_t bottomRight = 54 + 4 * 3;
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + bottomRight, bytes.begin() + bottomRight + 3),
              (std::vector<uint8_t>{50, 100, 200}));
    const size_t topLeft = 54 + 2 * stride;
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + topLeft, bytes.begin() + topLeft + 3),
              (std::vector<uint8_t>{30, 20, 10}));
    EXPECT_EQ(GetFileAttributesW(TemporaryPathBeside(path, forms::RunningUserSid()).c_str()),
              INVALID_FILE_ATTRIBUTES);
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
    form.Unload();
}

// A killed write leaves its file beside the picture, with whatever rights it was made with; one
// by another user's killed show is not even in the way.
TEST(PictureBox, APictureNeverTakesTheRightsOfAFileLeftBesideIt) {
    CanvasForm form;
    form.Load();
    const std::wstring path = TempFolder() + L"vorlenta private picture.bmp";
    const std::wstring ours = TemporaryPathBeside(path, forms::RunningUserSid());
    const std::wstring theirs = TemporaryPathBeside(path, L"S-1-5-21-1-2-3-1001");
    WriteText(ours, "left by a show of ours that was killed");
    WriteText(theirs, "left by another user's");
    ASSERT_EQ(AccountsOf(StoredAccess(ours).Entries()).count(kEveryone), 1u);
    forms::Access privateFile(forms::Access::Kind::PrivateFile);

    ASSERT_TRUE(form.Display.SavePicture(path, privateFile.Attributes()));
    DeleteFileW(theirs.c_str());

    const StoredAccess stored(path);
    EXPECT_EQ(stored.Owner(), RunningUser());
    EXPECT_EQ(AccountsOf(stored.Entries()), (std::set<std::string>{RunningUser(), kSystem}));
    DeleteFileW(path.c_str());
    form.Unload();
}

TEST(PictureBox, SaveIntoAMissingFolderFailsAndLeavesNothing) {
    CanvasForm form;
    form.Load();
    const std::wstring path = TempFolder() + L"vorlenta-no-such-folder\\picture.bmp";
    EXPECT_FALSE(form.Display.SavePicture(path));
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    form.Unload();
}

TEST(PictureBox, ResizingKeepsThePictureWhereTheSurfacesOverlap) {
    CanvasForm form;
    form.Load();
    SetPixel(form.Display.hDC(), 1, 1, RGB(1, 2, 3));
    form.Display.Move(0, 0, 40, 30);
    EXPECT_EQ(GetPixel(form.Display.hDC(), 1, 1), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(form.Display.hDC(), 39, 29), RGB(0, 0, 0));
    form.Unload();
}
