#pragma once

#include <cstdint>

#include "forms/controls.h"
#include "forms/form.h"

// The preview form: a still picture of the burst, stretched over the system's preview window.
class Kessamir_R : public forms::Form {
  public:
    Kessamir_R();

    // 2325 x 1710 twips at design time.
    forms::ImageControl Img_Prev{*this, *this, RECT{0, 0, 155, 114}};

  private:
    void Form_Unload() override;
};

// Makes the preview form a child of the given window, covering it exactly. A handle that names
// no window ends the program at once rather than leaving a stray window behind.
void ShowPreview(Kessamir_R& form, uint32_t previewHandle);
