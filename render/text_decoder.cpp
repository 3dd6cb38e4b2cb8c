#include "render/text_decoder.hpp"

#include <iconv.h>

#include <cerrno>
#include <utility>

namespace rz::render {
namespace {

constexpr bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The length of the well-formed sequence starting at text[pos], or 0. Overlong forms,
// surrogates and values above U+10FFFF are not well formed.
std::size_t sequenceLength(std::string_view text, std::size_t pos) {
    const auto at = [&](std::size_t i) {
        return pos + i < text.size() ? static_cast<unsigned char>(text[pos + i]) : 0u;
    };
    const unsigned char lead = at(0);
    if (lead < 0x80) return 1;
    // The permitted range of the second byte narrows for the leads that could otherwise
    // spell an overlong form, a surrogate or a value beyond U+10FFFF.
    struct Lead {
        unsigned char first, last;  // lead bytes
        unsigned char low, high;    // second byte
        std::size_t length;
    };
    static constexpr Lead kLeads[] = {
        {0xC2, 0xDF, 0x80, 0xBF, 2}, {0xE0, 0xE0, 0xA0, 0xBF, 3}, {0xE1, 0xEC, 0x80, 0xBF, 3},
        {0xED, 0xED, 0x80, 0x9F, 3}, {0xEE, 0xEF, 0x80, 0xBF, 3}, {0xF0, 0xF0, 0x90, 0xBF, 4},
        {0xF1, 0xF3, 0x80, 0xBF, 4}, {0xF4, 0xF4, 0x80, 0x8F, 4},
    };
    for (const Lead& l : kLeads) {
        if (lead < l.first || lead > l.last) continue;
        if (pos + l.length > text.size()) return 0;
        if (at(1) < l.low || at(1) > l.high) return 0;
        for (std::size_t i = 2; i < l.length; ++i) {
            if (!isContinuation(at(i))) return 0;
        }
        return l.length;
    }
    return 0;
}

// U+FFFD in UTF-8.
constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";
constexpr std::size_t kReplacementLength = sizeof kReplacementUtf8 - 1;

iconv_t descriptor(void* converter) {
    return static_cast<iconv_t>(converter);
}

}  // namespace

bool isValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t n = sequenceLength(text, pos);
        if (n == 0) return false;
        pos += n;
    }
    return true;
}

char32_t nextUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const std::size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t c = lead & kLeadMask[n];
    for (std::size_t i = 1; i < n && pos + i < text.size(); ++i) {
        c = (c << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
    }
    pos += n;
    return c;
}

TextDecoder::TextDecoder() {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    converter_ = cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd;
}

TextDecoder::~TextDecoder() {
    if (converter_ != nullptr) iconv_close(descriptor(converter_));
}

TextDecoder::TextDecoder(TextDecoder&& other) noexcept
    : converter_(std::exchange(other.converter_, nullptr)) {}

TextDecoder& TextDecoder::operator=(TextDecoder&& other) noexcept {
    if (this != &other) {
        if (converter_ != nullptr) iconv_close(descriptor(converter_));
        converter_ = std::exchange(other.converter_, nullptr);
    }
    return *this;
}

void TextDecoder::resetShiftJis() {
    if (converter_ != nullptr) iconv(descriptor(converter_), nullptr, nullptr, nullptr, nullptr);
}

std::string_view TextDecoder::shiftJisToUtf8(std::string_view& text, std::span<char> out) {
    char* dst = out.data();
    std::size_t room = out.size();
    const auto replaceOne = [&] {
        for (std::size_t i = 0; i < kReplacementLength; ++i) *dst++ = kReplacementUtf8[i];
        room -= kReplacementLength;
        text.remove_prefix(1);
    };
    if (converter_ == nullptr) {
        // Without a converter only ASCII survives.
        while (!text.empty() && room >= kReplacementLength) {
            if (static_cast<unsigned char>(text[0]) < 0x80) {
                *dst++ = text[0];
                --room;
                text.remove_prefix(1);
            } else {
                replaceOne();
            }
        }
        return {out.data(), out.size() - room};
    }
    // iconv's interface is not const-correct; it only reads the input.
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    const std::size_t result = iconv(descriptor(converter_), &in, &inLeft, &dst, &room);
    const int error = errno;
    text.remove_prefix(text.size() - inLeft);
    // Anything but a full output buffer stops at a byte that cannot be converted.
    if (result == static_cast<std::size_t>(-1) && error != E2BIG && room >= kReplacementLength) {
        replaceOne();
        resetShiftJis();
    }
    return {out.data(), out.size() - room};
}

}  // namespace rz::render
