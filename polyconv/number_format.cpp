#include "polyconv/number_format.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace rz::polyconv {
namespace {

void append_fixed_exact(std::string& out, double value) {
    // %f of the largest double needs 309 integer digits, a sign, a point and six decimals.
    std::array<char, 330> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 6);
    out.append(buffer.data(), result.ptr);
}

// Writing the script is mostly writing numbers, so the common case avoids the general
// algorithm: value * 10^6 is held exactly as scaled + error (Dekker's product; 10^6 needs
// only 14 significant bits), and when that is clearly away from a half, the nearest integer
// is what printf prints.
bool append_fixed_fast(std::string& out, double value) {
    constexpr double kMillion = 1e6;
    constexpr double kSplitter = 134217729.0;  // 2^27 + 1
    if (!(std::fabs(value) < 1e9)) return false;
    const double scaled = value * kMillion;
    const double spread = kSplitter * value;
    const double high = spread - (spread - value);
    const double low = value - high;
    const double error = (high * kMillion - scaled) + low * kMillion;

    const auto truncated = static_cast<std::int64_t>(scaled);
    std::int64_t nearest = truncated;
    double distance = (scaled - static_cast<double>(truncated)) + error;
    if (distance > 0.5) {
        ++nearest;
        distance -= 1.0;
    } else if (distance < -0.5) {
        --nearest;
        distance += 1.0;
    }
    if (!(std::fabs(distance) < 0.5 - 1e-6)) return false;

    const auto digits = static_cast<std::uint64_t>(nearest < 0 ? -nearest : nearest);
    std::array<char, 32> buffer{};
    char* end = buffer.data() + buffer.size();
    char* p = end;
    std::uint64_t fraction = digits % 1000000;
    for (int k = 0; k < 6; ++k) {
        *--p = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    *--p = '.';
    std::uint64_t whole = digits / 1000000;
    do {
        *--p = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    // printf keeps the sign of a negative value that rounds to zero.
    if (std::signbit(value)) *--p = '-';
    out.append(p, end);
    return true;
}

}  // namespace

void append_fixed(std::string& out, double value) {
    if (!append_fixed_fast(out, value)) append_fixed_exact(out, value);
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

}  // namespace rz::polyconv
