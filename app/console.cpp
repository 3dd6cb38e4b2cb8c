#include "app/console.hpp"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include <histedit.h>

#include "app/console_completion.hpp"
#include "app/console_history.hpp"
#include "app/console_interrupt.hpp"
#include "script/statement.hpp"

namespace rz::app {
namespace {

constexpr std::string_view kPrompt = "rovora_z> ";
constexpr int kDefaultWidth = 80;

// Characters of UTF-8 text, which is what the line editor counts in.
int characters(std::string_view text) {
    int n = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

struct EditLineEnd {
    void operator()(EditLine* el) const { el_end(el); }
};

class Console {
  public:
    explicit Console(workstation::Workstation& w);
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    bool ready() const { return el_ != nullptr; }
    void run();

  private:
    static Console& of(EditLine* el);
    static char* prompt(EditLine* el);
    static unsigned char onTab(EditLine* el, int key);
    static unsigned char onInterrupt(EditLine* el, int key);
    static unsigned char onSuspend(EditLine* el, int key);

    void runLine(std::string line);

    workstation::Workstation& w_;
    ConsoleHistory history_;
    Completer completer_;
    std::array<char, kPrompt.size() + 1> prompt_{};
    std::unique_ptr<EditLine, EditLineEnd> el_;
};

Console::Console(workstation::Workstation& w)
    : w_(w), history_(historyPath(), w.msg), el_(el_init("rovora_z", stdin, stdout, stderr)) {
    kPrompt.copy(prompt_.data(), kPrompt.size());
    EditLine* el = el_.get();
    if (el == nullptr) return;
    el_set(el, EL_CLIENTDATA, this);
    el_set(el, EL_PROMPT, &Console::prompt);
    el_set(el, EL_EDITOR, "emacs");
    // The editor puts the terminal back when a signal ends or suspends the program.
    el_set(el, EL_SIGNAL, 1);
    if (history_.handle() != nullptr) el_set(el, EL_HIST, history, history_.handle());
    // Functions are added in the wide form: the editor keeps these names as given, where it
    // would copy narrow ones and never free the copies.
    el_wset(el, EL_ADDFN, L"rz-complete", L"complete a command word, variable or constant",
            &Console::onTab);
    el_set(el, EL_BIND, "^I", "rz-complete", nullptr);
    // At the prompt Ctrl-C is a key that clears the line, not a signal; Ctrl-Z, a key then
    // too, still suspends.
    el_set(el, EL_SETTY, "-d", "-isig", nullptr);
    el_wset(el, EL_ADDFN, L"rz-clear-line", L"clear the line", &Console::onInterrupt);
    el_set(el, EL_BIND, "^C", "rz-clear-line", nullptr);
    el_wset(el, EL_ADDFN, L"rz-suspend", L"suspend the program", &Console::onSuspend);
    el_set(el, EL_BIND, "^Z", "rz-suspend", nullptr);
    // The user's own ~/.editrc has the last word.
    el_source(el, nullptr);
}

Console& Console::of(EditLine* el) {
    void* self = nullptr;
    el_get(el, EL_CLIENTDATA, &self);
    return *static_cast<Console*>(self);
}

char* Console::prompt(EditLine* el) {
    return of(el).prompt_.data();
}

unsigned char Console::onTab(EditLine* el, int) {
    Console& c = of(el);
    const LineInfo* li = el_line(el);
    const std::string_view line(li->buffer, static_cast<std::size_t>(li->lastchar - li->buffer));
    const auto cursor = static_cast<std::size_t>(li->cursor - li->buffer);
    const std::optional<CompletionEdit> edit =
        c.completer_.complete(line, cursor, completionNames(c.w_.interp.sym));
    if (!edit) return CC_REFRESH_BEEP;
    if (edit->eraseBytes > 0)
        el_deletestr(el, characters(line.substr(cursor - edit->eraseBytes, edit->eraseBytes)));
    if (!edit->insert.empty() && el_insertstr(el, edit->insert.c_str()) != 0)
        return CC_REFRESH_BEEP;
    if (edit->choices.empty()) return CC_REFRESH;
    int width = kDefaultWidth;
    if (el_get(el, EL_GETTC, "co", &width, nullptr) != 0 || width <= 0) width = kDefaultWidth;
    std::fputc('\n', stdout);
    std::fputs(choicesText(edit->choices, width).c_str(), stdout);
    return CC_REDISPLAY;
}

unsigned char Console::onInterrupt(EditLine* el, int) {
    const LineInfoW* li = el_wline(el);
    el_cursor(el, static_cast<int>(li->lastchar - li->cursor));
    el_wdeletestr(el, static_cast<int>(li->lastchar - li->buffer));
    std::fputs("^C\n", stdout);
    return CC_REDISPLAY;
}

unsigned char Console::onSuspend(EditLine*, int) {
    // The editor's own handler gives the terminal back while stopped and takes it again.
    ::raise(SIGTSTP);
    return CC_REDISPLAY;
}

void Console::run() {
    const InterruptRoute route(w_.interp.interrupted);
    for (;;) {
        std::fflush(stdout);
        // The editor takes the terminal before the prompt shows, so nothing typed at the
        // prompt is echoed by the terminal too.
        el_set(el_.get(), EL_PREP_TERM, 1);
        int count = 0;
        const char* text = el_gets(el_.get(), &count);
        // A signal from elsewhere (kill -INT) only interrupts the reading.
        if (text == nullptr && count < 0 && errno == EINTR) {
            std::fputc('\n', stdout);
            continue;
        }
        // Ctrl-D at an empty prompt, or the terminal gone.
        if (text == nullptr || count <= 0) break;
        runLine(std::string(text, static_cast<std::size_t>(count)));
    }
    std::fputc('\n', stdout);
}

void Console::runLine(std::string line) {
    if (line.back() == '\n') line.pop_back();
    history_.add(line);
    // The line keeps its newline, which ends its last statement, as piped lines do.
    line += '\n';
    // A Ctrl-C that came between commands is not meant for this one.
    w_.interp.interrupted.store(false);
    script::execCommandString(w_.interp, 0, line.c_str());
}

void readLines(workstation::Workstation& w) {
    // Each line keeps its newline, which ends its last statement.
    std::string line;
    while (std::getline(std::cin, line)) {
        line += '\n';
        script::execCommandString(w.interp, 0, line.c_str());
    }
}

}  // namespace

void readStatements(workstation::Workstation& w) {
    if (::isatty(STDIN_FILENO) == 0 || ::isatty(STDOUT_FILENO) == 0) {
        readLines(w);
        return;
    }
    // The editor reads and shows the user's characters in the terminal's encoding.
    std::setlocale(LC_CTYPE, "");
    Console console(w);
    if (console.ready()) {
        console.run();
    } else {
        readLines(w);
    }
}

}  // namespace rz::app
