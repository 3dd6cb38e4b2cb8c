#include "number_format.h"

#include <array>
#include <charconv>

namespace polyconv {

void append_fixed(std::string& out, double value) {
    // %f of the largest double needs 309 integer digits, a sign, a point and six decimals.
    std::array<char, 330> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 6);
    out.append(buffer.data(), result.ptr);
}

void append_integer(std::string& out, long long value) {
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), result.ptr);
}

std::string fixed_text(double value) {
    std::string out;
    append_fixed(out, value);
    return out;
}

std::string integer_text(long long value) {
    std::string out;
    append_integer(out, value);
    return out;
}

}  // namespace polyconv
