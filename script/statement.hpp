#pragma once
// Running statements: the one entry point for user actions, the string and stream loops,
// statement routing and the helpers every handler uses to finish a statement.

#include <string_view>

#include "platform/input_file.hpp"
#include "platform/message_sink.hpp"
#include "script/interp.hpp"

namespace rz::script {

// Runs a statement string for a window. Never fails towards its caller: failures have
// been shown to the user.
void execCommandString(Interp& in, platform::WindowId window, const char* text);
// 0 when the text ran to its end, kFail when a command failed.
Result execStringSource(Interp& in, const char* text);
// The result of the last statement run from the stream.
Result execFileStream(Interp& in, platform::InputFile& stream);
Result dispatchStatement(Interp& in, Tok kind);

// Reads one token: end of statement (or end of input) gives kOk; anything else discards
// the statement, reports too many parameters and gives kFail.
Result expectEnd(Interp& in);
// Discards the rest of the current line; a line already ended by the last token is left
// alone. 0, or -1 at end of input.
int skipToLineEnd(Interp& in);
// Reports an error, discards the rest of the line, gives kFail.
Result failSkip(Interp& in, std::string_view message);
// Discards the rest of the line after an error that has already been reported.
Result failSkipQuiet(Interp& in);
// Reports an error without discarding anything, gives kFail.
Result fail(Interp& in, std::string_view message);

}  // namespace rz::script
