#include "fileio/grid_model.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "db/capacity.hpp"
#include "db/current_records.hpp"
#include "db/database.hpp"
#include "db/model_reset.hpp"
#include "db/system_variables.hpp"
#include "fileio/file_messages.hpp"
#include "geometry/geometry_messages.hpp"
#include "platform/input_file.hpp"
#include "script/messages.hpp"

namespace rz::fileio {
namespace {

constexpr std::string_view kInMdlRead = " ... in mdl_rd()\n";
constexpr float kBoxStart = 1.0e9f;

// Whitespace-separated fields of a text file.
class Fields {
  public:
    explicit Fields(platform::InputFile& file) : file_(file) {}

    // The next field; false at the end of the file.
    bool next() {
        int c = file_.get();
        while (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v')
            c = file_.get();
        if (c < 0) return false;
        length_ = 0;
        tooLong_ = false;
        while (c >= 0 && c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '\f' &&
               c != '\v') {
            if (length_ < buf_.size()) {
                buf_[length_++] = static_cast<char>(c);
            } else {
                tooLong_ = true;
            }
            c = file_.get();
        }
        return true;
    }
    bool asFloat(float& out) const {
        if (tooLong_ || length_ == 0) return false;
        const char* first = buf_.data();
        if (*first == '+') ++first;
        const char* last = buf_.data() + length_;
        const auto r = std::from_chars(first, last, out);
        return r.ec == std::errc() && r.ptr == last && std::isfinite(out);
    }
    bool asShort(int& out) const {
        if (tooLong_ || length_ == 0) return false;
        const char* first = buf_.data();
        if (*first == '+') ++first;
        const char* last = buf_.data() + length_;
        long v = 0;
        const auto r = std::from_chars(first, last, v);
        if (r.ec != std::errc() || r.ptr != last || v < std::numeric_limits<std::int16_t>::min() ||
            v > std::numeric_limits<std::int16_t>::max())
            return false;
        out = static_cast<int>(v);
        return true;
    }

  private:
    platform::InputFile& file_;
    std::array<char, 64> buf_{};
    std::size_t length_ = 0;
    bool tooLong_ = false;
};

// One pass over a grid file. The checking pass counts what the file needs against the
// free room and stores nothing; the storing pass writes the records behind the counts.
class GridReader {
  public:
    GridReader(script::Interp& in, platform::InputFile& file, GridForm form, bool store)
        : in_(in), db_(db::database(in)), fields_(file), form_(form), store_(store) {}

    script::Result run(std::int32_t axes, std::int32_t patches, std::int32_t shapes);

  private:
    script::Result bad(std::string_view text) {
        in_.msg.errorBox(text);
        in_.msg.errorBoxPlain(kInMdlRead);
        return script::kFail;
    }
    script::Result word() { return fields_.next() ? script::kOk : bad(script::msg::kEofDetected); }
    script::Result number(float& v) {
        if (!fields_.next()) return bad(script::msg::kEofDetected);
        return fields_.asFloat(v) ? script::kOk : bad(script::msg::kValueNotCorrect);
    }
    script::Result count(int& v) {
        if (!fields_.next()) return bad(script::msg::kEofDetected);
        return fields_.asShort(v) ? script::kOk : bad(script::msg::kValueNotCorrect);
    }
    script::Result room(std::int64_t axes, std::int64_t patches) const;
    script::Result shape(int index);

    script::Interp& in_;
    db::Database& db_;
    Fields fields_;
    GridForm form_;
    bool store_;
    std::int32_t axes_ = 0;
    std::int32_t patches_ = 0;
    std::int32_t shapes_ = 0;
};

script::Result GridReader::room(std::int64_t axes, std::int64_t patches) const {
    // The checks of every geometry operation, against the counts this pass has reached.
    const auto full = [](std::int64_t count, std::int64_t needed, std::int64_t limit) {
        return count + needed >= limit;
    };
    auto& msg = in_.msg;
    if (full(shapes_, 1, db::shapeCapacity(db_))) {
        msg.errorBox(geometry::msg::kShapeFull);
        return script::kFail;
    }
    if (full(patches_, patches, db::patchCapacity(db_))) {
        msg.errorBox(geometry::msg::kPatchFull);
        return script::kFail;
    }
    if (full(axes_, axes, db::usableAxisLimit(db_))) {
        msg.errorBox(geometry::msg::kAxisFull);
        return script::kFail;
    }
    return script::kOk;
}

script::Result GridReader::shape(int index) {
    int u = 0;
    int v = 0;
    if (word() != script::kOk || count(u) != script::kOk || count(v) != script::kOk)
        return script::kFail;
    if (u < 1 || v < 0) return bad(script::msg::kValueNotCorrect);
    // v = 0: one row of 3u points, the corners of u triangles.
    const std::int64_t perRow = v == 0 ? 3LL * u : u;
    const std::int64_t rows = v == 0 ? 1 : v;
    const std::int64_t axes = perRow * rows;
    const std::int64_t patches = (perRow - 1) * (rows - 1) * 5;
    if (room(axes, patches) != script::kOk) return script::kFail;

    const std::int32_t first = axes_;
    Vec3 lo{kBoxStart, kBoxStart, kBoxStart};
    Vec3 hi{-kBoxStart, -kBoxStart, -kBoxStart};
    if (store_) {
        in_.msg.formatBuffer("model read(%d) u=%d, v=%d | ", index, u, v);
        in_.msg.console(in_.msg.buffer());
    }
    for (std::int64_t r = 0; r < rows; ++r) {
        for (std::int64_t c = 0; c < perRow; ++c) {
            db::Axis a;
            for (float& x : a.wv)
                if (number(x) != script::kOk) return script::kFail;
            if (form_ == GridForm::Full) {
                for (float& x : a.nv)
                    if (number(x) != script::kOk) return script::kFail;
                if (number(a.u) != script::kOk || number(a.v) != script::kOk) return script::kFail;
            }
            for (int k = 0; k < 3; ++k) {
                lo[k] = std::min(lo[k], a.wv[k]);
                hi[k] = std::max(hi[k], a.wv[k]);
            }
            if (store_) db_.axes[first + r * perRow + c] = a;
        }
        if (store_) in_.msg.console(".");
    }
    if (store_) {
        in_.msg.console("\n");
        std::int32_t p = patches_;
        for (std::int64_t r = 0; r + 1 < rows; ++r)
            for (std::int64_t c = 0; c + 1 < perRow; ++c) {
                const std::int32_t i = static_cast<std::int32_t>(first + r * perRow + c);
                const std::int32_t w = static_cast<std::int32_t>(perRow);
                for (std::int32_t value : {-4, i, i + 1, i + w + 1, i + w})
                    db_.patches[p++] = value;
            }
        db::Shape& s = db_.shapes[shapes_];
        s = db::Shape{};
        // A grid file knows nothing of blocks: its shapes belong to none.
        s.shapeId = 0;
        s.kind = db::kShapePolygon;
        s.axisId = static_cast<std::uint32_t>(first);
        s.axisTotal = static_cast<std::uint32_t>(axes);
        s.patchId = static_cast<std::uint32_t>(patches_);
        s.patchTotal = static_cast<std::uint32_t>(patches);
        s.bbmin = lo;
        s.bbmax = hi;
    }
    axes_ += static_cast<std::int32_t>(axes);
    patches_ += static_cast<std::int32_t>(patches);
    ++shapes_;
    return script::kOk;
}

script::Result GridReader::run(std::int32_t axes, std::int32_t patches, std::int32_t shapes) {
    axes_ = axes;
    patches_ = patches;
    shapes_ = shapes;
    int total = 0;
    if (word() != script::kOk || count(total) != script::kOk) return script::kFail;
    if (total < 0) return bad(script::msg::kValueNotCorrect);
    for (int n = 0; n < total; ++n)
        if (shape(shapes_) != script::kOk) return script::kFail;
    if (store_) {
        db_.axisCount = axes_;
        db_.patchCount = patches_;
        db_.shapeCount = shapes_;
    }
    return script::kOk;
}

}  // namespace

script::Result readGridModel(script::Interp& in, const std::string& path, GridForm form,
                             bool clearFirst) {
    db::Database& db = db::database(in);
    const std::int32_t axes = clearFirst ? 0 : db.axisCount;
    const std::int32_t patches = clearFirst ? 0 : db.patchCount;
    const std::int32_t shapes = clearFirst ? 0 : db.shapeCount;
    {
        platform::InputFile file;
        if (!file.open(path)) {
            in.msg.errorBox(script::msg::kFileNotFound);
            in.msg.formatBuffer(" in read_() ( %s )\n", path.c_str());
            in.msg.errorBoxPlain(in.msg.buffer());
            return script::kFail;
        }
        GridReader check(in, file, form, false);
        if (check.run(axes, patches, shapes) != script::kOk) return script::kFail;
    }
    platform::InputFile file;
    if (!file.open(path)) {
        in.msg.errorBox(script::msg::kFileNotFound);
        return script::kFail;
    }
    if (clearFirst) db::resetModel(in);
    GridReader store(in, file, form, true);
    if (store.run(axes, patches, shapes) != script::kOk) return script::kFail;
    const float smooth = form == GridForm::Full ? 1.0f : 0.0f;
    db::scalarVar(in, db::SysVar::SmoothSw) = smooth;
    db.attributes[db.currentAttribute].smooth = static_cast<std::uint8_t>(smooth);
    return script::kOk;
}

}  // namespace rz::fileio
