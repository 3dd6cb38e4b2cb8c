// Loading large data files is mostly streaming let statements and assignments through
// the statement loop; this measures that path in bytes per second.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/null_sink.hpp"
#include "platform/input_file.hpp"
#include "platform/message_service.hpp"
#include "platform/message_sink.hpp"
#include "script/interp.hpp"
#include "script/language_symbols.hpp"
#include "script/statement.hpp"

namespace {

constexpr int kScalars = 200;
constexpr int kVectors = 100;

std::string declarations() {
    std::string s;
    for (int i = 0; i < kScalars; ++i) s += "var s" + std::to_string(i) + "\n";
    for (int i = 0; i < kVectors; ++i) s += "vtx v" + std::to_string(i) + "\n";
    return s;
}

// About 1 MB of the statements data files are made of.
std::string body() {
    std::string s;
    for (int i = 0; s.size() < (1u << 20); ++i) {
        const std::string a = "s" + std::to_string(i % kScalars);
        const std::string b = "s" + std::to_string((i * 7 + 3) % kScalars);
        const std::string v = "v" + std::to_string(i % kVectors);
        s += "let " + a + "    " + std::to_string(i % 1000) + ".25\n";
        s += "let " + v + "     1.5 -2.25 " + std::to_string(i) + "\n";
        s += a + " = " + b + " * 2 + 1.5 / (" + a + " + 1)\n";
        s += v + " += (" + a + ", " + b + ", 0.5)\n";
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
    if (!in.allocate().empty() || !rz::script::registerLanguageSymbols(in)) {
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
