// mdlread, mdladd and mdlwrite: grid model files in, the geometry section out.

#include <array>
#include <span>

#include "db/current_records.hpp"
#include "fileio/file_commands.hpp"
#include "fileio/file_messages.hpp"
#include "fileio/file_names.hpp"
#include "fileio/file_types.hpp"
#include "fileio/geometry_section.hpp"
#include "fileio/grid_model.hpp"
#include "script/arguments.hpp"
#include "script/command_table.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::fileio {
namespace {

struct GridCommand {
    const char* start;
    const char* done;
    bool clearFirst;
};
constexpr GridCommand kMdlread{"\n** 形状データ ( %s ) を読込みます **\n", "\n** 読み込み終了 **\n",
                               true};
constexpr GridCommand kMdladd{"\n** 形状データ ( %s ) を追加します **\n", "\n** 追加終了 **\n",
                              false};

script::Result gridCommand(script::Interp& in, const GridCommand& command) {
    std::string name;
    if (fileArgument(in, name, " ... in func ( mdlread )\n") != script::kOk) return script::kFail;
    if (name.empty()) return script::kOk;
    const FileType type = fileTypeOfExtension(splitPath(name).ext);
    if (type == FileType::Mdl || type == FileType::Mdf) {
        in.msg.formatBuffer(command.start, name.c_str());
        in.msg.statusBuffer();
        const GridForm form = type == FileType::Mdf ? GridForm::Full : GridForm::Positions;
        if (readGridModel(in, name, form, command.clearFirst) != script::kOk) return script::kFail;
    }
    in.msg.statusText(command.done);
    return script::kOk;
}

}  // namespace

script::Result fileArgument(script::Interp& in, std::string& name, std::string_view where) {
    std::string_view text;
    if (!script::textArgument(in, text)) {
        in.msg.errorBox(script::msg::kBadParam);
        in.msg.errorBoxPlain(where);
        return script::failSkipQuiet(in);
    }
    name.assign(text);
    return script::expectEnd(in);
}

static script::Result cmdMdlread(script::Interp& in) {
    return gridCommand(in, kMdlread);
}
static script::Result cmdMdladd(script::Interp& in) {
    return gridCommand(in, kMdladd);
}

static script::Result cmdMdlwrite(script::Interp& in) {
    std::string name;
    if (fileArgument(in, name, " ... in func ( mdlwrite )\n") != script::kOk) return script::kFail;
    if (name.empty()) return script::kOk;
    if (fileTypeOfExtension(splitPath(name).ext) != FileType::Sh) {
        in.msg.errorBox(msg::kUnsupportedFormat);
        return script::kFail;
    }
    OutputFile out;
    if (!out.open(name)) {
        in.msg.errorBox(msg::kCannotOpenWrite);
        in.msg.formatBuffer(" in write_() ( %s )\n", name.c_str());
        in.msg.errorBoxPlain(in.msg.buffer());
        return script::kFail;
    }
    in.msg.formatBuffer("\n** 形状データ ( %s ) を保存します **\n", name.c_str());
    in.msg.statusBuffer();
    if (!writeGeometrySection(db::database(in), out, ShapeIds::Plain) || !out.commit()) {
        in.msg.errorBox(msg::kWriteError);
        in.msg.errorBoxPlain(" ... in func ( mdlwrite )\n");
        return script::kFail;
    }
    in.msg.statusText("\n** 保存終了 **\n");
    return script::kOk;
}

namespace {
const std::array<script::CommandRow, 6> kCommands{{
    {"m.rd", cmdMdlread},
    {"mdlread", cmdMdlread},
    {"m.ad", cmdMdladd},
    {"mdladd", cmdMdladd},
    {"m.wr", cmdMdlwrite},
    {"mdlwrite", cmdMdlwrite},
}};
}  // namespace

std::span<const script::CommandRow> modelFileCommands() {
    return kCommands;
}

}  // namespace rz::fileio
