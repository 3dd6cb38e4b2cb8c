#pragma once
// The lexer: tokens on demand from the current character source, names resolved through
// the symbol table while they are scanned.

#include <array>
#include <cstddef>
#include <string_view>

#include "platform/input_file.hpp"
#include "platform/message_service.hpp"
#include "script/symbol_table.hpp"
#include "script/tokens.hpp"

namespace rz::script {

// Resolves "@name" to a record of the model (actors, rigids, blocks, shapes, in that order).
class RecordFinder {
  public:
    virtual ~RecordFinder() = default;
    // The record's token kind (ActorRef ... ShapeRef) and index, or false.
    virtual bool findRecordByName(std::string_view name, Tok& kind, int& index) const = 0;
};

// Everything that says where characters come from; saved and restored around nested runs.
struct SourceState {
    platform::InputFile* stream = nullptr;
    const char* text = nullptr;  // the string source, NUL-terminated; null when none
    std::size_t pos = 0;
    bool atLineStart = true;
};

class Lexer {
  public:
    static constexpr std::size_t kTokenBufferSize = 4096;
    static constexpr std::size_t kNameAreaSize = 1024;
    static constexpr std::size_t kMaxStringLiteral = 255;

    Lexer(SymbolTable& symbols, platform::MessageService& msg);

    Tok getToken();
    int getChar();
    void unGetChar(int c);
    // Discards the rest of the current line, newline included; 0, or -1 at end of input.
    int skipToLineEnd();

    // The value of the last token.
    float number() const { return number_; }
    // A number token's value before it was rounded to float; matrices keep it.
    double exactNumber() const { return exactNumber_; }
    int symbol() const { return symbol_; }
    std::string_view text() const { return {buffer_.data(), bufferLength_}; }

    SourceState save() const { return source_; }
    void restore(const SourceState& s) { source_ = s; }
    // One string source; at its NUL the source stays at its end until restored, so a run
    // never reads past its own text.
    void setStringSource(const char* text) { source_ = {source_.stream, text, 0, true}; }
    void setStream(platform::InputFile* stream) {
        source_ = {stream != nullptr ? stream : &console_, nullptr, 0, true};
    }
    void fallBackToConsole() { source_.stream = &console_; }

    // True when the last character taken was a newline: the rest of that line is empty.
    bool atLineStart() const { return source_.atLineStart; }
    void setLineStart() { source_.atLineStart = true; }

    void setRecordFinder(const RecordFinder* finder) { records_ = finder; }

  private:
    Tok scanName(int first);
    Tok scanRecordName();
    Tok scanNumber(int first);
    Tok scanString();
    Tok scanBrace();
    Tok lexError(std::string_view message);
    // Collects the rest of a name into the work area; false at end of input.
    bool collectName(std::size_t& length, bool& tooLong);
    // Length of the letter that starts with byte c (1 for ASCII, 2 or more for a
    // double-byte or UTF-8 character), its trailing bytes appended to the work area;
    // 0 when c starts no letter of a name.
    std::size_t takeWideLetter(int c, std::size_t& length, bool& tooLong);
    void putNameByte(int c, std::size_t& length, bool& tooLong);

    SymbolTable& symbols_;
    platform::MessageService& msg_;
    const RecordFinder* records_ = nullptr;
    platform::InputFile console_;  // standard input of the core: always at its end
    SourceState source_{&console_, nullptr, 0, true};

    float number_ = 0.0f;
    double exactNumber_ = 0.0;
    int symbol_ = SymbolTable::kNone;
    std::array<char, kTokenBufferSize> buffer_{};
    std::size_t bufferLength_ = 0;
    std::array<char, kNameAreaSize> name_{};
};

// Shift-JIS lead and trail bytes.
constexpr bool isLeadByte(int c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
constexpr bool isTrailByte(int c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

}  // namespace rz::script
