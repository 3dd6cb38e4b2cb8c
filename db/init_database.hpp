#pragma once
// Start-up of the model database and the language: every store allocated with the
// capacities of the settings, the system variables and the language's symbols registered,
// and the defaults put into the camera, light, attribute and mapinfo records.

#include <string>
#include <string_view>

#include "db/database.hpp"
#include "db/settings.hpp"
#include "platform/message_service.hpp"
#include "script/interp.hpp"

namespace rz::db {

// Runs once, after the settings have been read and before any window exists. A store that
// cannot be had ends the program (stopStartup).
void initDatabase(script::Interp& in, Database& db, const Settings& settings);

// The mapping reset of start-up and init.mapinfo: mapinfo count 1, the mapping variables
// to their reset values, mapinfos 0 and 1 put from them with mapinfo 1 left current, every
// shape's mapping head 0 and every maplist record (0, 0).
void resetMapping(script::Interp& in);

// How start-up ends when something it needs cannot be had: the allocation message, then a
// second box with the detail, then either the fatal stop (banner, status -1) or a plain
// exit with status 1.
struct StartupFailure {
    std::string detail;
    bool fatalBanner = true;
};

// The failure for an area, named by its failure word ("model", "patches", "scriptbuffer",
// "DB_Symbols", ...).
StartupFailure allocationFailure(std::string_view area);
[[noreturn]] void stopStartup(platform::MessageService& msg, const StartupFailure& failure);

}  // namespace rz::db
