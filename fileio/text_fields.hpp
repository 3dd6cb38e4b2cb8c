#pragma once
// Whitespace-separated fields of a text file, read through a fixed buffer: the readers of
// number files (grid models, ROK shapes) take one field at a time and allocate nothing.

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "platform/input_file.hpp"

namespace rz::fileio {

class Fields {
  public:
    explicit Fields(platform::InputFile& file) : file_(file) {}

    // The next field; false at the end of the file.
    bool next() {
        int c = file_.get();
        while (isSpace(c)) c = file_.get();
        if (c < 0) return false;
        length_ = 0;
        tooLong_ = false;
        while (c >= 0 && !isSpace(c)) {
            if (length_ < buf_.size()) {
                buf_[length_++] = static_cast<char>(c);
            } else {
                tooLong_ = true;
            }
            c = file_.get();
        }
        return true;
    }
    // The field as read, cut to the buffer; a field that did not fit equals no word.
    std::string_view text() const { return {buf_.data(), length_}; }
    bool is(std::string_view word) const { return !tooLong_ && text() == word; }

    bool asFloat(float& out) const {
        if (tooLong_ || length_ == 0) return false;
        const char* first = skipPlus();
        const char* last = buf_.data() + length_;
        const auto r = std::from_chars(first, last, out);
        return r.ec == std::errc() && r.ptr == last && std::isfinite(out);
    }
    bool asShort(int& out) const {
        long v = 0;
        if (!asLong(v) || v < std::numeric_limits<std::int16_t>::min() ||
            v > std::numeric_limits<std::int16_t>::max())
            return false;
        out = static_cast<int>(v);
        return true;
    }
    bool asInt(std::int32_t& out) const {
        long v = 0;
        if (!asLong(v) || v < std::numeric_limits<std::int32_t>::min() ||
            v > std::numeric_limits<std::int32_t>::max())
            return false;
        out = static_cast<std::int32_t>(v);
        return true;
    }

  private:
    static bool isSpace(int c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
    }
    const char* skipPlus() const { return buf_[0] == '+' ? buf_.data() + 1 : buf_.data(); }
    bool asLong(long& out) const {
        if (tooLong_ || length_ == 0) return false;
        const char* last = buf_.data() + length_;
        const auto r = std::from_chars(skipPlus(), last, out);
        return r.ec == std::errc() && r.ptr == last;
    }

    platform::InputFile& file_;
    std::array<char, 64> buf_{};
    std::size_t length_ = 0;
    bool tooLong_ = false;
};

}  // namespace rz::fileio
