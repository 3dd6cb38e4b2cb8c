#include "platform/message_service.hpp"
#include <algorithm>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/process.hpp"

namespace rz::platform {
namespace {

constexpr std::string_view kValueNotCorrect = " 設定された「値」が正しくありません！ ";

}  // namespace

void MessageService::errorBox(std::string_view text) {
    // Composed in a fixed area, as the old box text was.
    std::array<char, kErrorAreaSize> area{};
    const int n = std::snprintf(area.data(), area.size(), "ERROR: %.*s",
                                static_cast<int>(text.size()), text.data());
    const std::size_t len = n < 0 ? 0 : std::min<std::size_t>(n, area.size() - 1);
    ++errors_;
    sink_.box(window_, kErrorTitle, {area.data(), len}, BoxIcon::None);
}

void MessageService::errorBoxPlain(std::string_view text) {
    ++errors_;
    sink_.box(window_, kErrorTitle, text, BoxIcon::None);
}

void MessageService::titledBox(std::string_view title, std::string_view text, BoxIcon icon) {
    ++errors_;
    sink_.box(window_, title, text, icon);
}

void MessageService::internalError(std::string_view detail) {
    errorBox(kInternalError);
    if (!detail.empty()) errorBoxPlain(detail);
}

void MessageService::statusText(std::string_view text) {
    if (mode_ == 1) sink_.status(window_, text);
}

void MessageService::systemBox() {
    if (mode_ == 1) sink_.box(window_, kSystemTitle, buffer(), BoxIcon::None);
}

void MessageService::infoBox() {
    sink_.box(window_, kInfoTitle, buffer(), BoxIcon::Information);
}

int MessageService::setMessageMode(int mode) {
    if (mode != 0 && mode != 1) {
        errorBox(kValueNotCorrect);
        mode_ = 1;
        return 9999;
    }
    mode_ = mode;
    return 0;
}

void MessageService::fatalStop() {
    // The banner goes to the process's own standard error whatever the sink is: it is the
    // last thing the process says.
    std::fwrite(kFatalBanner.data(), 1, kFatalBanner.size(), stderr);
    endProcess(-1);
}

void MessageService::setBuffer(std::string_view text) {
    length_ = std::min(text.size(), buffer_.size() - 1);
    std::copy_n(text.data(), length_, buffer_.data());
    buffer_[length_] = '\0';
}

void MessageService::formatBuffer(const char* format, ...) {
    length_ = 0;
    buffer_[0] = '\0';
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer_.data(), buffer_.size(), format, args);
    va_end(args);
    length_ = n < 0 ? 0 : std::min<std::size_t>(n, buffer_.size() - 1);
}

void MessageService::appendBuffer(const char* format, ...) {
    const std::size_t room = buffer_.size() - length_;
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer_.data() + length_, room, format, args);
    va_end(args);
    if (n > 0) length_ = std::min<std::size_t>(length_ + n, buffer_.size() - 1);
}

}  // namespace rz::platform
