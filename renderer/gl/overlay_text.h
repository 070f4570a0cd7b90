#pragma once

#include <array>
#include <cstdint>
#include <string>

// A line of text over the drawn frame, such as the -fps read-out: white with a black shadow, to
// be read over the bright desktop, in the bottom left corner of the viewport.

// How a font puts a string at the current raster position.
class OverlayFont {
  public:
    virtual ~OverlayFont() = default;
    virtual void DrawAtRasterPosition(const std::string& text) const = 0;
    // How far its glyphs reach below their baseline, in pixels.
    virtual int Descent() const = 0;
};

// The scene's lighting, material, texture and depth test would colour and hide the glyphs, and
// its colour would change the material: all are set aside while the text is drawn, and the
// scene's matrices and state are as they were afterwards.
void DrawOverlayText(const OverlayFont& font, const std::string& text, int width, int height);

// The program's own small font, for windowing systems that lend none: the digits, "FPS", and
// ":", "." and "-", each 5 x 7 pixels drawn twice their size. Other characters show as blanks.
class BuiltInFont final : public OverlayFont {
  public:
    BuiltInFont();
    void DrawAtRasterPosition(const std::string& text) const override;
    int Descent() const override { return 0; }

    static constexpr int kScale = 2;
    static constexpr int kWidth = 5 * kScale;
    static constexpr int kHeight = 7 * kScale;
    static constexpr int kBytesPerRow = (kWidth + 7) / 8;
    using Bitmap = std::array<std::uint8_t, kBytesPerRow * kHeight>;

    // A character's glyph as glBitmap takes it: rows bottom first, each byte-aligned.
    const Bitmap& GlyphOf(char character) const;

  private:
    static constexpr int kGlyphs = 17;
    std::array<Bitmap, kGlyphs> bitmaps_{};
};
