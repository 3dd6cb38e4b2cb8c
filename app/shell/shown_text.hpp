#pragma once
// Texts of the core are bytes: the system's messages are UTF-8, names from old files may
// be Shift-JIS. Widgets show them by the rule the drawing layer follows.

#include <QString>
#include <string_view>

namespace rz::app {

QString shownText(std::string_view text);

}  // namespace rz::app
