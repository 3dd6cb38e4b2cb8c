#include "polyconv/face_collector.hpp"

#include <algorithm>

#include "polyconv/dxf_scan.hpp"

namespace rz::polyconv {

void FaceCollector::start_face() {
    in_face_ = true;
    corners_ = {};
    current_.vertices.clear();
}

bool FaceCollector::finish_face() {
    if (!in_face_) return true;
    in_face_ = false;
    auto& vertices = current_.vertices;
    // A triangle is written as four corners with the last two equal.
    const auto last =
        std::unique(vertices.begin(), vertices.end(),
                    [](const Vertex& a, const Vertex& b) { return a.position == b.position; });
    vertices.erase(last, vertices.end());
    // Fewer than three distinct corners enclose no surface.
    if (vertices.size() < 3) return true;
    if (!budget_.make_room(result_.faces) || !budget_.take(vertices.size() * sizeof(Vertex)))
        return false;
    result_.faces.push_back(current_);
    return true;
}

void FaceCollector::take_group(const Group& group) {
    if (!in_face_) return;
    const int axis = group.code / 10;
    const int corner_index = group.code % 10;
    if (axis < 1 || axis > 3 || corner_index > 3) return;
    Corner& corner = corners_[static_cast<std::size_t>(corner_index)];
    if (corner.appended) return;
    const double value = read_coordinate(group.value, console_);
    switch (axis) {
        case 1:
            corner.position.x = value;
            break;
        case 2:
            corner.position.y = value;
            break;
        default:
            corner.position.z = value;
            break;
    }
    corner.axes_read |= static_cast<std::uint8_t>(1U << (axis - 1));
    if (corner.axes_read == kAllAxes) {
        corner.appended = true;
        current_.vertices.push_back(Vertex{corner.position, {}});
    }
}

}  // namespace rz::polyconv
