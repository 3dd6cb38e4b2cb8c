#include "polyconv/dxf_tokens.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "polyconv/geometry.hpp"

namespace rz::polyconv {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    return s;
}

// strtod needs a terminated string; only the rare out-of-range case comes here.
double strtod_copy(std::string_view text) {
    const std::string copy(text);
    return std::strtod(copy.c_str(), nullptr);
}

}  // namespace

LineTokenizer::LineTokenizer(std::string_view text) : text_(text) {
    if (text_.starts_with(kUtf8Bom)) pos_ = kUtf8Bom.size();
    // Files from classic Mac programs end lines with a lone CR.
    if (text_.find('\n') == std::string_view::npos && text_.find('\r') != std::string_view::npos) {
        line_end_ = '\r';
    }
}

std::optional<std::string_view> LineTokenizer::next_line() {
    if (pos_ >= text_.size()) return std::nullopt;
    const std::size_t end = text_.find(line_end_, pos_);
    std::string_view line;
    if (end == std::string_view::npos) {
        line = text_.substr(pos_);
        pos_ = text_.size();
    } else {
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
    }
    return trim(line);
}

std::optional<std::string_view> LineTokenizer::next_nonblank() {
    while (auto line = next_line()) {
        if (!line->empty()) return line;
    }
    return std::nullopt;
}

std::optional<Group> next_group(LineTokenizer& tokens) {
    const auto code = tokens.next_nonblank();
    if (!code) return std::nullopt;
    const auto value = tokens.next_line();
    if (!value) return std::nullopt;
    return Group{parse_integer(*code), *value};
}

int parse_integer(std::string_view text) {
    text = trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    constexpr long long kMax = std::numeric_limits<int>::max();
    long long magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') break;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kMax) {
            magnitude = kMax + 1;
            break;
        }
    }
    const long long value = negative ? -magnitude : std::min(magnitude, kMax);
    return static_cast<int>(
        std::max(value, static_cast<long long>(std::numeric_limits<int>::min())));
}

ParsedValue parse_value(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::invalid_argument) return {0.0, true};
    if (ec == std::errc::result_out_of_range)
        value = strtod_copy(text.substr(0, end - text.data()));
    constexpr double kLargest = std::numeric_limits<double>::max() / kScale;
    if (!std::isfinite(value) || std::fabs(value) > kLargest) return {0.0, false};
    return {value, true};
}

}  // namespace rz::polyconv
