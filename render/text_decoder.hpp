#pragma once
// Texts reach the drawing layer as bytes: the system's own messages are UTF-8, names from
// old files are Shift-JIS. A text that is valid UTF-8 is read as UTF-8, any other text as
// Shift-JIS (code page 932), which is the rule the rest of the system shows names by.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace rz::render {

inline constexpr char32_t kReplacementChar = U'\uFFFD';

bool isValidUtf8(std::string_view text);

// The character starting at `pos` of a text already checked by isValidUtf8; advances pos.
char32_t nextUtf8(std::string_view text, std::size_t& pos);

class TextDecoder {
  public:
    TextDecoder();
    ~TextDecoder();
    TextDecoder(TextDecoder&& other) noexcept;
    TextDecoder& operator=(TextDecoder&& other) noexcept;
    TextDecoder(const TextDecoder&) = delete;
    TextDecoder& operator=(const TextDecoder&) = delete;

    // Calls visit(char32_t) for every character of the text. Bytes that are not Shift-JIS
    // either become U+FFFD, one for each.
    template <class Visit>
    void decode(std::string_view text, Visit&& visit) {
        if (isValidUtf8(text)) {
            visitUtf8(text, visit);
            return;
        }
        std::array<char, 256> chunk;
        resetShiftJis();
        while (!text.empty()) visitUtf8(shiftJisToUtf8(text, chunk), visit);
    }

  private:
    template <class Visit>
    static void visitUtf8(std::string_view text, Visit& visit) {
        for (std::size_t pos = 0; pos < text.size();) visit(nextUtf8(text, pos));
    }

    void resetShiftJis();
    // Converts the front of `text` into UTF-8 in `out` and drops what it converted; always
    // makes progress.
    std::string_view shiftJisToUtf8(std::string_view& text, std::span<char> out);

    void* converter_;  // an iconv descriptor, or null when the C library has no CP932
};

}  // namespace rz::render
