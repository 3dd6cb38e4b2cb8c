#pragma once
// How far one step of the camera window's scroll bars moves the camera. The camera step
// dialog (57) edits them; the camera window reads them when it turns a step into statements.

namespace rz::app {

struct CameraSteps {
    double angle = 1.0;     // degrees for each step about the X, Y and Z axes
    double distance = 2.0;  // per cent of the eye's distance to the target for each step
    double zoom = 1.0;      // degrees of field of view for each step
};

}  // namespace rz::app
