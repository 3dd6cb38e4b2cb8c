#include "app/shell/command_table.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/shell/dialogs/model_records.hpp"
#include "app/shell/external_tools.hpp"
#include "app/shell/main_window.hpp"
#include "render/pane_layout.hpp"
#include "render/view_repaint.hpp"
#include "script/language_symbols.hpp"

namespace rz::app {
namespace {

using enum FileFlow;
using enum MouseMode;

constexpr const char* kRedraw = "winclear; wire; ";
constexpr const char* kRedrawShort = "winclear; wire;";
constexpr const char* kPartsWire = "draw L.ACTIVE, N.WIRE; initlayer;";
constexpr const char* kHelpFile = "rovora_z.hlp";
constexpr const char* kHelpViewer = "xdg-open";

// The primitive buttons: PRIM.K with the ratio R and the division D.
struct Primitive {
    int id;
    const char* kind;
    const char* ratio;
    const char* division;
};
constexpr std::array<Primitive, 16> kPrimitives{{
    {501, "BALL1", "1", "div"},
    {502, "BALL8", "1", "div"},
    {503, "CYL1", "1", "div"},
    {504, "CYL4", "1", "div"},
    {505, "CORN1", "1", "div"},
    {506, "CORN4", "1", "div"},
    {507, "CYL4", "1", "1"},
    {509, "BOX3", "1", "div"},
    {510, "TORUS1", "t.ratio", "div"},
    {511, "TORUS4", "t.ratio", "div"},
    {512, "T1TORUS1", "t.ratio", "div"},
    {513, "T1TORUS4", "t.ratio", "div"},
    {514, "T2TORUS1", "t.ratio", "div"},
    {515, "T2TORUS4", "t.ratio", "div"},
    {516, "GRIDPLANE", "1", "div"},
    {517, "BALL4", "1", "div"},
}};

void createPrimitive(MainWindow& w, int id) {
    const auto* p = std::ranges::find(kPrimitives, id, &Primitive::id);
    if (p == kPrimitives.end()) return;
    std::array<char, 256> statement{};
    std::snprintf(statement.data(), statement.size(),
                  "b.cursor.code = PRIM.%s; draw L.ACTIVE, N.WIRE; initlayer; set.primitive "
                  "box.s, box.e, %s, %s, direc, futa; wire L.ACTIVE; ",
                  p->kind, p->ratio, p->division);
    w.run(statement.data());
}

int stringSlot() {
    return script::kStringVariables[0].slot;  // #STRING
}

void newModel(MainWindow& w, int) {
    w.toolWindows().send(ToolWindow::Selection, cmd::kRefreshSelectionList);
    w.toolWindows().send(ToolWindow::Material, cmd::kRefreshMaterialList);
    w.toolWindows().send(ToolWindow::Mapping, cmd::kRefreshMappingList);
    w.markSaved();
}

// Without a file name yet this is the save-as flow. A cancelled dialog saved nothing, so the
// model stays marked as changed.
void overwriteSave(MainWindow& w, int) {
    script::SymbolTable& sym = w.workstation().interp.sym;
    const int slot = stringSlot();
    if (sym.slotText(slot).empty()) {
        if (!w.openFileFlow(ModelSave)) return;
    } else {
        const auto& name = w.workstation().db.modelFileName;
        sym.setSlotText(slot, std::string_view(name.data(), strnlen(name.data(), name.size())));
        w.run("write #STRING; ");
    }
    w.markSaved();
}

void saveAs(MainWindow& w, int) {
    if (w.openFileFlow(ModelSave)) w.markSaved();
}

void closeWindow(MainWindow& w, int) {
    w.close();
}

void toggleSelectionWindow(MainWindow& w, int id) {
    w.toggleToolWindow(ToolWindow::Selection, id);
}
void toggleMaterialWindow(MainWindow& w, int id) {
    w.toggleToolWindow(ToolWindow::Material, id);
}
void toggleMappingWindow(MainWindow& w, int id) {
    w.toggleToolWindow(ToolWindow::Mapping, id);
}
void toggleCameraWindow(MainWindow& w, int id) {
    w.toggleToolWindow(ToolWindow::Camera, id);
}
void toggleLightWindow(MainWindow& w, int id) {
    w.toggleToolWindow(ToolWindow::Light, id);
}

void relayoutViews(MainWindow& w, int) {
    render::layoutViews(w.workstation().views, w.workstation().interp);
    w.run("wire;");
}

// The item is checked while the fast (undetailed) wireframe is on.
void toggleWireDetail(MainWindow& w, int id) {
    const bool detailed = w.workstation().db.boxCursor.wireDetail;
    w.menus().setChecked(id, detailed);
    w.run(detailed ? "wire.detail OFF; winclear; wire; " : "wire.detail ON;  winclear; wire; ");
}

void realTimeOn(MainWindow& w, int) {
    w.setRealTime(true);
}

void realTimeOff(MainWindow& w, int) {
    w.setRealTime(false);
    render::layoutViews(w.workstation().views, w.workstation().interp);
    w.run("wire;");
}

void openHelp(MainWindow& w, int) {
    w.dialogs().startDetached(kHelpViewer, {kHelpFile});
}

void externalCad(MainWindow& w, int) {
    startExternalCad(w);
}

void vrmlViewer(MainWindow& w, int) {
    viewVrml(w, w.workstation().settings.vrmlViewer);
}

void chooseLight(MainWindow& w, int id) {
    w.run("set.lightno l.max; ");
    w.openDialog(18, id);
    w.run("num.light l.point; ");
    w.openDialog(17, id);
    w.run(kRedrawShort);
}

void chooseMaterial(MainWindow& w, int id) {
    w.run("set.atrcount atr.max; ");
    w.openDialog(14, id);
    w.run("num.atr atr.point; ");
    w.openDialog(27, id);
    w.redrawViews();
}

void chooseMapping(MainWindow& w, int id) {
    w.run("set.micount mapinfo.max; ");
    w.openDialog(31, id);
    w.run("num.mapinfo mi.point; ");
    w.openDialog(30, id);
    w.redrawViews();
}

void reportDone(MainWindow& w, const char* text) {
    w.redrawViews();
    platform::MessageService& msg = w.workstation().msg;
    msg.setBuffer(text);
    msg.infoBox();
}
void materialLinked(MainWindow& w, int) {
    reportDone(w,
               "選択形状への色質感データの設定が完了しました。\nテストレンダリングを実行して確認"
               "して見て下さい。");
}
void materialDeleted(MainWindow& w, int) {
    reportDone(w,
               "選択された色質感データの削除が完了しました。\nテストレンダリングを実行して確認"
               "して見て下さい。");
}
void mappingLinked(MainWindow& w, int) {
    reportDone(w,
               "選択形状へのマッピングデータの設定が完了しました。\nテストレンダリングを実行して"
               "確認して見て下さい。");
}
void mappingDeleted(MainWindow& w, int) {
    reportDone(w,
               "選択されたマッピングデータの削除が完了しました。\nテストレンダリングを実行して"
               "確認して見て下さい。");
}

// The list the selection or point-edit window shows decides which record the step lands on.
void toSelectionWindow(MainWindow& w, int id) {
    w.toolWindows().send(ToolWindow::Selection, id);
}
// The part chosen in the selection window's list (which has made it the current block)
// becomes the active one.
void activateListedPart(MainWindow& w, int) {
    const db::Database& db = w.workstation().db;
    const std::array<int, 1> part{db.currentBlock};
    const std::string s =
        "set.layer L.NORMAL; " + selectPartsStatements(db, part) + "winclear; wire; ";
    w.run(s.c_str());
}

void toPointEditWindow(MainWindow& w, int id) {
    w.pointEditing().command(id);
}

void startPointEditing(MainWindow& w, int) {
    w.beginPointEditing();
}
void endPointEditing(MainWindow& w, int id) {
    w.pointEditing().command(id);
    w.endPointEditing();
}

void showStatusText(MainWindow& w, int) {
    w.repaintStatus();
}
void repaintFrames(MainWindow& w, int) {
    render::repaint(w.workstation().views, w.workstation().interp, render::kWindyDraw);
    w.view().update();
}
void viewsDrawn(MainWindow& w, int) {
    w.showDrawnViews();
}

// The views were drawn whole again: no pane holds the XOR cursor any more.
void resetViewCursor(MainWindow& w, int) {
    w.workstation().threads.stopViews();
    w.workstation().views.cursor.inPane.fill(false);
    w.showDrawnViews();
}

constexpr const char* kTranslate =
    "draw L.ACTIVE, G.ABOX; abox2block;grid.center = ( box.s:x, "
    "box.s:y, box.s:z ); trans.block; ";
constexpr const char* kTranslateCopy =
    "draw L.ACTIVE, G.ABOX; abox2block;grid.center = ( "
    "box.s:x, box.s:y, box.s:z ); transcopy.block; ";
constexpr const char* kScale =
    "draw L.ACTIVE, G.ABOX; center.backup; abox2block; center ( box.s:x, box.s:y, box.s:z "
    ");grid.center = ( box.s:x, box.s:y, box.s:z ); scale.block; ";
constexpr const char* kActorTranslate =
    "initlayer; rigid.bbox; abox2block;grid.center = ( "
    "box.s:x, box.s:y, box.s:z ); trans.actor; ";
constexpr const char* kPartTranslate =
    "draw L.ACTIVE, G.ABOX; abox2block;grid.center = ( box.s:x, box.s:y, box.s:z ); winclear; "
    "wire; trans.parts; ";
constexpr const char* kRender =
    "cinit CBUF.FILL, cbuf.color.v; drawmode FULL; draw.thread; "
    "drawmode WIRE; mag.image 2, img.s.left, img.s.top, img.s.right, "
    "img.s.bottom;";
constexpr const char* kRenderFine =
    "cinit CBUF.FILL, cbuf.color.v; drawmode FINE; draw.thread; drawmode WIRE; ";
constexpr const char* kRenderFinish =
    "cinit CBUF.FILL, cbuf.color.v; drawmode FINISH; "
    "draw.thread; drawmode WIRE; draw.thread; ";

constexpr std::uint32_t kFullRender = kHidesToolWindows | kDisablesMenuBar | kShowsImage;
constexpr std::uint32_t kPrimitive = kNeedsInput | kRefreshesSelection | kChangesModel;

// clang-format off
const CommandRow kRows[] = {
    // The main menu bar.
    {.id = 40004, .caption = "新規作成", .before = "modelinit; winclear; ", .handler = newModel},
    {.id = 2001, .caption = "形状データ呼出し(&L)", .flow = ModelOpen, .effects = kRefreshesRecords | kRefreshesSelection | kInputOffDuring | kChangesModel | kUpdatesViewBounds},
    {.id = 40007, .caption = "形状データ上書き(&U)", .handler = overwriteSave},
    {.id = 2002, .caption = "形状データ新規保存(&S)", .handler = saveAs, .effects = kInputOffDuring},
    {.id = 2003, .caption = "形状データ追加(&A)", .flow = ModelAdd, .effects = kRefreshesRecords | kRefreshesSelection | kInputOffDuring | kChangesModel},
    {.id = 213, .caption = "ｶﾒﾗ設定呼出し(&L)", .flow = CameraOpen},
    {.id = 212, .caption = "ｶﾒﾗ設定保存(&S)", .flow = CameraSave},
    {.id = 255, .caption = "光源設定呼出し(&L)", .flow = LightOpen},
    {.id = 254, .caption = "光源設定保存(&S)", .flow = LightSave},
    {.id = 2008, .caption = "DXFデータ呼出し(&L)", .flow = DxfImport, .effects = kRefreshesRecords | kRefreshesSelection | kChangesModel | kUpdatesViewBounds},
    {.id = 2009, .caption = "DXFデータ保存(&S)", .flow = DxfSave},
    {.id = 2011, .caption = "VRMLデータ保存(&S)", .before = "set.vrml.map OFF;", .flow = VrmlSave},
    {.id = 2012, .caption = "VRMLデータ保存(ﾏｯﾌﾟ対応)(&M)", .before = "set.vrml.map ON;", .flow = VrmlSave},
    {.id = 2115, .caption = "スクリプトの実行(&S)", .flow = Script, .effects = kUpdatesViewBounds},
    {.id = 2116, .before = "newexec #STRING;", .after = kRedrawShort, .effects = kRefreshesRecords | kRefreshesSelection},
    {.id = 2004, .caption = "実行環境設定(&E)", .dialogs = {56}},
    {.id = 998, .caption = "3Z-Urirodod の終了(&X)", .handler = closeWindow},
    {.id = 2209,
     .caption = "ﾌﾞﾛｯｸ/ﾊﾟｰﾂ選択(&B)",
     .before = "pick.block;",
     .mouse = MouseMode::PickBlock,
     .effects = kDisablesMenuBar},
    {.id = 2211,
     .caption = "表面形状選択(&S)",
     .before = "pick.face;",
     .mouse = MouseMode::PickFace,
     .effects = kDisablesMenuBar},
    {.id = 2222, .caption = "形状選択リスト(&L)", .handler = toggleSelectionWindow},
    {.id = 2213, .caption = "平行移動(&T)", .mouse = Translate, .after = kTranslate},
    {.id = 2214, .caption = "回転移動(&R)", .dialogs = {79}},
    {.id = 2220, .caption = "平行移動コピー(&T)", .mouse = TranslateCopy, .after = kTranslateCopy, .effects = kChangesModel},
    {.id = 2221, .caption = "回転移動コピー(&R)", .dialogs = {79}, .effects = kChangesModel},
    {.id = 2206, .caption = "スケーリング(&S)", .mouse = Scale, .after = kScale},
    {.id = 2215, .caption = "中心点の設定(&T)", .mouse = CentrePoint},
    {.id = 2201, .caption = "選択/非選択反転(&I)", .before = "rev.layer; wire; ", .effects = kRefreshesSelection},
    {.id = 2202, .caption = "非選択形状を隠す(&H)", .before = "hide.layer; winclear; wire; ", .effects = kRefreshesSelection},
    {.id = 2203, .caption = "全形状の選択化(&A)", .before = "set.layer L.ACTIVE; ", .effects = kRefreshesSelection},
    {.id = 2204, .caption = "全形状の非選択化(&U)", .before = "set.layer L.NORMAL; ", .effects = kRefreshesSelection},
    {.id = 2207, .caption = "選択形状の削除(&D)", .dialogs = {12}},
    {.id = 2603, .caption = "新パーツの作成(&C)", .dialogs = {38}, .after = "new.block; ", .effects = kChangesModel | kStopsOnCancel},
    {.id = 2604, .caption = "パーツ同士の連結(&L)", .before = kPartsWire, .dialogs = {34, 38}, .after = "new.block; delete.block; ", .effects = kChangesModel | kStopsOnCancel},
    {.id = 2610, .caption = "パーツへの形状追加(&A)", .dialogs = {39}, .effects = kChangesModel},
    {.id = 2613, .caption = "パーツ名前変更(&N)", .before = kPartsWire, .dialogs = {35, 36}, .effects = kChangesModel},
    {.id = 2602, .caption = "パーツ交換(&X)", .before = kPartsWire, .dialogs = {22}, .effects = kChangesModel},
    {.id = 2531, .caption = "色質感の設定(&C)", .handler = toggleMaterialWindow},
    {.id = 2413, .caption = "マッピング設定(&M)", .handler = toggleMappingWindow},
    {.id = 3004, .caption = "関節の設定(&L)", .dialogs = {40, 41}, .effects = kChangesModel},
    {.id = 3002, .caption = "関節位置調整(&P)", .dialogs = {45}, .mouse = JointPosition, .effects = kChangesModel | kStopsOnCancel},
    {.id = 3005, .caption = "関節接続の解除(&R)", .dialogs = {45, 43}, .effects = kChangesModel},
    {.id = 3001, .caption = "運動ﾓﾃﾞﾙの駆動(&A)", .dialogs = {50, 51}, .effects = kChangesModel},
    {.id = 3012, .caption = "運動ﾓﾃﾞﾙの移動(&T)", .dialogs = {45}, .mouse = ActorTranslate, .after = kActorTranslate, .effects = kRefreshesSelection | kChangesModel | kStopsOnCancel},
    {.id = 3051, .caption = "ﾎﾟｰｽﾞ情報の呼出し(&R)", .flow = PoseOpen, .effects = kUpdatesViewBounds},
    {.id = 3052, .caption = "ﾎﾟｰｽﾞ情報の保存(&W)", .flow = PoseSave},
    {.id = 2552, .caption = "画面の再描画(&D)", .handler = relayoutViews},
    {.id = 321, .caption = "線画高速表示&S)", .handler = toggleWireDetail},
    {.id = 2567, .caption = "4分の１面積表示", .before = "set.glviewsize GLVIEW.HALFSIZE;", .group = CheckGroup::GlViewSize},
    {.id = 2566, .caption = "全画面表示", .before = "set.glviewsize GLVIEW.FULLSIZE;", .group = CheckGroup::GlViewSize},
    {.id = 2568, .caption = "ワイヤフレーム表示", .before = "set.glviewmode GLVIEW.WIREFRAME;", .group = CheckGroup::GlViewMode},
    {.id = 2570, .caption = "フラット面表示", .before = "set.glviewmode GLVIEW.FLATSHADE;", .group = CheckGroup::GlViewMode},
    {.id = 2572, .caption = "スムーズ面表示", .before = "set.glviewmode GLVIEW.SMOOTHSHADE;", .group = CheckGroup::GlViewMode},
    {.id = 2571, .before = "set.glviewmode GLVIEW.FLATMAP;", .group = CheckGroup::GlViewMode},
    {.id = 2573, .before = "set.glviewmode GLVIEW.SMOOTHMAP;", .group = CheckGroup::GlViewMode},
    {.id = 2563, .caption = "リアルタイム表示(&R)", .handler = realTimeOn},
    {.id = 2564, .caption = "リアルタイム表示の終了", .handler = realTimeOff},
    {.id = 2574, .caption = "描画背景色の設定(&B)", .dialogs = {82}, .after = "cinit CBUF.FILL, cbuf.color.v; ", .effects = kStopsOnCancel},
    {.id = 2551, .caption = "    高速ﾚﾝﾀﾞﾘﾝｸﾞ(&P)", .before = kRender, .effects = kFullRender},
    {.id = 2553, .caption = "  高品質ﾚﾝﾀﾞﾘﾝｸﾞ(&M)", .before = kRenderFine, .effects = kFullRender},
    {.id = 2554, .caption = "最高品質ﾚﾝﾀﾞﾘﾝｸﾞ(&F)", .before = kRenderFinish, .effects = kFullRender},
    {.id = 2558, .caption = "　高品質α合成(&C)", .flow = BackgroundFine, .after = "drawmode WIRE; ", .effects = kFullRender},
    {.id = 2559, .caption = "最高品質α合成(&A)", .flow = BackgroundFinish, .after = "drawmode WIRE; ", .effects = kFullRender},
    {.id = 2562, .caption = "イメージ表示(&I)", .effects = kFullRender},
    {.id = 2560, .caption = "イメージ呼出し(&R)", .flow = ImageOpen, .effects = kDisablesMenuBar | kShowsImage},
    {.id = 2561, .caption = "イメージ保存(&W)", .flow = ImageSave},
    {.id = 106, .caption = "ﾒﾆｭｰ＆機能のヘルプ(&H)", .handler = openHelp},
    {.id = 107, .caption = "このシステムについて(&A)", .dialogs = {19}},
    // The reduced menu bar's own.
    {.id = 2013, .caption = "ROKデータ呼出し(&K)", .flow = RokOpen, .effects = kRefreshesRecords | kRefreshesSelection | kChangesModel | kUpdatesViewBounds},
    {.id = 2014, .caption = "ROKデータ保存(&O)", .flow = RokSave},
    // The view pop-ups.
    {.id = 223, .caption = "カメラ設定", .handler = toggleCameraWindow},
    {.id = 243, .caption = "光源設定", .handler = toggleLightWindow},
    {.id = 209, .caption = "&Ｘ方向", .before = "direc = X.DIR; ", .group = CheckGroup::BlockDirection},
    {.id = 207, .caption = "&Ｙ方向", .before = "direc = Y.DIR; ", .group = CheckGroup::BlockDirection},
    {.id = 208, .caption = "&Ｚ方向", .before = "direc = Z.DIR; ", .group = CheckGroup::BlockDirection},
    {.id = 203, .caption = "Ｘ方向", .before = "rev.anker box.s, box.e, X.DIR; grid.center = ( box.s:x, box.s:y, box.s:z ); winclear; wire;"},
    {.id = 202, .caption = "Ｙ方向", .before = "rev.anker box.s, box.e, Y.DIR; grid.center = ( box.s:x, box.s:y, box.s:z ); winclear; wire;"},
    {.id = 201, .caption = "Ｚ方向", .before = "rev.anker box.s, box.e, Z.DIR; grid.center = ( box.s:x, box.s:y, box.s:z ); winclear; wire;"},
    {.id = 210, .caption = "ブロックを中心へ", .before = "bcursor.target; winclear; wire;"},
    {.id = 239, .caption = "ブロックリセット", .before = "block.restore; winclear; wire;"},
    {.id = 701, .caption = "ﾊﾟｰｽ画面のみ", .before = "winmode = PARS.MODE; winclear; wire; ", .group = CheckGroup::WindowLayout},
    {.id = 702, .caption = "ＸＹ平面", .before = "winmode = XY.MODE; winclear; wire; ", .group = CheckGroup::WindowLayout},
    {.id = 703, .caption = "ＸＺ平面", .before = "winmode = XZ.MODE; winclear; wire; ", .group = CheckGroup::WindowLayout},
    {.id = 704, .caption = "ＺＹ平面", .before = "winmode = YZ.MODE; winclear; wire; ", .group = CheckGroup::WindowLayout},
    {.id = 705, .caption = "４画面展開", .before = "winmode = W4.MODE; winclear; wire; ", .group = CheckGroup::WindowLayout},
    {.id = 341, .caption = "*   0.02", .before = "set.winfact 0; winclear; wire; ", .group = CheckGroup::WindowScale},
    {.id = 342, .caption = "*   0.05", .before = "set.winfact 1; winclear; wire; ", .group = CheckGroup::WindowScale},
    {.id = 343, .caption = "*   0.10", .before = "set.winfact 2; winclear; wire; ", .group = CheckGroup::WindowScale},
    {.id = 344, .caption = "*   0.20", .before = "set.winfact 3; winclear; wire; ", .group = CheckGroup::WindowScale},
    {.id = 345, .caption = "*   0.50", .before = "set.winfact 4; winclear; wire; ", .group = CheckGroup::WindowScale},
    {.id = 346, .caption = "*   1.00", .before = "set.winfact 5; winclear; wire; ", .group = CheckGroup::WindowScale},
    {.id = 347, .caption = "*   2.00", .before = "set.winfact 6; winclear; wire; ", .group = CheckGroup::WindowScale},
    {.id = 348, .caption = "*   5.00", .before = "set.winfact 7; winclear; wire; ", .group = CheckGroup::WindowScale},
    {.id = 349, .caption = "*  10.00", .before = "set.winfact 8; winclear; wire; ", .group = CheckGroup::WindowScale},
    {.id = 350, .caption = "*  20.00", .before = "set.winfact 9; winclear; wire; ", .group = CheckGroup::WindowScale},
    {.id = 351, .caption = "*  50.00", .before = "set.winfact 10; winclear; wire; ", .group = CheckGroup::WindowScale},
    {.id = 751, .caption = "ｳｨﾝﾄﾞｳ内表示移動", .mouse = ViewScroll},
    {.id = 204, .caption = "&XY 平面", .before = "grid.plane = XY.PLANE; grid.center = ( box.s:x, box.s:y, box.s:z ); winclear; wire; ", .group = CheckGroup::GridPlane},
    {.id = 205, .caption = "&ZY 平面", .before = "grid.plane = ZY.PLANE; grid.center = ( box.s:x, box.s:y, box.s:z ); winclear; wire; ", .group = CheckGroup::GridPlane},
    {.id = 206, .caption = "&XZ 平面", .before = "grid.plane = XZ.PLANE; grid.center = ( box.s:x, box.s:y, box.s:z ); winclear; wire; ", .group = CheckGroup::GridPlane},
    {.id = 301, .caption = "*  1", .before = "set.wingrid 0; winclear; wire; ", .group = CheckGroup::GridStep},
    {.id = 302, .caption = "*  2", .before = "set.wingrid 1; winclear; wire; ", .group = CheckGroup::GridStep},
    {.id = 303, .caption = "*  5", .before = "set.wingrid 2; winclear; wire; ", .group = CheckGroup::GridStep},
    {.id = 304, .caption = "* 10", .before = "set.wingrid 3; winclear; wire; ", .group = CheckGroup::GridStep},
    {.id = 305, .caption = "* 20", .before = "set.wingrid 4; winclear; wire; ", .group = CheckGroup::GridStep},
    {.id = 306, .caption = "* 50", .before = "set.wingrid 5; winclear; wire; ", .group = CheckGroup::GridStep},
    {.id = 307, .caption = "*  0.1", .before = "set.wingrid 6; winclear; wire; ", .group = CheckGroup::GridStep},
    {.id = 308, .caption = "*  0.2", .before = "set.wingrid 7; winclear; wire; ", .group = CheckGroup::GridStep},
    {.id = 309, .caption = "*  0.5", .before = "set.wingrid 8; winclear; wire; ", .group = CheckGroup::GridStep},
    {.id = 310, .caption = "*  0.01", .before = "set.wingrid 9; winclear; wire; ", .group = CheckGroup::GridStep},
    {.id = 311, .caption = "*  0.02", .before = "set.wingrid 10; winclear; wire; ", .group = CheckGroup::GridStep},
    {.id = 312, .caption = "*  0.05", .before = "set.wingrid 11; winclear; wire; ", .group = CheckGroup::GridStep},
    {.id = 451, .caption = "点位置を元に戻す", .handler = toPointEditWindow, .after = kRedraw},
    // The command palette.
    {.id = 501, .handler = createPrimitive, .effects = kPrimitive},
    {.id = 502, .handler = createPrimitive, .effects = kPrimitive},
    {.id = 503, .handler = createPrimitive, .effects = kPrimitive},
    {.id = 504, .handler = createPrimitive, .effects = kPrimitive},
    {.id = 505, .handler = createPrimitive, .effects = kPrimitive},
    {.id = 506, .handler = createPrimitive, .effects = kPrimitive},
    {.id = 507, .handler = createPrimitive, .effects = kPrimitive},
    {.id = 508, .before = "b.cursor.code = PRIM.CORN4; draw L.ACTIVE, N.WIRE; initlayer; set.primitive box.s, box.e, 1, 1, 2, 0; wire L.ACTIVE; ", .effects = kPrimitive},
    {.id = 509, .handler = createPrimitive, .effects = kPrimitive},
    {.id = 510, .handler = createPrimitive, .effects = kPrimitive},
    {.id = 511, .handler = createPrimitive, .effects = kPrimitive},
    {.id = 512, .handler = createPrimitive, .effects = kPrimitive},
    {.id = 513, .handler = createPrimitive, .effects = kPrimitive},
    {.id = 514, .handler = createPrimitive, .effects = kPrimitive},
    {.id = 515, .handler = createPrimitive, .effects = kPrimitive},
    {.id = 516, .handler = createPrimitive, .effects = kPrimitive},
    {.id = 517, .handler = createPrimitive, .effects = kPrimitive},
    {.id = 2110, .before = "undo.primitive; winclear; wire;", .effects = kRefreshesSelection},
    {.id = 2111, .dialogs = {77}},
    {.id = 2112, .dialogs = {16}},
    {.id = 2117, .dialogs = {69}},
    {.id = 2118, .handler = startPointEditing, .effects = kNeedsInput},
    // The camera window.
    {.id = 414, .before = "parswire.thread;"},
    {.id = 415, .before = "parswire.thread;"},
    {.id = 416, .before = "parswire.thread;"},
    {.id = 417, .before = "parswire.thread;"},
    {.id = 418, .before = "parswire.thread;"},
    {.id = 211, .before = "parswinclear; parswire.thread;"},
    {.id = 222, .before = "parswinclear; parswire.thread;"},
    {.id = 224, .before = "parswinclear; parswire.thread;"},
    {.id = 225, .before = "parswinclear; parswire.thread;"},
    {.id = 226, .before = "parswinclear; parswire.thread;"},
    {.id = 214, .before = "autoview; parswinclear; parswire.thread;"},
    {.id = 219, .dialogs = {76}, .after = "parswinclear; parswire;"},
    {.id = 220, .dialogs = {75}, .after = "parswinclear; parswire;"},
    {.id = 228, .dialogs = {57}},
    {.id = 227, .mouse = Camera},
    // Lights, materials, mappings.
    {.id = 241, .before = "new.light; ", .dialogs = {17}, .after = kRedrawShort, .effects = kRefreshesRecords},
    {.id = 242, .handler = chooseLight},
    {.id = 244, .before = "num.light l.point; ", .dialogs = {17}, .after = kRedraw, .effects = kRefreshesRecords},
    {.id = 642, .before = "num.light l.point; "},
    {.id = 2401, .before = "new.atr; set.atrcount atr.max; ", .dialogs = {27}, .after = kRedraw, .effects = kRefreshesRecords | kChangesModel},
    {.id = 2402, .handler = chooseMaterial},
    {.id = 2532, .before = "num.atr atr.point; ", .dialogs = {27}, .after = kRedraw, .effects = kRefreshesRecords | kChangesModel},
    {.id = 2533, .before = "link.atr atr.point; ", .handler = materialLinked, .effects = kChangesModel},
    {.id = 2534, .before = "atr.delete atr.point; set.atrcount atr.max; num.atr atr.point; ", .handler = materialDeleted, .effects = kRefreshesRecords | kChangesModel},
    {.id = 2535, .before = "set.atrcount atr.max; "},
    {.id = 2542, .before = "num.atr atr.point; "},
    {.id = 2216, .before = "set.atrcount atr.max; num.atr atr.point; ", .dialogs = {59}},
    {.id = 2218, .before = "set.layer L.NORMAL;sel.block.attri atr.point;"},
    {.id = 2411, .before = "new.mapinfo; ", .dialogs = {30}, .after = kRedraw, .effects = kRefreshesRecords | kChangesModel},
    {.id = 2412, .handler = chooseMapping},
    {.id = 2414, .before = "num.mapinfo mi.point; ", .dialogs = {30}, .after = kRedraw, .effects = kRefreshesRecords | kChangesModel},
    {.id = 2415, .before = "link.mapinfo mi.point; ", .handler = mappingLinked, .effects = kChangesModel},
    {.id = 2416, .before = "set.micount mapinfo.max; num.mapinfo mi.point; ", .handler = mappingDeleted, .effects = kRefreshesRecords | kChangesModel},
    {.id = 2417, .before = "set.micount mapinfo.max; num.mapinfo mi.point; "},
    {.id = 2902, .before = "num.mapinfo mi.point; "},
    {.id = 2912, .before = "num.mapdata md.point; "},
    {.id = 2217, .before = "set.micount mapinfo.max; ", .dialogs = {60}},
    {.id = 2219, .before = "sel.block.mapping mi.point;"},
    // Dialogs and lists.
    {.id = 2210, .dialogs = {34}, .after = kRedraw},
    {.id = 2212, .dialogs = {37}, .after = kRedraw},
    {.id = 2601, .before = kPartsWire, .dialogs = {21}},
    {.id = 2606, .before = kRedraw, .mouse = PartTranslate, .after = kPartTranslate},
    {.id = 2607, .dialogs = {79}},
    {.id = 2611, .before = kPartsWire, .dialogs = {23}, .effects = kChangesModel},
    {.id = 2650, .handler = activateListedPart},
    {.id = 2653, .after = kRedraw},
    {.id = 2655, .dialogs = {36}, .after = kRedraw, .effects = kRefreshesSelection | kChangesModel},
    {.id = 2641, .before = kPartsWire, .handler = toSelectionWindow, .after = "set.select L.ACTIVE; wire L.SELECT; reset.select;"},
    {.id = 2642, .before = kPartsWire, .handler = toSelectionWindow, .after = "set.select L.ACTIVE; wire L.SELECT; reset.select;"},
    {.id = 2141, .before = "wire L.SELECT;", .handler = toPointEditWindow, .after = "wire L.SELECT; "},
    {.id = 2142, .before = "wire L.SELECT;", .handler = toPointEditWindow, .after = "wire L.SELECT; "},
    {.id = 2155, .before = "wire L.SELECT;", .handler = toPointEditWindow, .after = "wire L.SELECT; "},
    {.id = 2157, .before = kRedraw},
    {.id = 2152, .before = "draw L.SELECT, WIRE;", .handler = endPointEditing, .after = kRedrawShort, .effects = kRefreshesSelection},
    {.id = 2154, .handler = endPointEditing, .after = kRedraw, .effects = kRefreshesSelection | kChangesModel},
    {.id = 251, .mouse = ViewScroll},
    {.id = 252, .mouse = ViewScroll},
    {.id = 2845, .effects = kDisablesMenuBar | kShowsImage},
    {.id = 3003, .dialogs = {45, 44}, .effects = kChangesModel},
    {.id = 3009, .dialogs = {46, 48}, .effects = kChangesModel},
    {.id = 3010, .dialogs = {47}, .effects = kChangesModel},
    {.id = 3011, .dialogs = {46, 47}},
    // The window itself.
    {.id = cmd::kClose, .handler = closeWindow},
    {.id = 791, .handler = showStatusText},
    {.id = 801, .handler = repaintFrames, .after = kRedraw},
    {.id = 811, .handler = viewsDrawn},
    {.id = 104, .handler = repaintFrames},
    {.id = 999, .handler = resetViewCursor},
    {.id = 2114, .handler = externalCad},
    {.id = cmd::kVrmlViewer, .caption = "VRMLビューアで表示(&V)", .handler = vrmlViewer},
};
// clang-format on

}  // namespace

std::span<const CommandRow> commandTable() {
    return kRows;
}

const CommandRow* findCommand(int id) {
    const auto* row = std::ranges::find(kRows, id, &CommandRow::id);
    return row == std::end(kRows) ? nullptr : row;
}

}  // namespace rz::app
