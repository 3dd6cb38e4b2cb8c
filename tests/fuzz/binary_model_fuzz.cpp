// The binary readers from arbitrary bytes: tagged model and pose files, texture image
// files and single texture files. Whatever the bytes, a read either loads the file or is
// refused; a refused read, and the rollback after an accepted one, must leave the model
// exactly as it was, and nothing may be read or written outside the stores.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "db/database.hpp"
#include "db/init_database.hpp"
#include "db/settings.hpp"
#include "fileio/binary_input.hpp"
#include "fileio/binary_model.hpp"
#include "fileio/file_types.hpp"
#include "fileio/load_snapshot.hpp"
#include "fileio/texture_files.hpp"
#include "platform/message_service.hpp"
#include "script/interp.hpp"

namespace {

class NullSink final : public rz::platform::MessageSink {
public:
    void box(rz::platform::WindowId, std::string_view, std::string_view,
             rz::platform::BoxIcon) override {}
    void status(rz::platform::WindowId, std::string_view) override {}
    void console(std::string_view) override {}
    void diagnostic(std::string_view) override {}
};

struct Model {
    Model() : msg(sink), in(msg) {
        rz::db::Settings s;
        s.capacity.axismax = 1400;
        s.capacity.patchmax = 800;
        s.capacity.shapemax = 60;
        s.capacity.blockmax = 20;
        s.capacity.rigidmax = 20;
        s.capacity.rlinkmax = 40;
        s.capacity.actormax = 10;
        s.capacity.affinemax = 60;
        s.capacity.attrimax = 20;
        s.capacity.maplistmax = 40;
        s.capacity.mapinfomax = 40;
        s.capacity.mapdatamax = 10;
        s.capacity.mapimagemax = 4096;
        rz::db::initDatabase(in, db, s);
        // A few records of each kind, so that pose files of matching size can apply.
        db.blockCount = 3;
        db.affineCount = 2;
        db.rigidCount = 1;
    }
    NullSink sink;
    rz::platform::MessageService msg;
    rz::script::Interp in;
    rz::db::Database db;
};

bool sameCounts(const rz::db::Database& a, const rz::db::Database& b) {
    return a.axisCount == b.axisCount && a.patchCount == b.patchCount &&
           a.shapeCount == b.shapeCount && a.blockCount == b.blockCount &&
           a.affineCount == b.affineCount && a.attributeCount == b.attributeCount &&
           a.mapinfoCount == b.mapinfoCount && a.maplistCount == b.maplistCount &&
           a.mapdataCount == b.mapdataCount && a.textureBytesUsed == b.textureBytesUsed &&
           a.rigidCount == b.rigidCount && a.rlinkCount == b.rlinkCount &&
           a.actorCount == b.actorCount;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Model* model = new Model;
    static const rz::db::Database* start = new rz::db::Database(model->db);
    if (size == 0) return 0;
    rz::db::Database& db = model->db;
    rz::fileio::BinaryInput input(std::span<const std::uint8_t>(data + 1, size - 1));
    rz::fileio::LoadGuard guard(db);
    rz::fileio::takeLoadSnapshot(db);
    const rz::db::Database before = db;
    int r = 0;
    switch (data[0] % 4) {
        case 0:
            r = rz::fileio::readTextureImages(model->msg, db, input);
            break;
        case 1:
            r = rz::fileio::readSingleTexture(model->msg, db, input);
            break;
        default:
            r = rz::fileio::readModelBinary(model->msg, db, input);
            if (r == 0 && !rz::fileio::relocateLoaded(model->msg, db, rz::fileio::FileType::Mmb))
                r = 1;
            break;
    }
    if (r != 0 && !sameCounts(before, db)) std::abort();  // a refused file must change nothing
    guard.rollback();
    db.blocks = start->blocks;
    db.rigids = start->rigids;
    db.affines = start->affines;
    if (!sameCounts(*start, db)) std::abort();
    return 0;
}
