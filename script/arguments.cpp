#include "script/arguments.hpp"

#include "script/expression.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::script {

Result noArguments(Interp& in) {
    if (expectEnd(in) == kOk) return kOk;
    return failSkipQuiet(in);
}

Result literalNumber(Interp& in, float& out, bool allowScalar) {
    switch (in.next()) {
        case Tok::Number:
        case Tok::Constant:
            out = in.lex.number();
            return kOk;
        case Tok::Scalar:
            if (!allowScalar) break;
            out = in.sym.scalar(in.lex.symbol());
            return kOk;
        default:
            break;
    }
    return failSkip(in, msg::kBadParam);
}

Result lastExpression(Interp& in, float& out) {
    in.values.reset();
    in.next();
    if (expression(in) != kOk) return failSkipQuiet(in);
    if (in.cur != Tok::End && in.cur != Tok::Eof) return failSkip(in, msg::kTooManyParams);
    out = in.values.pop();
    return kOk;
}

Result lastIntExpression(Interp& in, int& out) {
    return lastRecordNumber(in, Tok::Undefined, out);
}

Result lastRecordNumber(Interp& in, Tok nameRef, int& out) {
    in.values.reset();
    // An unknown "@name" is undefined too, and the expression refuses it.
    if (in.next() == nameRef && nameRef != Tok::Undefined) {
        out = static_cast<int>(in.lex.number());
        in.next();
    } else {
        if (expression(in) != kOk) return failSkipQuiet(in);
        out = popInteger(in);
    }
    if (in.cur != Tok::End && in.cur != Tok::Eof) return failSkip(in, msg::kTooManyParams);
    return kOk;
}

Result lastVector(Interp& in, Vec3& out) {
    in.values.reset();
    in.next();
    if (vectorOperand(in, out) != kOk) return failSkipQuiet(in);
    if (in.cur != Tok::End && in.cur != Tok::Eof) return failSkip(in, msg::kTooManyParams);
    return kOk;
}

bool textArgument(Interp& in, std::string_view& out) {
    switch (in.next()) {
        case Tok::String:
            out = in.lex.text();
            return true;
        case Tok::StringVar:
            out = in.sym.stringText(in.lex.symbol());
            return true;
        default:
            return false;
    }
}

Result expectComma(Interp& in) {
    if (in.next() == Tok::Comma) return kOk;
    return failSkip(in, msg::kBadSeparator);
}

}  // namespace rz::script
