#pragma once
// The tagged binary files: parts (.PTB), motion models (.MMB, also read as .PTX and .MMX)
// and poses (.GIM).

#include <time.h>

#include <array>
#include <string_view>

#include "db/database.hpp"
#include "fileio/binary_input.hpp"
#include "fileio/output_file.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::fileio {

// Who wrote a file; stored, never interpreted.
struct Creator {
    std::string_view user;
    std::string_view organisation;
};

// The date a file carries: yymmdd of a local date, as a number.
std::uint32_t dateTagOf(const struct tm& local);

// 0, or kFail after a report. Writing changes nothing in the database.
script::Result writeModelBinary(platform::MessageService& msg, const db::Database& db,
                                OutputFile& out, bool motion, const Creator& creator = {});
script::Result writePoseBinary(platform::MessageService& msg, const db::Database& db,
                               OutputFile& out, const Creator& creator = {});

// Reads any tagged binary file into the model: data sections are appended behind the
// existing records, pose sections overwrite the posable fields of existing ones. The
// whole file is checked before anything is stored, so a file that is refused (reported,
// kFail) leaves the database as it was. attributesRead tells whether the file had an
// attribute section.
script::Result readModelBinary(platform::MessageService& msg, db::Database& db, BinaryInput& in,
                               bool* attributesRead = nullptr);

}  // namespace rz::fileio
