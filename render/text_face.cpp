#include "render/text_face.hpp"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/store_allocation.hpp"

namespace rz::render {
namespace {

struct ConfigDone {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternDone {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDone>;

struct FontFile {
    std::string path;
    int index = 0;  // the face within a collection
};

// Family first, then language: IPAGothic when it is installed, otherwise whatever
// fontconfig ranks best for Japanese, which is any font at all when none covers it.
constexpr char kFontPattern[] = "IPAGothic:lang=ja";

std::optional<FontFile> findFont() {
    const std::unique_ptr<FcConfig, ConfigDone> config(FcInitLoadConfigAndFonts());
    if (!config) return std::nullopt;
    const Pattern pattern(FcNameParse(reinterpret_cast<const FcChar8*>(kFontPattern)));
    if (!pattern) return std::nullopt;
    FcConfigSubstitute(config.get(), pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const Pattern match(FcFontMatch(config.get(), pattern.get(), &result));
    if (!match) return std::nullopt;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
    FontFile found{reinterpret_cast<const char*>(file), 0};
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &found.index);
    return found;
}

// 26.6 fixed point to whole pixels.
int roundPixels(FT_Pos value) {
    return static_cast<int>((value + 32) >> 6);
}

std::int16_t toInt16(long value) {
    return static_cast<std::int16_t>(std::clamp<long>(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

// Whether pixel (column, row) of a rendered bitmap is set; grey bitmaps (embedded strikes)
// are thresholded at half intensity.
bool bitmapPixel(const FT_Bitmap& bitmap, unsigned column, unsigned row) {
    const int pitch = bitmap.pitch;
    const unsigned char* top =
        pitch >= 0 ? bitmap.buffer : bitmap.buffer + static_cast<long>(bitmap.rows - 1) * -pitch;
    const unsigned char* line = top + static_cast<long>(row) * pitch;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
        return ((line[column >> 3] >> (7 - (column & 7))) & 1) != 0;
    return line[column] >= 128;
}

}  // namespace

void TextFace::LibraryDone::operator()(FT_LibraryRec_* library) const {
    FT_Done_FreeType(library);
}
void TextFace::FaceDone::operator()(FT_FaceRec_* face) const {
    FT_Done_Face(face);
}

TextFace::TextFace(TextFace&&) noexcept = default;

TextFace& TextFace::operator=(TextFace&& other) noexcept {
    if (this == &other) return *this;
    // The face goes before the library it came from; a member-wise assignment would free
    // the library first and the face with it.
    face_.reset();
    library_ = std::move(other.library_);
    face_ = std::move(other.face_);
    cache_ = std::move(other.cache_);
    decoder_ = std::move(other.decoder_);
    family_ = std::move(other.family_);
    ascent_ = other.ascent_;
    descent_ = other.descent_;
    return *this;
}
TextFace::~TextFace() = default;

std::optional<TextFace> TextFace::open() {
    const std::optional<FontFile> font = findFont();
    if (!font) return std::nullopt;
    TextFace text;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return std::nullopt;
    text.library_.reset(library);
    FT_Face face = nullptr;
    if (FT_New_Face(library, font->path.c_str(), font->index, &face) != 0) return std::nullopt;
    text.face_.reset(face);
    if (FT_Set_Pixel_Sizes(face, 0, kTextPixelSize) != 0) return std::nullopt;
    // The design metrics, not the hinted ones: hinting rounds the ascender up and would make
    // the cell a pixel taller than the font's own 16-pixel cell.
    const FT_Size_Metrics& metrics = face->size->metrics;
    const bool scalable = FT_IS_SCALABLE(face);
    text.ascent_ =
        roundPixels(scalable ? FT_MulFix(face->ascender, metrics.y_scale) : metrics.ascender);
    text.descent_ =
        roundPixels(scalable ? FT_MulFix(-face->descender, metrics.y_scale) : -metrics.descender);
    if (!platform::allocateStore(text.cache_, kCacheSize)) return std::nullopt;
    if (face->family_name != nullptr) text.family_ = face->family_name;
    return text;
}

const Glyph& TextFace::glyph(char32_t code) {
    Glyph& entry = cache_[code % kCacheSize];
    if (entry.code != code) render(code, entry);
    return entry;
}

void TextFace::render(char32_t code, Glyph& into) {
    into = Glyph{};
    into.code = code;
    FT_Face face = face_.get();
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) {
        return;
    }
    const FT_GlyphSlot slot = face->glyph;
    into.advance = toInt16(roundPixels(slot->advance.x));
    into.left = toInt16(slot->bitmap_left);
    into.top = toInt16(slot->bitmap_top);
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return;
    const unsigned width = std::min<unsigned>(bitmap.width, kGlyphBox);
    const unsigned height = std::min<unsigned>(bitmap.rows, kGlyphBox);
    into.width = static_cast<std::uint8_t>(width);
    into.height = static_cast<std::uint8_t>(height);
    for (unsigned row = 0; row < height; ++row) {
        std::uint32_t bits = 0;
        for (unsigned column = 0; column < width; ++column) {
            if (bitmapPixel(bitmap, column, row)) bits |= 0x80000000u >> column;
        }
        into.rows[row] = bits;
    }
}

}  // namespace rz::render
