#pragma once
// The texts the geometry operations report, byte for byte as users know them.

#include <string_view>

#include "db/capacity.hpp"

namespace rz::geometry::msg {

using db::msg::kAffineFull;
using db::msg::kAxisFull;
using db::msg::kPatchFull;
using db::msg::kShapeFull;
inline constexpr std::string_view kZeroOpening = " 形状データ設定角度の開きが０です！ ";
inline constexpr std::string_view kStackOverflow =
    " アフィン変換行列スタックがオーバーフローしました！ ";
inline constexpr std::string_view kStackUnderflow =
    " アフィン変換行列スタックがアンダーフローしました！ ";
inline constexpr std::string_view kCounterNotReached = "SearchShapeID: Counter not reached!!";
inline constexpr std::string_view kInGetBlockAffines = "... in getBlockAffines()";
inline constexpr std::string_view kFlatBlock = " ブロックの大きさが異常です。（平面になってます） ";
inline constexpr std::string_view kPrimitiveUndone = " 形状の確定を無効にします。 ";
inline constexpr std::string_view kBboxDone = "BBOX Generation complete!";
inline constexpr std::string_view kAboxDone = " ＡＢＯＸデータ生成完了！ ";
inline constexpr std::string_view kBlockBboxDone = "BlockBBOX Generation complete!";
inline constexpr std::string_view kFastLines = "高速線描画モードを設定しました。 \n";
inline constexpr std::string_view kDenseLines = "高密度線描画モードを設定しました。 \n";
// printf format: the capacity of the block store.
inline constexpr const char* kBlockStoreFull =
    "ＥＲＲＯＲ！　パーツブロックは %d 個までしか登録出来ません。 \n";

}  // namespace rz::geometry::msg
