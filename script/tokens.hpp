#pragma once
// Token kinds. Names resolve to their symbol's kind, so symbol kinds are token kinds too;
// any other single character comes back as its own code.

#include <cstdint>

namespace rz::script {

enum class Tok : std::int32_t {
    Eof = -1,
    Number = 1,
    // Single characters the grammar uses; any other comes back as its own code too.
    LParen = '(',
    RParen = ')',
    Comma = ',',
    LBracket = '[',
    RBracket = ']',
    String = 10,
    Constant = 20,
    Undefined = 99,
    StringVar = 100,
    Scalar = 110,
    Array = 111,
    Vector = 120,
    VectorArray = 121,
    Matrix = 130,
    SelectX = 170,
    SelectY = 171,
    SelectZ = 172,
    ShapeRef = 181,
    BlockRef = 182,
    RigidRef = 183,
    ActorRef = 184,
    Equal = 200,
    NotEqual = 201,
    Less = 202,
    LessEqual = 203,
    Greater = 204,
    GreaterEqual = 205,
    Not = 206,
    And = 207,
    Or = 208,
    ShiftLeft = 210,
    Define = 211,
    Assign = 220,
    AddAssign = 221,
    SubAssign = 222,
    MulAssign = 223,
    DivAssign = 224,
    Brace = 290,
    Plus = 310,
    Minus = 311,
    Times = 312,
    Divide = 313,
    Command = 9000,
    StatementCommand = 9030,
    Marker = 9910,
    End = 9900,
    Error = 9999,
};

// A single character that is its own token: "(", ")", ",", "[", "]", ...
constexpr Tok charToken(char c) {
    return static_cast<Tok>(static_cast<unsigned char>(c));
}

// What every command handler and every step of one returns: success, or failure after the
// failure was reported. The values are the language's own result codes.
enum class [[nodiscard]] Result : int{Ok = 0, Fail = 9999};
inline constexpr Result kOk = Result::Ok;
inline constexpr Result kFail = Result::Fail;

}  // namespace rz::script
