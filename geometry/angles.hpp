#pragma once
// Angular ranges of the parametric shapes, in degrees as they are stored.

#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

struct AngleRange {
    double start = 0.0;  // degrees
    double end = 0.0;
    double opening() const { return end - start; }
};

// Orders the pair, refuses a zero opening with its message, caps the end at 360 and
// reduces out-of-range angles by whole turns. kOk or kFail.
script::Result normaliseAngles(platform::MessageService& msg, float start, float end,
                               AngleRange& out);

}  // namespace rz::geometry
