#include "app/shell/tool_windows/variables.hpp"

#include <cmath>

namespace rz::app {
namespace {

const script::Symbol* variable(const script::Interp& in, std::string_view name, script::Tok kind) {
    const int s = in.sym.lookup(name);
    if (s == script::SymbolTable::kNone || in.sym[s].kind != kind) return nullptr;
    return &in.sym[s];
}

}  // namespace

std::optional<float> scalarVariable(script::Interp& in, std::string_view name) {
    const script::Symbol* s = variable(in, name, script::Tok::Scalar);
    if (s == nullptr) return std::nullopt;
    return s->value;
}

std::optional<Vec3> vectorVariable(script::Interp& in, std::string_view name) {
    if (variable(in, name, script::Tok::Vector) == nullptr) return std::nullopt;
    return in.sym.vector(in.sym.lookup(name));
}

QByteArray statementNumber(double value) {
    if (!std::isfinite(value)) value = 0.0;
    QByteArray text = QByteArray::number(value, 'f', 4);
    while (text.endsWith('0')) text.chop(1);
    if (text.endsWith('.')) text.chop(1);
    return text == "-0" ? QByteArray("0") : text;
}

}  // namespace rz::app
