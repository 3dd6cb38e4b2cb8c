#pragma once
// Little-endian numbers of the binary files, whatever the byte order of the host.

#include <string.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace rz::fileio {

inline std::uint32_t loadU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
inline std::uint16_t loadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
inline std::int32_t loadI32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(loadU32(p));
}
inline float loadF32(const std::uint8_t* p) {
    return std::bit_cast<float>(loadU32(p));
}
inline double loadF64(const std::uint8_t* p) {
    const std::uint64_t v =
        static_cast<std::uint64_t>(loadU32(p)) | static_cast<std::uint64_t>(loadU32(p + 4)) << 32;
    return std::bit_cast<double>(v);
}

inline void storeU32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}
inline void storeU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void storeI32(std::uint8_t* p, std::int32_t v) {
    storeU32(p, static_cast<std::uint32_t>(v));
}
inline void storeF32(std::uint8_t* p, float v) {
    storeU32(p, std::bit_cast<std::uint32_t>(v));
}
inline void storeF64(std::uint8_t* p, double v) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(v);
    storeU32(p, static_cast<std::uint32_t>(bits));
    storeU32(p + 4, static_cast<std::uint32_t>(bits >> 32));
}

// Cursors over one record: each call takes or puts the next field.
class FieldReader {
  public:
    explicit FieldReader(const std::uint8_t* p) : p_(p) {}
    std::uint32_t u32() { return take(loadU32(p_)); }
    std::int32_t i32() { return take(loadI32(p_)); }
    float f32() { return take(loadF32(p_)); }
    double f64() {
        const double v = loadF64(p_);
        p_ += 8;
        return v;
    }
    void skip(std::size_t n) { p_ += n; }
    // A zero-terminated text of a fixed-size field, at most max characters of it.
    template <std::size_t N>
    void text(std::array<char, N>& dst, std::size_t field, std::size_t max) {
        std::size_t n = 0;
        while (n < field && n < max && n + 1 < N && p_[n] != 0) ++n;
        std::memcpy(dst.data(), p_, n);
        std::memset(dst.data() + n, 0, N - n);
        p_ += field;
    }

  private:
    template <class T>
    T take(T v) {
        p_ += 4;
        return v;
    }
    const std::uint8_t* p_;
};

class FieldWriter {
  public:
    explicit FieldWriter(std::uint8_t* p) : p_(p) {}
    void u32(std::uint32_t v) { storeU32(advance(4), v); }
    void i32(std::int32_t v) { storeI32(advance(4), v); }
    void f32(float v) { storeF32(advance(4), v); }
    void f64(double v) { storeF64(advance(8), v); }
    void zeros(std::size_t n) { std::memset(advance(n), 0, n); }
    // The text up to its terminating zero, padded with zeros to the field's size.
    void text(const char* src, std::size_t srcSize, std::size_t field) {
        const std::size_t n = strnlen(src, std::min(srcSize, field));
        std::uint8_t* p = advance(field);
        std::memcpy(p, src, n);
        std::memset(p + n, 0, field - n);
    }

  private:
    std::uint8_t* advance(std::size_t n) {
        std::uint8_t* p = p_;
        p_ += n;
        return p;
    }
    std::uint8_t* p_;
};

}  // namespace rz::fileio
