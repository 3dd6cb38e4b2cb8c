#pragma once
// Where the main window starts and what is written back for it.

#include <QRect>
#include <QSize>

#include "db/settings.hpp"

namespace rz::app {

// The size type written back as SizeType (the resize codes the settings file has always
// used).
inline constexpr int kSizeRestored = 0;
inline constexpr int kSizeMaximized = 2;

// The window's place and size from the settings on a screen of this size: a side not below
// the screen's becomes the screen's. A side below 1 would give a window nobody can see or
// reach; it takes the default instead.
QRect startGeometry(const db::WindowPlacement& placement, QSize screen);

}  // namespace rz::app
