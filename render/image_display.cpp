#include "render/image_display.hpp"

#include <algorithm>

namespace rz::render {
namespace {

constexpr int kBandRows = 10;

// One side: the whole image centred when it fits, else its centre part over the area.
void placeSide(int image, int start, int area, int& from, int& length, int& to) {
    if (image <= area) {
        from = 0;
        length = image;
        to = start + (area - image) / 2;
    } else {
        from = (image - area) / 2;
        length = area;
        to = start;
    }
}

}  // namespace

ImagePlacement placeImage(int imageWidth, int imageHeight, const Rect& area) {
    ImagePlacement p;
    int fromX = 0;
    int fromY = 0;
    int width = 0;
    int height = 0;
    placeSide(std::max(imageWidth, 0), area.left, std::max(area.right - area.left, 0), fromX, width,
              p.toX);
    placeSide(std::max(imageHeight, 0), area.top, std::max(area.bottom - area.top, 0), fromY,
              height, p.toY);
    p.from = {fromX, fromY, fromX + width, fromY + height};
    return p;
}

void drawImageBands(Raster& raster, const db::ColorBuffer& cbuf, const ImagePlacement& at,
                    const ImageWindow& window) {
    const SourceImage source{cbuf.pixels, cbuf.width, cbuf.height, 4};
    for (int end = at.from.bottom; end > at.from.top; end -= kBandRows) {
        const int start = std::max(at.from.top, end - kBandRows);
        const Rect band{at.from.left, start, at.from.right, end};
        const int toY = at.toY + (start - at.from.top);
        raster.blit(source, band, at.toX, toY);
        if (window.present != nullptr)
            window.present(window.context,
                           {at.toX, toY, at.toX + (band.right - band.left), toY + (end - start)});
    }
}

}  // namespace rz::render
