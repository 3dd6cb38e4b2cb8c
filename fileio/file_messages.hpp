#pragma once
// The texts the file commands report, byte for byte as users of the system know them.

#include <string_view>

namespace rz::fileio::msg {

inline constexpr std::string_view kNameTooLong =
    " ファイル名が長すぎるよーん。（１２文字以内でねっ）";
inline constexpr std::string_view kInMakeName = " ... in MakeName() => ";
inline constexpr std::string_view kWrongExtension =
    " 設定された「拡張子」と違うものが使われています！！ ";
inline constexpr std::string_view kCannotOpenWrite = " ファイルが開かないよ！ ";
inline constexpr std::string_view kNoTextureData = " テクスチャデータが見つからないよ！ ";
inline constexpr std::string_view kWriteError = " ・・・ファイル書き込みがおかしいよーん！！ ";
inline constexpr std::string_view kReadError = " ・・・ファイル読み込みがおかしいよーん！！ ";
inline constexpr std::string_view kUnsupportedFormat = " このファイル形式はサポートしてないよ！ ";
inline constexpr std::string_view kPoseCountMismatch =
    "読み込むデータと更新するデータのレコード数が一致しません！";
inline constexpr std::string_view kMapdataOverflow =
    " マッピング画像データ記憶域がオーバーフローだぁ！ \n";
inline constexpr std::string_view kTextureOverflow =
    " テクスチャ画像データ記憶域がオーバーフローだぁ！ \n";
inline constexpr std::string_view kNotBuilt =
    "\n **　すんまへん、まだサポートできてまへん・・・　** \n";

inline constexpr std::string_view kUnknownImageFormat = " よう知らん画像データファイル形式だす! ";
inline constexpr std::string_view kOutsideScreen = "スクリーン範囲外の画面範囲設定です。";

inline constexpr std::string_view kInRead = " ... in read_() \n";
// The picture commands' argument detail, and the lines the file name follows.
inline constexpr std::string_view kInReadPicture = " ... in read_()\n";
inline constexpr const char* kInPicload = " ... in picload => %s";
inline constexpr const char* kInPicsave = " ... in picsave => %s";
inline constexpr const char* kInTiffsave16 = " ... in tiffsave16 => %s";
inline constexpr std::string_view kInWrite = " ... in write_() \n";

// Status lines.
inline constexpr const char* kSaveDone = "** 保存終了 **\n";
inline constexpr const char* kReadDone = "** 読み込み終了 **\n";
inline constexpr const char* kSavingTexture = "** テクスチャ画像データ ( %s ) を保存します **\n";
inline constexpr const char* kReadingTexture = "** テクスチャ画像データ ( %s ) を読み込みます **\n";

}  // namespace rz::fileio::msg
