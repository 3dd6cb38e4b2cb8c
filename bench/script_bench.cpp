// Loading large data files is mostly streaming let statements and assignments through
// the statement loop; this measures that path in bytes per second.
#include <benchmark/benchmark.h>
#include <array>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/input_file.hpp"
#include "platform/message_service.hpp"
#include "platform/message_sink.hpp"
#include "platform/null_sink.hpp"
#include "script/command_install.hpp"
#include "script/declarations.hpp"
#include "script/interp.hpp"
#include "script/language_commands.hpp"
#include "script/language_symbols.hpp"
#include "script/statement.hpp"

namespace {

constexpr int kScalars = 200;
constexpr int kVectors = 100;

// Names and numbers are appended piece by piece: the same text built with operator+ trips a
// false -Wrestrict of GCC 12 at -O3.
void appendNumbered(std::string& s, const char* prefix, int n, const char* suffix) {
    s.append(prefix).append(std::to_string(n)).append(suffix);
}

std::string declarations() {
    std::string s;
    for (int i = 0; i < kScalars; ++i) appendNumbered(s, "var s", i, "\n");
    for (int i = 0; i < kVectors; ++i) appendNumbered(s, "vtx v", i, "\n");
    return s;
}

// About 1 MB of the statements data files are made of.
std::string body() {
    std::string s;
    for (int i = 0; s.size() < (1u << 20); ++i) {
        const int a = i % kScalars;
        const int b = (i * 7 + 3) % kScalars;
        const int v = i % kVectors;
        appendNumbered(s, "let s", a, "    ");
        appendNumbered(s, "", i % 1000, ".25\n");
        appendNumbered(s, "let v", v, "     1.5 -2.25 ");
        appendNumbered(s, "", i, "\n");
        appendNumbered(s, "s", a, " = ");
        appendNumbered(s, "s", b, " * 2 + 1.5 / (");
        appendNumbered(s, "s", a, " + 1)\n");
        appendNumbered(s, "v", v, " += (");
        appendNumbered(s, "s", a, ", ");
        appendNumbered(s, "s", b, ", 0.5)\n");
    }
    return s;
}

void BM_StreamLetStatements(benchmark::State& state) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("rovora_script_bench_" + std::to_string(::getpid()));
    const std::string text = body();
    std::ofstream(path, std::ios::binary) << text;

    rz::platform::NullSink sink;
    rz::platform::MessageService msg(sink);
    rz::script::Interp in(msg);
    const std::array<rz::script::CommandRows, 2> language{rz::script::languageCommands(),
                                                          rz::script::declarationCommands()};
    if (!in.allocate().empty() || !rz::script::registerLanguageSymbols(in) ||
        rz::script::installCommands(in, language)) {
        state.SkipWithError("start-up failed");
        return;
    }
    const std::string decl = declarations();
    rz::script::execCommandString(in, 0, decl.c_str());

    for (auto _ : state) {
        rz::platform::InputFile file;
        if (!file.open(path.string())) {
            state.SkipWithError("cannot open the script");
            break;
        }
        benchmark::DoNotOptimize(rz::script::execFileStream(in, file));
    }
    if (msg.errorCount() != 0) state.SkipWithError("the script reported errors");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_StreamLetStatements)->Unit(benchmark::kMillisecond);

}  // namespace
