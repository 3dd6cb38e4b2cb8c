#pragma once
// The primitive generators: an axis-aligned box turned into a new block of parametric
// shapes. A generator only fills a plan with parameters; createPrimitive checks the room,
// writes the plan, gives every shape its own identity matrix and its bounding box, and
// makes the block.

#include <cstdint>

#include "db/database.hpp"
#include "geometry/primitive_plan.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

// The values of b.cursor.code (PRIM.*).
enum class PrimKind : std::uint8_t {
    Box2,
    Box3,
    Corn1,
    Cyl1,
    Corn4,
    Cyl4,
    Ball1,
    Ball8,
    Torus1,
    Torus4,
    T1Torus1,
    T1Torus4,
    T2Torus1,
    T2Torus4,
    Ball4,
    GridPlane,
    Count
};
inline constexpr int kPrimKindCount = static_cast<int>(PrimKind::Count);

using PrimitiveGenerator = void (*)(const PrimitiveInput&, ShapePlan&);

struct PrimKindRow {
    PrimKind kind;
    PrimitiveGenerator generate;
    bool needsDivisions;  // a division count of at least 1
    bool needsAxis;       // direc one of the axes 1..3
};

// The row of a b.cursor.code value; null outside 0..15.
const PrimKindRow* primKindRow(int code);

void generateBox2(const PrimitiveInput& in, ShapePlan& plan);
void generateBox3(const PrimitiveInput& in, ShapePlan& plan);
void generateGridPlane(const PrimitiveInput& in, ShapePlan& plan);
void generateCorn1(const PrimitiveInput& in, ShapePlan& plan);
void generateCyl1(const PrimitiveInput& in, ShapePlan& plan);
void generateCorn4(const PrimitiveInput& in, ShapePlan& plan);
void generateCyl4(const PrimitiveInput& in, ShapePlan& plan);
void generateTorus1(const PrimitiveInput& in, ShapePlan& plan);
void generateTorus4(const PrimitiveInput& in, ShapePlan& plan);
void generateT1Torus1(const PrimitiveInput& in, ShapePlan& plan);
void generateT1Torus4(const PrimitiveInput& in, ShapePlan& plan);
void generateT2Torus1(const PrimitiveInput& in, ShapePlan& plan);
void generateT2Torus4(const PrimitiveInput& in, ShapePlan& plan);
void generateBall1(const PrimitiveInput& in, ShapePlan& plan);
void generateBall8(const PrimitiveInput& in, ShapePlan& plan);
void generateBall4(const PrimitiveInput& in, ShapePlan& plan);

// Layers the primitive commands give their blocks and shapes.
inline constexpr std::uint8_t kPrimitiveLayer = 1;  // L.ACTIVE
inline constexpr std::uint8_t kGuideLayer = 10;     // L.GUIDE

// Creates primitive `code` as block number block count. kFail after the message for a
// code outside 0..15 or a division count or axis the kind cannot use, with nothing
// changed. A full store is reported and gives kOk: a full block store creates nothing, a
// full shape, axis or affine store leaves the new block without shapes. The undo point is
// taken before anything is added.
script::Result createPrimitive(db::Database& db, platform::MessageService& msg, int code,
                               const PrimitiveInput& in, std::uint8_t layer);

}  // namespace rz::geometry
