#include "script/language_symbols.hpp"

#include "script/command_table.hpp"

namespace rz::script {

bool registerLanguageSymbols(Interp& in) {
    SymbolTable& sym = in.sym;
    for (const StringVariable& v : kStringVariables) {
        if (sym.installString(v.name, v.slot) == SymbolTable::kNone) return false;
        sym.setSlotText(v.slot, "");
    }
    in.tempVector = sym.takeVectors(1);
    if (in.tempVector == SymbolTable::kNone) return false;
    for (std::size_t i = 0; i < kStatementCommandNames.size(); ++i) {
        const int s = sym.install(kStatementCommandNames[i], Tok::StatementCommand, 0.0f);
        if (s == SymbolTable::kNone) return false;
        sym[s].ref = static_cast<int>(i);
    }
    for (std::size_t i = 0; i < kCommandNames.size(); ++i) {
        const int s = sym.install(kCommandNames[i], Tok::Command, 0.0f);
        if (s == SymbolTable::kNone) return false;
        sym[s].ref = static_cast<int>(i);
    }
    if (sym.install("defend", Tok::Marker, 0.0f) == SymbolTable::kNone) return false;
    for (const ConstantRow& c : kConstantTable) {
        if (sym.install(c.name, Tok::Constant, c.value) == SymbolTable::kNone) return false;
    }
    return true;
}

}  // namespace rz::script
