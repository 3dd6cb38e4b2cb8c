#pragma once
// Numbers of the language become integers by truncation toward zero. Values beyond the
// integer range are clamped and not-a-number gives 0, so no conversion is ever undefined.

#include <cmath>
#include <cstdint>
#include <limits>

namespace rz::geometry {

inline std::int64_t truncateToInt64(double v) {
    if (std::isnan(v)) return 0;
    constexpr double kLimit = 9.0e18;  // inside the int64 range, far beyond any field
    if (v >= kLimit) return static_cast<std::int64_t>(kLimit);
    if (v <= -kLimit) return -static_cast<std::int64_t>(kLimit);
    return static_cast<std::int64_t>(std::trunc(v));
}

inline int truncateToInt(double v) {
    const std::int64_t t = truncateToInt64(v);
    constexpr std::int64_t kMax = std::numeric_limits<int>::max();
    constexpr std::int64_t kMin = std::numeric_limits<int>::min();
    return static_cast<int>(t > kMax ? kMax : t < kMin ? kMin : t);
}

// Truncated and then stored in a field of T's width, modulo 2^width.
template <class T>
T truncateToField(double v) {
    return static_cast<T>(truncateToInt64(v));
}

}  // namespace rz::geometry
