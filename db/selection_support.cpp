#include "db/selection_support.hpp"

#include "db/current_records.hpp"
#include "db/record_commands_common.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::db {

using script::Tok;

script::Result optionalWhole(script::Interp& in, std::int32_t fallback, std::int32_t& out) {
    Tok t = in.next();
    if (t == Tok::End || t == Tok::Eof) {
        out = fallback;
        return script::kOk;
    }
    // Steps back take a sign, which the lexer gives as a token of its own.
    const bool negative = t == Tok::Minus;
    if (negative) t = in.next();
    float value = 0.0f;
    if (t == Tok::Number || (!negative && t == Tok::Constant)) {
        value = in.lex.number();
    } else if (t == Tok::Scalar && !negative) {
        value = in.sym.scalar(in.lex.symbol());
    } else {
        return script::failSkip(in, script::msg::kBadParam);
    }
    if (script::expectEnd(in) != script::kOk) return script::kFail;
    out = wholeNumber(negative ? -value : value);
    return script::kOk;
}

void requestRedraw(script::Interp& in, int value, bool clearFirst) {
    const LayerRedrawHook hook = database(in).selection.redraw;
    if (hook != nullptr) hook(in, {value, clearFirst});
}

}  // namespace rz::db
