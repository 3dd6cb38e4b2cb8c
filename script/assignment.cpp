#include "script/assignment.hpp"

#include "script/expression.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::script {
namespace {

enum class Op { Set, Add, Sub, Mul, Div };

bool assignOp(Tok t, Op& op) {
    switch (t) {
        case Tok::Assign:
            op = Op::Set;
            return true;
        case Tok::AddAssign:
            op = Op::Add;
            return true;
        case Tok::SubAssign:
            op = Op::Sub;
            return true;
        case Tok::MulAssign:
            op = Op::Mul;
            return true;
        case Tok::DivAssign:
            op = Op::Div;
            return true;
        default:
            return false;
    }
}

// Each operation takes two floats, computes in double and stores a float.
float apply(Op op, float target, float value) {
    const double a = target;
    const double b = value;
    switch (op) {
        case Op::Set:
            return value;
        case Op::Add:
            return static_cast<float>(a + b);
        case Op::Sub:
            return static_cast<float>(a - b);
        case Op::Mul:
            return static_cast<float>(a * b);
        case Op::Div:
            return static_cast<float>(a / b);
    }
    return value;
}

// Reads the operator after the target and leaves the first token of the right-hand side.
bool readOperator(Interp& in, Op& op) {
    if (!assignOp(in.next(), op)) return false;
    in.values.reset();
    in.next();
    return true;
}

Result scalarTarget(Interp& in, float* target) {
    Op op{};
    if (!readOperator(in, op)) return failSkip(in, msg::kTypeCorrectly);
    if (expression(in) != kOk) return failSkipQuiet(in);
    if (in.cur != Tok::End && in.cur != Tok::Eof) return failSkip(in, msg::kTooManyParams);
    const float value = in.values.pop();
    *target = apply(op, *target, value);
    return kOk;
}

Result vectorTarget(Interp& in, Vec3* target) {
    Op op{};
    if (!readOperator(in, op)) return failSkip(in, msg::kTypeCorrectly);
    Vec3 value{};
    if (vectorOperand(in, value) != kOk) return failSkipQuiet(in);
    if (in.cur != Tok::End && in.cur != Tok::Eof) return failSkip(in, msg::kTooManyParams);
    for (int i = 0; i < 3; ++i) (*target)[i] = apply(op, (*target)[i], value[i]);
    return kOk;
}

}  // namespace

Result assignmentStatement(Interp& in) {
    const int s = in.lex.symbol();
    in.values.reset();
    switch (in.cur) {
        case Tok::Scalar:
            return scalarTarget(in, &in.sym.scalar(s));
        case Tok::Array: {
            float* e = arrayElement(in, s);
            if (e == nullptr) return failSkipQuiet(in);
            return scalarTarget(in, e);
        }
        case Tok::Vector:
            return vectorTarget(in, &in.sym.vector(s));
        case Tok::VectorArray: {
            Vec3* e = vectorElement(in, s);
            if (e == nullptr) return failSkipQuiet(in);
            return vectorTarget(in, e);
        }
        default:
            return failSkip(in, msg::kTypeCorrectly);
    }
}

}  // namespace rz::script
