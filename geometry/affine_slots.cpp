#include "geometry/affine_slots.hpp"

#include <algorithm>

#include "db/capacity.hpp"
#include "geometry/geometry_messages.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {
namespace {

using script::kFail;
using script::kOk;
using script::Result;

// A slot that may be written: inside the store and not the permanent identity.
bool writable(const db::Database& db, platform::MessageService& msg, int i) {
    if (i >= affineCapacity(db)) {
        msg.errorBox(msg::kAffineFull);
        return false;
    }
    if (i <= 0) {
        msg.internalError();
        return false;
    }
    return true;
}

}  // namespace

script::Result storeAffineSlot(db::Database& db, platform::MessageService& msg, int i) {
    if (!writable(db, msg, i)) return kFail;
    db.affines[i] = db.geometry.current;
    return kOk;
}

script::Result loadAffineSlot(db::Database& db, platform::MessageService& msg, int i) {
    Mat4 m;
    if (!affineMatrix(db, msg, i, m)) return kFail;
    db.geometry.current = m;
    return kOk;
}

script::Result resetAffineSlot(db::Database& db, platform::MessageService& msg, int i) {
    if (!writable(db, msg, i)) return kFail;
    db.affines[i] = kIdentity;
    return kOk;
}

script::Result newAffineSlot(db::Database& db, platform::MessageService& msg, int& slot) {
    const int next = std::max(db.affineCount, 1);
    if (!writable(db, msg, next)) return kFail;
    db.affines[next] = kIdentity;
    db.affineCount = next + 1;
    slot = next;
    return kOk;
}

bool affineMatrix(const db::Database& db, platform::MessageService& msg, int i, Mat4& out) {
    if (i >= affineCapacity(db)) {
        msg.errorBox(msg::kAffineFull);
        return false;
    }
    out = i <= 0 ? kIdentity : db.affines[i];
    return true;
}

}  // namespace rz::geometry
