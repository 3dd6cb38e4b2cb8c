// The benchmark scene drawn exactly as it was before the renderer was made fast: the C-Buffer
// hashes below were taken from the straightforward renderer (every shape expanded again in
// every tile). A change to the renderer that changes the image shows here first; one that is
// meant to change it updates the hashes.

#include <gtest/gtest.h>

#include "bench/ball_field_scene.hpp"
#include "db/current_records.hpp"
#include "render/renderer.hpp"
#include "tests/render/started_renderer.hpp"

namespace rz::test {
namespace {

struct SceneCase {
    int mode;
    int threads;
    int zbufFlag;
    std::uint64_t image;     // the C-Buffer's hash
    std::uint64_t messages;  // the hash of everything the render said, in order
};

constexpr std::array<SceneCase, 5> kCases{{
    {6, 1, 2, 13815617242201219744ull, 1575990574523810014ull},
    {6, 2, 2, 13815617242201219744ull, 1575990574523810014ull},
    {2, 1, 2, 7051417754013264054ull, 15014409606694728122ull},
    {7, 2, 1, 9845439407254587902ull, 7108361458439201364ull},
    {3, 1, 2, 15681336752626003404ull, 15014409606694728122ull},
}};

std::uint64_t messageHash(const std::vector<platform::RecordedMessage>& log) {
    std::uint64_t h = 1469598103934665603ull;
    const auto mix = [&h](std::string_view s) {
        for (const char ch : s) h = (h ^ static_cast<std::uint8_t>(ch)) * 1099511628211ull;
        h = (h ^ 0xffu) * 1099511628211ull;
    };
    for (const auto& m : log) {
        mix(std::string_view("BSCD").substr(static_cast<std::size_t>(m.kind), 1));
        mix(m.title);
        mix(m.text);
    }
    return h;
}

TEST(RendererScene, BallFieldKeepsItsImageAndMessages) {
    for (const SceneCase& c : kCases) {
        platform::RecordingSink sink;
        workstation::Workstation w(sink);
        w.start(rendererSettings(c.threads, c.zbufFlag));
        script::execCommandString(w.interp, 0, scenes::ballFieldScene().c_str());
        db::putCameraRecord(w.interp);
        sink.clear();
        EXPECT_EQ(render::render(w.renderer, w.interp, -1, c.mode), render::RenderOutcome::Done);
        EXPECT_EQ(cbufHash(w.db), c.image)
            << "mode " << c.mode << ", " << c.threads << " threads, zbuf " << c.zbufFlag;
        EXPECT_EQ(messageHash(sink.log), c.messages)
            << "mode " << c.mode << ", " << c.threads << " threads, zbuf " << c.zbufFlag;
    }
}

}  // namespace
}  // namespace rz::test
