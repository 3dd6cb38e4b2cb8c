#pragma once
// Model stores allocated by hand, without an interpreter, for the geometry operations that
// need nothing but the stores and the message services.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "db/database.hpp"
#include "math/value_types.hpp"
#include "platform/message_service.hpp"
#include "platform/recording_sink.hpp"

namespace rz::test {

using Params = std::array<float, 8>;  // wv.x wv.y wv.z nv.x nv.y nv.z u v of one axis

inline db::Capacities smallCapacities() {
    db::Capacities c;
    c.axismax = 4000;  // 3000 usable
    c.patchmax = 3000;
    c.shapemax = 50;
    c.blockmax = 10;
    c.rigidmax = 10;
    c.affinemax = 40;
    return c;
}

class ModelTest : public ::testing::Test {
  protected:
    explicit ModelTest(const db::Capacities& c = smallCapacities()) : msg(sink) { allocate(c); }

    void allocate(const db::Capacities& c) {
        model.capacity = c;
        model.axes.assign(c.axismax, {});
        model.patches.assign(c.patchmax, 0);
        model.shapes.assign(c.shapemax, {});
        model.blocks.assign(c.blockmax, {});
        model.rigids.assign(c.rigidmax, {});
        model.affines.assign(c.affinemax, kIdentity);
        model.editList.assign(db::kEditListSize, {});
    }

    // Appends a parametric shape: its parameter axes and its record, in block 1.
    int addParametric(std::uint8_t kind, const Params& a, const Params& b = {},
                      std::uint8_t lrflag = 0) {
        const int first = model.axisCount;
        for (const Params* p : {&a, &b}) {
            db::Axis& axis = model.axes[model.axisCount++];
            axis.wv = {(*p)[0], (*p)[1], (*p)[2]};
            axis.nv = {(*p)[3], (*p)[4], (*p)[5]};
            axis.u = (*p)[6];
            axis.v = (*p)[7];
        }
        db::Shape& s = model.shapes[model.shapeCount];
        s = db::Shape{};
        s.shapeId = 1;
        s.axisId = static_cast<std::uint32_t>(first);
        s.axisTotal = 2;
        s.kind = kind;
        s.lrflag = lrflag;
        return model.shapeCount++;
    }

    // Appends an explicit nu x nv grid with the given positions and normals.
    int addGrid(int nu, int nv, const std::vector<Vec3>& positions, const Vec3& normal) {
        const int first = model.axisCount;
        for (const Vec3& p : positions) {
            db::Axis& a = model.axes[model.axisCount++];
            a.wv = p;
            a.nv = normal;
        }
        const int patch = model.patchCount;
        for (const int v : {-2, nu, nv}) model.patches[model.patchCount++] = v;
        db::Shape& s = model.shapes[model.shapeCount];
        s = db::Shape{};
        s.shapeId = 1;
        s.axisId = static_cast<std::uint32_t>(first);
        s.axisTotal = static_cast<std::uint32_t>(positions.size());
        s.patchId = static_cast<std::uint32_t>(patch);
        s.patchTotal = 3;
        s.kind = db::kShapeGrid;
        return model.shapeCount++;
    }

    const db::Axis& axis(int i) const { return model.axes[i]; }
    std::vector<std::string> boxes() const { return sink.boxes(); }

    platform::RecordingSink sink;
    platform::MessageService msg;
    db::Database model;
};

inline std::string err(std::string_view text) {
    return "ERROR: " + std::string(text);
}

constexpr double kPi = 3.14159265358979323846;
inline double rad(double degrees) {
    return degrees * kPi / 180.0;
}

// Float results against values computed in double.
MATCHER_P3(IsPoint, x, y, z, "") {
    const double tol = 1e-4 * (1.0 + std::abs(x) + std::abs(y) + std::abs(z));
    return std::abs(arg[0] - x) <= tol && std::abs(arg[1] - y) <= tol &&
           std::abs(arg[2] - z) <= tol;
}

inline double norm(const Vec3& v) {
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

}  // namespace rz::test
