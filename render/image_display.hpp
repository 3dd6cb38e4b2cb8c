#pragma once
// imagedisplay: the C-Buffer drawn into the main window's image, centred on the view area
// and cropped to it, while the shell waits for a key or a mouse button. Without a shell
// there is no one to wait for, and nothing is drawn.

#include "db/database.hpp"
#include "render/raster.hpp"
#include "render/raster_types.hpp"

namespace rz::render {

// What a window shell lends the command: the image shown so far, up to the band just
// drawn, and the wait for a key, a left or a right button.
struct ImageWindow {
    void* context = nullptr;
    void (*present)(void* context, const Rect& band) = nullptr;
    void (*waitForKey)(void* context) = nullptr;
};

struct ImageDisplay {
    int frameBufferMode = 1;  // framebuffer: kept for scripts, read by nothing else
    bool fullScreen = false;  // while set, the views do not redraw
    ImageWindow window;
};

// The part of the image shown and where its top-left pixel lands.
struct ImagePlacement {
    Rect from;
    int toX = 0;
    int toY = 0;
};
ImagePlacement placeImage(int imageWidth, int imageHeight, const Rect& area);

// Draws the placed image into the raster in bands of 10 rows, the bottom band first,
// presenting each band as it is drawn.
void drawImageBands(Raster& raster, const db::ColorBuffer& cbuf, const ImagePlacement& at,
                    const ImageWindow& window);

}  // namespace rz::render
