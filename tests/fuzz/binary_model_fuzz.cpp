// The binary readers from arbitrary bytes: tagged model and pose files, texture image
// files and single texture files. Whatever the bytes, a read either loads the file or is
// refused; a refused read, and the rollback after an accepted one, must leave the model
// exactly as it was, and nothing may be read or written outside the stores.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <tuple>
#include <vector>

#include "db/database.hpp"
#include "db/settings.hpp"
#include "fileio/binary_input.hpp"
#include "fileio/binary_model.hpp"
#include "fileio/file_types.hpp"
#include "fileio/load_snapshot.hpp"
#include "fileio/texture_files.hpp"
#include "platform/message_service.hpp"
#include "platform/null_sink.hpp"
#include "script/interp.hpp"
#include "workstation/workstation.hpp"

namespace {

struct Model {
    Model() {
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
        w.start(s);
        // A few records of each kind, so that pose files of matching size can apply.
        db.blockCount = 2;
        db.affineCount = 2;
        db.rigidCount = 1;
    }
    rz::platform::NullSink sink;
    rz::workstation::Workstation w{sink};
    rz::platform::MessageService& msg = w.msg;
    rz::script::Interp& in = w.interp;
    rz::db::Database& db = w.db;
};

auto counts(const rz::db::Database& d) {
    return std::make_tuple(d.axisCount, d.patchCount, d.shapeCount, d.blockCount, d.affineCount,
                           d.attributeCount, d.mapinfoCount, d.maplistCount, d.mapdataCount,
                           d.textureBytesUsed, d.rigidCount, d.rlinkCount, d.actorCount,
                           d.attributes[0].rgb, d.attributes[0].ambient);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Model* model = new Model;
    // The posable records that pose files overwrite, to put back after each run.
    static const auto* blocks = new std::vector<rz::db::Block>(model->db.blocks);
    static const auto* rigids = new std::vector<rz::db::Rigid>(model->db.rigids);
    static const auto* affines = new std::vector<rz::Mat4>(model->db.affines);
    if (size == 0) return 0;
    rz::db::Database& db = model->db;
    rz::fileio::BinaryInput input(std::span<const std::uint8_t>(data + 1, size - 1));
    rz::fileio::LoadGuard guard(db);
    rz::fileio::takeLoadSnapshot(db);
    const auto before = counts(db);
    rz::script::Result r = rz::script::kOk;
    switch (data[0] % 4) {
        case 0:
            r = rz::fileio::readTextureImages(model->msg, db, input);
            break;
        case 1:
            r = rz::fileio::readSingleTexture(model->msg, db, input);
            break;
        default:
            r = rz::fileio::readModelBinary(model->msg, db, input);
            if (r != rz::script::kOk) break;
            // Relocation may still refuse the file; then the read command rolls back.
            rz::fileio::relocateLoaded(model->msg, db, rz::fileio::FileType::Mmb);
            break;
    }
    if (r != rz::script::kOk && counts(db) != before)
        std::abort();  // a refused file must change nothing
    guard.rollback();
    if (counts(db) != before) std::abort();
    std::copy(blocks->begin(), blocks->end(), db.blocks.begin());
    std::copy(rigids->begin(), rigids->end(), db.rigids.begin());
    std::copy(affines->begin(), affines->end(), db.affines.begin());
    return 0;
}
