#include "render/tile_log.hpp"

namespace rz::render {

void TileLog::add(Kind kind, std::string_view title, std::string_view text,
                  platform::BoxIcon icon) {
    const std::size_t begin = text_.size();
    text_.append(title);
    const std::size_t titleEnd = text_.size();
    text_.append(text);
    entries_.push_back({kind, icon, titleEnd, begin, text_.size()});
}

void TileLog::box(platform::WindowId, std::string_view title, std::string_view text,
                  platform::BoxIcon icon) {
    add(Kind::Box, title, text, icon);
}

void TileLog::status(platform::WindowId, std::string_view text) {
    add(Kind::Status, {}, text);
}

void TileLog::console(std::string_view text) {
    add(Kind::Console, {}, text);
}

void TileLog::diagnostic(std::string_view text) {
    add(Kind::Diagnostic, {}, text);
}

void TileLog::clear() {
    entries_.clear();
    text_.clear();
}

void TileLog::replay(platform::MessageService& msg, std::size_t first, std::size_t end) const {
    const std::string_view all = text_;
    for (std::size_t k = first; k < end && k < entries_.size(); ++k) {
        const Entry& e = entries_[k];
        const std::string_view title = all.substr(e.begin, e.titleEnd - e.begin);
        const std::string_view text = all.substr(e.titleEnd, e.end - e.titleEnd);
        switch (e.kind) {
            case Kind::Box:
                if (title == platform::kErrorTitle) {
                    msg.errorBoxPlain(text);
                } else if (title == platform::kSystemTitle) {
                    msg.setBuffer(text);
                    msg.systemBox();
                } else if (title == platform::kInfoTitle) {
                    msg.setBuffer(text);
                    msg.infoBox();
                } else {
                    msg.titledBox(title, text, e.icon);
                }
                break;
            case Kind::Status:
                msg.statusText(text);
                break;
            case Kind::Console:
                msg.console(text);
                break;
            case Kind::Diagnostic:
                msg.diagnostic(text);
                break;
        }
    }
}

}  // namespace rz::render
