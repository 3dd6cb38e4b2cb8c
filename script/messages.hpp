#pragma once
// The language's own error texts, shared by the interpreter and every command handler.

#include <string_view>

namespace rz::script::msg {

inline constexpr std::string_view kTooManyParams = " パラメータが多すぎます！ ";
inline constexpr std::string_view kBadParam = " パラメータが不正です！ ";
inline constexpr std::string_view kTypeCorrectly = " 正しく入力してね。ミスしてるよっ！ ";
inline constexpr std::string_view kBadSeparator =
    " 不正なセパレータを使用しました！ ','を使用して下さい ";
inline constexpr std::string_view kValueNotCorrect = " 設定された「値」が正しくありません！ ";
inline constexpr std::string_view kFileNotFound = " ファイルが見つかりませ～ん！ ";
inline constexpr std::string_view kBadVariableType = " 不正な変数（型）を使用しましたねっ！ ";
inline constexpr std::string_view kConstantOnly =
    " そこは「定数(constant)」しか使えないんだ・・・ ";
inline constexpr std::string_view kSubOnly = " '.sub' ファイルでしか実行できないんです～。 ";
inline constexpr std::string_view kRunFailed = "ERROR Occured! in execution.";
inline constexpr std::string_view kAllocFailed = " メモリ領域の「確保」に失敗しました！ ";
inline constexpr std::string_view kEofDetected = " ＥＯＦが検出されました！ ";
inline constexpr std::string_view kStringTooLong = " 文字列が長すぎます！（２５５文字までっ！） ";
inline constexpr std::string_view kNestedBrace = "'{' をそこで使うんぢゃないよっ！ ";
inline constexpr std::string_view kSymbolOverflow = " シンボル登録領域がオーバーフローしました！ ";
inline constexpr std::string_view kNameAreaFull = " シンボル名格納領域がいっぱいだぁ～！ ";
inline constexpr std::string_view kVtxOverflow = " VTX変数登録領域がオーバーフローしました！ ";
inline constexpr std::string_view kMatOverflow = " MAT変数登録領域がオーバーフローしました！ ";
inline constexpr std::string_view kVarOverflow = " var 配列変数登録領域がオーバーフローしました！ ";
inline constexpr std::string_view kBadIdentifier = " 不正な識別子を定義に使用しましたねっ！！ ";
inline constexpr std::string_view kBadArray = " 不正な配列変数です！ ";
inline constexpr std::string_view kNoOpenBracket = "'[' が見当たらないよ～！ ";
inline constexpr std::string_view kNoCloseBracket = "']' が見当たらないよ～！ ";
inline constexpr std::string_view kNoOpenParen = "'(' が見当たらないよ～！ ";
inline constexpr std::string_view kNoCloseParen = "')' が見当たらないよ～！ ";
inline constexpr std::string_view kInterrupted = "\n** Interrupted **\n";
inline constexpr std::string_view kIndexOutOfRange = " 配列引数の値が範囲をオーバーしてるよ！ ";
inline constexpr std::string_view kNotSupported =
    "\n **　すんまへん、まだサポートできてまへん・・・　** \n";

}  // namespace rz::script::msg
