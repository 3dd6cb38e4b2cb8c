#pragma once
// The texts the camera and the views report, byte for byte as users know them.

#include <string_view>

namespace rz::render::msg {

inline constexpr std::string_view kZeroViewVector = " 視線ベクトルが０になってまっせ！！ ";
inline constexpr std::string_view kCameraSetDone = "*** Camera Variables Setting Complete! ***";
inline constexpr std::string_view kAutoviewDone = "** Camera Auto-view-adjusting complete! **";
inline constexpr std::string_view kNeedWindowEnvironment =
    " ３Ｄウィンドゥ環境下でなければ使えません！ ";
inline constexpr std::string_view kBadDrawMode =
    " モードが不正です！（dmode は WIRE(0) か QUICK(1)です）";
inline constexpr std::string_view kProcessDone = "** 処理終了！ ** \n";
inline constexpr std::string_view kBadTextureId = "テクスチャＩＤが設定範囲外です。";
inline constexpr std::string_view kTextureBufferOverflow =
    "テクスチャバッファ・オーバーフローです。（処理中断）";
inline constexpr std::string_view kHitAnyKey = "Hit Any Key & Mouse-Button, then return.";
inline constexpr std::string_view kInCPosFix = "in c_pos_fix_";
inline constexpr std::string_view kInCTarFix = "in c_tar_fix_";
inline constexpr std::string_view kInLPosFix = "in l_pos_fix_";
inline constexpr std::string_view kInLTarFix = "in l_tar_fix_";

}  // namespace rz::render::msg
