#include "settings/kessamir_p.h"

#include <string>
#include <string_view>
#include <utility>

#include <gtest/gtest.h>

#include "music/settings.h"
#include "painted_pixel.h"

namespace {

struct StoredSettings {
    int kind;
    int repeat;
    const char* file = "";
};

// The dialog, counting what "..." announces of its enabled state.
class AnnouncingDialog : public Kessamir_P {
  public:
    int fileButtonEnabledAnnouncements = 0;

  protected:
    void UserControl_PropertyChanged(forms::UserControl& control,
                                     std::string_view property) override {
        if (&control == &Cmd_File && property == "Enabled") {
            ++fileButtonEnabledAnnouncements;
        }
    }
};

// The dialog as Form_Load leaves it for the given settings.
class LoadedDialog {
  public:
    explicit LoadedDialog(StoredSettings stored) {
        BGMKind = static_cast<std::int16_t>(stored.kind);
        BGMRepeat = static_cast<std::int16_t>(stored.repeat);
        BGMFile = stored.file;
        dialog.Load();
    }
    ~LoadedDialog() { dialog.Unload(); }
    AnnouncingDialog dialog;

    // The option whose mark the panel shows with its green centre; -1 for none, -2 for more.
    int MarkedKind() {
        int marked = -1;
        for (int k = 0; k < 3; ++k) {
            const RECT& mark = dialog.Img_BGM[k].Bounds();
            const COLORREF centre = PanelPixel(mark.left + 7, mark.top + 7);
            if (GetGValue(centre) > 2 * GetRValue(centre)) {
                marked = marked == -1 ? k : -2;
            }
        }
        return marked;
    }

  private:
    COLORREF PanelPixel(int x, int y) {
        return PaintedPixel(dialog.Pic_C.WindowHandle(), WM_PRINTCLIENT, PRF_CLIENT,
                            dialog.Pic_C.Width(), dialog.Pic_C.Height(), x, y);
    }
};

}  // namespace

TEST(SettingsDialog, LoadsWithItsClientSizeAndARepeatListOf31EntriesTheFirstEmpty) {
    LoadedDialog loaded({1, 45});
    Kessamir_P& dialog = loaded.dialog;
    EXPECT_EQ(dialog.ScaleWidth(), 496);
    EXPECT_EQ(dialog.ScaleHeight(), 246);
    EXPECT_EQ(SendMessageW(dialog.BGM_Repeat.WindowHandle(), CB_GETCOUNT, 0, 0), 31);
    EXPECT_EQ(dialog.BGM_Repeat.Text(), "45");  // not in the list, shown all the same
    EXPECT_EQ(dialog.Cmd_Set.Caption(), "設定");
    EXPECT_EQ(dialog.Cmd_Can.Font(), forms::kDefaultAmbientFont);
}

TEST(SettingsDialog, EachStoredKindMarksOneOptionAndEnablesItsOwnControls) {
    struct Case {
        int kind;
        int marked;  // -1: none
        bool repeatBox, fileButton;
    };
    for (const Case& c : {Case{0, 0, false, false}, Case{1, 1, true, false},
                          Case{2, 2, false, true}, Case{3, -1, false, false}}) {
        LoadedDialog loaded({c.kind, 0});
        EXPECT_EQ(loaded.MarkedKind(), c.marked) << c.kind;
        EXPECT_EQ(IsWindowEnabled(loaded.dialog.BGM_Repeat.WindowHandle()) != 0, c.repeatBox)
            << c.kind;
        EXPECT_EQ(loaded.dialog.Cmd_File.Enabled(), c.fileButton) << c.kind;
        EXPECT_EQ(loaded.dialog.BGM_Repeat.Text(), "") << c.kind;
    }
}

TEST(SettingsDialog, ChoosingAKindWithAnyButtonKeepsTheFileAndTheRepeatText) {
    LoadedDialog loaded({2, 7, "C:\\music\\a.mp3"});
    Kessamir_P& dialog = loaded.dialog;
    for (int button : {forms::kRightButton, forms::kLeftButton}) {
        dialog.lbl_BGM[1].MouseDown({button, 0, 1, 1});
        EXPECT_EQ(BGMKind, 1);
        EXPECT_EQ(loaded.MarkedKind(), 1);
        dialog.Img_BGM[0].MouseDown({button, 0, 1, 1});
        EXPECT_EQ(BGMKind, 0);
    }
    EXPECT_EQ(BGMFile, "C:\\music\\a.mp3");
    EXPECT_EQ(dialog.lbl_Fname.Caption(), L"C:\\music\\a.mp3");
    EXPECT_EQ(dialog.BGM_Repeat.Text(), "7");
    EXPECT_FALSE(dialog.Cmd_File.Enabled());
}

// Choosing disables "..." and enables it again only for the music file's kind: one change a
// choice, two for that kind.
TEST(SettingsDialog, ChoosingAKindTellsTheFileButtonOfEachChangeOnce) {
    LoadedDialog loaded({0, 0});
    AnnouncingDialog& dialog = loaded.dialog;
    for (const auto& [kind, announcements] : {std::pair{1, 1}, std::pair{2, 2}, std::pair{0, 1}}) {
        dialog.fileButtonEnabledAnnouncements = 0;
        dialog.lbl_BGM[kind].MouseDown({forms::kLeftButton, 0, 1, 1});
        EXPECT_EQ(dialog.fileButtonEnabledAnnouncements, announcements) << kind;
    }
}
