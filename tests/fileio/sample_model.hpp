#pragma once
// A small model built by commands with something in every store: axes, a grid, a polygon
// mesh and a parametric box, a matrix, two blocks, attributes, a mapping with its image,
// and optionally a joint between the blocks with an actor. Every number is one that the
// text formats print without rounding.

#include <string>

#include "file_fixture.hpp"
#include "model_compare.hpp"

namespace rz::test {

// A 2 x 2 colour image (kind 2, three bytes a pixel) as a single texture file.
inline std::string sampleTexture() {
    std::string t = {2, 0, 2, 0, 2, 0, 0, 0, 12, 0, 0, 0};
    for (char c = 10; c < 22; ++c) t.push_back(c);
    return t;
}

inline const char* const kSampleGeometry = R"(
let axis.wv 0 0 0; let axis.nv 0 0 1; let axis.u 0; let axis.v 0; axis.add
let axis.wv 100 0 0; let axis.nv 0 0 1; let axis.u 1; let axis.v 0; axis.add
let axis.wv 0 100 0; let axis.nv 0 0 1; let axis.u 0; let axis.v 1; axis.add
let axis.wv 100 100 0.5; let axis.nv 0 0.5 -1; let axis.u 1; let axis.v 1; axis.add
let axis.wv -50 25.5 -12.25; let axis.nv 10 20 30; let axis.u 0; let axis.v 0; axis.add
let patch.p -2; patch.add; let patch.p 2; patch.add; patch.add
let patch.p -3; patch.add; let patch.p 0; patch.add; let patch.p 1; patch.add; let patch.p 2; patch.add
let patch.p -3; patch.add; let patch.p 1; patch.add; let patch.p 3; patch.add; let patch.p 2; patch.add
let shape.id 1; let sh.kind 12; let sh.axis.id 0; let sh.axis.total 4; let sh.patch.id 0; let sh.patch.total 3
let sh.matrix.id 0; let sh.attrib.id 1; let sh.texture.id 1; let sh.layer 0; let sh.page 0
let sh.lrflag 0; let sh.smoothflag 1; let sh.dummy 0
let sh.bbmin.v 0 0 0; let sh.bbmax.v 100 100 0.5; let sh.name "grid"; shape.add
let shape.id 2; let sh.kind 11; let sh.axis.id 0; let sh.axis.total 4; let sh.patch.id 3; let sh.patch.total 8
let sh.matrix.id 0; let sh.attrib.id 2; let sh.texture.id 0; let sh.layer 2; let sh.page 3
let sh.lrflag 1; let sh.smoothflag 0; let sh.dummy 7; let sh.name "mesh"; shape.add
let shape.id 2; let sh.kind 62; let sh.axis.id 4; let sh.axis.total 1; let sh.patch.id 11; let sh.patch.total 0
let sh.matrix.id 1; let sh.attrib.id 0; let sh.layer 0; let sh.page 0; let sh.lrflag 0; let sh.dummy 0
let sh.bbmin.v -55 15.5 -27.25; let sh.bbmax.v -45 35.5 2.75; let sh.name "box"; shape.add
let matrix.a 1 0 0 0
 0 2 0 0
 0 0 0.5 0
 10 -20 30.25 1
matrix.add
)";

inline const char* const kSampleRecords = R"(
load.block 1; let b.xyzrot.v 10 20 30; let b.xyztmp.v 1 2 3; let b.center.v 50 50 0.25
let b.trans.v 5 6 7; let b.xyzmin.v 0 0 0; let b.xyzmax.v 100 100 0.5; let b.layer 0; let b.dummy 3
let b.rlink.id -1; let b.refname "ref.one"; let b.name "plate"
let b.matrix 1 0 0 0
 0 1 0 0
 0 0 1 0
 5 6 7 1
set.block
load.block 2; let b.xyzrot.v 0 90 0; let b.xyztmp.v 0 0 0; let b.center.v -50 25.5 -12.25
let b.trans.v 0 0 0; let b.xyzmin.v -55 15.5 -27.25; let b.xyzmax.v -45 35.5 2.75; let b.layer 0
let b.dummy 0; let b.rlink.id -1; let b.refname "*"; let b.name "body"
let b.matrix 0 0 -1 0
 0 1 0 0
 1 0 0 0
 0 0 0 1
set.block
load.atr 1; let a.rgb 0.5 0.25 1; let a.arg 0.125 0.125 0.125; let a.prg 1 0.5 0.5; let a.drg 0.75 0.5 0.25
let ambient 0.2; let diffuse 0.7; let p.specl 0.5; let p.spex 20; let opacity 0.875; let gain.c 1.5
let gain.l 0.25; let haze 0.125; let smooth.sw 1; let map.sw 1; let face.sw 1; let shade.sw 0; set.atr
load.atr 2; let a.rgb 1 0 0; let ambient 0.1; let smooth.sw 0; let map.sw 0; let face.sw 0; let shade.sw 1; set.atr
load.mapinfo 1; let m.ustart 0.25; let m.uend 0.75; let m.vstart 0; let m.vend 1; let m.ulen 2; let m.vlen 3
let m.uofs 0.5; let m.vofs 0.125; let m.mopa 1; let m.bump 0.5; let m.xcent 50; let m.ycent 50; let m.zcent 0
let m.xlen 100; let m.ylen 100; let m.zlen 1; let m.kind 2; let m.method 3; let m.tex.id 1; set.mapinfo
load.maplist 1; let m.mapinfo 1; let m.next 0; set.maplist
)";

inline const char* const kSampleJoints = R"(
load.block 1; let b.rlink.id 0; set.block
load.block 2; let b.rlink.id 1; set.block
load.rigid 0; let rigid.pos.v -25 30 0; let rigid.old.v -25 30 0; let rigid.tmp.v 1 2 3
let rigid.block1.id 1; let rigid.block2.id 2; let rigid.actor.id 1; let rigid.name "hinge"; set.rigid
load.rlink 0; let rlink.rigid.id 0; let rlink.next -1; set.rlink
load.rlink 1; let rlink.rigid.id 0; let rlink.next -1; set.rlink
load.actor 1; let actor.start.rigid 0; let actor.layer 0; let actor.name "robot"; set.actor
)";

// Builds the sample model in ws; the image comes from a mapping file and its texture
// companion written into dir.
inline void buildSampleModel(Workstation& ws, const std::string& dir, bool joints) {
    {
        std::ofstream map(dir + "/image.map", std::ios::binary);
        map << "' only the image\n";
        std::ofstream txf(dir + "/image.TXF", std::ios::binary);
        const std::string t = sampleTexture();
        txf.write(t.data(), static_cast<std::streamsize>(t.size()));
    }
    ASSERT_TRUE(ws.run("read \"" + dir + "/image.map\"").empty());
    ASSERT_EQ(ws.model.mapdataCount, 2);
    ASSERT_TRUE(ws.run(kSampleGeometry).empty());
    ASSERT_TRUE(ws.run(kSampleRecords).empty());
    if (joints) {
        ASSERT_TRUE(ws.run(kSampleJoints).empty());
    }
}

// The sample model written to path and read back into fresh, which must then hold the
// same model.
inline void expectRoundTrip(const std::string& dir, const std::string& path, bool joints,
                            Workstation& fresh) {
    Workstation source;
    buildSampleModel(source, dir, joints);
    ASSERT_TRUE(source.run("write \"" + path + "\"").empty());
    ASSERT_TRUE(fresh.run("read \"" + path + "\"").empty());
    expectSameModel(source.model, fresh.model, joints);
}

}  // namespace rz::test
