// Every window test class in one program, which needs one application object.
#include <QApplication>

namespace rz::test {
int runShellRulesTests(int argc, char** argv);
int runMainWindowTests(int argc, char** argv);
int runViewWidgetTests(int argc, char** argv);
int runImageWindowTests(int argc, char** argv);
int runRenderDialogTests(int argc, char** argv);
int runCommandRoutingTests(int argc, char** argv);
}  // namespace rz::test

int main(int argc, char** argv) {
    // The answers reach Qt's own file dialog; a desktop's native one is out of reach.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication application(argc, argv);
    int failed = 0;
    for (auto run : {rz::test::runShellRulesTests, rz::test::runMainWindowTests,
                     rz::test::runViewWidgetTests, rz::test::runImageWindowTests,
                     rz::test::runRenderDialogTests, rz::test::runCommandRoutingTests})
        failed += run(argc, argv);
    return failed == 0 ? 0 : 1;
}
