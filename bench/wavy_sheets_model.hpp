#pragma once
// The model the view benchmarks draw: 25 vertex grids of 40 x 25 points, 25,000 axes in
// all, a 5 x 5 array of wavy sheets, each 1800 units square, in block 1.

#include <cmath>
#include <cstdint>

#include "db/database.hpp"

namespace rz::bench {

inline constexpr int kShapes = 25;
inline constexpr int kNu = 40;
inline constexpr int kNv = 25;
inline constexpr int kAxes = kShapes * kNu * kNv;

inline void buildWavySheets(db::Database& db) {
    db.blockCount = 2;
    for (int s = 0; s < kShapes; ++s) {
        const auto first = static_cast<std::uint32_t>(db.axisCount);
        const float ox = static_cast<float>(s % 5) * 2000.0f - 5000.0f;
        const float oz = static_cast<float>(s / 5) * 2000.0f - 5000.0f;
        for (int j = 0; j < kNv; ++j)
            for (int i = 0; i < kNu; ++i) {
                const float x = ox + static_cast<float>(i) * 1800.0f / (kNu - 1);
                const float z = oz + static_cast<float>(j) * 1800.0f / (kNv - 1);
                const float y = 300.0f * std::sin(x / 700.0f) * std::cos(z / 500.0f) + 400.0f;
                db.axes[db.axisCount++] = db::Axis{{x, y, z}, {0, 1, 0}, 0, 0};
            }
        const auto header = static_cast<std::uint32_t>(db.patchCount);
        db.patches[db.patchCount++] = -2;
        db.patches[db.patchCount++] = kNu;
        db.patches[db.patchCount++] = kNv;
        db::Shape& shape = db.shapes[db.shapeCount++];
        shape.shapeId = 1;
        shape.kind = db::kShapeGrid;
        shape.axisId = first;
        shape.axisTotal = kNu * kNv;
        shape.patchId = header;
        shape.patchTotal = 3;
    }
}

}  // namespace rz::bench
