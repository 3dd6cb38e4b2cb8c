#include "db/record_commands_attribute.hpp"

#include <algorithm>
#include <array>
#include <span>

#include "db/current_records.hpp"
#include "db/record_commands_common.hpp"
#include "script/arguments.hpp"
#include "script/command_table.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::db {
namespace {

using script::kFail;
using script::kOk;
using script::Result;
using enum SysVar;

const RecordFamily kAttributes{
    &Database::attributeCount,
    &Capacities::attrimax,
    &Database::currentAttribute,
    [](const Database& db) { return db.attributes.size(); },
    kUint16Records,  // shapes name their attribute in 16 bits
    AtrPoint,
    putAttriRecord,
    selectAttri,
    "■■　質感パラメータの登録，ＯＫ！　■■ \n",
    "WARNING!!: 質感番号が負値になっています。（修正済）\n",
    "WARNING!!: 質感番号が最大設定数を超えています。（修正済）\n",
    {},
    "■■　質感パラメータ設定の呼び出し，ＯＫ！　■■ \n",
    NumLimit::Count,
    LoadBaseRule::FromTwo,
    &LoadBases::attribute,
    0,
};

constexpr const char* kFull = "ＥＲＲＯＲ！　質感設定は %d 個までしか出来ません。 \n";

struct ScalarReset {
    SysVar var;
    float value;
};
struct VectorReset {
    SysVar var;
    Vec3 value;
};

// The values init.atr starts every attribute from.
constexpr std::array<ScalarReset, 12> kInitScalars{{
    {Diffuse, 0.6f},
    {Ambient, 0.15f},
    {Opacity, 1.0f},
    {GainL, 0.0f},
    {Haze, 0.0f},
    {PSpecl, 0.0f},
    {PSpex, 5.0f},
    {GainC, 1.0f},
    {SmoothSw, 1.0f},
    {MapSw, 1.0f},
    {FaceSw, 0.0f},
    {ShadeSw, 0.0f},
}};
constexpr std::array<VectorReset, 4> kInitVectors{{
    {ARgb, {0.2f, 0.9f, 0.1f}},
    {AArg, {0.15f, 0.15f, 0.15f}},
    {APrg, {1.0f, 1.0f, 1.0f}},
    {ADrg, {0.6f, 0.6f, 0.6f}},
}};

// The trial record lies two past the count, clear of the record new.atr would make next.
std::int32_t trialRecord(const Database& db) {
    return trialAttribute(db);
}

}  // namespace

static script::Result cmdSetAtr(script::Interp& in) {
    return storeCurrent(in, kAttributes);
}
static script::Result cmdNumAtr(script::Interp& in) {
    return selectForEditing(in, kAttributes);
}
static script::Result cmdLoadAtr(script::Interp& in) {
    return selectWhileLoading(in, kAttributes);
}
static script::Result cmdSetAtrcount(script::Interp& in) {
    return limitCount(in, kAttributes);
}

static script::Result cmdSaveAtr(script::Interp& in) {
    if (storeInto(in, kAttributes) != kOk) return kFail;
    database(in).records.attributePending = false;
    return kOk;
}

static script::Result cmdCapaAtr(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    const Remaining r = remaining(database(in), kAttributes);
    systemBox(in, "■■　質感パラメータの残り登録数: %d ( %d ％ )　■■ \n", r.free, r.percent);
    return kOk;
}

static script::Result cmdNewAtr(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    const std::int32_t capacity = capacityOf(db, kAttributes);
    if (db.attributeCount >= capacity) {
        systemBox(in, kFull, capacity);
        return kOk;
    }
    if (db.records.attributePending) {
        status(in, "※　現在の設定の登録を済ませて下さい。（新規登録不可！） \n");
        return kOk;
    }
    db.records.attributePending = true;
    const std::int32_t n = std::max(db.attributeCount, 0);
    db.currentAttribute = n;
    scalarVar(in, AtrPoint) = static_cast<float>(n);
    db.attributeCount = n + 1;
    putAttriRecord(in);
    return kOk;
}

static script::Result cmdCancelNewAtr(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    if (!db.records.attributePending) return kOk;
    db.records.attributePending = false;
    if (db.attributeCount <= 1) return kOk;
    const std::int32_t n = db.attributeCount - 1;
    db.currentAttribute = n;
    scalarVar(in, AtrPoint) = static_cast<float>(n);
    db.attributeCount = n;
    putAttriRecord(in);
    return kOk;
}

static script::Result cmdLinkAtr(script::Interp& in) {
    int symbol = 0;
    if (variableArgument(in, symbol) != kOk) return kFail;
    Database& db = database(in);
    const std::int32_t a = wholeNumber(in.sym.scalar(symbol));
    // A shape must name an attribute that exists, or the renderer reads an unset record.
    if (a < 0 || a >= countOf(db, kAttributes))
        return script::failSkip(in, script::msg::kValueNotCorrect);
    db.records.attributePending = false;
    for (Shape& s : liveShapes(db))
        if (s.layer == 1) s.attribId = static_cast<std::uint16_t>(a);
    status(in, "■■　質感パラメータのリンク，ＯＫ！　■■ \n");
    return kOk;
}

static script::Result cmdInitAtr(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    db.attributeCount = 1;
    selectAttri(in, 0);
    for (const ScalarReset& r : kInitScalars) scalarVar(in, r.var) = r.value;
    for (const VectorReset& r : kInitVectors) vectorVar(in, r.var) = r.value;
    putAttriRecord(in);
    db.currentAttribute = 1;
    putAttriRecord(in);
    db.records.attributePending = false;
    for (Shape& s : db.shapes) s.attribId = 0;
    status(in, "■■　質感パラメータの初期化、終了。　■■ \n");
    return kOk;
}

static script::Result cmdAtrDelete(script::Interp& in) {
    int symbol = 0;
    if (variableArgument(in, symbol) != kOk) return kFail;
    Database& db = database(in);
    const std::int32_t v = wholeNumber(in.sym.scalar(symbol));
    if (v < 1) return script::failSkip(in, "質感番号に０以下の値が設定されています。\n");
    // Only records in use can go; the count itself names no attribute.
    const std::int32_t count = countOf(db, kAttributes);
    if (v >= count) return script::failSkip(in, "質感番号が設定範囲を超えています。\n");

    std::copy(db.attributes.begin() + v + 1, db.attributes.begin() + count,
              db.attributes.begin() + v);
    // The attribute a trial shows keeps its place two past the count, so shapes that show
    // it and the numbers they keep follow the records down like every other reference.
    const auto follow = [v](std::uint16_t& a) {
        if (a == v) {
            a = 0;
        } else if (a > v) {
            --a;
        }
    };
    for (Shape& s : liveShapes(db)) {
        follow(s.attribId);
        follow(s.savedAttrib);
    }
    db.attributeCount = count - 1;
    float& point = scalarVar(in, AtrPoint);
    if (wholeNumber(point) >= db.attributeCount) point = static_cast<float>(db.attributeCount - 1);
    return kOk;
}

static script::Result cmdTestAtr(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    const std::int32_t t = trialRecord(db);
    const std::int32_t capacity = capacityOf(db, kAttributes);
    if (t < 0 || t >= capacity) {
        systemBox(in, kFull, capacity);
        return kOk;
    }
    const std::int32_t current = db.currentAttribute;
    db.currentAttribute = t;
    putAttriRecord(in);
    db.currentAttribute = current;
    // A shape that already shows the trial keeps the number it had before the first one.
    for (Shape& s : liveShapes(db)) {
        if (s.layer != 1 || s.attribId == t) continue;
        s.savedAttrib = s.attribId;
        s.attribId = static_cast<std::uint16_t>(t);
    }
    return kOk;
}

static script::Result cmdUntestAtr(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    const std::int32_t t = trialRecord(db);
    if (t < 0 || t >= capacityOf(db, kAttributes)) return kOk;
    const std::int32_t current = db.currentAttribute;
    db.currentAttribute = t;
    getAttriRecord(in);
    db.currentAttribute = current;
    // Only shapes that show the trial have a kept number to go back to.
    for (Shape& s : liveShapes(db))
        if (s.layer == 1 && s.attribId == t) s.attribId = s.savedAttrib;
    return kOk;
}

namespace {
const std::array<script::CommandRow, 13> kCommands{{
    {"set.atr", cmdSetAtr},
    {"new.atr", cmdNewAtr},
    {"link.atr", cmdLinkAtr},
    {"num.atr", cmdNumAtr},
    {"init.atr", cmdInitAtr},
    {"capa.atr", cmdCapaAtr},
    {"set.atrcount", cmdSetAtrcount},
    {"load.atr", cmdLoadAtr},
    {"save.atr", cmdSaveAtr},
    {"cancel.new.atr", cmdCancelNewAtr},
    {"test.atr", cmdTestAtr},
    {"untest.atr", cmdUntestAtr},
    {"atr.delete", cmdAtrDelete},
}};
}  // namespace

std::span<const script::CommandRow> attributeCommands() {
    return kCommands;
}

}  // namespace rz::db
