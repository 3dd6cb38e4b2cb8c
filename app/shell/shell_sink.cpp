#include "app/shell/shell_sink.hpp"

#include <QMessageBox>
#include <QThread>
#include <cstdio>
#include <string>

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
    // A worker's box is shown by the window's thread, once it is back in an event loop.
    if (QThread::currentThread() != window_->thread()) {
        QMetaObject::invokeMethod(
            window_,
            [this, owner, t = std::string(title), x = std::string(text), icon] {
                box(owner, t, x, icon);
            },
            Qt::QueuedConnection);
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
    if (QThread::currentThread() != window_->thread()) {
        QMetaObject::invokeMethod(
            window_, [this, owner, x = std::string(text)] { status(owner, x); },
            Qt::QueuedConnection);
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
