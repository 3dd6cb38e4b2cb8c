#pragma once
// The lines of a DXF file as group codes and values, and the conversion of their numbers.

#include <cstddef>
#include <optional>
#include <string_view>

namespace rz::polyconv {

// DXF is line oriented: every group code and every value is one line. Taking whole lines
// (rather than whitespace-separated words) keeps layer names and comments that contain
// blanks in one piece, so codes and values never slip out of step.
class LineTokenizer {
  public:
    explicit LineTokenizer(std::string_view text);

    // The next line with surrounding blanks and the CR of a CR LF end removed; it may be empty.
    std::optional<std::string_view> next_line();
    // The next line that is not blank: group codes are never empty, and hand-edited files
    // sometimes have blank lines between groups.
    std::optional<std::string_view> next_nonblank();

    std::size_t remaining_bytes() const { return text_.size() - pos_; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
    char line_end_ = '\n';
};

struct Group {
    int code = 0;
    std::string_view value;
};

// Reads one group code line and its value line; nothing when the text ends before both.
std::optional<Group> next_group(LineTokenizer& tokens);

// Group codes convert like atoi: leading digits only, anything else is 0. Saturates
// instead of overflowing.
int parse_integer(std::string_view text);

struct ParsedValue {
    double value = 0.0;
    bool valid = true;  // false: not a finite number that survives scaling to script units
};

// Values convert like atof ("12abc" is 12, "abc" is 0), but never to infinity or NaN.
ParsedValue parse_value(std::string_view text);

}  // namespace rz::polyconv
