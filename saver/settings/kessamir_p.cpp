#include "settings/kessamir_p.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cmath>
#include <string>

#include "forms/gdi.h"
#include "forms/screen_pointer.h"
#include "forms/units.h"
#include "logic/window_titles.h"
#include "music/settings.h"
#include "rules/shared_values.h"
#include "rules/text_rules.h"
#include "settings/dialog_resources.h"
#include "settings/dialog_rules.h"
#include "settings/zoom.h"
#include "system/system_library.h"
#include "system/wide_text.h"

namespace {

constexpr COLORREF kBackColor = RGB(192, 192, 192);
constexpr int kRepeatEntries = 31;  // an empty first entry, then 1 to 30
constexpr int kChooserBuffer = 255;
constexpr int kGradientBlueLift = 30;

// The music file as the user knows it: a name stored in its short form shows its long one.
std::wstring ShownPath(const std::string& ansiPath) {
    const std::wstring path = Widen(ansiPath, CP_ACP);
    const DWORD needed = GetLongPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0) {
        return path;
    }
    std::wstring longPath(needed, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), longPath.data(), needed);
    return length > 0 && length < needed ? longPath.substr(0, length) : path;
}

}  // namespace

const forms::FontDescription Kessamir_P::kPanelFont{"Tahoma", 8.25, 1, 400, false};

Kessamir_P::Kessamir_P()
    : forms::Form({kSettingsDialogTitle, forms::BorderStyle::FixedSingle, kBackColor,
                   IDI_SETTINGS_DIALOG, SIZE{496, 246}, /*retainedBackground=*/true}) {
    Pic_C.SetTabIndex(1);
    BGM_Repeat.SetTabIndex(2);
    Cmd_File.SetTabIndex(12);
    Cmd_Set.SetTabIndex(13);
    Cmd_Can.SetTabIndex(14);
    for (int kind = 0; kind < 3; ++kind) {
        auto choose = [this, kind](const forms::MouseEvent&) { SelectBGMKind(kind); };
        Img_BGM[kind].MouseDown = choose;
        lbl_BGM[kind].MouseDown = choose;
    }
    Cmd_File.Click = [this] { Cmd_File_Click(); };
    Cmd_Set.Click = [this] { Cmd_Set_Click(); };
    Cmd_Can.Click = [this] { Cmd_Can_Click(); };
    lbl_URL.Click = [this] { lbl_URL_Click(); };
}

forms::LabelDesign Kessamir_P::Text(const char* caption, forms::Alignment alignment) {
    return {caption, forms::kDefaultAmbientFont, RGB(0, 0, 0), alignment, false};
}

forms::LabelDesign Kessamir_P::BorderedText() {
    forms::LabelDesign design = Text("");
    design.border = true;
    design.wrap = true;
    return design;
}

forms::LabelDesign Kessamir_P::LinkText() {
    forms::LabelDesign design = Text(kHomePageUrl);
    design.font.underline = true;
    design.foreColor = RGB(255, 255, 255);
    return design;
}

// What the form's design holds before Form_Load runs: the buttons' stored properties, the
// panel strip, the option marks and the link's pointer.
void Kessamir_P::RestoreDesign() {
    const forms::FontDescription& font = forms::kDefaultAmbientFont;
    Cmd_Set.Restore(command::StoredCommand("設定", 1155, 375));
    Cmd_Can.Restore(command::StoredCommand("ｷｬﾝｾﾙ", 1155, 375, &font));
    Cmd_File.Restore(command::StoredCommand("...", 615, 315, &font));
    if (const auto strip = forms::Picture::FromResource(IDB_PANEL_STRIP)) {
        Pic_Mbl.DrawPicture(*strip);
    }
    Img_Ra[0] = forms::Picture::FromResource(IDB_OPTION_OFF);
    Img_Ra[1] = forms::Picture::FromResource(IDB_OPTION_ON);
    lbl_URL.SetMousePointer(static_cast<HCURSOR>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_LINK_POINTER), IMAGE_CURSOR, 0,
                   0, LR_DEFAULTSIZE | LR_SHARED)));
}

void Kessamir_P::Form_Load() {
    RestoreDesign();
    RECT outer{};
    GetWindowRect(WindowHandle(), &outer);
    const long width = forms::TwipsOf(outer.right - outer.left);
    const long height = forms::TwipsOf(outer.bottom - outer.top);
    const TwipPosition position =
        DialogPosition(forms::TwipsOf(forms::ScreenWidthPixels()),
                       forms::TwipsOf(forms::ScreenHeightPixels()), width, height);
    Move(position.left, position.top, width, height);
    InitCommandButtons();
    TilePicture(Pic_C);
    BGM_Repeat.SetEnabled(false);
    const KindLook look = LookOfKind(BGMKind);
    MarkOption(look);
    if (look.repeatBoxEnabled) {
        BGM_Repeat.SetEnabled(true);
    }
    Cmd_File.Enabled(look.fileButtonEnabled);
    BGM_Repeat.SetText(FormatHash(BGMRepeat));
    for (int entry = 0; entry < kRepeatEntries; ++entry) {
        BGM_Repeat.AddItem(FormatHash(entry));
    }
    lbl_Fname.SetCaption(ShownPath(BGMFile));
    POINT mouse{};
    ApiResult = GetCursorPos(&mouse);
    ZoomX = ApiResult != 0 ? static_cast<std::int16_t>(mouse.x) : 0;
    ZoomY = ApiResult != 0 ? static_cast<std::int16_t>(mouse.y) : 0;
    Zoom_Open(WindowHandle());
    forms::SetScreenMousePointer(nullptr);
}

// A bluish grey that is dark at the top and bottom edges and brightest in the middle, drawn
// into the retained background so that it survives being covered.
void Kessamir_P::Form_Resize() {
    const int width = ScaleWidth();
    const int height = ScaleHeight();
    for (int y = 0; y <= height; ++y) {
        const int c = GradientShade(y, height);
        const forms::Pen pen(CreatePen(PS_SOLID, 1, RGB(c, c, c + kGradientBlueLift)));
        const forms::Selection selected(hDC(), pen.Get());
        MoveToEx(hDC(), 0, y, nullptr);
        LineTo(hDC(), width, y);
    }
    Refresh();
}

void Kessamir_P::Form_Unload() {
    Zoom_Close(WindowHandle());
}

void Kessamir_P::InitCommandButtons() {
    for (command::Command* button : {&Cmd_File, &Cmd_Set, &Cmd_Can}) {
        button->Initialize();
    }
}

void Kessamir_P::TilePicture(forms::PictureBox& box) {
    RECT inside{};
    GetClientRect(box.WindowHandle(), &inside);
    const int stripWidth = Pic_Mbl.Width();
    const int stripHeight = Pic_Mbl.Height();
    for (const TileOrigin& at : TileOrigins(inside.right, inside.bottom, stripWidth, stripHeight)) {
        ApiResult =
            BitBlt(box.hDC(), at.x, at.y, stripWidth, stripHeight, Pic_Mbl.hDC(), 0, 0, SRCCOPY);
    }
    box.Refresh();
}

void Kessamir_P::MarkOption(const KindLook& look) {
    for (int k = 0; k < 3; ++k) {
        Img_BGM[k].SetPicture(Img_Ra[look.marked[static_cast<size_t>(k)] ? 1 : 0]);
    }
}

// Any mouse button on an option's image or label chooses it; the file and the repeat box's
// text stay as they are. Both controls are disabled first and only the kind's own one enabled
// again, so "..." hears of its enabled state once unless the music file's kind is chosen.
void Kessamir_P::SelectBGMKind(int kind) {
    BGMKind = static_cast<std::int16_t>(kind);
    Cmd_File.Enabled(false);
    BGM_Repeat.SetEnabled(false);
    const KindLook look = LookOfKind(kind);
    MarkOption(look);
    if (look.repeatBoxEnabled) {
        BGM_Repeat.SetEnabled(true);
    }
    if (look.fileButtonEnabled) {
        Cmd_File.Enabled(true);
    }
}

void Kessamir_P::Cmd_File_Click() {
    const std::wstring filter =
        L"BGMﾌｧｲﾙ (MP3 WAV)" + std::wstring(1, L'\0') + L"*.MP3;*.WAV" + std::wstring(1, L'\0');
    const std::wstring folder = Widen(BGMFolder, CP_ACP);
    std::wstring file(kChooserBuffer, L'\0');
    std::wstring fileTitle(kChooserBuffer, L'\0');
    OPENFILENAMEW request{};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400W;  // the NT 4 request: 76 bytes on 32 bits
    request.hwndOwner = WindowHandle();
    request.hInstance = GetModuleHandleW(nullptr);
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = file.data();
    request.nMaxFile = kChooserBuffer;
    request.lpstrFileTitle = fileTitle.data();
    request.nMaxFileTitle = kChooserBuffer;
    request.lpstrInitialDir = folder.c_str();
    request.lpstrTitle = L"ﾌｧｲﾙを開く";
    static const auto getOpenFileName =
        SystemFunction<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    ApiResult = getOpenFileName != nullptr ? getOpenFileName(&request) : FALSE;
    if (ApiResult > 0) {
        TakeChosenFile(file.substr(0, file.find(L'\0')));
    }
}

// The settings file keeps the path in the system's ANSI code page: a name outside it is kept
// by its short form, and one that has neither cannot be kept at all, which the user is told
// rather than finding the choice gone at the next start.
void Kessamir_P::TakeChosenFile(const std::wstring& chosen) {
    const std::string stored = AnsiPathOf(chosen);
    if (stored.empty()) {
        const std::wstring message = chosen +
                                     L"\n\nこのファイルの場所は設定ファイルに保存できません。"
                                     L"別のフォルダーのファイルを選んでください。";
        MessageBoxW(WindowHandle(), message.c_str(), Widen(kSettingsDialogTitle).c_str(),
                    MB_OK | MB_ICONWARNING);
        return;
    }
    BGMFile = stored;
    lbl_Fname.SetCaption(chosen);
    BGMFolder = Path_Folder(BGMFile);
}

// A save that did not reach the file keeps the dialog open with every choice as it was.
void Kessamir_P::Cmd_Set_Click() {
    if (SaveSettings(BGM_Repeat.Text())) {
        Unload();
    } else {
        TellSaveFailed();
    }
}

void Kessamir_P::TellSaveFailed() {
    const std::wstring message = L"設定を保存できませんでした。\n\n" +
                                 Widen(SettingsPath(), CP_ACP) +
                                 L"\n\nファイルまたはフォルダーが読み取り専用になっていないか"
                                 L"確認してください。";
    MessageBoxW(WindowHandle(), message.c_str(), Widen(kSettingsDialogTitle).c_str(),
                MB_OK | MB_ICONWARNING);
}

void Kessamir_P::Cmd_Can_Click() {
    Unload();
}

void Kessamir_P::lbl_URL_Click() {
    forms::SetScreenMousePointer(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // IDC_WAIT
    static const auto shellExecute =
        SystemFunction<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (shellExecute != nullptr) {
        shellExecute(WindowHandle(), L"open", lbl_URL.Caption().c_str(), L"", L"", SW_SHOWNORMAL);
    }
    forms::SetScreenMousePointer(nullptr);
}
