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

}  // namespace

void execCommandString(Interp& in, platform::WindowId window, const char* text) {
    in.msg.setCurrentWindow(window);
    // A failed run has shown its messages; the caller is never told.
    static_cast<void>(execStringSource(in, text));
}

Result execStringSource(Interp& in, const char* text) {
    const SourceState saved = in.lex.save();
    in.lex.setStringSource(text);
    for (;;) {
        const Tok kind = in.next();
        if (kind == Tok::Eof) break;
        const Result result =
            kind == Tok::StatementCommand ? runCommand(in, kind) : dispatchStatement(in, kind);
        if (result != kOk) {
            in.lex.restore(saved);
            in.msg.errorBox(msg::kRunFailed);
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
    const SourceState saved = in.lex.save();
    in.lex.setStream(&stream);
    Result last = kOk;
    for (;;) {
        const Tok kind = in.next();
        if (kind == Tok::Eof) break;
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
