#include "platform/ini_file.hpp"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <system_error>
#include <utility>

#include "platform/file_replacement.hpp"
#include "platform/input_file.hpp"

namespace rz::platform {
namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Far beyond any settings file; what lies past it (a device named by mistake, a file gone
// wild) is not read, so a bad --ini cannot exhaust memory.
constexpr std::size_t kMaxFileSize = std::size_t{1} << 20;

std::string_view trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const std::size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names are compared byte for byte but for ASCII case, whatever the locale says.
bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

// GetPrivateProfileString drops one pair of matching quotes, and GetPrivateProfileInt reads
// its number from that same string, so both readers must see a value alike.
std::string_view unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

}  // namespace

std::int32_t parseProfileInt(std::string_view text) {
    text = trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::uint32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10u + static_cast<std::uint32_t>(c - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    Section* current = nullptr;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        const std::string_view line = trim(raw);
        if (line.empty()) continue;
        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                ini.sections_.push_back({std::string(trim(line.substr(1, close - 1))), true, {}});
                current = &ini.sections_.back();
                continue;
            }
        }
        if (current == nullptr) {
            ini.sections_.push_back({{}, false, {}});
            current = &ini.sections_.back();
        }
        const std::size_t eq = line.front() == ';' ? std::string_view::npos : line.find('=');
        if (eq == std::string_view::npos) {
            current->lines.push_back({std::string(line), {}, false});
        } else {
            current->lines.push_back({std::string(trim(line.substr(0, eq))),
                                      std::string(trim(line.substr(eq + 1))), true});
        }
    }
    return ini;
}

IniFile IniFile::load(const std::filesystem::path& path) {
    const int fd = openRegularFile(path.string());
    if (fd < 0) return {};
    std::string text;
    std::array<char, 8192> chunk{};
    while (text.size() < kMaxFileSize) {
        const ssize_t n = ::read(fd, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(chunk.data(), static_cast<std::size_t>(n));
    }
    ::close(fd);
    return parse(text);
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    for (const Section& s : sections_)
        if (s.header && sameName(s.name, name)) return &s;
    return nullptr;
}

IniFile::Section* IniFile::findSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

std::optional<std::string_view> IniFile::value(std::string_view section,
                                               std::string_view key) const {
    const Section* s = findSection(section);
    if (s == nullptr) return std::nullopt;
    for (const Line& l : s->lines)
        if (l.pair && sameName(l.key, key)) return std::string_view(l.value);
    return std::nullopt;
}

std::string IniFile::getString(std::string_view section, std::string_view key,
                               std::string_view fallback, std::size_t maxLength) const {
    const std::string_view v = unquote(value(section, key).value_or(fallback));
    return std::string(v.substr(0, maxLength));
}

std::int32_t IniFile::getInt(std::string_view section, std::string_view key,
                             std::int32_t fallback) const {
    const std::optional<std::string_view> raw = value(section, key);
    if (!raw) return fallback;
    const std::string_view v = unquote(*raw);
    return v.empty() ? fallback : parseProfileInt(v);
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view value) {
    // A line break would end the value early and start a line of its own.
    value = value.substr(0, value.find_first_of("\r\n"));
    Section* s = findSection(section);
    if (s == nullptr) {
        sections_.push_back({std::string(section), true, {}});
        s = &sections_.back();
    }
    for (Line& l : s->lines) {
        if (l.pair && sameName(l.key, key)) {
            l.value = value;
            return;
        }
    }
    s->lines.push_back({std::string(key), std::string(value), true});
}

void IniFile::setInt(std::string_view section, std::string_view key, std::int32_t value) {
    std::array<char, 16> digits{};
    const auto r = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    set(section, key, std::string_view(digits.data(), r.ptr));
}

std::string IniFile::text() const {
    std::string out;
    for (const Section& s : sections_) {
        if (!out.empty()) out += '\n';
        if (s.header) out += '[' + s.name + "]\n";
        for (const Line& l : s.lines) {
            out += l.key;
            if (l.pair) out += '=' + l.value;
            out += '\n';
        }
    }
    return out;
}

bool IniFile::save(const std::filesystem::path& path) const {
    std::error_code ec;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
    FileReplacement file;
    return file.begin(path.string()) && file.write(text()) && file.commit();
}

}  // namespace rz::platform
