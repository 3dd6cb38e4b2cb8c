#include "db/selection_support.hpp"

#include "db/current_records.hpp"
#include "db/record_commands_common.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::db {

using script::Tok;

script::Result optionalWhole(script::Interp& in, std::int32_t fallback, std::int32_t& out) {
    float value = 0.0f;
    switch (in.next()) {
        case Tok::End:
        case Tok::Eof:
            out = fallback;
            return script::kOk;
        case Tok::Number:
        case Tok::Constant:
            value = in.lex.number();
            break;
        case Tok::Scalar:
            value = in.sym.scalar(in.lex.symbol());
            break;
        default:
            return script::failSkip(in, script::msg::kBadParam);
    }
    if (script::expectEnd(in) != script::kOk) return script::kFail;
    out = wholeNumber(value);
    return script::kOk;
}

void requestRedraw(script::Interp& in, int value, bool clearFirst) {
    const LayerRedrawHook hook = database(in).selection.redraw;
    if (hook != nullptr) hook(in, {value, clearFirst});
}

}  // namespace rz::db
