#pragma once
// The record layouts of the tagged binary files: every record of the database as it is
// stored, little-endian, with integer fields widened to 32 bits.

#include <cstddef>
#include <cstdint>

#include "db/records.hpp"

namespace rz::fileio {

inline constexpr std::size_t kAxisBytes = 32;
inline constexpr std::size_t kPatchBytes = 4;
inline constexpr std::size_t kShapeBytes = 160;
inline constexpr std::size_t kBlockBytes = 344;
inline constexpr std::size_t kAffineBytes = 128;
inline constexpr std::size_t kAttributeBytes = 192;
inline constexpr std::size_t kMapinfoBytes = 80;
inline constexpr std::size_t kMaplistBytes = 8;
inline constexpr std::size_t kMapdataBytes = 32;
inline constexpr std::size_t kRigidBytes = 136;
inline constexpr std::size_t kRlinkBytes = 8;
inline constexpr std::size_t kActorBytes = 80;
inline constexpr std::size_t kTagBytes = 8;

// Tag codes and the kinds of data sections.
enum class TagCode : std::uint16_t {
    Start = 1,
    Version = 2,
    Date = 3,
    Protect = 4,
    Data = 5,
    End = 99
};
enum class Section : std::uint16_t {
    Axis = 1,
    Patch = 2,
    Shape = 3,
    Block = 4,
    Affine = 5,
    Attribute = 6,
    Mapinfo = 7,
    Maplist = 8,
    Mapdata = 9,
    Texture = 10,
    Rigid = 11,
    Rlink = 12,
    Actor = 13,
    BlockPose = 14,
    RigidPose = 15,
    AffinePose = 16,
    Creator = 99,
};
inline constexpr std::uint32_t kFormatVersion = 10000;

void encodeAxis(const db::Axis& a, std::uint8_t* p);
void encodeShape(const db::Shape& s, std::uint8_t* p);
void encodeBlock(const db::Block& b, std::uint8_t* p);
void encodeAffine(const Mat4& m, std::uint8_t* p);
void encodeAttribute(const db::Attribute& a, std::uint8_t* p);
void encodeMapinfo(const db::Mapinfo& m, std::uint8_t* p);
void encodeMaplist(const db::Maplist& m, std::uint8_t* p);
void encodeMapdata(const db::Mapdata& m, std::uint8_t* p);
void encodeRigid(const db::Rigid& r, std::uint8_t* p);
void encodeRlink(const db::Rlink& r, std::uint8_t* p);
void encodeActor(const db::Actor& a, std::uint8_t* p);

// Decoders fill every field the file carries; fields it does not carry get the values a
// fresh record has.
void decodeAxis(const std::uint8_t* p, db::Axis& a);
void decodeShape(const std::uint8_t* p, db::Shape& s);
void decodeBlock(const std::uint8_t* p, db::Block& b);
void decodeAffine(const std::uint8_t* p, Mat4& m);
void decodeAttribute(const std::uint8_t* p, db::Attribute& a);
void decodeMapinfo(const std::uint8_t* p, db::Mapinfo& m);
void decodeMaplist(const std::uint8_t* p, db::Maplist& m);
void decodeMapdata(const std::uint8_t* p, db::Mapdata& m);
void decodeRigid(const std::uint8_t* p, db::Rigid& r);
void decodeRlink(const std::uint8_t* p, db::Rlink& r);
void decodeActor(const std::uint8_t* p, db::Actor& a);
// The posable part of a block: its six vectors and its matrix.
void decodeBlockPose(const std::uint8_t* p, db::Block& b);

}  // namespace rz::fileio
