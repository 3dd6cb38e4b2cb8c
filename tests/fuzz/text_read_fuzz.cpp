// read of text data files from arbitrary bytes: parts and motion-model scripts, camera,
// light, attribute and mapping scripts and grid model files, each run through the read
// command of a fresh workstation. Nothing may crash, hang or touch memory outside the
// stores, and a model file that is refused must leave the model's counts as they were.
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "db/database.hpp"
#include "db/settings.hpp"
#include "fuzz_support.hpp"
#include "platform/message_service.hpp"
#include "platform/null_sink.hpp"
#include "script/interp.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace {

// Statements that reach beyond the file being read (other files, threads, the process)
// or that declare past the variable stores, which ends the program on purpose.
bool reachesOut(std::string_view text) {
    for (std::string_view word : {"exec", "read", "write", "save", "thread", "var", "vtx", "m.rd",
                                  "m.ad", "m.wr", "capture", "tiff"})
        if (text.find(word) != std::string_view::npos) return true;
    return rz::fuzz::mentionsAny(text, rz::fuzz::kFileWords);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr std::array<const char*, 8> kExtensions{"pts", "mms", "cam", "lig",
                                                            "atr", "map", "mdl", "mdf"};
    if (size == 0) return 0;
    const std::string_view body(reinterpret_cast<const char*>(data + 1), size - 1);
    if (reachesOut(body)) return 0;
    static const std::string dir = [] {
        std::string d = "/tmp/rz_text_fuzz_XXXXXX";
        if (::mkdtemp(d.data()) == nullptr) std::abort();
        return d;
    }();
    const std::string name = dir + "/f." + kExtensions[data[0] % kExtensions.size()];
    if (FILE* f = std::fopen(name.c_str(), "wb")) {
        std::fwrite(body.data(), 1, body.size(), f);
        std::fclose(f);
    }
    rz::platform::NullSink sink;
    rz::workstation::Workstation w(sink);
    rz::platform::MessageService& msg = w.msg;
    rz::script::Interp& in = w.interp;
    rz::db::Database& db = w.db;
    rz::db::Settings s;
    s.capacity.axismax = 1200;
    s.capacity.patchmax = 400;
    s.capacity.shapemax = 40;
    s.capacity.blockmax = 20;
    s.capacity.affinemax = 40;
    s.capacity.mapimagemax = 4096;
    s.capacity.rigidmax = 20;
    s.capacity.rlinkmax = 40;
    s.capacity.actormax = 10;
    s.capacity.attrimax = 20;
    s.capacity.maplistmax = 40;
    s.capacity.mapinfomax = 40;
    s.capacity.mapdatamax = 10;
    s.capacity.scriptmax = 4096;
    w.start(s);
    const std::int32_t shapes = db.shapeCount;
    const std::int32_t axes = db.axisCount;
    const int errors = msg.errorCount();
    const std::string statement = "read \"" + name + "\";";
    rz::script::execCommandString(in, 0, statement.c_str());
    const bool modelFile = data[0] % kExtensions.size() < 2 || data[0] % kExtensions.size() >= 6;
    if (modelFile && msg.errorCount() != errors &&
        (db.shapeCount != shapes || db.axisCount != axes))
        std::abort();
    return 0;
}
