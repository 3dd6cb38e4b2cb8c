// The current-record protocol: variables put into records and got back, with the integer
// and text conversions of the record fields, the select operations and the model reset.
#include "db/current_records.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <span>
#include <string>
#include <type_traits>

#include "db/system_variables.hpp"
#include "started_database.hpp"

namespace rz::test {
namespace {

using Protocol = StartedDatabase;
using RecordOp = void (*)(script::Interp&);
using FieldOf = std::int64_t (*)(const db::Database&);

struct Conversion {
    const char* assignment;  // run through the language
    const char* variable;
    RecordOp put;
    RecordOp get;
    FieldOf field;  // the field of the current record
    std::int64_t stored;
};

// Right after start-up the current records are block, rigid, rlink, actor, maplist and
// light 0, attribute and mapinfo 1.
const Conversion kConversions[] = {
    {"b.layer = 2.9", "b.layer", db::putBlockRecord, db::getBlockRecord,
     [](const db::Database& d) -> std::int64_t { return d.blocks[0].layer; }, 2},
    {"b.layer = 300", "b.layer", db::putBlockRecord, db::getBlockRecord,
     [](const db::Database& d) -> std::int64_t { return d.blocks[0].layer; }, 44},
    {"b.layer = -1", "b.layer", db::putBlockRecord, db::getBlockRecord,
     [](const db::Database& d) -> std::int64_t { return d.blocks[0].layer; }, 255},
    {"b.dummy = 255.99", "b.dummy", db::putBlockRecord, db::getBlockRecord,
     [](const db::Database& d) -> std::int64_t { return d.blocks[0].dummy; }, 255},
    {"b.rlink.id = -1", "b.rlink.id", db::putBlockRecord, db::getBlockRecord,
     [](const db::Database& d) -> std::int64_t { return d.blocks[0].rlinkId; }, -1},
    {"b.rlink.id = -2.9", "b.rlink.id", db::putBlockRecord, db::getBlockRecord,
     [](const db::Database& d) -> std::int64_t { return d.blocks[0].rlinkId; }, -2},
    {"b.rlink.id = 40000", "b.rlink.id", db::putBlockRecord, db::getBlockRecord,
     [](const db::Database& d) -> std::int64_t { return d.blocks[0].rlinkId; }, -25536},
    {"rigid.block1.id = 70000", "rigid.block1.id", db::putRigidRecord, db::getRigidRecord,
     [](const db::Database& d) -> std::int64_t { return d.rigids[0].block1; }, 4464},
    {"rigid.block2.id = -1", "rigid.block2.id", db::putRigidRecord, db::getRigidRecord,
     [](const db::Database& d) -> std::int64_t { return d.rigids[0].block2; }, 65535},
    {"rigid.actor.id = -1", "rigid.actor.id", db::putRigidRecord, db::getRigidRecord,
     [](const db::Database& d) -> std::int64_t { return d.rigids[0].actor; }, -1},
    {"rigid.actor.id = -70000.7", "rigid.actor.id", db::putRigidRecord, db::getRigidRecord,
     [](const db::Database& d) -> std::int64_t { return d.rigids[0].actor; }, -4464},
    {"rlink.rigid.id = 32768", "rlink.rigid.id", db::putRlinkRecord, db::getRlinkRecord,
     [](const db::Database& d) -> std::int64_t { return d.rlinks[0].rigid; }, -32768},
    {"rlink.next = -1", "rlink.next", db::putRlinkRecord, db::getRlinkRecord,
     [](const db::Database& d) -> std::int64_t { return d.rlinks[0].next; }, -1},
    {"actor.start.rigid = 65536", "actor.start.rigid", db::putActorRecord, db::getActorRecord,
     [](const db::Database& d) -> std::int64_t { return d.actors[0].startRigid; }, 0},
    {"actor.layer = 257", "actor.layer", db::putActorRecord, db::getActorRecord,
     [](const db::Database& d) -> std::int64_t { return d.actors[0].layer; }, 1},
    {"l.kind = 3.7", "l.kind", db::putLightRecord, db::getLightRecord,
     [](const db::Database& d) -> std::int64_t { return d.lights[0].kind; }, 3},
    {"smooth.sw = 2.5", "smooth.sw", db::putAttriRecord, db::getAttriRecord,
     [](const db::Database& d) -> std::int64_t { return d.attributes[1].smooth; }, 2},
    {"shade.sw = -0.5", "shade.sw", db::putAttriRecord, db::getAttriRecord,
     [](const db::Database& d) -> std::int64_t { return d.attributes[1].shade; }, 0},
    {"face.sw = -1.5", "face.sw", db::putAttriRecord, db::getAttriRecord,
     [](const db::Database& d) -> std::int64_t { return d.attributes[1].face; }, 255},
    {"m.kind = -3.5", "m.kind", db::putMapinfoRecord, db::getMapinfoRecord,
     [](const db::Database& d) -> std::int64_t { return d.mapinfos[1].kind; }, -3},
    {"m.tex.id = 65537", "m.tex.id", db::putMapinfoRecord, db::getMapinfoRecord,
     [](const db::Database& d) -> std::int64_t { return d.mapinfos[1].texId; }, 1},
    {"m.method = 1.99", "m.method", db::putMapinfoRecord, db::getMapinfoRecord,
     [](const db::Database& d) -> std::int64_t { return d.mapinfos[1].method; }, 1},
    {"m.next = 65535", "m.next", db::putMaplistRecord, db::getMaplistRecord,
     [](const db::Database& d) -> std::int64_t { return d.maplists[0].next; }, -1},
    {"m.mapinfo = 7", "m.mapinfo", db::putMaplistRecord, db::getMaplistRecord,
     [](const db::Database& d) -> std::int64_t { return d.maplists[0].mapinfo; }, 7},
};

using Field3 = std::array<double, 3>;

Field3 asField(const Vec3& v) {
    return {v[0], v[1], v[2]};
}
template <class T>
requires std::is_arithmetic_v<T> Field3 asField(T v) {
    return {static_cast<double>(v), 0, 0};
}

struct Binding {
    const char* variable;
    bool vector;
    RecordOp put;
    RecordOp get;
    Field3 (*field)(const db::Database&);  // of the current record
};

#define BOUND(var, isVector, put, get, expr)                                         \
    {                                                                                \
        var, isVector, put, get, [](const db::Database& d) { return asField(expr); } \
    }

// Every variable bound to a record field, each with the field it must reach. The current
// records are those right after start-up: light 0, attribute and mapinfo 1, the rest 0.
const Binding kBindings[] = {
    BOUND("c.pos", true, db::putCameraRecord, db::getCameraRecord, d.camera.pos),
    BOUND("c.tar", true, db::putCameraRecord, db::getCameraRecord, d.camera.tar),
    BOUND("c.rot", true, db::putCameraRecord, db::getCameraRecord, d.camera.rot),
    BOUND("c.upper", true, db::putCameraRecord, db::getCameraRecord, d.camera.upper),
    BOUND("c.zoom", false, db::putCameraRecord, db::getCameraRecord, d.camera.zoom),
    BOUND("c.scrn", false, db::putCameraRecord, db::getCameraRecord, d.camera.scrn),
    BOUND("c.hither", false, db::putCameraRecord, db::getCameraRecord, d.camera.hither),
    BOUND("c.yon", false, db::putCameraRecord, db::getCameraRecord, d.camera.yon),
    BOUND("l.pos", true, db::putLightRecord, db::getLightRecord, d.lights[0].pos),
    BOUND("l.tar", true, db::putLightRecord, db::getLightRecord, d.lights[0].tar),
    BOUND("l.rgb", true, db::putLightRecord, db::getLightRecord, d.lights[0].rgb),
    BOUND("l.gain", false, db::putLightRecord, db::getLightRecord, d.lights[0].gain),
    BOUND("l.kind", false, db::putLightRecord, db::getLightRecord, d.lights[0].kind),
    BOUND("ambient", false, db::putAttriRecord, db::getAttriRecord, d.attributes[1].ambient),
    BOUND("diffuse", false, db::putAttriRecord, db::getAttriRecord, d.attributes[1].diffuse),
    BOUND("p.specl", false, db::putAttriRecord, db::getAttriRecord, d.attributes[1].specular),
    BOUND("p.spex", false, db::putAttriRecord, db::getAttriRecord,
          d.attributes[1].specularExponent),
    BOUND("a.prg", true, db::putAttriRecord, db::getAttriRecord, d.attributes[1].prg),
    BOUND("a.rgb", true, db::putAttriRecord, db::getAttriRecord, d.attributes[1].rgb),
    BOUND("a.arg", true, db::putAttriRecord, db::getAttriRecord, d.attributes[1].arg),
    BOUND("a.drg", true, db::putAttriRecord, db::getAttriRecord, d.attributes[1].drg),
    BOUND("opacity", false, db::putAttriRecord, db::getAttriRecord, d.attributes[1].opacity),
    BOUND("gain.c", false, db::putAttriRecord, db::getAttriRecord, d.attributes[1].gainC),
    BOUND("gain.l", false, db::putAttriRecord, db::getAttriRecord, d.attributes[1].gainL),
    BOUND("haze", false, db::putAttriRecord, db::getAttriRecord, d.attributes[1].haze),
    BOUND("smooth.sw", false, db::putAttriRecord, db::getAttriRecord, d.attributes[1].smooth),
    BOUND("map.sw", false, db::putAttriRecord, db::getAttriRecord, d.attributes[1].map),
    BOUND("face.sw", false, db::putAttriRecord, db::getAttriRecord, d.attributes[1].face),
    BOUND("shade.sw", false, db::putAttriRecord, db::getAttriRecord, d.attributes[1].shade),
    BOUND("m.kind", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].kind),
    BOUND("m.method", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].method),
    BOUND("m.tex.id", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].texId),
    BOUND("m.mopa", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].mopa),
    BOUND("m.bump", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].bump),
    BOUND("m.ustart", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].ustart),
    BOUND("m.uend", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].uend),
    BOUND("m.vstart", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].vstart),
    BOUND("m.vend", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].vend),
    BOUND("m.ulen", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].ulen),
    BOUND("m.vlen", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].vlen),
    BOUND("m.uofs", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].uofs),
    BOUND("m.vofs", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].vofs),
    BOUND("m.xlen", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].xlen),
    BOUND("m.ylen", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].ylen),
    BOUND("m.zlen", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].zlen),
    BOUND("m.xcent", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].xcent),
    BOUND("m.ycent", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].ycent),
    BOUND("m.zcent", false, db::putMapinfoRecord, db::getMapinfoRecord, d.mapinfos[1].zcent),
    BOUND("m.mapinfo", false, db::putMaplistRecord, db::getMaplistRecord, d.maplists[0].mapinfo),
    BOUND("m.next", false, db::putMaplistRecord, db::getMaplistRecord, d.maplists[0].next),
    BOUND("b.xyzrot.v", true, db::putBlockRecord, db::getBlockRecord, d.blocks[0].xyzrot),
    BOUND("b.xyztmp.v", true, db::putBlockRecord, db::getBlockRecord, d.blocks[0].xyztmp),
    BOUND("b.center.v", true, db::putBlockRecord, db::getBlockRecord, d.blocks[0].center),
    BOUND("b.trans.v", true, db::putBlockRecord, db::getBlockRecord, d.blocks[0].trans),
    BOUND("b.xyzmin.v", true, db::putBlockRecord, db::getBlockRecord, d.blocks[0].xyzmin),
    BOUND("b.xyzmax.v", true, db::putBlockRecord, db::getBlockRecord, d.blocks[0].xyzmax),
    BOUND("b.rlink.id", false, db::putBlockRecord, db::getBlockRecord, d.blocks[0].rlinkId),
    BOUND("b.layer", false, db::putBlockRecord, db::getBlockRecord, d.blocks[0].layer),
    BOUND("b.dummy", false, db::putBlockRecord, db::getBlockRecord, d.blocks[0].dummy),
    BOUND("rigid.pos.v", true, db::putRigidRecord, db::getRigidRecord, d.rigids[0].pos),
    BOUND("rigid.old.v", true, db::putRigidRecord, db::getRigidRecord, d.rigids[0].old),
    BOUND("rigid.tmp.v", true, db::putRigidRecord, db::getRigidRecord, d.rigids[0].tmp),
    BOUND("rigid.block1.id", false, db::putRigidRecord, db::getRigidRecord, d.rigids[0].block1),
    BOUND("rigid.block2.id", false, db::putRigidRecord, db::getRigidRecord, d.rigids[0].block2),
    BOUND("rigid.actor.id", false, db::putRigidRecord, db::getRigidRecord, d.rigids[0].actor),
    BOUND("rlink.rigid.id", false, db::putRlinkRecord, db::getRlinkRecord, d.rlinks[0].rigid),
    BOUND("rlink.next", false, db::putRlinkRecord, db::getRlinkRecord, d.rlinks[0].next),
    BOUND("actor.start.rigid", false, db::putActorRecord, db::getActorRecord,
          d.actors[0].startRigid),
    BOUND("actor.layer", false, db::putActorRecord, db::getActorRecord, d.actors[0].layer),
};

#undef BOUND

// A value of its own for every binding, exact in float32 and within every integer field.
Field3 distinctValue(std::size_t i) {
    const double v = static_cast<double>(i) + 1;
    return {v, v + 100.25, v + 200.5};
}

TEST_F(Protocol, EveryBoundVariableReachesItsOwnField) {
    const auto assign = [&](const Binding& b, const Field3& v) {
        char text[160];
        if (b.vector)
            std::snprintf(text, sizeof text, "let %s %g %g %g;", b.variable, v[0], v[1], v[2]);
        else
            std::snprintf(text, sizeof text, "%s = %g;", b.variable, v[0]);
        run(text);
    };
    const auto shown = [](const Binding& b, const Field3& v) {
        return b.vector ? printed(v[0], v[1], v[2]) : printed(v[0]);
    };
    for (std::size_t i = 0; i < std::size(kBindings); ++i) assign(kBindings[i], distinctValue(i));
    ASSERT_TRUE(sink.boxes().empty()) << sink.boxes().front();
    for (const Binding& b : kBindings) b.put(in);
    for (std::size_t i = 0; i < std::size(kBindings); ++i) {
        const Field3 want = distinctValue(i);
        const Field3 got = kBindings[i].field(model);
        EXPECT_EQ(got[0], want[0]) << kBindings[i].variable;
        if (kBindings[i].vector) {
            EXPECT_EQ(got[1], want[1]) << kBindings[i].variable;
            EXPECT_EQ(got[2], want[2]) << kBindings[i].variable;
        }
    }

    for (const Binding& b : kBindings) assign(b, {-3, -3, -3});
    for (const Binding& b : kBindings) b.get(in);
    for (std::size_t i = 0; i < std::size(kBindings); ++i)
        EXPECT_EQ(print(kBindings[i].variable), shown(kBindings[i], distinctValue(i)))
            << kBindings[i].variable;
}

TEST_F(Protocol, IntegerFieldsTruncateWrapAndSignExtend) {
    for (const Conversion& c : kConversions) {
        SCOPED_TRACE(c.assignment);
        run(std::string(c.assignment) + ";");
        ASSERT_TRUE(sink.boxes().empty()) << sink.boxes().front();
        c.put(in);
        EXPECT_EQ(c.field(model), c.stored);
        run(std::string(c.variable) + " = 12345;");
        c.get(in);
        EXPECT_EQ(print(c.variable), printed(static_cast<double>(c.stored)));
    }
}

TEST_F(Protocol, NumbersBeyondEveryFieldStillWrap) {
    struct Extreme {
        float value;
        std::uint16_t block1;  // unsigned 16 bits
        std::int16_t rlinkId;  // signed 16 bits
    };
    const float inf = std::numeric_limits<float>::infinity();
    const Extreme extremes[] = {
        {1e10f, 58368, -7168}, {-1e10f, 7168, 7168},
        {1e30f, 0, 0},         {inf, 0, 0},
        {-inf, 0, 0},          {std::numeric_limits<float>::quiet_NaN(), 0, 0},
    };
    for (const Extreme& e : extremes) {
        db::scalarVar(in, db::SysVar::RigidBlock1) = e.value;
        db::scalarVar(in, db::SysVar::BRlinkId) = e.value;
        db::putRigidRecord(in);
        db::putBlockRecord(in);
        EXPECT_EQ(model.rigids[0].block1, e.block1) << e.value;
        EXPECT_EQ(model.blocks[0].rlinkId, e.rlinkId) << e.value;
    }
}

TEST_F(Protocol, FloatFieldsAndVectorsCopyExactly) {
    run("c.zoom = 33.25; let c.tar 1 -2 3.5; l.gain = 0.125; let b.center.v 7 8 9;");
    run("haze = 0.3; m.xlen = 12.5; let rigid.old.v -1 -1 -1;");
    ASSERT_TRUE(sink.boxes().empty()) << sink.boxes().front();
    db::putCameraRecord(in);
    db::putLightRecord(in);
    db::putBlockRecord(in);
    db::putAttriRecord(in);
    db::putMapinfoRecord(in);
    db::putRigidRecord(in);
    EXPECT_EQ(model.camera.zoom, 33.25f);
    EXPECT_EQ(model.camera.tar, (Vec3{1, -2, 3.5f}));
    EXPECT_EQ(model.lights[0].gain, 0.125f);
    EXPECT_EQ(model.blocks[0].center, (Vec3{7, 8, 9}));
    EXPECT_EQ(model.attributes[1].haze, 0.3f);
    EXPECT_EQ(model.mapinfos[1].xlen, 12.5f);
    EXPECT_EQ(model.rigids[0].old, (Vec3{-1, -1, -1}));

    model.camera.zoom = 10;
    model.blocks[0].matrix[12] = 42;  // a translation
    db::getCameraRecord(in);
    db::getBlockRecord(in);
    EXPECT_EQ(print("c.zoom, c.tar"), " 10.000000 ( 1.000000 -2.000000 3.500000 )\n");
    EXPECT_EQ(db::matrixVar(in, db::SysVar::BMatrix)[12], 42.0);
}

TEST_F(Protocol, TextFieldsKeepLengthMinusOneAndATerminator) {
    struct TextField {
        const char* variable;
        RecordOp put;
        RecordOp get;
        std::span<const char> (*field)(const db::Database&);
    };
    const TextField fields[] = {
        {"b.name", db::putBlockRecord, db::getBlockRecord,
         [](const db::Database& d) { return std::span<const char>(d.blocks[0].name); }},
        {"b.refname", db::putBlockRecord, db::getBlockRecord,
         [](const db::Database& d) { return std::span<const char>(d.blocks[0].refname); }},
        {"rigid.name", db::putRigidRecord, db::getRigidRecord,
         [](const db::Database& d) { return std::span<const char>(d.rigids[0].name); }},
        {"actor.name", db::putActorRecord, db::getActorRecord,
         [](const db::Database& d) { return std::span<const char>(d.actors[0].name); }},
    };
    std::string hundred;
    for (int i = 0; i < 100; ++i) hundred += static_cast<char>('A' + i % 26);
    for (const TextField& f : fields) {
        SCOPED_TRACE(f.variable);
        const std::size_t length = f.field(model).size();
        const std::string kept = hundred.substr(0, length - 1);

        run(std::string("let ") + f.variable + " \"" + hundred + "\";");
        f.put(in);
        EXPECT_EQ(std::string(f.field(model).data()), kept);
        EXPECT_EQ(f.field(model).back(), '\0');

        run(std::string("let ") + f.variable + " \"changed\";");
        f.get(in);
        EXPECT_EQ(print(std::string("\"<\", ") + f.variable + ", \">\""), "<" + kept + ">\n");

        // A shorter text leaves nothing of the longer one behind it.
        run(std::string("let ") + f.variable + " \"ab\";");
        f.put(in);
        const std::span<const char> field = f.field(model);
        EXPECT_EQ(std::string(field.data()), "ab");
        EXPECT_TRUE(std::all_of(field.begin() + 2, field.end(), [](char c) { return c == 0; }));
    }
}

TEST_F(Protocol, UnboundVariablesStayOutOfTheRecords) {
    model.rigids[0].layer = 3;
    run("rigid.layer = 9; rigid.point = 5; b.point = 4;");
    db::putRigidRecord(in);
    db::putBlockRecord(in);
    EXPECT_EQ(model.rigids[0].layer, 3);
    EXPECT_EQ(model.currentRigid, 0);
    EXPECT_EQ(model.currentBlock, 0);
    db::getRigidRecord(in);
    EXPECT_EQ(print("rigid.layer, rigid.point"), " 9.000000 5.000000\n");
}

TEST_F(Protocol, SelectMakesCurrentSetsThePointAndGets) {
    struct Select {
        void (*select)(script::Interp&, int);
        RecordOp put;
        void (*mark)(db::Database&, int);  // gives record n a recognisable field
        const char* point;
        const char* variable;
        int n;
        float marked;
    };
    const Select selects[] = {
        {db::selectBlock, db::putBlockRecord, [](db::Database& d, int n) { d.blocks[n].layer = 9; },
         "b.point", "b.layer", 2, 9},
        {db::selectAttri, db::putAttriRecord,
         [](db::Database& d, int n) { d.attributes[n].haze = 0.5f; }, "atr.point", "haze", 5, 0.5f},
        {db::selectMapinfo, db::putMapinfoRecord,
         [](db::Database& d, int n) { d.mapinfos[n].bump = 3; }, "mi.point", "m.bump", 4, 3},
        {db::selectMaplist, db::putMaplistRecord,
         [](db::Database& d, int n) { d.maplists[n].next = 4; }, "ml.point", "m.next", 3, 4},
        {db::selectRigid, db::putRigidRecord,
         [](db::Database& d, int n) { d.rigids[n].block2 = 6; }, "rigid.point", "rigid.block2.id",
         7, 6},
        {db::selectRlink, db::putRlinkRecord, [](db::Database& d, int n) { d.rlinks[n].rigid = 7; },
         "rlink.point", "rlink.rigid.id", 8, 7},
        {db::selectActor, db::putActorRecord, [](db::Database& d, int n) { d.actors[n].layer = 8; },
         "actor.point", "actor.layer", 9, 8},
    };
    for (const Select& s : selects) {
        SCOPED_TRACE(s.variable);
        s.mark(model, s.n);
        s.select(in, s.n);
        EXPECT_EQ(print(std::string(s.point) + ", " + s.variable),
                  printed(s.n).substr(0, printed(s.n).size() - 1) + printed(s.marked));
        // Puts now go to record n.
        run(std::string(s.variable) + " = 1;");
        s.put(in);
        s.select(in, 0);
        s.select(in, s.n);
        EXPECT_EQ(print(s.variable), printed(1));
    }
    db::selectBlock(in, 2);
    EXPECT_EQ(model.currentBlock, 2);
}

TEST_F(Protocol, ACurrentRecordOutsideItsStoreIsLeftAlone) {
    model.currentBlock = static_cast<std::int32_t>(model.blocks.size());
    model.currentRigid = -1;
    model.currentLight = db::kLightCount;
    model.currentAttribute = 1 << 30;
    run("b.layer = 4; rigid.block1.id = 5; l.gain = 6; haze = 7;");
    db::putBlockRecord(in);
    db::putRigidRecord(in);
    db::putLightRecord(in);
    db::putAttriRecord(in);
    db::getBlockRecord(in);
    db::getRigidRecord(in);
    db::getLightRecord(in);
    db::getAttriRecord(in);
    EXPECT_EQ(print("b.layer, rigid.block1.id, l.gain, haze"),
              " 4.000000 5.000000 6.000000 7.000000\n");
}

TEST_F(Protocol, ResetBringsEveryRecordAndCountBack) {
    model.axisCount = 10;
    model.patchCount = 11;
    model.shapeCount = 3;
    model.blockCount = 4;
    model.rigidCount = 5;
    model.rlinkCount = 6;
    model.actorCount = 7;
    model.affineCount = 8;
    model.attributeCount = 9;
    model.maplistCount = 10;
    model.mapinfoCount = 11;
    model.mapdataCount = 12;
    model.textureBytesUsed = 300;
    model.textureWritePos = 300;
    model.currentBlock = 2;
    model.currentRigid = 2;
    model.currentRlink = 2;
    model.currentActor = 2;
    model.currentAttribute = 2;
    model.currentMaplist = 2;
    model.currentMapinfo = 2;
    model.currentMapdata = 2;
    model.loadBase.axis = 5;
    model.loadBase.textureBytes = 5;
    model.modelFileName[0] = 'x';
    model.shapes[1].kind = 31;
    model.shapes[1].editHead = 4;
    model.shapes[1].textureId = 2;
    model.patches[3] = -4;
    model.affines[2][0] = 5;
    model.blocks[1].layer = 1;
    model.blocks[1].name[0] = 'Z';
    model.rigids[1].actor = 3;
    model.rigids[1].layer = 1;
    model.rlinks[1] = {4, 5};
    model.actors[1].startRigid = 3;
    model.maplists[1] = {2, 3};
    model.mapinfos[1].texId = 4;
    model.mapdatas[1] = {2, 10, 10, 0, 100, 300};
    model.attributes[0] = {};
    model.axes[5].u = 1.5f;

    db::resetModelRecords(model);

    const std::int32_t counts[] = {
        model.axisCount,        model.patchCount,     model.shapeCount,   model.blockCount,
        model.rigidCount,       model.rlinkCount,     model.actorCount,   model.affineCount,
        model.attributeCount,   model.maplistCount,   model.mapinfoCount, model.mapdataCount,
        model.textureBytesUsed, model.textureWritePos};
    const std::int32_t expected[] = {0, 0, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(counts), std::end(counts), std::begin(expected)));
    const std::int32_t currents[] = {
        model.currentBlock,     model.currentRigid,   model.currentRlink,   model.currentActor,
        model.currentAttribute, model.currentMaplist, model.currentMapinfo, model.currentMapdata};
    EXPECT_TRUE(std::all_of(std::begin(currents), std::end(currents),
                            [](std::int32_t c) { return c == 0; }));
    EXPECT_EQ(model.loadBase.axis, 0);
    EXPECT_EQ(model.loadBase.textureBytes, 0);
    EXPECT_EQ(model.modelFileName[0], '\0');

    EXPECT_EQ(model.shapes[1].kind, 0);
    EXPECT_EQ(model.shapes[1].editHead, db::kNoEdits);
    EXPECT_EQ(model.shapes[1].textureId, 0);
    EXPECT_EQ(model.patches[3], 0);
    EXPECT_EQ(model.affines[2], kIdentity);
    EXPECT_EQ(model.blocks[1].layer, 0);
    EXPECT_STREQ(model.blocks[1].name.data(), "noname");
    EXPECT_EQ(model.rigids[1].actor, -1);
    EXPECT_EQ(model.rigids[1].layer, 0);
    EXPECT_EQ(model.rlinks[1].rigid, 0);
    EXPECT_EQ(model.rlinks[1].next, -1);
    EXPECT_EQ(model.actors[1].startRigid, 0);
    EXPECT_EQ(model.maplists[1].mapinfo, 0);
    EXPECT_EQ(model.maplists[1].next, 0);
    // Mapping parameters and image descriptions stay; only their references go.
    EXPECT_EQ(model.mapinfos[1].texId, 0);
    EXPECT_EQ(model.mapinfos[1].xlen, 100.0f);
    EXPECT_EQ(model.mapdatas[1].offset, 0u);
    EXPECT_EQ(model.mapdatas[1].size, 0u);
    EXPECT_EQ(model.mapdatas[1].width, 10);
    EXPECT_EQ(model.attributes[0].smooth, 1);
    EXPECT_EQ(model.attributes[0].map, 1);
    EXPECT_EQ(model.attributes[0].face, 0);
    EXPECT_EQ(model.axes[5].u, 1.5f);
}

}  // namespace
}  // namespace rz::test
