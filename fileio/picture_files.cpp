#include "fileio/picture_files.hpp"

#include <strings.h>

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "db/capacity.hpp"
#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "fileio/file_commands.hpp"
#include "fileio/file_messages.hpp"
#include "fileio/file_names.hpp"
#include "fileio/file_types.hpp"
#include "fileio/image_codecs.hpp"
#include "fileio/mapped_file.hpp"
#include "script/messages.hpp"

namespace rz::fileio {
namespace {

using script::kFail;
using script::kOk;

enum class Picture { Raw, Bmp, Tif, Png };

struct PictureRow {
    std::string_view ext;
    Picture format;
};

// The C-Buffer's formats; png is known to these commands only.
constexpr std::array<PictureRow, 5> kPictures{{
    {"rgb", Picture::Raw},
    {"raw", Picture::Raw},
    {"bmp", Picture::Bmp},
    {"tif", Picture::Tif},
    {"png", Picture::Png},
}};

std::optional<Picture> pictureOf(std::string_view name) {
    const std::string_view ext = splitPath(name).ext;
    for (const PictureRow& row : kPictures)
        if (row.ext.size() == ext.size() &&
            ::strncasecmp(row.ext.data(), ext.data(), ext.size()) == 0)
            return row.format;
    return std::nullopt;
}

script::Result reportNamed(script::Interp& in, std::string_view first, const char* detail,
                           const std::string& name) {
    in.msg.errorBox(first);
    in.msg.formatBuffer(detail, name.c_str());
    in.msg.errorBoxPlain(in.msg.buffer());
    return kFail;
}

script::Result reportFault(script::Interp& in, ImageFault fault, const std::string& name) {
    switch (fault) {
        case ImageFault::None:
            return kOk;
        case ImageFault::UnknownFormat:
            in.msg.errorBox(msg::kUnknownImageFormat);
            break;
        case ImageFault::ShortRead:
            in.msg.errorBox(msg::kReadError);
            break;
        case ImageFault::BadTiff:
            return reportNamed(in, script::msg::kFileNotFound, msg::kInPicload, name);
    }
    return kFail;
}

// The final name, or nothing: an empty name (done) or a refused one (reported).
std::optional<std::string> finalName(script::Interp& in, std::string_view given,
                                     script::Result& result) {
    std::string name;
    const NameResult built = makeName(in, given, name);
    result = built == NameResult::Failed ? kFail : kOk;
    if (built != NameResult::Built) return std::nullopt;
    return name;
}

ParsedImage parsePicture(Picture format, std::span<const std::uint8_t> bytes,
                         const db::ColorBuffer& cbuf, std::vector<std::uint8_t>& decoded) {
    switch (format) {
        case Picture::Raw:
            return rawLayout(bytes, cbuf.width, cbuf.height);
        case Picture::Bmp:
            return parseBmp(bytes, cbuf.height);
        case Picture::Tif:
            return parseTiff(bytes, cbuf.height);
        case Picture::Png:
            break;
    }
    return decodePng(bytes, cbuf.width, cbuf.height, decoded);
}

// ---- Saving ------------------------------------------------------------------------------

enum class SaveCommand { Picsave, Tiffsave16 };

script::Result savePicture(script::Interp& in, std::string_view given, SaveCommand command) {
    script::Result result = kOk;
    const std::optional<std::string> name = finalName(in, given, result);
    if (!name) return result;
    const std::optional<Picture> format = pictureOf(*name);
    const bool tiff16 = command == SaveCommand::Tiffsave16;
    if (!format || (tiff16 && format != Picture::Tif))
        return reportNamed(in, msg::kWrongExtension, tiff16 ? msg::kInTiffsave16 : msg::kInPicload,
                           *name);
    const db::ColorBuffer& cbuf = db::database(in).colorBuffer;
    if (!hasPixels(cbuf)) {
        in.msg.errorBox(msg::kOutsideScreen);
        return kFail;
    }
    // The raw and BMP writers have always named picload here.
    const char* detail = tiff16                                             ? msg::kInTiffsave16
                         : format == Picture::Raw || format == Picture::Bmp ? msg::kInPicload
                                                                            : msg::kInPicsave;
    OutputFile out;
    if (!out.open(*name)) return reportNamed(in, msg::kCannotOpenWrite, detail, *name);
    bool written = false;
    switch (*format) {
        case Picture::Raw:
            written = writeRaw(out, cbuf);
            break;
        case Picture::Bmp:
            written = writeBmp(out, cbuf);
            break;
        case Picture::Tif:
            written = writeTiff(out, cbuf, tiff16 ? 3 : 4);
            break;
        case Picture::Png:
            written = writePng(out, cbuf);
            break;
    }
    if (!written || !out.commit()) {
        in.msg.errorBox(msg::kWriteError);
        return kFail;
    }
    in.msg.console(msg::kSaveDone);
    return kOk;
}

// ---- Texture images ----------------------------------------------------------------------

constexpr std::uint16_t kMonoMap = 1;

// A BMP appended to the texture images: the pixels top row first after the bytes in use,
// then its record. Nothing is stored unless both stores have room for it.
script::Result loadTexture(script::Interp& in, std::string_view given, std::uint16_t kind) {
    script::Result result = kOk;
    const std::optional<std::string> name = finalName(in, given, result);
    if (!name || fileTypeOfExtension(splitPath(*name).ext) != FileType::Bmp) return result;
    MappedFile file;
    if (!file.open(*name))
        return reportNamed(in, script::msg::kFileNotFound, msg::kInPicload, *name);
    const ParsedImage parsed = parseBmp(file.bytes(), std::numeric_limits<std::int64_t>::max());
    if (parsed.fault != ImageFault::None) return reportFault(in, parsed.fault, *name);
    const PixelLayout& image = parsed.layout;
    // The record holds the sides in 16 bits.
    if (image.width > 0xffff || image.height > 0xffff)
        return reportFault(in, ImageFault::UnknownFormat, *name);

    db::Database& db = db::database(in);
    const std::int32_t channels = kind == kMonoMap ? 1 : 3;
    const std::int64_t size = std::int64_t{image.width} * image.height * channels;
    const std::int64_t used = db.textureBytesUsed;
    if (used < 0 || used + size > db::storeCapacity(db.capacity.mapimagemax, db.textureBuffer)) {
        in.msg.errorBox(msg::kTextureOverflow);
        return kFail;
    }
    const std::int32_t n = db.mapdataCount;
    if (n < 0 || n >= db::storeCapacity(db.capacity.mapdatamax, db.mapdatas)) {
        in.msg.errorBox(msg::kMapdataOverflow);
        return kFail;
    }
    std::uint8_t* out = db.textureBuffer.data() + used;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * channels;
    for (std::int32_t y = 0; y < image.height; ++y) {
        const std::int32_t stored = image.bottomUp ? image.height - 1 - y : y;
        copyRow(image, stored, image.width, out + static_cast<std::size_t>(y) * rowBytes, channels);
    }
    db.mapdatas[n] = {
        kind, static_cast<std::uint16_t>(image.width), static_cast<std::uint16_t>(image.height),
        0,    static_cast<std::uint32_t>(used),        static_cast<std::uint32_t>(size)};
    db.mapdataCount = n + 1;
    db.textureBytesUsed = static_cast<std::int32_t>(used + size);
    db::scalarVar(in, db::SysVar::MdPoint) = static_cast<float>(n);
    in.msg.console(msg::kReadDone);
    return kOk;
}

}  // namespace

script::Result loadPicture(script::Interp& in, std::string_view given) {
    script::Result result = kOk;
    const std::optional<std::string> name = finalName(in, given, result);
    if (!name) return result;
    const std::optional<Picture> format = pictureOf(*name);
    if (!format) return reportNamed(in, msg::kWrongExtension, msg::kInPicload, *name);
    db::ColorBuffer& cbuf = db::database(in).colorBuffer;
    if (!hasPixels(cbuf)) {
        in.msg.errorBox(msg::kOutsideScreen);
        return kFail;
    }
    MappedFile file;
    if (!file.open(*name))
        return reportNamed(in, script::msg::kFileNotFound, msg::kInPicload, *name);
    std::vector<std::uint8_t> decoded;
    const ParsedImage parsed = parsePicture(*format, file.bytes(), cbuf, decoded);
    if (parsed.fault != ImageFault::None) return reportFault(in, parsed.fault, *name);
    copyToColorBuffer(parsed.layout, cbuf);
    in.msg.console(msg::kReadDone);
    return kOk;
}

static script::Result cmdPicload(script::Interp& in) {
    std::string given;
    if (fileArgument(in, given, msg::kInReadPicture) != kOk) return kFail;
    return loadPicture(in, given);
}

static script::Result cmdPicsave(script::Interp& in) {
    std::string given;
    if (fileArgument(in, given, msg::kInReadPicture) != kOk) return kFail;
    return savePicture(in, given, SaveCommand::Picsave);
}

static script::Result cmdTiffsave16(script::Interp& in) {
    std::string given;
    if (fileArgument(in, given, msg::kInReadPicture) != kOk) return kFail;
    return savePicture(in, given, SaveCommand::Tiffsave16);
}

static script::Result cmdColormapload(script::Interp& in) {
    std::string given;
    if (fileArgument(in, given, msg::kInReadPicture) != kOk) return kFail;
    return loadTexture(in, given, db::kColorMap24);
}

static script::Result cmdMonomapload(script::Interp& in) {
    std::string given;
    if (fileArgument(in, given, msg::kInReadPicture) != kOk) return kFail;
    return loadTexture(in, given, kMonoMap);
}

namespace {
const std::array<script::CommandRow, 5> kCommands{{
    {"picload", cmdPicload},
    {"picsave", cmdPicsave},
    {"tiffsave16", cmdTiffsave16},
    {"colormapload", cmdColormapload},
    {"monomapload", cmdMonomapload},
}};
}  // namespace

std::span<const script::CommandRow> pictureFileCommands() {
    return kCommands;
}

}  // namespace rz::fileio
