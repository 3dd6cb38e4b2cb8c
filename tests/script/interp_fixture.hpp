#pragma once
// A bare interpreter with the language's own symbols, its messages recorded.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/message_service.hpp"
#include "platform/recording_sink.hpp"
#include "script/command_install.hpp"
#include "script/declarations.hpp"
#include "script/interp.hpp"
#include "script/language_commands.hpp"
#include "script/language_symbols.hpp"
#include "script/statement.hpp"

namespace rz::test {

class InterpTest : public ::testing::Test {
  protected:
    explicit InterpTest(std::size_t scriptMax = script::Interp::kDefaultScriptMax)
        : msg(sink), in(msg) {
        EXPECT_TRUE(in.allocate(scriptMax).empty());
        EXPECT_TRUE(script::registerLanguageSymbols(in));
        const std::array<script::CommandRows, 2> language{script::languageCommands(),
                                                          script::declarationCommands()};
        EXPECT_FALSE(script::installCommands(in, language));
    }

    // Runs a command string, as a menu would.
    void run(const std::string& text) { script::execCommandString(in, 0, text.c_str()); }

    std::vector<std::string> boxes() const { return sink.boxes(); }
    std::vector<std::string> statuses() const { return sink.statuses(); }

    float scalar(const char* name) {
        const int s = in.sym.lookup(name);
        EXPECT_NE(s, script::SymbolTable::kNone) << name;
        return s == script::SymbolTable::kNone ? 0.0f : in.sym.scalar(s);
    }
    Vec3 vector(const char* name) {
        const int s = in.sym.lookup(name);
        EXPECT_NE(s, script::SymbolTable::kNone) << name;
        return s == script::SymbolTable::kNone ? Vec3{} : in.sym.vector(s);
    }
    script::Tok kindOf(const char* name) {
        const int s = in.sym.lookup(name);
        return s == script::SymbolTable::kNone ? script::Tok::Eof : in.sym[s].kind;
    }

    platform::RecordingSink sink;
    platform::MessageService msg;
    script::Interp in;
};

// The box texts the interpreter shows, as they appear.
inline std::string err(std::string_view text) {
    return "ERROR: " + std::string(text);
}
inline const std::string kRunFailed = "ERROR: ERROR Occured! in execution.";

}  // namespace rz::test
