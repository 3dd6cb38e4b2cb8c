#include "platform/console_sink.hpp"

namespace rz::platform {
namespace {

// Each console line ends with exactly the newline the text brought, or one added.
void write(std::FILE* f, std::string_view text) {
    if (!text.empty()) std::fwrite(text.data(), 1, text.size(), f);
}

void writeLine(std::FILE* f, std::string_view prefix, std::string_view text) {
    write(f, prefix);
    write(f, text);
    if (text.empty() || text.back() != '\n') std::fputc('\n', f);
    std::fflush(f);
}

}  // namespace

void ConsoleSink::box(WindowId, std::string_view title, std::string_view text, BoxIcon) {
    const bool toStdout = title == kSystemTitle || title == kInfoTitle;
    std::FILE* f = toStdout ? out_ : err_;
    std::fputc('[', f);
    write(f, title);
    writeLine(f, "] ", text);
}

void ConsoleSink::status(WindowId, std::string_view text) {
    writeLine(out_, {}, text);
}

void ConsoleSink::console(std::string_view text) {
    writeLine(out_, {}, text);
}

void ConsoleSink::diagnostic(std::string_view text) {
    write(err_, text);
    std::fflush(err_);
}

}  // namespace rz::platform
