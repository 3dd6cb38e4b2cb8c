#include "script/lexer.hpp"

#include <charconv>
#include <cmath>

#include "script/messages.hpp"

namespace rz::script {
namespace {

constexpr bool isLetter(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool isDigit(int c) {
    return c >= '0' && c <= '9';
}
constexpr bool isBlank(int c) {
    return c == ' ' || c == '\t' || c == '\0';
}
constexpr bool isNumberChar(int c) {
    return isDigit(c) || c == '.' || c == 'e' || c == '+' || c == '-';
}
// Bytes that follow a UTF-8 lead byte, or 0 when c leads no multi-byte sequence.
constexpr int utf8Continuations(int c) {
    if (c >= 0xC2 && c <= 0xDF) return 1;
    if (c >= 0xE0 && c <= 0xEF) return 2;
    if (c >= 0xF0 && c <= 0xF4) return 3;
    return 0;
}
constexpr bool isContinuation(int c) {
    return c >= 0x80 && c <= 0xBF;
}

// Tokens that may be followed by "=": the single token and the compound one.
struct OperatorPair {
    char first;
    Tok single;
    Tok withEqual;
};
constexpr std::array<OperatorPair, 7> kOperators{{
    {'!', Tok::Not, Tok::NotEqual},
    {'*', Tok::Times, Tok::MulAssign},
    {'+', Tok::Plus, Tok::AddAssign},
    {'-', Tok::Minus, Tok::SubAssign},
    {'/', Tok::Divide, Tok::DivAssign},
    {'=', Tok::Assign, Tok::Equal},
    {'>', Tok::Greater, Tok::GreaterEqual},
}};

}  // namespace

Lexer::Lexer(SymbolTable& symbols, platform::MessageService& msg) : symbols_(symbols), msg_(msg) {}

int Lexer::getChar() {
    int c;
    if (source_.text != nullptr) {
        // The NUL is never stepped over: the text stays at its end until the run restores
        // the source it replaced.
        c = static_cast<unsigned char>(source_.text[source_.pos]);
        if (c == 0) return -1;
        ++source_.pos;
        // Lines written on Windows end in CR LF; the CR is not part of the text.
        if (c == '\r' && source_.text[source_.pos] == '\n') c = source_.text[source_.pos++];
        return c;
    }
    c = source_.stream->get();
    if (c == '\r') {
        const int next = source_.stream->get();
        if (next == '\n') return next;
        source_.stream->unget(next);
    }
    return c;
}

void Lexer::unGetChar(int c) {
    if (c < 0) return;
    if (source_.text != nullptr) {
        if (source_.pos > 0) --source_.pos;
        return;
    }
    source_.stream->unget(c);
}

int Lexer::skipToLineEnd() {
    for (;;) {
        const int c = getChar();
        if (c == -1) return -1;
        if (c == '\n') {
            source_.atLineStart = true;
            return 0;
        }
    }
}

Tok Lexer::lexError(std::string_view message) {
    fallBackToConsole();
    msg_.errorBox(message);
    return Tok::Error;
}

void Lexer::putNameByte(int c, std::size_t& length, bool& tooLong) {
    if (length + 1 < name_.size()) {
        name_[length++] = static_cast<char>(c);
    } else {
        tooLong = true;
    }
}

std::size_t Lexer::takeWideLetter(int c, std::size_t& length, bool& tooLong) {
    // A well-formed UTF-8 sequence first, then a Shift-JIS pair: old files and UTF-8
    // scripts both name things in Japanese.
    if (const int n = utf8Continuations(c); n > 0) {
        std::array<int, 3> more{};
        int got = 0;
        while (got < n) {
            more[got] = getChar();
            if (!isContinuation(more[got])) break;
            ++got;
        }
        if (got == n) {
            putNameByte(c, length, tooLong);
            for (int i = 0; i < n; ++i) putNameByte(more[i], length, tooLong);
            return 1 + n;
        }
        // Not UTF-8: give back what was read (the last, mismatching byte included).
        for (int i = got; i >= 0; --i) unGetChar(more[i]);
    }
    if (isLeadByte(c)) {
        const int trail = getChar();
        if (isTrailByte(trail)) {
            putNameByte(c, length, tooLong);
            putNameByte(trail, length, tooLong);
            return 2;
        }
        unGetChar(trail);
    }
    return 0;
}

bool Lexer::collectName(std::size_t& length, bool& tooLong) {
    for (;;) {
        const int c = getChar();
        if (c == -1) return false;
        if (isLetter(c) || isDigit(c) || c == '.') {
            putNameByte(c, length, tooLong);
            continue;
        }
        if (c >= 0x80 && takeWideLetter(c, length, tooLong) > 0) continue;
        unGetChar(c);
        return true;
    }
}

Tok Lexer::scanName(int first) {
    std::size_t length = 0;
    bool tooLong = false;
    if (first < 0x80) {
        putNameByte(first, length, tooLong);
    } else if (takeWideLetter(first, length, tooLong) == 0) {
        return charToken(static_cast<char>(first));
    }
    if (!collectName(length, tooLong)) return lexError(msg::kEofDetected);
    if (tooLong) return lexError(msg::kStringTooLong);
    const std::string_view name(name_.data(), length);
    int s = symbols_.lookup(name);
    if (s == SymbolTable::kNone) {
        s = symbols_.install(name, Tok::Undefined, 0.0f);
        if (s == SymbolTable::kNone) return Tok::Error;
    }
    symbol_ = s;
    number_ = symbols_[s].value;
    exactNumber_ = number_;
    return symbols_[s].kind;
}

Tok Lexer::scanRecordName() {
    std::size_t length = 0;
    bool tooLong = false;
    if (!collectName(length, tooLong)) return lexError(msg::kEofDetected);
    if (tooLong) return lexError(msg::kStringTooLong);
    symbol_ = SymbolTable::kNone;
    number_ = 0.0f;
    Tok kind = Tok::Undefined;
    int index = 0;
    if (records_ != nullptr &&
        records_->findRecordByName(std::string_view(name_.data(), length), kind, index)) {
        number_ = static_cast<float>(index);
        return kind;
    }
    return Tok::Undefined;
}

Tok Lexer::scanNumber(int c) {
    std::size_t length = 0;
    while (isNumberChar(c)) {
        // Only the leading decimal number counts, so text past the work area can go.
        if (length + 1 < name_.size()) name_[length++] = static_cast<char>(c);
        c = getChar();
    }
    unGetChar(c);
    double value = 0.0;
    const char* end = name_.data() + length;
    const auto [ptr, ec] = std::from_chars(name_.data(), end, value);
    if (ec == std::errc::result_out_of_range) {
        // Too large overflows to infinity, too small underflows to zero, as strtod does.
        const std::string_view parsed(name_.data(), static_cast<std::size_t>(ptr - name_.data()));
        const std::size_t e = parsed.find('e');
        const bool tiny =
            e != std::string_view::npos && e + 1 < parsed.size() && parsed[e + 1] == '-';
        value = tiny ? 0.0 : HUGE_VAL;
    }
    exactNumber_ = value;
    number_ = static_cast<float>(value);
    symbol_ = SymbolTable::kNone;
    return Tok::Number;
}

Tok Lexer::scanString() {
    bufferLength_ = 0;
    for (;;) {
        const int c = getChar();
        if (c == -1) return lexError(msg::kEofDetected);
        if (c == '"') break;
        if (c == '\n') {
            unGetChar(c);  // the newline also ends the statement
            break;
        }
        if (bufferLength_ >= kMaxStringLiteral) return lexError(msg::kStringTooLong);
        buffer_[bufferLength_++] = static_cast<char>(c);
    }
    buffer_[bufferLength_] = '\0';
    return Tok::String;
}

Tok Lexer::scanBrace() {
    bufferLength_ = 0;
    for (;;) {
        const int c = getChar();
        if (c == -1) return lexError(msg::kEofDetected);
        if (c == '}') break;
        if (c == '{') return lexError(msg::kNestedBrace);
        if (bufferLength_ + 1 >= buffer_.size()) return lexError(msg::kStringTooLong);
        buffer_[bufferLength_++] = static_cast<char>(c);
    }
    buffer_[bufferLength_] = '\0';
    return Tok::Brace;
}

Tok Lexer::getToken() {
    int c = getChar();
    while (isBlank(c)) c = getChar();
    if (c == -1) {
        fallBackToConsole();
        return Tok::Eof;
    }
    if (c == '\n') {
        source_.atLineStart = true;
        return Tok::End;
    }
    source_.atLineStart = false;
    if (isLetter(c) || c == '#' || c >= 0x80) return scanName(c);
    if (isDigit(c) || c == '.') return scanNumber(c);
    switch (c) {
        case '@':
            return scanRecordName();
        case ';':
            return Tok::End;
        case '\'':
            skipToLineEnd();
            return Tok::End;
        case '"':
            return scanString();
        case '{':
            return scanBrace();
        default:
            break;
    }
    for (const OperatorPair& op : kOperators) {
        if (op.first != c) continue;
        const int next = getChar();
        if (next == '=') return op.withEqual;
        unGetChar(next);
        return op.single;
    }
    const int next = getChar();
    switch (c) {
        case '<':
            if (next == '=') return Tok::LessEqual;
            if (next == '<') return Tok::ShiftLeft;
            break;
        case '&':
            if (next == '&') return Tok::And;
            break;
        case '|':
            if (next == '|') return Tok::Or;
            break;
        case ':':
            if (next == 'x') return Tok::SelectX;
            if (next == 'y') return Tok::SelectY;
            if (next == 'z') return Tok::SelectZ;
            if (next == '=') return Tok::Define;
            break;
        default:
            break;
    }
    unGetChar(next);
    if (c == '<') return Tok::Less;
    return charToken(static_cast<char>(c));
}

}  // namespace rz::script
