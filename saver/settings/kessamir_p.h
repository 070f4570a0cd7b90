#pragma once

#include <windows.h>

#include <memory>

#include "controls/command.h"
#include "settings/dialog_rules.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/graphics.h"

// The project's home page, opened by the dialog's link label.
inline constexpr char kHomePageUrl[] = "https://vorlenta.github.io/";

// Kessamir_P: the settings dialog. It edits the music kind, the CD track to repeat and the
// music file; "設定" saves them beside the program and closes, "ｷｬﾝｾﾙ" and the close box close
// without saving. Positions are the design's pixels inside each control's container.
class Kessamir_P : public forms::Form {
  public:
    Kessamir_P();

    forms::PictureBox Pic_C{*this, *this, Bounds(12, 16, 469, 165), RGB(224, 224, 224), true};
    forms::Shape Shape3{Pic_C, Bounds(20, 20, 113, 21), RGB(0, 0, 0)};
    forms::Label lbl_15{Pic_C, Bounds(20, 24, 111, 13), Text("BGM", forms::Alignment::Centre)};
    forms::Image Img_BGM[3] = {{Pic_C, Bounds(28, 76, 13, 13)},
                               {Pic_C, Bounds(28, 56, 13, 13)},
                               {Pic_C, Bounds(28, 96, 13, 13)}};
    forms::Label lbl_BGM[3] = {{Pic_C, Bounds(44, 76, 22, 13), Text("なし")},
                               {Pic_C, Bounds(44, 56, 43, 13), Text("音楽CD")},
                               {Pic_C, Bounds(44, 96, 60, 13), Text("MP3、WAV")}};
    forms::ComboBox BGM_Repeat{*this, Pic_C, Bounds(112, 52, 41, 20), kPanelFont};
    forms::Label lbl_14{Pic_C, Bounds(156, 56, 66, 13), Text("曲目をﾘﾋﾟｰﾄ")};
    command::Command Cmd_File{*this, Pic_C, Bounds(28, 116, 41, 21)};
    forms::Label lbl_Fname{Pic_C, Bounds(72, 116, 373, 33), BorderedText()};
    forms::Label lbl_URL{*this, Bounds(12, 208, 219, 13), LinkText()};
    command::Command Cmd_Set{*this, *this, Bounds(324, 200, 77, 25)};
    command::Command Cmd_Can{*this, *this, Bounds(404, 200, 77, 25)};
    // Hidden helpers: the panel strip, below the client area, and the two option marks.
    forms::PictureBox Pic_Mbl{*this, *this, Bounds(0, 400, 556, 20), RGB(224, 224, 224)};
    std::shared_ptr<const forms::Picture> Img_Ra[2];

  protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload() override;

  private:
    static const forms::FontDescription kPanelFont;

    static RECT Bounds(int left, int top, int width, int height) {
        return RECT{left, top, left + width, top + height};
    }
    static forms::LabelDesign Text(const char* caption,
                                   forms::Alignment alignment = forms::Alignment::Left);
    static forms::LabelDesign BorderedText();
    static forms::LabelDesign LinkText();

    void RestoreDesign();
    void InitCommandButtons();
    void TilePicture(forms::PictureBox& box);
    void MarkOption(const KindLook& look);
    void SelectBGMKind(int kind);
    void Cmd_File_Click();
    void TakeChosenFile(const std::wstring& chosen);
    void Cmd_Set_Click();
    void Cmd_Can_Click();
    void lbl_URL_Click();
    void TellSaveFailed();
};
