#include "app/shell/shown_text.hpp"

#include "render/text_decoder.hpp"

namespace rz::app {

QString shownText(std::string_view text) {
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    render::TextDecoder decoder;
    decoder.decode(text, [&out](char32_t c) {
        const char32_t one[1] = {c};
        out.append(QString::fromUcs4(one, 1));
    });
    return out;
}

}  // namespace rz::app
