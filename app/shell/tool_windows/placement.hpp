#pragma once
// Where the tool windows go and what is written back for them. An offset is measured from
// the main window's top-left corner. The settings file keeps the offset of a window's outer
// corner, while a move reports where its client area went: the written offset takes off the
// frame the settings file has always assumed (1 pixel at the side, 20 for the title).

#include <QPoint>
#include <QSize>

#include "db/settings.hpp"

namespace rz::app {

inline constexpr int kFallbackOffset = 100;
// A window placed closer than this to the screen's far edge could not be grabbed again.
inline constexpr int kReachableMargin = 24;
inline constexpr QPoint kAssumedFrame{1, 20};

// One coordinate of a stored offset as the window is placed by it: below 0 or beyond the
// screen's extent less the margin, the fallback.
int placedOffset(int stored, int screenExtent);
QPoint placedOffset(const db::Offset& stored, QSize screen);
// What is written for a recorded client-area offset.
db::Offset writtenOffset(QPoint recorded);

}  // namespace rz::app
