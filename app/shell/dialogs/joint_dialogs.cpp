#include "app/shell/dialogs/joint_dialogs.hpp"

#include "app/shell/dialogs/dialog_forms.hpp"
#include "app/shell/dialogs/dialog_messages.hpp"
#include "app/shell/dialogs/dialog_support.hpp"
#include "app/shell/dialogs/model_records.hpp"
#include "app/shell/dialogs/part_pair.hpp"

namespace rz::app {
namespace {

// The command that opens the name dialog for a motion model that does not exist yet.
constexpr int kNewActorCommand = 3010;
// The first row of the start-joint dialog: a motion model made for the joint.
constexpr int kNewActorRow = 0;

bool haveJoint(const db::Database& db, int rigid) {
    return rigid >= 0 && rigid < std::min<int>(db.rigidCount, db.rigids.size());
}

bool haveActor(const db::Database& db, int actor) {
    return actor >= 1 && actor < std::min<int>(db.actorCount, db.actors.size());
}

std::optional<int> chooseOne(ModelDialog& d, QListWidget* list) {
    if (!d.exec()) return std::nullopt;
    const std::vector<int> chosen = chosenNumbers(*list);
    if (chosen.empty()) return std::nullopt;
    return chosen.front();
}

}  // namespace

bool runNewJoint(int, CommandPort& port) {
    const std::optional<PartPair> parts =
        chooseTwoParts(port, "関節の設定", QStringLiteral("関節でつなぐ二つのパーツ"));
    if (!parts) return false;
    const db::Database& db = model(port);
    const int before = db.rigidCount;
    port.run(statements("rigid.block1.id = %d; rigid.block2.id = %d; new.rigid; winclear; wire; ",
                        parts->first, parts->second)
                 .c_str());
    // new.rigid refuses a joint that would close a loop; the name dialog then has nothing to
    // name.
    return model(port).rigidCount > before;
}

bool runJointName(int, CommandPort& port) {
    const db::Database& db = model(port);
    const int rigid = db.currentRigid;
    if (!haveJoint(db, rigid)) return refuse(port, dialog_msg::kNoJoint);
    ModelDialog d(port, "関節名の設定");
    d.addPrompt(QStringLiteral("Rigid(%1) の名前").arg(rigid));
    QLineEdit* line = d.addLine("name", rigidName(db, rigid), kNameBytes);
    if (!d.exec()) return false;
    const std::optional<std::string> let = letName("rigid.name", line->text());
    if (!let) return refuse(port, dialog_msg::kBadName);
    return runStatements(port, *let + "set.rigid; ");
}

bool runReleaseJoint(int, CommandPort& port) {
    const db::Database& db = model(port);
    const int rigid = db.currentRigid;
    if (!haveJoint(db, rigid)) return refuse(port, dialog_msg::kNoJoint);
    ModelDialog d(port, "関節接続の解除");
    d.addPrompt(QStringLiteral("関節 Rigid(%1): %2 の接続を解除します。")
                    .arg(rigid)
                    .arg(rigidName(db, rigid)));
    if (!d.exec()) return false;
    return runStatements(port, statements("unlink.rigid %d; winclear; wire; ", rigid));
}

bool runActorStartJoint(int, CommandPort& port) {
    const db::Database& db = model(port);
    const int rigid = db.currentRigid;
    if (!haveJoint(db, rigid)) return refuse(port, dialog_msg::kNoJoint);
    std::vector<ListEntry> actors{{kNewActorRow, QStringLiteral("（新しい運動モデル）")}};
    for (ListEntry& e : actorEntries(db)) actors.push_back(std::move(e));
    ModelDialog d(port, "運動モデルの開始関節");
    d.addPrompt(QStringLiteral("関節 Rigid(%1): %2 から始まる運動モデル")
                    .arg(rigid)
                    .arg(rigidName(db, rigid)));
    QListWidget* list = d.addList("actors", actors, Choice::One, db.currentActor);
    const std::optional<int> actor = chooseOne(d, list);
    if (!actor) return false;
    if (*actor == kNewActorRow) {
        if (db.actorCount >= static_cast<int>(db.actors.size()))
            return refuse(port, dialog_msg::kActorsFull);
        return runStatements(port,
                             statements("new.actor; actor.start.rigid = %d; set.actor; ", rigid));
    }
    return runStatements(
        port, statements("num.actor %d; actor.start.rigid = %d; set.actor; ", *actor, rigid));
}

bool runChooseJoint(int, CommandPort& port) {
    const db::Database& db = model(port);
    const std::vector<ListEntry> joints = jointEntries(db);
    if (joints.empty()) return refuse(port, dialog_msg::kNoJoint);
    ModelDialog d(port, "関節の選択");
    d.addPrompt(QStringLiteral("関節点"));
    const std::optional<int> rigid =
        chooseOne(d, d.addList("joints", joints, Choice::One, db.currentRigid));
    if (!rigid) return false;
    return runStatements(port, statements("num.rigid %d; ", *rigid));
}

bool runChooseActor(int, CommandPort& port) {
    const db::Database& db = model(port);
    const std::vector<ListEntry> actors = actorEntries(db);
    if (actors.empty()) return refuse(port, dialog_msg::kNoActor);
    ModelDialog d(port, "運動モデルの選択");
    d.addPrompt(QStringLiteral("運動モデル"));
    const std::optional<int> actor =
        chooseOne(d, d.addList("actors", actors, Choice::One, db.currentActor));
    if (!actor) return false;
    return runStatements(port, statements("num.actor %d; ", *actor));
}

bool runActorName(int command, CommandPort& port) {
    const db::Database& db = model(port);
    const bool creating = command == kNewActorCommand;
    if (creating && db.actorCount >= static_cast<int>(db.actors.size()))
        return refuse(port, dialog_msg::kActorsFull);
    if (!creating && !haveActor(db, db.currentActor)) return refuse(port, dialog_msg::kNoActor);
    ModelDialog d(port, "運動モデル名の設定");
    d.addPrompt(creating ? QStringLiteral("新しい運動モデルの名前")
                         : QStringLiteral("Actor(%1) の名前").arg(db.currentActor));
    QLineEdit* line = d.addLine(
        "name", creating ? QStringLiteral("noname") : actorName(db, db.currentActor), kNameBytes);
    if (!d.exec()) return false;
    const std::optional<std::string> let = letName("actor.name", line->text());
    if (!let) return refuse(port, dialog_msg::kBadName);
    return runStatements(port, (creating ? "new.actor; " : "") + *let + "set.actor; ");
}

bool runDeleteActor(int, CommandPort& port) {
    const db::Database& db = model(port);
    const int actor = db.currentActor;
    if (!haveActor(db, actor)) return refuse(port, dialog_msg::kNoActor);
    ModelDialog d(port, "運動モデルの削除");
    d.addPrompt(QStringLiteral("運動モデル Actor(%1): %2 を削除します。")
                    .arg(actor)
                    .arg(actorName(db, actor)));
    if (!d.exec()) return false;
    return runStatements(port, statements("delete.actor %d; ", actor));
}

bool runMotionJoint(int, CommandPort& port) {
    const db::Database& db = model(port);
    // Each joint turns either of its two parts: one row per joint and side.
    struct Side {
        int rigid;
        int block;
    };
    std::vector<Side> sides;
    std::vector<ListEntry> rows;
    for (int r = 0; r < std::min<int>(db.rigidCount, db.rigids.size()); ++r) {
        for (const int b : {int{db.rigids[r].block1}, int{db.rigids[r].block2}}) {
            rows.push_back(
                {static_cast<int>(sides.size()), QStringLiteral("Rigid(%1): %2  →  Block(%3): %4")
                                                     .arg(r)
                                                     .arg(rigidName(db, r))
                                                     .arg(b)
                                                     .arg(blockName(db, b))});
            sides.push_back({r, b});
        }
    }
    if (rows.empty()) return refuse(port, dialog_msg::kNoJoint);
    ModelDialog d(port, "駆動する関節の選択");
    d.addPrompt(QStringLiteral("関節点と、その関節で回転させるパーツ"));
    const std::optional<int> row = chooseOne(d, d.addList("sides", rows, Choice::One));
    if (!row) return false;
    const Side& s = sides[*row];
    return runStatements(port, statements("num.rigid %d; num.block %d; ", s.rigid, s.block));
}

bool runMotionAngles(int, CommandPort& port) {
    const db::Database& db = model(port);
    const int rigid = db.currentRigid;
    if (!haveJoint(db, rigid)) return refuse(port, dialog_msg::kNoJoint);
    ModelDialog d(port, "関節の回転角度");
    d.addPrompt(
        QStringLiteral("Rigid(%1) で Block(%2) を回転させる角度").arg(rigid).arg(db.currentBlock));
    QDoubleSpinBox* x = d.addAngle("angleX", QStringLiteral("Ｘ軸"), 0.0);
    QDoubleSpinBox* y = d.addAngle("angleY", QStringLiteral("Ｙ軸"), 0.0);
    QDoubleSpinBox* z = d.addAngle("angleZ", QStringLiteral("Ｚ軸"), 0.0);
    if (!d.exec()) return false;
    // The angles pass through the work variables: motion takes variables as its values.
    return runStatements(port,
                         statements("work1 = %g; work2 = %g; work3 = %g; "
                                    "motion %d, %d, work1, work2, work3; winclear; wire; ",
                                    x->value(), y->value(), z->value(), rigid, db.currentBlock));
}

}  // namespace rz::app
