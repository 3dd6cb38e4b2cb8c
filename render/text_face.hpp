#pragma once
// The font of the views: a Japanese font found through fontconfig, rendered by FreeType in
// monochrome so text is pixel-exact and the same on every run. Rendered glyphs are kept in
// a fixed table allocated once, so drawing a known glyph costs no FreeType call.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "render/text_decoder.hpp"

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace rz::render {

// The em size in pixels. At 16 pixels the Japanese gothic fonts have the metrics of the
// Windows system font the views were laid out with: a 16-pixel cell, the baseline 14 pixels
// down, half-width characters 8 pixels wide, ink about 12 to 13 pixels tall.
inline constexpr int kTextPixelSize = 16;

// A monochrome glyph image; bit 31 of a row is its leftmost pixel. Glyphs are cut to
// kGlyphBox pixels each way, twice the em size.
inline constexpr int kGlyphBox = 32;

struct Glyph {
    static constexpr char32_t kNone = 0xFFFFFFFF;  // an empty cache entry

    char32_t code = kNone;
    std::int16_t left = 0;     // from the pen position to the first column
    std::int16_t top = 0;      // from the baseline up to the first row
    std::int16_t advance = 0;  // pen movement
    std::uint8_t width = 0;
    std::uint8_t height = 0;
    std::array<std::uint32_t, kGlyphBox> rows{};
};

class TextFace {
  public:
    // The font matching "IPAGothic" for Japanese, else the best Japanese font, else any
    // font; nothing when fontconfig finds none or FreeType cannot load it.
    static std::optional<TextFace> open();

    TextFace(TextFace&&) noexcept;
    TextFace& operator=(TextFace&& other) noexcept;
    ~TextFace();

    int ascent() const { return ascent_; }
    int cellHeight() const { return ascent_ + descent_; }
    const std::string& family() const { return family_; }

    // The glyph of one character, rendered on first use.
    const Glyph& glyph(char32_t code);

    TextDecoder& decoder() { return decoder_; }

  private:
    static constexpr std::size_t kCacheSize = 512;

    struct LibraryDone {
        void operator()(FT_LibraryRec_* library) const;
    };
    struct FaceDone {
        void operator()(FT_FaceRec_* face) const;
    };

    TextFace() = default;
    void render(char32_t code, Glyph& into);

    std::unique_ptr<FT_LibraryRec_, LibraryDone> library_;
    std::unique_ptr<FT_FaceRec_, FaceDone> face_;
    std::vector<Glyph> cache_;  // kCacheSize entries, indexed by code modulo the size
    TextDecoder decoder_;
    std::string family_;
    int ascent_ = 0;
    int descent_ = 0;
};

}  // namespace rz::render
