#include "script/declarations.hpp"

#include <array>
#include <span>

#include "script/command_table.hpp"
#include "script/expression.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::script {
namespace {

// A name never declared: an undefined symbol. An at-sign name that matches no record is
// undefined too, but has no symbol to declare.
bool nextIsNewName(Interp& in) {
    return in.next() == Tok::Undefined && in.lex.symbol() != SymbolTable::kNone;
}

// What var and vtx differ in: the kinds they give and the store they draw from.
struct DeclarationKind {
    Tok single;
    Tok array;
    int (SymbolTable::*take)(int);
    std::string_view overflow;
    std::string_view singleDetail;
    std::string_view arrayDetail;
};

constexpr DeclarationKind kVar{Tok::Scalar,       Tok::Array, &SymbolTable::takeFloats,
                               msg::kVarOverflow, "",         " ... in variable (def_var/dvar)\n"};
constexpr DeclarationKind kVtx{Tok::Vector,
                               Tok::VectorArray,
                               &SymbolTable::takeVectors,
                               msg::kVtxOverflow,
                               " ... in variable (def_vtx/vtx)\n",
                               " ... in variable (def_vtx/dvtx)\n"};

[[noreturn]] void overflow(Interp& in, const DeclarationKind& k, std::string_view detail) {
    in.msg.errorBox(k.overflow);
    in.msg.errorBoxPlain(detail);
    in.msg.fatalStop();
}

// Parses "[" number "]" after a name; the element count.
Result arraySize(Interp& in, int& n) {
    // A negative size is a number too, and is refused as a size rather than as a token.
    const bool negative = in.next() == Tok::Minus;
    if (negative) in.next();
    if (in.cur != Tok::Number) return failSkip(in, msg::kConstantOnly);
    const float size = negative ? -in.lex.number() : in.lex.number();
    if (in.next() != Tok::RBracket) return failSkip(in, msg::kNoCloseBracket);
    in.values.reset();
    in.values.push(size);
    n = popInteger(in);
    if (n <= 0) return failSkip(in, msg::kBadArray);
    return kOk;
}

Result declare(Interp& in, const DeclarationKind& k) {
    for (;;) {
        if (!nextIsNewName(in)) return failSkip(in, msg::kBadIdentifier);
        const int s = in.lex.symbol();
        Tok t = in.next();
        if (t == Tok::LBracket) {
            int n = 0;
            if (arraySize(in, n) != kOk) return kFail;
            const int first = (in.sym.*k.take)(n);
            if (first == SymbolTable::kNone) overflow(in, k, k.arrayDetail);
            in.sym.define(s, k.array, first, n);
            t = in.next();
        } else if (t == Tok::Comma || t == Tok::End || t == Tok::Eof) {
            if (k.single == Tok::Scalar) {
                in.sym.define(s, Tok::Scalar, SymbolTable::kNone, 0);
            } else {
                const int v = (in.sym.*k.take)(1);
                if (v == SymbolTable::kNone) overflow(in, k, k.singleDetail);
                in.sym.define(s, k.single, v, 1);
            }
        } else {
            return failSkip(in, msg::kNoOpenBracket);
        }
        if (t == Tok::End || t == Tok::Eof) return kOk;
        if (t != Tok::Comma) return failSkip(in, msg::kBadSeparator);
    }
}

}  // namespace

static Result cmdVar(Interp& in) {
    return declare(in, kVar);
}

static Result cmdVtx(Interp& in) {
    return declare(in, kVtx);
}

static Result cmdDefMat(Interp& in) {
    for (;;) {
        if (!nextIsNewName(in)) return failSkip(in, msg::kBadIdentifier);
        const int s = in.lex.symbol();
        const int m = in.sym.takeMatrix();
        if (m == SymbolTable::kNone) {
            in.msg.errorBox(msg::kAllocFailed);
            in.msg.errorBoxPlain(" ... in affine (def_mat)\n");
            return failSkipQuiet(in);
        }
        in.sym.define(s, Tok::Matrix, m, 1);
        const Tok t = in.next();
        if (t == Tok::End || t == Tok::Eof) return kOk;
        if (t != Tok::Comma) return failSkip(in, msg::kBadSeparator);
    }
}

namespace {
const std::array<CommandRow, 3> kCommands{{
    {"var", cmdVar},
    {"vtx", cmdVtx},
    {"def.mat", cmdDefMat},
}};
}  // namespace

std::span<const CommandRow> declarationCommands() {
    return kCommands;
}

}  // namespace rz::script
