#pragma once
// The texts the geometry operations report, byte for byte as users know them.

#include <string_view>

namespace rz::geometry::msg {

inline constexpr std::string_view kShapeFull = " Shape データ記憶エリアが一杯です！！ ";
inline constexpr std::string_view kPatchFull = " Patch データ記憶エリアが一杯です！！ ";
inline constexpr std::string_view kAxisFull = " Axis データ記憶エリアが一杯です！！ ";
inline constexpr std::string_view kAffineFull = " Affine データ記憶エリアが一杯です！！ ";
inline constexpr std::string_view kZeroOpening = " 形状データ設定角度の開きが０です！ ";
inline constexpr std::string_view kStackOverflow =
    " アフィン変換行列スタックがオーバーフローしました！ ";
inline constexpr std::string_view kStackUnderflow =
    " アフィン変換行列スタックがアンダーフローしました！ ";
inline constexpr std::string_view kCounterNotReached = "SearchShapeID: Counter not reached!!";
inline constexpr std::string_view kInGetBlockAffines = "... in getBlockAffines()";
inline constexpr std::string_view kFlatBlock = " ブロックの大きさが異常です。（平面になってます） ";
inline constexpr std::string_view kPrimitiveUndone = " 形状の確定を無効にします。 ";
// printf format: the capacity of the block store.
inline constexpr const char* kBlockStoreFull =
    "ＥＲＲＯＲ！　パーツブロックは %d 個までしか登録出来ません。 \n";

}  // namespace rz::geometry::msg
