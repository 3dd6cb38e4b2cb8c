#pragma once
// The texts of the OpenGL preview and its two commands, byte for byte as users know them.

#include <string_view>

namespace rz::render::msg {

inline constexpr std::string_view kGlWireframe = " 線画高速表示モードに設定しました ";
inline constexpr std::string_view kGlDepthWire = " 奥行き表示付き線画高速表示モードに設定しました ";
inline constexpr std::string_view kGlFlat = " 平面塗りつぶし高速表示モードに設定しました ";
inline constexpr std::string_view kGlFlatMap =
    " マップ付き平面塗りつぶし高速表示モードに設定しました ";
inline constexpr std::string_view kGlSmooth = " スムーズ曲面高速表示モードに設定しました ";
inline constexpr std::string_view kGlSmoothMap =
    " マップ付きスムーズ曲面高速表示モードに設定しました ";
inline constexpr std::string_view kGlHalfSize =
    " リアルタイム描画範囲を画面の2分の1に設定しました ";
inline constexpr std::string_view kGlFullSize = " リアルタイム描画範囲を画面全体に設定しました ";
inline constexpr std::string_view kGlBadViewMode = "不正なGLViewmodeです。( DrawGLShape()で発生 )";
inline constexpr std::string_view kGlBlockIdZero =
    "ZIVOZI/D V1B03形状削除によるBlockID=0が見つかりました。（修正済）";

}  // namespace rz::render::msg
