#pragma once
// The file types that extensions select, with the codes that messages show.

#include <string_view>

#include "platform/message_service.hpp"

namespace rz::fileio {

enum class FileType : int {
    None = 0,
    Mdl = 1,
    Cam = 2,
    Lig = 3,
    Atr = 4,
    Ang = 7,
    Sub = 8,
    Gim = 9,
    Pic = 10,
    Pcl = 11,
    Mdb = 12,
    Pts = 13,
    M08 = 14,
    M16 = 15,
    M24 = 16,
    M32 = 17,
    Map = 18,
    Pss = 19,
    Mdf = 20,
    Sh = 22,
    Cbf = 23,
    Rgb = 24,
    Bmp = 25,
    Tif = 26,
    Mbf = 27,
    Dxf = 28,
    Mms = 29,
    Mmb = 30,
    Mmx = 31,
    Ptb = 32,
    Ptx = 33,
    Txf = 34,
    Wrl = 35,
    Rok = 36,
    Unknown = 9999,
};

constexpr int code(FileType t) {
    return static_cast<int>(t);
}

// The type of an extension, compared without regard to case; None for an empty one and
// Unknown for one that is not in the table.
FileType fileTypeOfExtension(std::string_view ext);
// The type of a final name; an unknown extension is reported.
FileType fileTypeOfName(platform::MessageService& messages, std::string_view name);

}  // namespace rz::fileio
