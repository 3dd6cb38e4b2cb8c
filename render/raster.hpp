#pragma once
// The drawing layer of the wireframe views: one off-screen 24-bit image and the operations
// the views draw with. Pixels follow the rules of the Windows graphics device interface the
// views were designed on (end pixel of a line left out, right and bottom edges of a
// rectangle outside it), so the views look as they always did. The same image is drawn
// with and without a display; a window only copies it to the screen.
//
// The image is allocated when it is sized and only then; no drawing operation allocates.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "render/raster_types.hpp"
#include "render/text_face.hpp"

namespace rz::render {

// The detail line a caller shows after the allocation message when the image cannot be had.
inline constexpr std::string_view kInitializeGfxDetail = " ... in initializeGFX() : gfxlib\n";

enum class ImageStatus {
    Ok,
    BadSize,   // a side below 0 or above Raster::kMaxSide; the image is unchanged
    NoMemory,  // the image is unchanged
};

// Pixels to copy from: the C-Buffer (4 bytes a pixel, the fourth ignored) or a texture
// (1 byte grey, 3 bytes red-green-blue, 4 bytes with alpha), rows top first, no padding.
struct SourceImage {
    std::span<const std::uint8_t> bytes;
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;
};

// The sampling step that shows an image of this size in at most 160 × 120 pixels.
int thumbnailStep(int width, int height);

class Raster {
  public:
    static constexpr int kMaxSide = 8192;

    // (Re)allocates the image, black, and resets the clip region; the same size keeps the
    // image as it is.
    ImageStatus resize(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    // Rows top to bottom, three bytes red, green, blue a pixel, stride() bytes a row.
    std::span<const std::uint8_t> pixels() const { return image_; }
    std::size_t stride() const { return static_cast<std::size_t>(width_) * 3; }
    // Nothing outside the image.
    std::optional<Rgb> pixel(int x, int y) const;

    // Every operation draws only inside the clip region. Setting it replaces the previous
    // one; it never reaches beyond the image.
    void setClip(const Rect& clip);
    void resetClip();
    const Rect& clip() const { return clip_; }

    // One-pixel line from (x0, y0) up to, but not including, (x1, y1).
    void line(int x0, int y0, int x1, int y1, Rgb colour, RasterOp op = RasterOp::Copy);
    // The same, clipped to `within` as well.
    void line(int x0, int y0, int x1, int y1, Rgb colour, RasterOp op, const Rect& within);
    // A one-pixel frame on the rectangle's outermost pixels, each pixel drawn once.
    void frameRect(const Rect& rect, Rgb colour, RasterOp op = RasterOp::Copy);
    void fillRect(const Rect& rect, Rgb colour, RasterOp op = RasterOp::Copy);

    // Finds and loads the font; text draws nothing until it has succeeded.
    bool loadFont();
    bool hasFont() const { return font_.has_value(); }
    std::string_view fontFamily() const { return font_ ? font_->family() : std::string_view(); }
    // The text's cell: the sum of its advances by the font's cell height.
    Size textExtent(std::string_view text);
    // The text's cell filled with `background`, its top-left corner at (x, y), and the
    // glyphs in `colour` on it. UTF-8, or Shift-JIS when the bytes are not UTF-8.
    void text(int x, int y, std::string_view text, Rgb colour, Rgb background);

    // Copies the part `from` of the source with its top-left pixel at (toX, toY); with a step
    // s, destination pixel (toX + j, toY + i) takes source pixel (from.left + j·s,
    // from.top + i·s). False, and nothing drawn, for a malformed source or step.
    bool blit(const SourceImage& source, const Rect& from, int toX, int toY, int step = 1);
    // The whole source at most 160 × 120, one source pixel per thumbnailStep().
    bool blitThumbnail(const SourceImage& source, int toX, int toY);

  private:
    std::uint8_t* at(int x, int y) {
        return image_.data() + static_cast<std::size_t>(y) * stride() +
               static_cast<std::size_t>(x) * 3;
    }
    void drawLine(int x0, int y0, int x1, int y1, Rgb colour, RasterOp op, const Rect& clip);
    void drawGlyph(const Glyph& glyph, std::int64_t penX, std::int64_t baseline, Rgb colour);

    std::vector<std::uint8_t> image_;
    int width_ = 0;
    int height_ = 0;
    Rect clip_;
    std::optional<TextFace> font_;
};

}  // namespace rz::render
