// Drawing the views must not allocate: the camera and view commands run again and again on
// the same started workstation, and the views are drawn from a worker thread later.
// Operator new is replaced in this program (counting_new.cpp) to count what the commands
// ask for.
#include <gtest/gtest.h>

#include <cstdlib>

#include "counting_new.hpp"
#include "db/settings.hpp"
#include "platform/null_sink.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace rz::render {
namespace {

// Messages go nowhere, so only the commands' own allocations count.
TEST(ViewsAllocation, CameraAndViewCommandsAllocateNothing) {
    platform::NullSink sink;
    workstation::Workstation w(sink);
    w.start(db::Settings{});
    script::Interp& in = w.interp;
    script::execCommandString(in, 0,
                              "box.s = (0, 0, 0); box.e = (1000, 600, 800); boxgen2 box.s, box.e;"
                              "ballgen1 box.s, box.e, 12; corngen1 box.s, box.e, 8, Y.DIR;");
    ASSERT_GE(w.db.shapeCount, 3);
    w.db.shapes[1].layer = 10;
    const char* statements =
        "autoview; angle.y (10); fowardall (5); undoview; winmode = W4.MODE; winclear;"
        "wire; wire ALL.DRAW, X.BBOX; wire L.ACTIVE, O.ABOX; parswire; wire.detail 0; wire;"
        "wire.detail 1; bcurgen box.s, box.e; parswinclear; windisp; capture;";
    // The first run finds the font and renders its glyphs.
    script::execCommandString(in, 0, statements);
    const long before = test::allocationCount();
    script::execCommandString(in, 0, statements);
    EXPECT_EQ(test::allocationCount(), before);
    EXPECT_EQ(w.msg.errorCount(), 0);
}

}  // namespace
}  // namespace rz::render
