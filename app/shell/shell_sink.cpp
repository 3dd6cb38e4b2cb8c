#include "app/shell/shell_sink.hpp"

#include <QMessageBox>
#include <cstdio>

#include "app/shell/main_window.hpp"
#include "app/shell/shown_text.hpp"

namespace rz::app {
namespace {

QMessageBox::Icon boxIcon(platform::BoxIcon icon) {
    switch (icon) {
        case platform::BoxIcon::Information:
            return QMessageBox::Information;
        case platform::BoxIcon::Exclamation:
            return QMessageBox::Warning;
        case platform::BoxIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void ShellSink::box(platform::WindowId owner, std::string_view title, std::string_view text,
                    platform::BoxIcon icon) {
    if (window_ == nullptr) {
        console_.box(owner, title, text, icon);
        return;
    }
    QMessageBox box(boxIcon(icon), shownText(title), shownText(text), QMessageBox::Ok, window_);
    box.exec();
}

void ShellSink::status(platform::WindowId owner, std::string_view text) {
    if (window_ == nullptr) {
        console_.status(owner, text);
        return;
    }
    window_->showStatus(shownText(text));
}

// The window's program runs until it is closed; what it prints is seen as it comes, even
// through a pipe.
void ShellSink::console(std::string_view text) {
    console_.console(text);
    std::fflush(stdout);
}

void ShellSink::diagnostic(std::string_view text) {
    console_.diagnostic(text);
}

}  // namespace rz::app
