#include "script/expression.hpp"

#include <cmath>
#include <limits>

#include "script/messages.hpp"

namespace rz::script {
namespace {

// Parentheses nest by recursion; bound them like the value stack bounds pending values.
constexpr int kMaxNesting = 64;

struct Evaluator {
    Interp& in;
    int depth = 0;

    Result fail(std::string_view message) {
        in.msg.errorBox(message);
        return kFail;
    }

    Result push(double v) {
        if (!in.values.push(static_cast<float>(v))) return fail(msg::kAllocFailed);
        return kOk;
    }

    Result component(const Vec3& v, float& out) {
        switch (in.next()) {
            case Tok::SelectX:
                out = v[0];
                return kOk;
            case Tok::SelectY:
                out = v[1];
                return kOk;
            case Tok::SelectZ:
                out = v[2];
                return kOk;
            default:
                return fail(msg::kTypeCorrectly);
        }
    }

    // Leaves the current token on the operand's last token.
    Result operand(float& out) {
        switch (in.cur) {
            case Tok::Number:
            case Tok::Constant:
                out = in.lex.number();
                return kOk;
            case Tok::Scalar:
                out = in.sym.scalar(in.lex.symbol());
                return kOk;
            case Tok::Array: {
                const float* e = arrayElement(in, in.lex.symbol());
                if (e == nullptr) return kFail;
                out = *e;
                return kOk;
            }
            case Tok::Vector:
                return component(in.sym.vector(in.lex.symbol()), out);
            case Tok::VectorArray: {
                const Vec3* e = vectorElement(in, in.lex.symbol());
                if (e == nullptr) return kFail;
                return component(*e, out);
            }
            default:
                return fail(msg::kTypeCorrectly);
        }
    }

    Result factor() {
        if (in.cur == Tok::LParen) {
            if (++depth > kMaxNesting) return fail(msg::kAllocFailed);
            in.next();
            const Result r = expr();
            --depth;
            if (r != kOk) return r;
            if (in.cur != Tok::RParen) return fail(msg::kNoCloseParen);
        } else {
            const bool negate = in.cur == Tok::Minus;
            if (negate) in.next();
            float v = 0.0f;
            if (operand(v) != kOk) return kFail;
            if (push(negate ? -static_cast<double>(v) : v) != kOk) return kFail;
        }
        in.next();
        return kOk;
    }

    Result term() {
        if (factor() != kOk) return kFail;
        while (in.cur == Tok::Times || in.cur == Tok::Divide) {
            const bool times = in.cur == Tok::Times;
            in.next();
            if (factor() != kOk) return kFail;
            const double b = in.values.pop();
            const double a = in.values.pop();
            if (push(times ? a * b : a / b) != kOk) return kFail;
        }
        return kOk;
    }

    Result expr() {
        if (in.cur == Tok::End || in.cur == Tok::Eof) return fail(msg::kTypeCorrectly);
        if (term() != kOk) return kFail;
        while (in.cur == Tok::Plus || in.cur == Tok::Minus) {
            const bool plus = in.cur == Tok::Plus;
            in.next();
            if (term() != kOk) return kFail;
            const double b = in.values.pop();
            const double a = in.values.pop();
            if (push(plus ? a + b : a - b) != kOk) return kFail;
        }
        return kOk;
    }
};

// Reads "[" index "]" after an array symbol; the index on success.
bool elementIndex(Interp& in, int symbol, int& index) {
    if (in.next() != Tok::LBracket) {
        in.msg.errorBox(msg::kNoOpenBracket);
        return false;
    }
    in.next();
    if (expression(in) != kOk) return false;
    if (in.cur != Tok::RBracket) {
        in.msg.errorBox(msg::kNoCloseBracket);
        in.values.pop();
        return false;
    }
    const float raw = in.values.pop();
    const int count = in.sym[symbol].count;
    if (!(raw > -1.0f && raw < static_cast<float>(count))) {
        in.msg.errorBox(msg::kIndexOutOfRange);
        return false;
    }
    index = static_cast<int>(raw);
    return true;
}

}  // namespace

Result expression(Interp& in) {
    return Evaluator{in}.expr();
}

float* arrayElement(Interp& in, int symbol) {
    int i = 0;
    if (!elementIndex(in, symbol, i)) return nullptr;
    return &in.sym.array(symbol)[i];
}

Vec3* vectorElement(Interp& in, int symbol) {
    int i = 0;
    if (!elementIndex(in, symbol, i)) return nullptr;
    return &in.sym.vectorArray(symbol)[i];
}

Result vectorOperand(Interp& in, Vec3& out) {
    Vec3& temp = in.sym.vectorAt(in.tempVector);
    switch (in.cur) {
        case Tok::Vector:
            temp = in.sym.vector(in.lex.symbol());
            break;
        case Tok::VectorArray: {
            const Vec3* e = vectorElement(in, in.lex.symbol());
            if (e == nullptr) return kFail;
            temp = *e;
            break;
        }
        case Tok::LParen: {
            for (int i = 0; i < 3; ++i) {
                in.next();
                if (expression(in) != kOk) return kFail;
                const Tok want = i < 2 ? Tok::Comma : Tok::RParen;
                if (in.cur != want) {
                    in.msg.errorBox(i < 2 ? msg::kBadSeparator : msg::kNoCloseParen);
                    return kFail;
                }
            }
            temp[2] = in.values.pop();
            temp[1] = in.values.pop();
            temp[0] = in.values.pop();
            break;
        }
        default:
            in.msg.errorBox(msg::kNoOpenParen);
            return kFail;
    }
    out = temp;
    in.next();
    return kOk;
}

int popInteger(Interp& in) {
    const float v = in.values.pop();
    // Truncation toward zero; values beyond the integer range saturate instead of being
    // undefined.
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0f) return std::numeric_limits<int>::max();
    if (v <= -2147483648.0f) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

}  // namespace rz::script
