#pragma once
// Completion of the name being typed at the console: command words, variables and constants
// as the symbol table holds them at the moment of the Tab.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "script/symbol_table.hpp"

namespace rz::app {

// Every command word, variable and constant the symbol table holds, sorted, each once.
std::vector<std::string> completionNames(const script::SymbolTable& sym);

// Where the name that ends at the end of text begins, or npos when text does not end in a
// name: after a blank or an operator, inside a string, braces, a comment, a number or a
// record reference ("@name").
std::size_t nameStart(std::string_view text);

// What one Tab does: take away bytes before the cursor, put text in, and perhaps show the
// names there are to choose from.
struct CompletionEdit {
    std::size_t eraseBytes = 0;
    std::string insert;
    std::vector<std::string> choices;
};

class Completer {
  public:
    // Completes the name before the cursor from names (sorted, as completionNames gives
    // them). One match completes; several extend to their common beginning; when they have
    // none to add, the Tab shows them and puts in the first, and each Tab straight after
    // puts in the next, round again after the last. Nothing to do gives nullopt.
    std::optional<CompletionEdit> complete(std::string_view line, std::size_t cursor,
                                           const std::vector<std::string>& names);

  private:
    CompletionEdit cycle();
    void remember(std::string_view line, std::size_t cursor, const CompletionEdit& edit);

    std::vector<std::string> choices_;
    std::size_t chosen_ = 0;
    // The line and cursor as the last Tab left them: a Tab that finds them so continues.
    std::string lineAfter_;
    std::size_t cursorAfter_ = 0;
};

// The choices in columns across width.
std::string choicesText(const std::vector<std::string>& choices, int width);

}  // namespace rz::app
