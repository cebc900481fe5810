// Each user-interface state lets the commands it enables run and keeps the
// others from running, whichever way they are asked for: the menu entry,
// the keyboard shortcut or the tool bar button.
#include <QAction>
#include <QTest>
#include <QToolBar>

#include <cstring>
#include <tuple>

#include <gtest/gtest.h>

#include "app/TMainForm.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/MainFormSupport.h"
#include "tests/support/PtyDevice.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

namespace {

using M = MainMenu::Menus;

struct Command {
    const char* name;
    QAction* M::*entry;
    const char* runsIn;  // the states that let it run
    QKeySequence shortcut = {};
    QAction* M::*button = nullptr;  // its tool bar button
};

}  // namespace

TEST(CommandGating, EachStateRunsWhatItEnablesByMenuShortcutAndToolBarAndNothingElse) {
    const Command commands[] = {
        {"open", &M::open, "01", {}, &M::tbOpen},
        {"save", &M::save, "013", {}, &M::tbSave},
        {"option reset", &M::optionReset, "01"},
        {"print", &M::print, "01"},
        {"export image", &M::exportImage, "01"},
        {"find", &M::find, "01", QKeySequence(Qt::CTRL | Qt::Key_F)},
        {"find next", &M::findNext, "01", QKeySequence(Qt::Key_F3)},
        {"batch search", &M::batchSearch, "01", QKeySequence(Qt::CTRL | Qt::Key_E)},
        {"number search", &M::numberSearch, "01", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"go to INDEX", &M::gotoIndex, "01", QKeySequence(Qt::Key_F5)},
        {"display options", &M::displayOptions, "01"},
        {"monitor start", &M::monitorStart, "01", {}, &M::tbStart},
        {"monitor stop", &M::monitorStop, "2", {}, &M::tbStop},
        {"info", &M::info, "012"},
        {"monitor options", &M::monitorOptions, "01"},
        {"about", &M::about, "012"},
        {"detail", &M::detail, "01"},
        {"tool bar", &M::toolBar, "01"},
        {"exit", &M::exit, "0123"},  // last: it closes the window
    };
    const char* routes[] = {"menu", "shortcut", "tool bar button"};
    // COM1, which the link opens first and the option reset chooses: no device.
    TestPorts::Link(1, TestPorts::Folder() + "nowhere");
    for (int state = 0; state < UiStates::kStates; ++state) {
        TempFolder dir;
        TestForm form{FormSetup(dir.Slash(), 40, true, false)};
        // A selected record that fails the frame check: the detail command shows a box for it.
        FrameRecord bad = FcsFrame({0x02, 0x01, 0x01, 0x02}, FrameRecord::kTx, false);
        form.Store().Add(bad, true);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.List().SelectRow(1);
        DialogDriver driver({});  // a dialog a command opens is closed as it comes
        // What a command leaves behind: a message box, a dialog (recorded,
        // or met by the driver), the tool bar, the lamp panel's mark, the
        // state, the window itself.
        auto seen = [&] {
            return std::tuple(form.boxes.size(), form.dialogs.size(), driver.seen.size(), form.ToolBar1()->isVisible(),
                              form.Menu().toolBar->isChecked(), form.Menu().info->isChecked(), form.isVisible(),
                              form.CurrentUiState());
        };
        for (const Command& c : commands) {
            const bool runs = std::strchr(c.runsIn, '0' + state) != nullptr;
            for (int route = 0; route < 3; ++route) {
                if ((route == 1 && c.shortcut.isEmpty()) || (route == 2 && !c.button)) continue;
                form.SetUiState(state);
                const auto before = seen();
                if (route == 0) (form.Menu().*c.entry)->trigger();
                if (route == 1) {
                    form.activateWindow();
                    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
                    QTest::keySequence(&form, c.shortcut);
                }
                if (route == 2)
                    QTest::mouseClick(form.ToolBar1()->widgetForAction(form.Menu().*c.button), Qt::LeftButton);
                Pump();
                EXPECT_EQ(seen() != before, runs) << c.name << " by " << routes[route] << " in state " << state;
            }
        }
    }
    TestPorts::Unlink(1);
}
