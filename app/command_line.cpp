#include "app/command_line.hpp"

#include <charconv>
#include <string>
#include <string_view>

#include "db/settings.hpp"

namespace rz::app {

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine cl;
    // Options that take the next argument as their value.
    const auto value = [&](int& i, std::string_view option) -> const char* {
        if (i + 1 >= argc) {
            cl.error = "rovora_z: " + std::string(option) + " needs a value";
            return nullptr;
        }
        return argv[++i];
    };
    for (int i = 1; i < argc && cl.error.empty(); ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--headless") {
            cl.headless = true;
        } else if (arg == "--help") {
            cl.help = true;
        } else if (arg == "--version") {
            cl.version = true;
        } else if (arg == "--ini") {
            if (const char* v = value(i, arg)) cl.iniFile = v;
        } else if (arg == "--threads") {
            if (const char* v = value(i, arg)) {
                const std::string_view text = v;
                int n = 0;
                const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
                if (ec != std::errc{} || end != text.data() + text.size() || n < 0 ||
                    n > db::kMaxRenderThreads)
                    cl.error = "rovora_z: --threads needs a number from 0 to " +
                               std::to_string(db::kMaxRenderThreads);
                else
                    cl.threads = n;
            }
        } else if (arg == "-e") {
            if (const char* v = value(i, arg))
                cl.actions.push_back({StartAction::Kind::Statements, v});
        } else if (arg == "--import-dxf") {
            if (const char* v = value(i, arg))
                cl.actions.push_back({StartAction::Kind::ImportDxf, v});
        } else if (arg.size() > 1 && arg[0] == '-') {
            cl.error = "rovora_z: unknown option " + std::string(arg);
        } else {
            cl.actions.push_back({StartAction::Kind::Script, std::string(arg)});
        }
    }
    return cl;
}

}  // namespace rz::app
