#pragma once
// The command line of rovora_z:
//   rovora_z [--headless] [--ini FILE] [--threads N] [-e STATEMENTS]... [SCRIPT]...

#include <string>
#include <vector>

namespace rz::app {

struct StartAction {
    enum class Kind { Statements, Script, ImportDxf };
    Kind kind;
    std::string text;  // the statements, or a file name
};

struct CommandLine {
    bool headless = false;
    bool help = false;
    bool version = false;
    std::string iniFile;
    int threads = -1;                  // render tile threads; below 0: as the settings say
    std::vector<StartAction> actions;  // in the order given
    std::string error;                 // not empty: the command line is bad
};

CommandLine parseCommandLine(int argc, const char* const* argv);

inline constexpr const char* kUsage =
    "usage: rovora_z [--headless] [--ini FILE] [--threads N] [-e STATEMENTS]... "
    "[--import-dxf FILE] "
    "[SCRIPT]...\n"
    "  --headless        run without windows; with nothing to run, read statements\n"
    "                    from standard input line by line\n"
    "  --ini FILE        read the settings from FILE\n"
    "  --threads N       render tiles on N threads (0: one per hardware thread)\n"
    "  -e STATEMENTS     run STATEMENTS as a command string\n"
    "  --import-dxf FILE convert FILE with polyconv and read the result\n"
    "  SCRIPT            run a script file (.SUB files with newexec, others with exec)\n"
    "  --help            show this text\n"
    "  --version         show the version line\n"
    "\n"
    "At a terminal, --headless with nothing to run opens the console: a prompt, line\n"
    "editing, Up and Down for the lines of earlier runs (kept in\n"
    "$XDG_STATE_HOME/rovora_z/history, by default ~/.local/state/rovora_z/history),\n"
    "Tab to complete command words, variables and constants, Ctrl-C to stop the\n"
    "running command (at the prompt: to clear the line), Ctrl-D to end.\n";

inline constexpr const char* kVersionLine = "ZIVOZI 3Z-Urirodod V2.0 BETA3 (TESTTYPE)\n";

}  // namespace rz::app
