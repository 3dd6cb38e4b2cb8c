#pragma once
// What the fuzz targets that run statements share: a start-up with small stores, so that
// every store fills up quickly, and the words whose commands must not run on random input.

#include <array>
#include <span>
#include <string_view>

#include "db/settings.hpp"

namespace rz::fuzz {

inline db::Settings smallStores() {
    db::Settings s;
    db::Capacities& c = s.capacity;
    c.axismax = 1100;
    c.patchmax = 200;
    c.shapemax = 16;
    c.blockmax = 6;
    c.rigidmax = 5;
    c.rlinkmax = 10;
    c.actormax = 4;
    c.affinemax = 16;
    c.attrimax = 8;
    c.maplistmax = 12;
    c.mapinfomax = 8;
    c.mapdatamax = 4;
    c.mapimagemax = 4096;
    c.scriptmax = 1024;
    return s;
}

// Commands that reach the file system.
inline constexpr std::array<std::string_view, 9> kFileWords{
    "exec", "read", "write", "pic", "tiff", "mapload", "m.rd", "m.ad", "m.wr",
};

inline bool mentionsAny(std::string_view text, std::span<const std::string_view> words) {
    for (const std::string_view word : words)
        if (text.find(word) != std::string_view::npos) return true;
    return false;
}

}  // namespace rz::fuzz
