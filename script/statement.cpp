#include "script/statement.hpp"

#include "script/assignment.hpp"
#include "script/messages.hpp"

namespace rz::script {
namespace {

Result runCommand(Interp& in, Tok kind) {
    const Symbol& s = in.sym[in.lex.symbol()];
    const CommandHandler handler = kind == Tok::StatementCommand
                                       ? in.handlers.statementCommands[s.ref]
                                       : in.handlers.commands[s.ref];
    return handler(in);
}

// One run in progress. A stop request stays raised while the runs around the one that saw
// it unwind too (exec and newexec do not pass a failure on), and is spent, with a line on
// the console, when the outermost run ends.
class RunScope {
  public:
    explicit RunScope(Interp& in) : in_(in) { ++in_.runDepth; }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;
    ~RunScope() {
        if (--in_.runDepth > 0 || !interruptRequested(in_)) return;
        in_.interrupted.store(false);
        in_.msg.console(msg::kInterrupted);
    }

  private:
    Interp& in_;
};

void settleWorkers(Interp& in, Tok first) {
    if (in.beforeStatement != nullptr) in.beforeStatement(in, first);
}

}  // namespace

void execCommandString(Interp& in, platform::WindowId window, const char* text) {
    settleWorkers(in, Tok::End);
    in.msg.setCurrentWindow(window);
    // A failed run has shown its messages; the caller is never told.
    static_cast<void>(execStringSource(in, text));
}

Result execStringSource(Interp& in, const char* text) {
    const RunScope run(in);
    const SourceState saved = in.lex.save();
    in.lex.setStringSource(text);
    for (;;) {
        if (interruptRequested(in)) {
            in.lex.restore(saved);
            return kFail;
        }
        const Tok kind = in.next();
        if (kind == Tok::Eof) break;
        settleWorkers(in, kind);
        const Result result =
            kind == Tok::StatementCommand ? runCommand(in, kind) : dispatchStatement(in, kind);
        if (result != kOk) {
            in.lex.restore(saved);
            // A command cut short by a stop request did nothing wrong; the stop is reported
            // once the outermost run has ended.
            if (!interruptRequested(in)) in.msg.errorBox(msg::kRunFailed);
            return kFail;
        }
    }
    in.lex.restore(saved);
    return kOk;
}

Result execFileStream(Interp& in, platform::InputFile& stream) {
    if (in.fileRuns >= Interp::kMaxFileRuns) {
        // Files that run each other without end would exhaust the stack.
        in.msg.errorBox(msg::kAllocFailed);
        return kFail;
    }
    ++in.fileRuns;
    const RunScope run(in);
    const SourceState saved = in.lex.save();
    in.lex.setStream(&stream);
    Result last = kOk;
    for (;;) {
        if (interruptRequested(in)) {
            last = kFail;
            break;
        }
        const Tok kind = in.next();
        if (kind == Tok::Eof) break;
        settleWorkers(in, kind);
        if (kind == Tok::Number) {
            in.msg.errorBox(msg::kSubOnly);
            last = kFail;
            break;
        }
        last = kind == Tok::StatementCommand ? runCommand(in, kind) : dispatchStatement(in, kind);
        if (last == kFail) break;
    }
    in.lex.restore(saved);
    --in.fileRuns;
    return last;
}

Result dispatchStatement(Interp& in, Tok kind) {
    switch (kind) {
        case Tok::End:
            return kOk;
        case Tok::Command:
        case Tok::StatementCommand:
            return runCommand(in, kind);
        case Tok::Scalar:
        case Tok::Array:
        case Tok::Vector:
        case Tok::VectorArray:
            // A failed assignment has skipped its line; the statements after it still run.
            static_cast<void>(assignmentStatement(in));
            return kOk;
        default:
            in.msg.errorBox(msg::kTypeCorrectly);
            skipToLineEnd(in);
            return kOk;
    }
}

Result expectEnd(Interp& in) {
    const Tok t = in.next();
    if (t == Tok::End || t == Tok::Eof) return kOk;
    Tok k = t;
    while (k != Tok::End && k != Tok::Eof) k = in.next();
    in.msg.errorBox(msg::kTooManyParams);
    return kFail;
}

int skipToLineEnd(Interp& in) {
    if (in.lex.atLineStart()) return 0;
    return in.lex.skipToLineEnd();
}

Result failSkip(Interp& in, std::string_view message) {
    in.msg.errorBox(message);
    skipToLineEnd(in);
    return kFail;
}

Result failSkipQuiet(Interp& in) {
    skipToLineEnd(in);
    return kFail;
}

Result fail(Interp& in, std::string_view message) {
    in.msg.errorBox(message);
    return kFail;
}

}  // namespace rz::script
