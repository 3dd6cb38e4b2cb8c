#pragma once
// Numbers as the script writes them: printf's "%f" and "%d" without a format string.

#include <string>

namespace rz::polyconv {

// printf("%f"): fixed notation with six decimals, without the cost of a format string.
void append_fixed(std::string& out, double value);
void append_integer(std::string& out, long long value);

std::string fixed_text(double value);
std::string integer_text(long long value);

}  // namespace rz::polyconv
