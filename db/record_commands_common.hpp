#pragma once
// What the record commands of every family share: the ways they take their arguments,
// the store each family works on, and the verbs that every family repeats (set., save.,
// num., load., capa. and set.…count).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "db/database.hpp"
#include "db/system_variables.hpp"
#include "script/interp.hpp"
#include "script/language_symbols.hpp"

namespace rz::db {

// The named constants num. commands step with.
inline constexpr int kInc = -99;
inline constexpr int kDec = -999;

// Records referred to through 16-bit fields (rlink and maplist links, rigid and actor
// numbers, shape attribute numbers) cannot lie beyond what those fields can hold, whatever
// the settings allow.
inline constexpr std::int32_t kInt16Records = 32768;
inline constexpr std::int32_t kUint16Records = 65536;

// Where num. stops when the number lies above the records in use.
enum class NumLimit {
    Count,        // above the count: the count (one past the last record)
    CountMinus1,  // above the count: count - 1
    LastRecord,   // above count - 1: count - 1
};

// Which load base load. adds to the number read from a file.
enum class LoadBaseRule {
    Block,    // the block base when it is 2 or more, else 1 when the model had shapes
    FromTwo,  // the base when it is 2 or more
    Always,   // the base
};

// One record type as the shared verbs see it, with the texts they show for it.
struct RecordFamily {
    std::int32_t Database::*count;
    std::int32_t Capacities::*capacity;
    std::int32_t Database::*current;
    std::size_t (*allocated)(const Database&);
    std::int32_t referenceLimit;  // records a 16-bit reference can reach
    SysVar point;
    void (*put)(script::Interp&);
    void (*select)(script::Interp&, int);
    std::string_view stored;    // set. and save.
    std::string_view negative;  // num. below 0
    std::string_view beyond;    // num. above the records in use
    std::string_view selected;  // num. done; empty: nothing shown
    std::string_view loaded;    // load. done; empty: nothing shown
    NumLimit numLimit;
    LoadBaseRule loadRule;
    std::int32_t LoadBases::*loadBase;
    std::int32_t loadFailure;  // the record load. selects when it refuses the number
    // The "@name" token of the family's named records, which num. takes in place of a
    // number; none for families without names.
    script::Tok nameRef = script::Tok::Undefined;
};

// Records the family can really hold: the configured capacity, cut to what was allocated
// and to what the references to it can reach.
std::int32_t capacityOf(const Database& db, const RecordFamily& f);
// The slot of a string variable's text.
constexpr int stringSlot(std::string_view name) {
    for (const script::StringVariable& v : script::kStringVariables)
        if (v.name == name) return v.slot;
    return -1;
}

// The records in use, never more than the store holds.
std::int32_t countOf(const Database& db, const RecordFamily& f);

// The shapes in use.
std::span<Shape> liveShapes(Database& db);

// A float taken as a whole number: truncated toward zero and held to the int32 range;
// NaN gives the most negative number, which every range check refuses.
std::int32_t wholeNumber(float v);

// Percentage of the capacity that is free, truncated.
int percentFree(std::int64_t free, std::int64_t capacity);

// ---- Arguments ---------------------------------------------------------------------------

// A scalar variable that ends the statement; its symbol.
script::Result variableArgument(script::Interp& in, int& symbol);
// A number, named constant or scalar variable that ends the statement; its value.
script::Result numberArgument(script::Interp& in, std::int32_t& value);
// A scalar-valued variable reference (a scalar or an array element) read from the next
// token; null after reporting an invalid variable type.
float* scalarReference(script::Interp& in);

// ---- Messages ----------------------------------------------------------------------------

void status(script::Interp& in, std::string_view text);
// Composes the message buffer and shows it in the system box.
void systemBox(script::Interp& in, const char* format, ...) __attribute__((format(printf, 2, 3)));

// ---- The shared verbs --------------------------------------------------------------------

// set.: put the variables into the current record.
script::Result storeCurrent(script::Interp& in, const RecordFamily& f);
// save. v: put the variables into record v and keep the current record as it was.
script::Result storeInto(script::Interp& in, const RecordFamily& f);
// num. n: select a record for editing, INC and DEC stepping from the point variable.
script::Result selectForEditing(script::Interp& in, const RecordFamily& f);
// load. n: select a record numbered as in the file being loaded.
script::Result selectWhileLoading(script::Interp& in, const RecordFamily& f);
// set.…count v: v = the count, first held below the capacity.
script::Result limitCount(script::Interp& in, const RecordFamily& f);

// Free records and their percentage, for the capa. reports.
struct Remaining {
    int free = 0;
    int percent = 0;
};
Remaining remaining(const Database& db, const RecordFamily& f);

}  // namespace rz::db
