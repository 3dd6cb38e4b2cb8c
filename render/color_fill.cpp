#include "render/color_fill.hpp"

#include <algorithm>
#include <span>

#include "render/renderer.hpp"

namespace rz::render {
namespace {

constexpr int kSquare = 8;

void paint(db::ColorBuffer& image, int width, int height, bool checker, const Rgb8& colour,
           std::uint8_t fourth) {
    width = std::min(width, image.width);
    height = std::min(height, image.height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* px = image.pixels.data() + static_cast<std::size_t>(y) * image.width * 4;
        for (int x = 0; x < width; ++x, px += 4) {
            const bool coloured = !checker || (x / kSquare) % 2 == (y / kSquare) % 2;
            px[0] = coloured ? colour[0] : 255;
            px[1] = coloured ? colour[1] : 255;
            px[2] = coloured ? colour[2] : 255;
            px[3] = fourth;
        }
    }
}

struct FillRow {
    FillCode code;
    void (*fill)(db::ColorBuffer&, const Rgb8&);
};

constexpr std::array<FillRow, 6> kFills{{
    {FillCode::Clear,
     [](db::ColorBuffer& im, const Rgb8&) {
         paint(im, im.width, im.height, false, {0, 0, 0}, 0);
     }},
    {FillCode::Fill,
     [](db::ColorBuffer& im, const Rgb8& c) { paint(im, im.width, im.height, false, c, 0); }},
    {FillCode::Checker,
     [](db::ColorBuffer& im, const Rgb8& c) { paint(im, im.width, im.height, true, c, 0); }},
    {FillCode::CheckerSample,
     [](db::ColorBuffer& im, const Rgb8& c) {
         paint(im, kSampleWidth, kSampleHeight, true, c, 0);
     }},
    {FillCode::BlackSample,
     [](db::ColorBuffer& im, const Rgb8&) {
         paint(im, kSampleWidth, kSampleHeight, false, {0, 0, 0}, 0);
     }},
    {FillCode::NoClear, [](db::ColorBuffer&, const Rgb8&) {}},
}};

}  // namespace

bool fillColorBuffer(db::ColorBuffer& image, int code, const Rgb8& colour) {
    const auto row = std::find_if(kFills.begin(), kFills.end(), [&](const FillRow& r) {
        return static_cast<int>(r.code) == code;
    });
    if (row == kFills.end()) return false;
    row->fill(image, colour);
    return true;
}

}  // namespace rz::render
