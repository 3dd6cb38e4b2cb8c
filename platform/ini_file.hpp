#pragma once
// Settings files in the private-profile form that Windows programs have always used:
// "[section]" headers and "key=value" lines. Section and key names match without regard
// to ASCII case, the first section and the first key of a name win, and integers read the
// way GetPrivateProfileInt reads them. Lines that are neither headers nor pairs (comments)
// are kept, so rewriting a file leaves what we do not know about in place.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rz::platform {

class IniFile {
  public:
    // Parses text; CR LF and LF line ends, a UTF-8 byte-order mark and stray bytes are all
    // taken in stride, since a settings file is edited by hand.
    static IniFile parse(std::string_view text);
    // The parsed file, or an empty one when it cannot be read or is not a regular file; only
    // its first MiB counts.
    static IniFile load(const std::filesystem::path& path);

    // The raw value of a key, or none when the section or the key is missing.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    // The value without one pair of surrounding quotes and cut to maxLength bytes; the
    // default when the key is missing.
    std::string getString(std::string_view section, std::string_view key, std::string_view fallback,
                          std::size_t maxLength) const;
    // The default when the key is missing or its value (without one pair of surrounding
    // quotes) is empty; otherwise the leading integer of it (0 when there is none), wrapped
    // to 32 bits.
    std::int32_t getInt(std::string_view section, std::string_view key,
                        std::int32_t fallback) const;

    // Replaces the value of a key, adding the key (and its section) at the end when missing.
    // A value ends at its first line break.
    void set(std::string_view section, std::string_view key, std::string_view value);
    void setInt(std::string_view section, std::string_view key, std::int32_t value);

    // The file's text, with LF line ends and a blank line between sections.
    std::string text() const;
    // Saves the text as every file is saved (FileReplacement), so a failed write never leaves
    // a half-written settings file, and a write-protected one is left alone. Creates missing
    // folders.
    bool save(const std::filesystem::path& path) const;

  private:
    struct Line {
        std::string key;  // the whole text for lines that are not pairs
        std::string value;
        bool pair = false;
    };
    struct Section {
        std::string name;
        bool header = true;  // false for the lines before the first header
        std::vector<Line> lines;
    };

    const Section* findSection(std::string_view name) const;
    Section* findSection(std::string_view name);

    std::vector<Section> sections_;
};

// Reads an integer as GetPrivateProfileInt does: leading blanks, an optional sign, decimal
// digits up to the first other character, wrapping modulo 2^32; no digits give 0.
std::int32_t parseProfileInt(std::string_view text);

}  // namespace rz::platform
