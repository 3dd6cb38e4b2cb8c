#include "render/image_commands.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "db/current_records.hpp"
#include "fileio/file_messages.hpp"
#include "fileio/image_codecs.hpp"
#include "render/image_display.hpp"
#include "render/image_operations.hpp"
#include "render/render_messages.hpp"
#include "render/view_repaint.hpp"
#include "render/views.hpp"
#include "script/arguments.hpp"
#include "script/expression.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::render {
namespace {

using script::kFail;
using script::kOk;
using script::Tok;

// The values of a statement: the first, and up to four more after ",".
struct Values {
    std::array<double, 5> v{};
    int count = 0;
};

bool startsValue(Tok t) {
    switch (t) {
        case Tok::Number:
        case Tok::Constant:
        case Tok::Scalar:
        case Tok::Array:
        case Tok::Vector:
        case Tok::VectorArray:
        case Tok::Minus:
        case Tok::LParen:
            return true;
        default:
            return false;
    }
}

// A number, numeric variable or vector component, then either the end of the statement or
// exactly `more` further values after ",".
script::Result readValues(script::Interp& in, int more, Values& out) {
    in.values.reset();
    if (!startsValue(in.next())) return script::failSkip(in, script::msg::kBadParam);
    for (;;) {
        if (script::expression(in) != kOk) return script::failSkipQuiet(in);
        out.v[out.count++] = in.values.pop();
        if (in.cur == Tok::End || in.cur == Tok::Eof) break;
        if (out.count > more) return script::failSkip(in, script::msg::kTooManyParams);
        if (in.cur != Tok::Comma) return script::failSkip(in, script::msg::kBadSeparator);
        in.next();
    }
    if (out.count != 1 && out.count != more + 1)
        return script::failSkip(in, script::msg::kBadParam);
    return kOk;
}

int wholeValue(double v) {
    if (!(std::abs(v) < 2147483647.0)) return 0;
    return static_cast<int>(v);
}

script::Result done(script::Interp& in) {
    in.msg.console(msg::kProcessDone);
    return kOk;
}

// ---- The C-Buffer --------------------------------------------------------------------------

using ImageEdit = bool (*)(db::ColorBuffer&, const ImageRect&, double);

script::Result editImage(script::Interp& in, ImageEdit edit) {
    Values a;
    if (readValues(in, 4, a) != kOk) return kFail;
    db::ColorBuffer& cbuf = db::database(in).colorBuffer;
    if (!fileio::hasPixels(cbuf)) return script::fail(in, fileio::msg::kOutsideScreen);
    const ImageRect r = a.count == 5
                            ? clampRect(a.v[1], a.v[2], a.v[3], a.v[4], cbuf.width, cbuf.height)
                            : wholeImage(cbuf);
    if (!edit(cbuf, r, a.v[0])) return script::fail(in, script::msg::kValueNotCorrect);
    return done(in);
}

// ---- Textures ------------------------------------------------------------------------------

using TextureOp = TextureEdit (*)(db::Database&, std::int64_t, int);

script::Result editTexture(script::Interp& in, TextureOp op, std::string_view routine) {
    Values a;
    if (readValues(in, 1, a) != kOk) return kFail;
    const double id = a.v[0];
    const std::int64_t texture = std::abs(id) < 1e15 ? static_cast<std::int64_t>(id) : -1;
    switch (op(db::database(in), texture, a.count == 2 ? wholeValue(a.v[1]) : 0)) {
        case TextureEdit::Done:
            return done(in);
        case TextureEdit::BadId:
            return script::fail(in, msg::kBadTextureId);
        case TextureEdit::BadFormat:
            in.msg.internalError(routine);
            return kFail;
        case TextureEdit::NoFreeSpace:
            return script::fail(in, msg::kTextureBufferOverflow);
    }
    return kFail;
}

constexpr std::array<int, 7> kFrameBufferModes{1, 2, 3, 11, 12, 13, 21};

}  // namespace

static script::Result cmdRevImage(script::Interp& in) {
    return editImage(in, [](db::ColorBuffer& c, const ImageRect& r, double mode) {
        return reverseImage(c, r, wholeValue(mode));
    });
}

static script::Result cmdMagImage(script::Interp& in) {
    return editImage(in, [](db::ColorBuffer& c, const ImageRect& r, double factor) {
        magnifyImage(c, r, wholeValue(factor));
        return true;
    });
}

static script::Result cmdMonoImage(script::Interp& in) {
    return editImage(in, [](db::ColorBuffer& c, const ImageRect& r, double plane) {
        monoImage(c, r, wholeValue(plane));
        return true;
    });
}

static script::Result cmdNegaImage(script::Interp& in) {
    return editImage(in, [](db::ColorBuffer& c, const ImageRect& r, double plane) {
        negaImage(c, r, wholeValue(plane));
        return true;
    });
}

static script::Result cmdRevTexture(script::Interp& in) {
    return editTexture(in, reverseTexture, "in reverseTexture()");
}

static script::Result cmdSqrRotTexture(script::Interp& in) {
    return editTexture(in, turnTexture, "in squareRotTexture()");
}

static script::Result cmdNegaTexture(script::Interp& in) {
    return editTexture(in, negaTexture, "in negaTexture()");
}

static script::Result cmdFramebuffer(script::Interp& in) {
    Values a;
    if (readValues(in, 0, a) != kOk) return kFail;
    const int mode = wholeValue(a.v[0]);
    const bool known = std::find(kFrameBufferModes.begin(), kFrameBufferModes.end(), mode) !=
                       kFrameBufferModes.end();
    if (in.views != nullptr) in.views->image.frameBufferMode = known ? mode : 1;
    if (!known) return script::fail(in, script::msg::kBadParam);
    return kOk;
}

// The C-Buffer over the view area until the shell's wait returns; then the window is
// painted again as it was.
static script::Result cmdImagedisplay(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Views* views = startedViews(in);
    const db::ColorBuffer& cbuf = db::database(in).colorBuffer;
    if (views != nullptr && views->image.window.waitForKey != nullptr && fileio::hasPixels(cbuf)) {
        ImageDisplay& shown = views->image;
        shown.fullScreen = true;
        const ViewArea a = viewArea(in);
        // The panes' area: 7 pixels inside the view-area frame.
        const Rect area{a.x + 7, a.y + 7, a.x + 7 + a.width, a.y + 7 + a.height};
        drawImageBands(views->raster, cbuf, placeImage(cbuf.width, cbuf.height, area),
                       shown.window);
        in.msg.statusText(msg::kHitAnyKey);
        shown.window.waitForKey(shown.window.context);
        shown.fullScreen = false;
        layoutViews(*views, in);
        repaint(*views, in, kAllClear);
    }
    return done(in);
}

namespace {
const std::array<script::CommandRow, 9> kCommands{{
    {"rev.image", cmdRevImage},
    {"mag.image", cmdMagImage},
    {"mono.image", cmdMonoImage},
    {"nega.image", cmdNegaImage},
    {"rev.texture", cmdRevTexture},
    {"sqr.rot.texture", cmdSqrRotTexture},
    {"nega.texture", cmdNegaTexture},
    {"framebuffer", cmdFramebuffer},
    {"imagedisplay", cmdImagedisplay},
}};
}  // namespace

std::span<const script::CommandRow> imageCommands() {
    return kCommands;
}

}  // namespace rz::render
