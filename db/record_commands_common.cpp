#include "db/record_commands_common.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>

#include "db/current_records.hpp"
#include "script/arguments.hpp"
#include "script/expression.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::db {

using script::kFail;
using script::kOk;
using script::Result;
using script::Tok;

std::int32_t capacityOf(const Database& db, const RecordFamily& f) {
    const std::int64_t configured = std::max<std::int32_t>(db.capacity.*f.capacity, 0);
    const auto allocated = static_cast<std::int64_t>(f.allocated(db));
    return static_cast<std::int32_t>(
        std::min({configured, allocated, static_cast<std::int64_t>(f.referenceLimit)}));
}

std::int32_t countOf(const Database& db, const RecordFamily& f) {
    return std::clamp<std::int32_t>(db.*f.count, 0, static_cast<std::int32_t>(f.allocated(db)));
}

std::span<Shape> liveShapes(Database& db) {
    const auto n =
        std::clamp<std::int64_t>(db.shapeCount, 0, static_cast<std::int64_t>(db.shapes.size()));
    return {db.shapes.data(), static_cast<std::size_t>(n)};
}

std::int32_t wholeNumber(float v) {
    using Limits = std::numeric_limits<std::int32_t>;
    if (std::isnan(v)) return Limits::min();
    const double t = std::trunc(static_cast<double>(v));
    if (t <= Limits::min()) return Limits::min();
    if (t >= Limits::max()) return Limits::max();
    return static_cast<std::int32_t>(t);
}

int percentFree(std::int64_t free, std::int64_t capacity) {
    if (capacity <= 0) return 0;
    return static_cast<int>(free * 100 / capacity);
}

script::Result variableArgument(script::Interp& in, int& symbol) {
    if (in.next() != Tok::Scalar) return script::failSkip(in, script::msg::kBadParam);
    symbol = in.lex.symbol();
    return script::noArguments(in);
}

script::Result numberArgument(script::Interp& in, std::int32_t& value) {
    float v = 0.0f;
    if (script::literalNumber(in, v, true) != kOk) return kFail;
    if (script::noArguments(in) != kOk) return kFail;
    value = wholeNumber(v);
    return kOk;
}

float* scalarReference(script::Interp& in) {
    switch (in.next()) {
        case Tok::Scalar:
            return &in.sym.scalar(in.lex.symbol());
        case Tok::Array: {
            float* e = script::arrayElement(in, in.lex.symbol());
            if (e == nullptr) static_cast<void>(script::failSkipQuiet(in));
            return e;
        }
        default:
            static_cast<void>(script::failSkip(in, script::msg::kBadVariableType));
            return nullptr;
    }
}

void status(script::Interp& in, std::string_view text) {
    in.msg.statusText(text);
}

void systemBox(script::Interp& in, const char* format, ...) {
    std::array<char, platform::MessageService::kBufferSize> text{};
    va_list args;
    va_start(args, format);
    std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    in.msg.setBuffer(text.data());
    in.msg.systemBox();
}

script::Result storeCurrent(script::Interp& in, const RecordFamily& f) {
    if (script::noArguments(in) != kOk) return kFail;
    f.put(in);
    status(in, f.stored);
    return kOk;
}

script::Result storeInto(script::Interp& in, const RecordFamily& f) {
    int symbol = 0;
    if (variableArgument(in, symbol) != kOk) return kFail;
    Database& db = database(in);
    const std::int32_t v = wholeNumber(in.sym.scalar(symbol));
    if (v < 0 || v >= capacityOf(db, f)) return script::failSkip(in, script::msg::kValueNotCorrect);
    const std::int32_t previous = db.*f.current;
    db.*f.current = v;
    f.put(in);
    status(in, f.stored);
    db.*f.current = previous;
    return kOk;
}

script::Result selectForEditing(script::Interp& in, const RecordFamily& f) {
    int n = 0;
    if (script::lastRecordNumber(in, f.nameRef, n) != kOk) return kFail;
    Database& db = database(in);
    std::int64_t target = n;
    if (n == kInc) target = std::int64_t{wholeNumber(scalarVar(in, f.point))} + 1;
    if (n == kDec) target = std::int64_t{wholeNumber(scalarVar(in, f.point))} - 1;

    const std::int64_t count = db.*f.count;
    bool warned = false;
    if (target < 0) {
        target = 0;
        status(in, f.negative);
        warned = true;
    } else {
        const std::int64_t threshold = f.numLimit == NumLimit::LastRecord ? count - 1 : count;
        if (target > threshold) {
            target = f.numLimit == NumLimit::Count ? count : count - 1;
            status(in, f.beyond);
            warned = true;
        }
    }
    // The count may stand at the capacity, and one past the last record must still be
    // a record of the store.
    const std::int64_t last = capacityOf(db, f) - 1;
    if (target > last) {
        if (!warned) status(in, f.beyond);
        target = last;
    }
    f.select(in, static_cast<int>(std::max<std::int64_t>(target, 0)));
    if (!f.selected.empty()) status(in, f.selected);
    return kOk;
}

script::Result selectWhileLoading(script::Interp& in, const RecordFamily& f) {
    int n = 0;
    if (script::lastIntExpression(in, n) != kOk) return kFail;
    Database& db = database(in);
    const std::int64_t base = db.loadBase.*f.loadBase;
    std::int64_t record = n;
    switch (f.loadRule) {
        case LoadBaseRule::Block:
            if (base >= 2) {
                record += base;
            } else if (db.loadBase.shape != 0) {
                record += 1;
            }
            break;
        case LoadBaseRule::FromTwo:
            if (base >= 2) record += base;
            break;
        case LoadBaseRule::Always:
            record += base;
            break;
    }
    const std::int32_t capacity = capacityOf(db, f);
    if (record < 0 || record >= capacity) {
        f.select(in, std::clamp(f.loadFailure, 0, std::max(capacity - 1, 0)));
        return script::failSkip(in, script::msg::kValueNotCorrect);
    }
    f.select(in, static_cast<int>(record));
    db.*f.count = std::max(db.*f.count, static_cast<std::int32_t>(record + 1));
    if (!f.loaded.empty()) status(in, f.loaded);
    return kOk;
}

script::Result limitCount(script::Interp& in, const RecordFamily& f) {
    int symbol = 0;
    if (variableArgument(in, symbol) != kOk) return kFail;
    Database& db = database(in);
    const std::int32_t capacity = capacityOf(db, f);
    if (db.*f.count >= capacity) db.*f.count = std::max(capacity - 1, 0);
    in.sym.scalar(symbol) = static_cast<float>(db.*f.count);
    return kOk;
}

Remaining remaining(const Database& db, const RecordFamily& f) {
    const std::int64_t capacity = capacityOf(db, f);
    const std::int64_t free = capacity - db.*f.count;
    return {static_cast<int>(free), percentFree(free, capacity)};
}

}  // namespace rz::db
