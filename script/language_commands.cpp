#include "script/language_commands.hpp"
#include <algorithm>

#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <span>

#include "platform/input_file.hpp"
#include "script/arguments.hpp"
#include "script/command_table.hpp"
#include "script/expression.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::script {
namespace {

constexpr std::string_view kNotSupported =
    "\n **　すんまへん、まだサポートできてまへん・・・　** \n";
constexpr const char* kNumberingOff = "\n ** 以降の ﾃﾞｰﾀﾌｧｲﾙ から、番号付けを解除します **\n";
constexpr std::string_view kNewExecDetail = " ... in newExecSub()\n";
constexpr std::size_t kPrintLine = 1024;
constexpr std::size_t kPrintShown = 255;

// A file name copied out of the token buffer before the next token overwrites it.
using PathBuffer = std::array<char, 4096>;

void copyPath(PathBuffer& dst, std::string_view src) {
    const std::size_t n = std::min(src.size(), dst.size() - 1);
    std::copy_n(src.data(), n, dst.data());
    dst[n] = '\0';
}

// A literal for let: a number or named constant, optionally after one "-".
Result signedLiteral(Interp& in, double& out) {
    Tok t = in.next();
    const bool negate = t == Tok::Minus;
    if (negate) t = in.next();
    if (t != Tok::Number && t != Tok::Constant) return failSkip(in, msg::kConstantOnly);
    out = negate ? -in.lex.exactNumber() : in.lex.exactNumber();
    return kOk;
}

Result endOfStatement(Interp& in) {
    return expectEnd(in) == kOk ? kOk : failSkipQuiet(in);
}

Result letScalar(Interp& in, int s) {
    double v = 0;
    if (signedLiteral(in, v) != kOk) return kFail;
    if (endOfStatement(in) != kOk) return kFail;
    in.sym.scalar(s) = static_cast<float>(v);
    return kOk;
}

Result letVector(Interp& in, int s) {
    Vec3 v{};
    for (float& c : v) {
        double d = 0;
        if (signedLiteral(in, d) != kOk) return kFail;
        c = static_cast<float>(d);
    }
    if (endOfStatement(in) != kOk) return kFail;
    in.sym.vector(s) = v;
    return kOk;
}

Result letMatrix(Interp& in, int s) {
    Mat4& m = in.sym.matrix(s);
    for (int row = 0; row < 4; ++row) {
        std::array<double, 4> values{};
        for (double& v : values)
            if (signedLiteral(in, v) != kOk) return kFail;
        if (endOfStatement(in) != kOk) return kFail;
        std::copy(values.begin(), values.end(), m.begin() + row * 4);
    }
    return kOk;
}

Result letString(Interp& in, int s) {
    if (in.next() != Tok::String) return failSkip(in, msg::kBadParam);
    PathBuffer text;
    copyPath(text, in.lex.text());
    if (endOfStatement(in) != kOk) return kFail;
    in.sym.setStringText(s, text.data());
    return kOk;
}

// The line print composes; items past its capacity are cut.
struct Line {
    std::array<char, kPrintLine> text{};
    std::size_t length = 0;

    void append(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        const std::size_t room = text.size() - length;
        va_list args;
        va_start(args, format);
        const int n = std::vsnprintf(text.data() + length, room, format, args);
        va_end(args);
        if (n > 0) length = std::min(length + static_cast<std::size_t>(n), text.size() - 1);
    }
    void appendText(std::string_view s) { append("%.*s", static_cast<int>(s.size()), s.data()); }
};

float variable(Interp& in, std::string_view name) {
    const int s = in.sym.lookup(name);
    return s != SymbolTable::kNone && in.sym[s].kind == Tok::Scalar ? in.sym.scalar(s) : 0.0f;
}

Vec3 vectorVariable(Interp& in, std::string_view name) {
    const int s = in.sym.lookup(name);
    return s != SymbolTable::kNone && in.sym[s].kind == Tok::Vector ? in.sym.vector(s) : Vec3{};
}

}  // namespace

static Result cmdLet(Interp& in) {
    const Tok t = in.next();
    const int s = in.lex.symbol();
    switch (t) {
        case Tok::Scalar:
            return letScalar(in, s);
        case Tok::Vector:
            return letVector(in, s);
        case Tok::Matrix:
            return letMatrix(in, s);
        case Tok::StringVar:
            return letString(in, s);
        default:
            return failSkip(in, msg::kBadVariableType);
    }
}

static Result cmdPrint(Interp& in) {
    Line line;
    in.next();
    for (;;) {
        switch (in.cur) {
            case Tok::String:
                line.appendText(in.lex.text());
                in.next();
                break;
            case Tok::StringVar:
                line.appendText(in.sym.stringText(in.lex.symbol()));
                in.next();
                break;
            case Tok::Vector: {
                const Vec3& v = in.sym.vector(in.lex.symbol());
                line.append(" ( %f %f %f )", static_cast<double>(v[0]), static_cast<double>(v[1]),
                            static_cast<double>(v[2]));
                in.next();
                break;
            }
            default:
                in.values.reset();
                if (expression(in) != kOk) return failSkipQuiet(in);
                line.append(" %f", static_cast<double>(in.values.pop()));
                break;
        }
        if (in.cur == Tok::End || in.cur == Tok::Eof) break;
        if (in.cur != Tok::Comma) return failSkip(in, msg::kBadSeparator);
        in.next();
    }
    line.append("\n");
    in.msg.setBuffer(std::string_view(line.text.data(), std::min(line.length, kPrintShown)));
    in.msg.statusBuffer();
    return kOk;
}

static Result cmdParam(Interp& in) {
    if (noArguments(in) != kOk) return kFail;
    const auto d = [](float f) { return static_cast<double>(f); };
    const Vec3 cpos = vectorVariable(in, "c.pos");
    const Vec3 ctar = vectorVariable(in, "c.tar");
    const Vec3 crot = vectorVariable(in, "c.rot");
    const Vec3 lpos = vectorVariable(in, "l.pos");
    const Vec3 ltar = vectorVariable(in, "l.tar");
    const Vec3 lrgb = vectorVariable(in, "l.rgb");
    const Vec3 argb = vectorVariable(in, "a.rgb");
    const Vec3 aprg = vectorVariable(in, "a.prg");
    auto& m = in.msg;
    m.formatBuffer("*****  viewing & lighting parameter  *****\n\n");
    m.appendBuffer("view  position:  %9.2f %9.2f %9.2f\n", d(cpos[0]), d(cpos[1]), d(cpos[2]));
    m.appendBuffer("      target:    %9.2f %9.2f %9.2f\n", d(ctar[0]), d(ctar[1]), d(ctar[2]));
    m.appendBuffer("      rotate:    %9.2f %9.2f %9.2f\n", d(crot[0]), d(crot[1]), d(crot[2]));
    m.appendBuffer("      screen:    %9.6f  zoom: %6.2f\n\n", d(variable(in, "c.scrn")),
                   d(variable(in, "c.zoom")));
    m.appendBuffer("light no. (%3d ) / kind no. (%3d ) / gain: %9.5f\n",
                   static_cast<int>(variable(in, "l.point")),
                   static_cast<int>(variable(in, "l.kind")), d(variable(in, "l.gain")));
    m.appendBuffer("      position:  %9.2f %9.2f %9.2f\n", d(lpos[0]), d(lpos[1]), d(lpos[2]));
    m.appendBuffer("      target:    %9.2f %9.2f %9.2f\n\n", d(ltar[0]), d(ltar[1]), d(ltar[2]));
    m.appendBuffer(" l.color (rgb):  %9.7f %9.7f %9.7f\n\n", d(lrgb[0]), d(lrgb[1]), d(lrgb[2]));
    m.appendBuffer("model diffuse:   %9.7f   ambient:\t%9.7f\n", d(variable(in, "diffuse")),
                   d(variable(in, "ambient")));
    m.appendBuffer("      polish:    %9.7f   p.size: \t%9.7f\n\n", d(variable(in, "p.specl")),
                   d(variable(in, "p.spex")));
    m.appendBuffer(" a.color (rgb):  %9.7f %9.7f %9.7f\n", d(argb[0]), d(argb[1]), d(argb[2]));
    m.appendBuffer(" a.light (rgb):  %9.7f %9.7f %9.7f\n\n", d(aprg[0]), d(aprg[1]), d(aprg[2]));
    m.appendBuffer("drawing mode ( 0-3 ) %d\n\n", static_cast<int>(in.drawMode));
    m.systemBox();
    return kOk;
}

static Result cmdVersion(Interp& in) {
    if (noArguments(in) != kOk) return kFail;
    in.msg.formatBuffer(
        "***  About 'RIDA' system  ***\n\n"
        "  RIZO4R family: RIDA\n"
        "  a modelling and rendering system driven by its own command language\n"
        "  by the Rovora workstation team\n"
        "  Version: 1.0 alpha-2 ( for PC-AT ) \n"
        "  Rerease: 1994 / 03 / 03 \n\n"
        "\nマウスのボタンをクリックすると、元に戻ります。\n");
    in.msg.systemBox();
    return kOk;
}

static Result cmdNop(Interp& in) {
    return noArguments(in);
}

static Result cmdNosupport(Interp& in) {
    if (noArguments(in) != kOk) return kFail;
    in.msg.statusText(kNotSupported);
    return kOk;
}

Result notBuiltNosupport(Interp& in) {
    for (Tok t = in.next(); t != Tok::End && t != Tok::Eof; t = in.next()) {
    }
    in.msg.statusText(kNotSupported);
    return kOk;
}

static Result cmdExec(Interp& in) {
    std::string_view name;
    if (!textArgument(in, name)) return fail(in, msg::kTypeCorrectly);
    PathBuffer path;
    copyPath(path, name);
    if (expectEnd(in) != kOk) return kFail;
    platform::InputFile file;
    if (!file.open(path.data())) return fail(in, msg::kFileNotFound);
    // A statement that failed inside the file has been reported there; exec itself did run.
    static_cast<void>(execFileStream(in, file));
    return kOk;
}

static Result cmdNewexec(Interp& in) {
    std::string_view name;
    if (!textArgument(in, name)) return fail(in, msg::kTypeCorrectly);
    PathBuffer path;
    copyPath(path, name);
    int count = 1;
    switch (in.next()) {
        case Tok::End:
        case Tok::Eof:
            break;
        case Tok::Scalar:
            in.values.reset();
            in.values.push(in.sym.scalar(in.lex.symbol()));
            count = popInteger(in);
            if (endOfStatement(in) != kOk) return kFail;
            break;
        case Tok::Comma: {
            float v = 0;
            if (literalNumber(in, v, true) != kOk) return kFail;
            in.values.reset();
            in.values.push(v);
            count = popInteger(in);
            if (endOfStatement(in) != kOk) return kFail;
            break;
        }
        default:
            return failSkip(in, msg::kBadSeparator);
    }
    return newExecSub(in, path.data(), count);
}

Result newExecSub(Interp& in, const char* path, int count) {
    const auto failWith = [&](std::string_view message) {
        std::array<char, 256> text{};
        std::snprintf(text.data(), text.size(), "%.*s%.*s", static_cast<int>(message.size()),
                      message.data(), static_cast<int>(kNewExecDetail.size()),
                      kNewExecDetail.data());
        return fail(in, text.data());
    };
    if (count < 1) return failWith(msg::kValueNotCorrect);
    const std::size_t start = in.scriptUsed;
    platform::InputFile file;
    if (!file.open(path)) return failWith(msg::kFileNotFound);
    if (in.newexecDepth >= Interp::kNewexecDepth) return failWith(msg::kAllocFailed);
    const SymbolMark mark = in.sym.mark();
    // The last byte of the buffer is kept for the terminating NUL of a full load.
    const std::size_t limit = in.scriptBuffer.size() - 1;
    std::size_t used = start;
    for (int c = file.get(); c != -1; c = file.get()) {
        if (used >= limit) return failWith(msg::kAllocFailed);
        in.scriptBuffer[used++] = static_cast<char>(c);
    }
    in.scriptBuffer[used++] = '\0';
    in.scriptUsed = used;
    in.newexecRecords[in.newexecDepth++] = {start, used};
    // Every run goes ahead: a failure in one has been reported and ends only that run.
    for (int i = 0; i < count; ++i)
        static_cast<void>(execStringSource(in, in.scriptBuffer.data() + start));
    --in.newexecDepth;
    in.scriptUsed = start;
    in.sym.rollback(mark);
    return kOk;
}

static Result cmdSetnum(Interp& in) {
    int n = 0;
    if (lastIntExpression(in, n) != kOk) return kFail;
    in.fileNumberSuffix = n;
    if (n < 0) {
        in.msg.formatBuffer("%s", kNumberingOff);
    } else {
        in.msg.formatBuffer("\n ** 以降の ﾃﾞｰﾀﾌｧｲﾙ には、%d が付加されます **\n", n);
    }
    in.msg.statusBuffer();
    return kOk;
}

static Result cmdResetnum(Interp& in) {
    if (noArguments(in) != kOk) return kFail;
    in.fileNumberSuffix = -1;
    in.msg.formatBuffer("%s", kNumberingOff);
    in.msg.statusBuffer();
    return kOk;
}

static Result cmdExpand(Interp& in) {
    PathBuffer text{};
    switch (in.next()) {
        case Tok::Number:
        case Tok::Constant:
            if (in.lex.number() != 0.0f) return failSkip(in, msg::kBadParam);
            break;
        case Tok::String:
        case Tok::StringVar: {
            std::string_view t =
                in.cur == Tok::String ? in.lex.text() : in.sym.stringText(in.lex.symbol());
            copyPath(text, t);
            break;
        }
        default:
            return failSkip(in, msg::kBadParam);
    }
    if (endOfStatement(in) != kOk) return kFail;
    in.sym.setSlotText(SymbolTable::kForcedExtensionSlot, text.data());
    return kOk;
}

namespace {
const std::array<CommandRow, 12> kCommands{{
    {"dummy", cmdNop},  // the statement command
    {"print", cmdPrint},
    {"nop", cmdNop},
    {"nosupport", cmdNosupport},
    {"param", cmdParam},
    {"version", cmdVersion},
    {"exec", cmdExec},
    {"newexec", cmdNewexec},
    {"setnum", cmdSetnum},
    {"resetnum", cmdResetnum},
    {"expand", cmdExpand},
    {"let", cmdLet},
}};
}  // namespace

std::span<const CommandRow> languageCommands() {
    return kCommands;
}

}  // namespace rz::script
