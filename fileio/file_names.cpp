#include "fileio/file_names.hpp"

#include <array>
#include <charconv>

#include "fileio/file_messages.hpp"

namespace rz::fileio {
namespace {

NameResult build(script::Interp& in, std::string_view name, std::string_view ext,
                 std::string& out) {
    if (name.empty()) return NameResult::Empty;
    const PathParts parts = splitPath(name);
    std::string base(parts.base);
    if (in.fileNumberSuffix >= 0) {
        std::array<char, 16> digits{};
        const auto r =
            std::to_chars(digits.data(), digits.data() + digits.size(), in.fileNumberSuffix);
        base.append(digits.data(), r.ptr);
    }
    if (base.size() > kMaxBaseName) {
        in.msg.errorBox(msg::kNameTooLong);
        in.msg.errorBoxPlain(msg::kInMakeName);
        in.msg.console(base);
        return NameResult::Failed;
    }
    out.assign(parts.dir);
    out += base;
    out += '.';
    out += ext;
    return NameResult::Built;
}

}  // namespace

// "/" and "." never occur as the second byte of a Shift-JIS character, so scanning bytes
// from the end cannot mistake half a character for a separator.
PathParts splitPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t leafStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::string_view leaf = path.substr(leafStart);
    const std::size_t dot = leaf.rfind('.');
    PathParts parts;
    parts.dir = path.substr(0, leafStart);
    parts.base = dot == std::string_view::npos ? leaf : leaf.substr(0, dot);
    parts.ext = dot == std::string_view::npos ? std::string_view() : leaf.substr(dot + 1);
    return parts;
}

NameResult makeName(script::Interp& in, std::string_view name, std::string& out) {
    const std::string_view forced = in.sym.slotText(script::SymbolTable::kForcedExtensionSlot);
    return build(in, name, forced.empty() ? splitPath(name).ext : forced, out);
}

NameResult makeCompanionName(script::Interp& in, std::string_view name, std::string_view ext,
                             std::string& out) {
    return build(in, name, ext, out);
}

}  // namespace rz::fileio
