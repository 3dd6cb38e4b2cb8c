// Parts (.PTS) and motion-model (.MMS) scripts: the geometry section, then every block,
// attribute, mapping and, for motion models, every joint record through the
// current-record protocol, so that running the script rebuilds them with load commands.

#include <algorithm>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "fileio/geometry_section.hpp"
#include "fileio/text_formats.hpp"

namespace rz::fileio {
namespace {

using db::SysVar;

double scalar(script::Interp& in, SysVar v) {
    return db::scalarVar(in, v);
}

void printString(script::Interp& in, OutputFile& out, const char* format, std::string_view var) {
    const std::string_view text = stringVariable(in, var);
    printQuoted(out, format, text.data(), text.size());
}

void blockLines(script::Interp& in, OutputFile& out) {
    out.printVector("let b.xyzrot.v     %g %g %g\n", db::vectorVar(in, SysVar::BXyzrot));
    out.printVector("let b.xyztmp.v     %g %g %g\n", db::vectorVar(in, SysVar::BXyztmp));
    out.printVector("let b.center.v     %g %g %g\n", db::vectorVar(in, SysVar::BCenter));
    out.printVector("let b.trans.v     %g %g %g\n", db::vectorVar(in, SysVar::BTrans));
    out.printVector("let b.xyzmin.v     %g %g %g\n", db::vectorVar(in, SysVar::BXyzmin));
    out.printVector("let b.xyzmax.v     %g %g %g\n", db::vectorVar(in, SysVar::BXyzmax));
    out.print("let b.rlink.id %g\n", scalar(in, SysVar::BRlinkId));
    out.print("let b.layer    %g\n", scalar(in, SysVar::BLayer));
    out.print("let b.dummy    %g\n", scalar(in, SysVar::BDummy));
    const Mat4& m = db::matrixVar(in, SysVar::BMatrix);
    out.print(" let b.matrix %g %g %g %g \n", m[0], m[1], m[2], m[3]);
    for (int row = 1; row < 4; ++row)
        out.print("              %g %g %g %g \n", m[row * 4], m[row * 4 + 1], m[row * 4 + 2],
                  m[row * 4 + 3]);
    printString(in, out, "let b.refname \"%s\"\n", "b.refname");
    printString(in, out, "let b.name    \"%s\"\n", "b.name");
}

void rigidLines(script::Interp& in, OutputFile& out) {
    out.printVector("let rigid.pos.v     %g %g %g\n", db::vectorVar(in, SysVar::RigidPos));
    out.printVector("let rigid.old.v     %g %g %g\n", db::vectorVar(in, SysVar::RigidOld));
    out.printVector("let rigid.tmp.v     %g %g %g\n", db::vectorVar(in, SysVar::RigidTmp));
    out.print("let rigid.block1.id %g\n", scalar(in, SysVar::RigidBlock1));
    out.print("let rigid.block2.id %g\n", scalar(in, SysVar::RigidBlock2));
    out.print("let rigid.actor.id  %g\n", scalar(in, SysVar::RigidActor));
    out.print("let rigid.layer     %g\n", scalar(in, SysVar::RigidLayer));
    printString(in, out, "let rigid.name    \"%s\"\n", "rigid.name");
}

void writeBlocks(script::Interp& in, OutputFile& out) {
    db::Database& db = db::database(in);
    // A model with only the reserved block still writes block 1, so that reading the file
    // always has a block to load.
    const int n =
        std::min<int>(db.blockCount == 1 ? 2 : db.blockCount, static_cast<int>(db.blocks.size()));
    for (int b = 1; b < n && out.ok(); ++b) {
        db.currentBlock = b;
        db::getBlockRecord(in);
        out.print("\n'*****  Block no. %d  *****\n", b);
        out.print("load.block %d\n", b);
        blockLines(in, out);
        out.print("set.block\n");
    }
    out.print("let b.point %d\n", n - 1);
    out.print("load.block b.point\n\n");
}

void writeAttributes(script::Interp& in, OutputFile& out) {
    db::Database& db = db::database(in);
    for (int a = 0; a < db.attributeCount && out.ok(); ++a) {
        db.currentAttribute = a;
        db::getAttriRecord(in);
        out.print("\n'*****  Attribute no. %d  *****\n", a);
        out.print("load.atr %d\n", a);
        writeAttributeScript(in, out);
        out.print("set.atr\n");
    }
    out.print("let atr.point %d\n", db.attributeCount - 1);
    out.print("load.atr atr.point\n\n");
    db::selectAttri(in, db.attributeCount - 1);
}

void writeMappings(script::Interp& in, OutputFile& out) {
    db::Database& db = db::database(in);
    if (db.mapinfoCount < 1) return;
    const std::int32_t maplistBefore = db.currentMaplist;
    for (int m = 1; m < db.mapinfoCount && out.ok(); ++m) {
        db.currentMapinfo = m;
        db::getMapinfoRecord(in);
        out.print("\n'*****  Mapping Information no. %d  *****\n", m);
        out.print("load.mapinfo %d\n", m);
        writeMappingLines(in, out, true);
        out.print("set.mapinfo\n");
    }
    out.print("\n");
    for (int l = 1; l < db.maplistCount && out.ok(); ++l) {
        db.currentMaplist = l;
        db::getMaplistRecord(in);
        out.print("\n'*****  Mapping list no. %d  *****\n", l);
        out.print("load.maplist %d\n", l);
        out.print("let m.mapinfo %g\n", scalar(in, SysVar::MMapinfo));
        out.print("let m.next    %g\n", scalar(in, SysVar::MNext));
        out.print("set.maplist\n");
    }
    out.print("let ml.point %d\n", db.maplistCount - 1);
    out.print("load.maplist ml.point\n");
    db::selectMaplist(in, db.maplistCount - 1);
    db.currentMaplist = maplistBefore;
}

void writeJoints(script::Interp& in, OutputFile& out) {
    db::Database& db = db::database(in);
    for (int r = 0; r < db.rigidCount && out.ok(); ++r) {
        db.currentRigid = r;
        db::getRigidRecord(in);
        out.print("\n'*****  Rigid no. %d  *****\n", r);
        out.print("load.rigid %d\n", r);
        rigidLines(in, out);
        out.print("set.rigid\n");
    }
    out.print("let rigid.point %d\n", db.rigidCount - 1);
    if (db.rigidCount > 0) out.print("load.rigid rigid.point\n");
    out.print("\n");

    for (int l = 0; l < db.rlinkCount && out.ok(); ++l) {
        db.currentRlink = l;
        db::getRlinkRecord(in);
        out.print("\n'*****  Rlink no. %d  *****\n", l);
        out.print("load.rlink %d\n", l);
        out.print("let rlink.rigid.id %g\n", scalar(in, SysVar::RlinkRigid));
        out.print("let rlink.next     %g\n", scalar(in, SysVar::RlinkNext));
        out.print("set.rlink\n");
    }
    out.print("let rlink.point %d\n", db.rlinkCount - 1);
    if (db.rlinkCount > 0) out.print("load.rlink rlink.point\n");
    out.print("\n");

    const int n =
        std::min<int>(db.actorCount == 1 ? 2 : db.actorCount, static_cast<int>(db.actors.size()));
    for (int a = 1; a < n && out.ok(); ++a) {
        db.currentActor = a;
        db::getActorRecord(in);
        out.print("\n'*****  Actor no. %d  *****\n", a);
        out.print("load.actor %d\n", a);
        out.print("let actor.start.rigid %g\n", scalar(in, SysVar::ActorStartRigid));
        out.print("let actor.layer       %g\n", scalar(in, SysVar::ActorLayer));
        printString(in, out, "let actor.name      \"%s\"\n", "actor.name");
        out.print("set.actor\n");
    }
    out.print("let actor.point %d\n", n - 1);
    out.print("load.actor actor.point\n\n");
}

}  // namespace

bool writePartsScript(script::Interp& in, OutputFile& out, bool motion) {
    if (!writeGeometrySection(db::database(in), out, ShapeIds::Full)) return false;
    writeBlocks(in, out);
    writeAttributes(in, out);
    writeMappings(in, out);
    if (motion) writeJoints(in, out);
    return out.ok();
}

}  // namespace rz::fileio
