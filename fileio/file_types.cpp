#include "fileio/file_types.hpp"

#include <strings.h>

#include <array>

#include "fileio/file_messages.hpp"
#include "fileio/file_names.hpp"

namespace rz::fileio {
namespace {

struct ExtensionRow {
    std::string_view ext;
    FileType type;
};

constexpr std::array<ExtensionRow, 34> kExtensions{{
    {"mdl", FileType::Mdl}, {"cam", FileType::Cam}, {"lig", FileType::Lig}, {"atr", FileType::Atr},
    {"ang", FileType::Ang}, {"sub", FileType::Sub}, {"gim", FileType::Gim}, {"pic", FileType::Pic},
    {"pcl", FileType::Pcl}, {"mdb", FileType::Mdb}, {"pts", FileType::Pts}, {"m08", FileType::M08},
    {"m16", FileType::M16}, {"m24", FileType::M24}, {"m32", FileType::M32}, {"map", FileType::Map},
    {"pss", FileType::Pss}, {"mdf", FileType::Mdf}, {"sh", FileType::Sh},   {"cbf", FileType::Cbf},
    {"rgb", FileType::Rgb}, {"raw", FileType::Rgb}, {"bmp", FileType::Bmp}, {"tif", FileType::Tif},
    {"mbf", FileType::Mbf}, {"dxf", FileType::Dxf}, {"mms", FileType::Mms}, {"mmb", FileType::Mmb},
    {"mmx", FileType::Mmx}, {"ptb", FileType::Ptb}, {"ptx", FileType::Ptx}, {"txf", FileType::Txf},
    {"wrl", FileType::Wrl}, {"rok", FileType::Rok},
}};

}  // namespace

FileType fileTypeOfExtension(std::string_view ext) {
    if (ext.empty()) return FileType::None;
    for (const ExtensionRow& row : kExtensions)
        if (row.ext.size() == ext.size() &&
            ::strncasecmp(row.ext.data(), ext.data(), ext.size()) == 0)
            return row.type;
    return FileType::Unknown;
}

FileType fileTypeOfName(platform::MessageService& messages, std::string_view name) {
    const FileType t = fileTypeOfExtension(splitPath(name).ext);
    if (t == FileType::Unknown) messages.errorBox(msg::kWrongExtension);
    return t;
}

}  // namespace rz::fileio
