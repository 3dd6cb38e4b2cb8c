#pragma once
// The database's steps of start-up, which the workstation runs in their fixed order between
// the language's own: every store allocated with the capacities of the settings, the start
// values of the records, the system variables, and the defaults put into the camera,
// light, attribute and mapinfo records. Each runs once, before any window exists; a store
// that cannot be had ends the program (stopStartup).

#include <string>
#include <string_view>

#include "db/database.hpp"
#include "db/settings.hpp"
#include "platform/message_service.hpp"
#include "script/interp.hpp"

namespace rz::db {

void allocateModelStores(platform::MessageService& msg, Database& db, const Settings& settings);
// Every record at its start value, the matrix state fresh, and the rendered image allocated
// at the size the settings give and cleared.
void startModelRecords(platform::MessageService& msg, Database& db, const Settings& settings);
// The system variables, the edit list and the mapping reset: before the language's own
// symbols, which come after every system variable.
void registerDatabaseSymbols(script::Interp& in);
// After every symbol is registered.
void putStartDefaults(script::Interp& in);

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
inline constexpr std::string_view kScriptBufferArea = "scriptbuffer";
[[noreturn]] void stopStartup(platform::MessageService& msg, const StartupFailure& failure);

}  // namespace rz::db
