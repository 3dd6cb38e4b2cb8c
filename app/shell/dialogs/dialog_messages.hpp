#pragma once
// The status texts the model dialogs give when there is nothing for them to act on.

#include <string_view>

namespace rz::app::dialog_msg {

inline constexpr std::string_view kNoSelection = " 形状が選択されていません！ \n";
inline constexpr std::string_view kNoPart = " パーツが登録されていません！ \n";
inline constexpr std::string_view kNoJoint = " 関節点が登録されていません！ \n";
inline constexpr std::string_view kNoActor = " 運動モデルが登録されていません！ \n";
inline constexpr std::string_view kSameParts = " 同じパーツは選べません！ \n";
inline constexpr std::string_view kBadName =
    " 名前は１～63バイトで、\" と制御文字は使えません！ \n";
inline constexpr std::string_view kActorsFull = " 運動モデルはこれ以上登録できません！ \n";

}  // namespace rz::app::dialog_msg
