#include "app/console_completion.hpp"

#include <algorithm>

namespace rz::app {
namespace {

constexpr bool isLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
// Bytes of a name after its first, as the lexer takes them; multi-byte letters whole.
constexpr bool continuesName(unsigned char c) {
    return isLetter(c) || isDigit(c) || c == '.' || c >= 0x80;
}
constexpr bool startsName(unsigned char c) {
    return isLetter(c) || c == '#' || c >= 0x80;
}
constexpr bool continuesNumber(unsigned char c) {
    return isDigit(c) || c == '.' || c == 'e' || c == '+' || c == '-';
}
constexpr bool isUtf8Continuation(unsigned char c) {
    return c >= 0x80 && c <= 0xBF;
}

// The symbol kinds a user types by name.
constexpr bool completes(script::Tok kind) {
    return kind != script::Tok::Undefined && kind != script::Tok::Marker;
}

// What the lexer would be in the middle of at some point of a line.
enum class Scan { Between, Name, Number, Record, String, Brace, Comment };

}  // namespace

std::vector<std::string> completionNames(const script::SymbolTable& sym) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(sym.count()));
    for (int s = 0; s < sym.count(); ++s)
        if (completes(sym[s].kind)) names.emplace_back(sym.name(s));
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::size_t nameStart(std::string_view text) {
    Scan state = Scan::Between;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        switch (state) {
            case Scan::Comment:
                continue;
            case Scan::String:
                if (c == '"') state = Scan::Between;
                continue;
            case Scan::Brace:
                if (c == '}') state = Scan::Between;
                continue;
            case Scan::Name:
            case Scan::Record:
                if (continuesName(c)) continue;
                break;
            case Scan::Number:
                if (continuesNumber(c)) continue;
                break;
            case Scan::Between:
                break;
        }
        if (startsName(c)) {
            state = Scan::Name;
            start = i;
        } else if (isDigit(c) || c == '.') {
            state = Scan::Number;
        } else {
            switch (c) {
                case '@':
                    state = Scan::Record;
                    break;
                case '"':
                    state = Scan::String;
                    break;
                case '{':
                    state = Scan::Brace;
                    break;
                case '\'':
                    state = Scan::Comment;
                    break;
                default:
                    state = Scan::Between;
                    break;
            }
        }
    }
    return state == Scan::Name ? start : std::string_view::npos;
}

std::optional<CompletionEdit> Completer::complete(std::string_view line, std::size_t cursor,
                                                  const std::vector<std::string>& names) {
    cursor = std::min(cursor, line.size());
    if (!choices_.empty() && line == lineAfter_ && cursor == cursorAfter_) {
        CompletionEdit edit = cycle();
        remember(line, cursor, edit);
        return edit;
    }
    choices_.clear();
    const std::size_t start = nameStart(line.substr(0, cursor));
    if (start == std::string_view::npos) return std::nullopt;
    const std::string_view word = line.substr(start, cursor - start);
    const auto first = std::lower_bound(names.begin(), names.end(), word);
    const auto last = std::find_if(first, names.end(), [&](const std::string& name) {
        return name.compare(0, word.size(), word) != 0;
    });
    if (first == last) return std::nullopt;

    // Sorted names: the beginning the first and the last share is the one all share.
    const std::string& a = *first;
    const std::string& b = *(last - 1);
    std::size_t common = word.size();
    while (common < a.size() && common < b.size() && a[common] == b[common]) ++common;
    // Never stop inside a multi-byte letter.
    while (common > word.size() && common < a.size() &&
           isUtf8Continuation(static_cast<unsigned char>(a[common])))
        --common;

    CompletionEdit edit;
    if (common > word.size()) {
        edit.insert = a.substr(word.size(), common - word.size());
    } else {
        choices_.assign(first, last);
        chosen_ = 0;
        edit.insert = choices_.front().substr(word.size());
        if (choices_.size() > 1) {
            edit.choices = choices_;
        } else {
            choices_.clear();  // complete already: nothing to go round
        }
    }
    remember(line, cursor, edit);
    return edit;
}

CompletionEdit Completer::cycle() {
    CompletionEdit edit;
    edit.eraseBytes = choices_[chosen_].size();
    chosen_ = (chosen_ + 1) % choices_.size();
    edit.insert = choices_[chosen_];
    return edit;
}

void Completer::remember(std::string_view line, std::size_t cursor, const CompletionEdit& edit) {
    const std::size_t from = cursor - edit.eraseBytes;
    lineAfter_.assign(line.substr(0, from));
    lineAfter_ += edit.insert;
    lineAfter_ += line.substr(cursor);
    cursorAfter_ = from + edit.insert.size();
}

std::string choicesText(const std::vector<std::string>& choices, int width) {
    std::size_t longest = 0;
    for (const std::string& c : choices) longest = std::max(longest, c.size());
    const std::size_t column = longest + 2;
    const std::size_t columns =
        std::max<std::size_t>(1, static_cast<std::size_t>(std::max(width, 1)) / column);
    std::string text;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        text += choices[i];
        const bool endOfRow = (i + 1) % columns == 0 || i + 1 == choices.size();
        if (endOfRow) {
            text += '\n';
        } else {
            text.append(column - choices[i].size(), ' ');
        }
    }
    return text;
}

}  // namespace rz::app
