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

// The software renderer.
inline constexpr std::string_view kSplitStackFull = " SPLIT-STACK 格納領域がいっぱいだぁ～！ ";
inline constexpr std::string_view kCountStackFull = " COUNT-STACK 格納領域がいっぱいだぁ～！ ";
inline constexpr std::string_view kCountStackUnderflow =
    " COUNT-STACK 格納領域がアンダーフローだぁ！ ";
inline constexpr std::string_view kBarrierMissing = "BARRIER MARK missing on c_stack!!\n";
inline constexpr std::string_view kMicroStackFull =
    " MICROPOLYGON-STACK 格納領域がいっぱいだぁ～！ ";
inline constexpr const char* kMicroPushFailed = "stack-push %s ERROR! in makeMicroPolygon()\n";
inline constexpr std::string_view kIllegalPolygon = "Illegal POLYGON!! processing aborted!\n";
inline constexpr const char* kScreenCount = "Process screen count: %d / %d\n";
inline constexpr const char* kShapeLayer = "shapes[%d].layer(%d)";
inline constexpr std::string_view kLeftChain = "LEFT\n";
inline constexpr std::string_view kRightChain = "RIGHT\n";
inline constexpr std::string_view kDrawDone = "\n** 描画終了 **\n";
inline constexpr std::string_view kDrawAborted = "\n** 描画中止！ **\n";
inline constexpr std::string_view kModeFast = " 高速レンダリング実行モードに設定しました \n";
inline constexpr std::string_view kModeCheck = " 確認レンダリング実行モードに設定しました \n";
inline constexpr std::string_view kModeFine = " 高品質レンダリング実行モードに設定しました \n";
inline constexpr std::string_view kModeFinish = " 最高品質レンダリング実行モードに設定しました \n";
inline constexpr std::string_view kQualityNormal = "描画出力を３万色で行います。（通常モード）\n";
inline constexpr std::string_view kQualityHigh =
    "描画出力を２０９万色で行います。（高品位モード）\n";
inline constexpr std::string_view kInitRenderWork =
    " ... in InitRender() / [ DB_RenderWork(SDr) ]\n";
inline constexpr std::string_view kInitRenderState = " ... in InitRender() / [ DB_Render(DBr) ]\n";
inline constexpr std::string_view kInitZBuffer = " ... in InitRender() / [ Z-Buffer ]\n";
inline constexpr std::string_view kInitSampleImage = " ... in InitRender() / [ SampleImage ]\n";
inline constexpr std::string_view kInitSample2Image = " ... in InitRender() / [ Sample2Image ]\n";

}  // namespace rz::render::msg
