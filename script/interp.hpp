#pragma once
// The interpreter context: the one object that holds the language's state. Command
// handlers receive it and pull their arguments from its lexer.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/message_service.hpp"
#include "script/command_handler.hpp"
#include "script/lexer.hpp"
#include "script/symbol_table.hpp"
#include "script/tokens.hpp"
#include "script/value_stack.hpp"

namespace rz::db {
struct Database;
}

namespace rz::render {
struct Views;
struct Renderer;
class DrawingThreads;
}  // namespace rz::render

namespace rz::script {

// One active newexec load: where its text lies in the script buffer.
struct NewexecRecord {
    std::size_t start = 0;
    std::size_t end = 0;
};

struct Interp {
    static constexpr std::size_t kNewexecDepth = 50;
    static constexpr int kMaxFileRuns = 50;
    static constexpr std::size_t kDefaultScriptMax = 128000;

    explicit Interp(platform::MessageService& messages);
    Interp(const Interp&) = delete;
    Interp& operator=(const Interp&) = delete;

    // Allocates the interpreter's stores; the failure word of the first that could not
    // be had, or an empty view.
    std::string_view allocate(std::size_t scriptMax = kDefaultScriptMax);

    // Reads the next token into the current token.
    Tok next() { return cur = lex.getToken(); }

    platform::MessageService& msg;
    SymbolTable sym;
    CommandHandlers handlers;  // installed at start-up from the subsystems' rows
    Lexer lex;
    ValueStack values;
    Tok cur = Tok::End;
    int tempVector = SymbolTable::kNone;  // vector-store index of the vector operand

    // Settings of the file-name builder that scripts control.
    std::int32_t fileNumberSuffix = -1;

    // newexec: the script buffer and the stack of active loads.
    std::vector<char> scriptBuffer;
    std::size_t scriptUsed = 0;
    std::array<NewexecRecord, kNewexecDepth> newexecRecords{};
    std::size_t newexecDepth = 0;
    int fileRuns = 0;  // nested streamed runs, bounded so a script cannot exhaust the stack

    // The renderer's drawing mode byte.
    std::uint8_t drawMode = 0;

    // A request to stop what is running (Ctrl-C at the console, the stop button), set from
    // a signal handler or another thread. The statement loops poll it between statements;
    // the outermost run that ends with it set takes it back and says so.
    std::atomic<bool> interrupted{false};
    int runDepth = 0;  // string and stream runs in progress, nested ones included

    db::Database* db = nullptr;
    // The wireframe views once they are started.
    render::Views* views = nullptr;
    // The software renderer once it is started.
    render::Renderer* renderer = nullptr;
    // The drawing workers once they are started.
    render::DrawingThreads* threads = nullptr;
    // Told before every statement, with its first token (End at the start of a command
    // string): a worker that reads the model beside the interpreter must be out of the way
    // before anything can change under it.
    void (*beforeStatement)(Interp& in, Tok first) = nullptr;
};

// The poll of the stop request: one relaxed load, cheap enough for every statement.
inline bool interruptRequested(const Interp& in) {
    return in.interrupted.load(std::memory_order_relaxed);
}

}  // namespace rz::script
