// The camera: view setup and projection with worked numbers, and the camera commands.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "render/camera_view.hpp"
#include "render/render_messages.hpp"
#include "script/messages.hpp"
#include "tests/render/started_views.hpp"

namespace rz::render {
namespace {

using db::SysVar;
using test::err;
using test::kRunFailed;

void expectNear(const Vec3& actual, const Vec3& expected, float tolerance = 1e-3f) {
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(actual[c], expected[c], tolerance) << "component " << c;
}

db::Camera lookingDownZ(float zoom, Vec3 rot = {}) {
    db::Camera c;
    c.pos = {0, 0, 1000};
    c.upper = {0, 1, 0};
    c.rot = rot;
    c.zoom = zoom;
    return c;
}

TEST(CameraView, ProjectsWithWorkedNumbers) {
    struct Case {
        const char* what;
        db::Camera camera;
        Vec3d world;
        Vec3d cam;
        ScreenPoint screen;  // scale 100
    };
    const Case cases[] = {
        {"in front", lookingDownZ(90), {100, 50, 0}, {100, 50, 1000}, {110, 70}},
        {"on the axis", lookingDownZ(90), {0, 0, 500}, {0, 0, 500}, {100, 75}},
        {"nearer, left", lookingDownZ(90), {-200, 0, 600}, {-200, 0, 400}, {50, 75}},
        {"depth 0 gives k 0", lookingDownZ(90), {10, 0, 1000}, {10, 0, 0}, {100, 75}},
        {"narrower field",
         lookingDownZ(60),
         {100, 50, 0},
         {100, 50, 1000},
         {(0.1 / std::tan(M_PI / 6) + 1) * 100, (0.75 - 0.05 / std::tan(M_PI / 6)) * 100}},
        {"rolled by c.rot z",
         lookingDownZ(90, {0, 0, 90}),
         {100, 50, 0},
         {-50, 100, 1000},
         {95, 65}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CameraView v = setupView(c.camera);
        EXPECT_DOUBLE_EQ(v.eyeUnit, 1.0);
        EXPECT_DOUBLE_EQ(v.depthScale, 1e6);
        const Vec3d cam = transformPoint(c.world, v.view);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(cam[k], c.cam[k], 1e-9);
        const ScreenPoint s = projectCamera(v, cam, 100);
        EXPECT_NEAR(s.x, c.screen.x, 1e-9);
        EXPECT_NEAR(s.y, c.screen.y, 1e-9);
    }
}

TEST(CameraView, EyeOnTargetProjectsEverythingToTheCentre) {
    db::Camera c = lookingDownZ(90);
    c.pos = c.tar;
    const CameraView v = setupView(c);
    EXPECT_EQ(v.eyeUnit, 0.0);
    EXPECT_EQ(perspectiveFactor(v, 700), 0.0);
}

class CameraCommands : public test::StartedViews {};

TEST_F(CameraCommands, MoveTheEyeTargetAndUp) {
    struct Case {
        const char* statements;
        Vec3 pos;
        Vec3 tar;
        Vec3 upper;
    };
    const std::string start = "c.pos = (100, 0, 0); c.tar = (0, 0, 0); c.upper = (0, 1, 0); ";
    const Case cases[] = {
        {"angle.y (90);", {0, 0, -100}, {0, 0, 0}, {0, 1, 0}},
        {"c.pos = (0, 0, 100); angle.x (90);", {0, -100, 0}, {0, 0, 0}, {0, 0, 1}},
        {"c.pos = (0, 0, 0); c.tar = (100, 0, 0); c.upper = (0, 2, 0); aim.y (90);",
         {0, 0, 0},
         {0, 0, -100},
         {0, 1, 0}},
        {"c.pos = (0, 0, 0); c.tar = (0, 100, 0); c.upper = (0, 0, 3); aim.z (90);",
         {0, 0, 0},
         {-100, 0, 0},
         {0, 0, 1}},
        {"c.pos = (0, 0, 0); c.tar = (0, 0, 100); foward (10);",
         {0, 0, 10},
         {0, 0, 100},
         {0, 1, 0}},
        {"c.pos = (0, 0, 0); c.tar = (0, 0, 100); foward (-10);",
         {0, 0, -10},
         {0, 0, 100},
         {0, 1, 0}},
        {"c.pos = (0, 0, 0); c.tar = (0, 0, 100); fowardall (10);",
         {0, 0, 10},
         {0, 0, 110},
         {0, 1, 0}},
        {"track (1, 2, 3);", {101, 2, 3}, {1, 2, 3}, {0, 1, 0}},
        {"camerainit;", {500, 500, 500}, {0, 0, 0}, {-0.33333f, 0.33333f, -0.33333f}},
        {"w.center = (10, 20, 30); parsview;",
         {10 + 23671.36f, 20 + 23671.36f, 30 + 23671.36f},
         {10, 20, 30},
         {0, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statements);
        ASSERT_EQ(run(start + c.statements), std::vector<std::string>{});
        expectNear(vec(SysVar::CPos), c.pos, 0.02f);
        expectNear(vec(SysVar::CTar), c.tar);
        expectNear(vec(SysVar::CUpper), c.upper);
        // The record follows the variables.
        expectNear(model.camera.pos, c.pos, 0.02f);
        expectNear(model.camera.tar, c.tar);
    }
}

TEST_F(CameraCommands, UndoviewRestoresTheWholeViewOneStepBackEveryTime) {
    ASSERT_EQ(run("c.pos = (100, 0, 0); c.tar = (0, 0, 0); c.upper = (0, 1, 0); c.zoom = 45;"),
              std::vector<std::string>{});
    ASSERT_EQ(run("angle.x (30); angle.z (40); c.zoom = 20;"), std::vector<std::string>{});
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(run("undoview;"), std::vector<std::string>{});
        // One step back: before angle.z, after angle.x.
        EXPECT_NEAR(vec(SysVar::CPos)[0], 100.0f, 1e-3f);
        EXPECT_NEAR(vec(SysVar::CPos)[1], 0.0f, 1e-3f);
        EXPECT_NEAR(vec(SysVar::CUpper)[1], std::cos(M_PI / 6), 1e-5);
        EXPECT_NEAR(vec(SysVar::CUpper)[2], std::sin(M_PI / 6), 1e-5);
        EXPECT_EQ(scalar(SysVar::CZoom), 45.0f);
    }
    ASSERT_EQ(run("backupview; c.pos = (1, 2, 3); undoview;"), std::vector<std::string>{});
    expectNear(vec(SysVar::CPos), {100, 0, 0});
}

TEST_F(CameraCommands, ReportTheirErrors) {
    struct Case {
        const char* statement;
        std::vector<std::string> boxes;
    };
    const Case cases[] = {
        {"c.pos = c.tar; fowardall (10);", {err(msg::kZeroViewVector), kRunFailed}},
        {"c.pos = c.tar; foward (1);", {err(msg::kZeroViewVector), kRunFailed}},
        {"angle.x 90;", {err(script::msg::kNoOpenParen), kRunFailed}},
        {"aim.z (90;", {err(script::msg::kNoCloseParen), kRunFailed}},
        {"foward (1) 2;", {err(script::msg::kTooManyParams), kRunFailed}},
        {"camerainit 1;", {err(script::msg::kTooManyParams), kRunFailed}},
        {"c.pos.fix 5;", {err(script::msg::kBadIdentifier), "in c_pos_fix_", kRunFailed}},
        {"c.tar.fix @nothing;", {err(script::msg::kBadIdentifier), "in c_tar_fix_", kRunFailed}},
        {"l.pos.fix box.s;", {err(script::msg::kBadIdentifier), "in l_pos_fix_", kRunFailed}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        const Vec3 pos = vec(SysVar::CPos);
        EXPECT_EQ(run(c.statement), c.boxes);
        if (std::string(c.statement).find("c.pos =") == std::string::npos)
            expectNear(vec(SysVar::CPos), pos);
    }
}

TEST_F(CameraCommands, AutoviewFitsTheStoredBoxesAndVolumePrintsThem) {
    const Vec3 pos = vec(SysVar::CPos);
    EXPECT_EQ(run("autoview;"), std::vector<std::string>{});
    expectNear(vec(SysVar::CPos), pos);  // no shapes: nothing happens
    EXPECT_TRUE(consoleTexts().empty());

    ASSERT_EQ(run("box.s = (0, 0, 0); box.e = (100, 100, 100); boxgen2 box.s, box.e;"
                  "box.s = (-50, 10, 20); box.e = (30, 200, 40); boxgen2 box.s, box.e;"
                  "box.e = (100, 100, 100); box.s = (0, 0, 0);"),
              std::vector<std::string>{});
    model.shapes[1].bbmin = {0, 0, 0};  // autoview takes the boxes as stored
    model.shapes[1].bbmax = {100, 100, 100};
    EXPECT_EQ(run("autoview;"), std::vector<std::string>{});
    const float d = 1.5f * 100.0f * std::sqrt(3.0f);
    expectNear(vec(SysVar::CTar), {50, 50, 50});
    expectNear(vec(SysVar::CPos), {50 + d, 50 + d, 50 + d});
    expectNear(vec(SysVar::CUpper), {-1, 1, -1});
    EXPECT_EQ(scalar(SysVar::CZoom), 60.0f);
    EXPECT_EQ(consoleTexts(), std::vector<std::string>{std::string(msg::kAutoviewDone)});

    model.shapes[1].bbmin = {-50, 10, 20};
    model.shapes[1].bbmax = {30, 200, 40};
    EXPECT_EQ(run("volume;"), std::vector<std::string>{});
    EXPECT_EQ(consoleTexts(), (std::vector<std::string>{
                                  "..",
                                  "\n",
                                  "\n<< Volume of models >>\n\n"
                                  "maximum (        100,        200,        100 )\n"
                                  "minimum (        -50,          0,          0 )\n"
                                  "center  (         25,        100,         50 )\n"
                                  "XYZ-size(        150,        200,        100 )\n",
                              }));
}

TEST_F(CameraCommands, FixCommandsPutTheEyeTargetAndLightOnNamedRecords) {
    model.shapeCount = 1;
    model.shapes[0].bbmin = {0, 10, 20};
    model.shapes[0].bbmax = {100, 110, 120};
    std::strcpy(model.shapes[0].name.data(), "skin");
    model.blockCount = 2;
    model.blocks[1].xyzmin = {-10, -20, -30};
    model.blocks[1].xyzmax = {10, 20, 50};
    std::strcpy(model.blocks[1].name.data(), "part");
    model.rigidCount = 1;
    model.rigids[0].pos = {7, 8, 9};
    std::strcpy(model.rigids[0].name.data(), "joint");
    struct Case {
        const char* statement;
        SysVar variable;
        Vec3 expected;
    };
    const Case cases[] = {
        {"c.pos.fix @skin;", SysVar::CPos, {100, 110, 120}},
        {"c.tar.fix @skin;", SysVar::CTar, {50, 60, 70}},
        {"c.pos.fix @part;", SysVar::CPos, {10, 20, 50}},
        {"l.pos.fix @part;", SysVar::LPos, {0, 0, 10}},
        {"l.tar.fix @joint;", SysVar::LTar, {7, 8, 9}},
        {"c.pos.fix @joint;", SysVar::CPos, {7, 8, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        EXPECT_EQ(run(c.statement), std::vector<std::string>{});
        expectNear(vec(c.variable), c.expected);
    }
    expectNear(model.camera.pos, {7, 8, 9});
}

}  // namespace
}  // namespace rz::render
