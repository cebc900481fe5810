#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

#include <gtest/gtest.h>

#include "tests/support/Poll.h"

using namespace testsupport;

TEST(WindowPlacement, CentresOnTheOwner) {
    QWidget owner;
    owner.setGeometry(100, 50, 601, 401);
    QWidget window;
    window.setFixedSize(200, 100);
    WindowPlacement::CentreOn(window, owner);
    // 100 + 601 / 2 - 200 / 2 and 50 + 401 / 2 - 100 / 2, each half rounded down.
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(300, 200));
}

// A shown owner with a frame (the offscreen platform's, or a window
// manager's under X11): the window's frame lies below the owner's title and
// menu bars, as high as its client area, its bottom on the owner's frame's.
TEST(WindowPlacement, CoversTheShownOwnersClientArea) {
    const auto settled = [](const std::function<bool()>& pred) {
        return WaitUntil(pred, kPollBoundMs, [] { QApplication::processEvents(), PollSleep(); });
    };
    QMainWindow owner;
    owner.menuBar()->addMenu(QStringLiteral("File"));
    owner.setGeometry(100, 80, 640, 480);
    owner.show();
    ASSERT_TRUE(settled([&] { return owner.frameGeometry() != owner.geometry() && owner.menuBar()->height() > 0; }));
    QWidget window(&owner, Qt::Dialog);
    WindowPlacement::CoverClientArea(window, owner);
    window.show();
    const QRect o = owner.frameGeometry();
    const int client = owner.height() - owner.menuBar()->height();
    const QRect want(o.left(), o.top() + o.height() - client, o.width(), client);
    settled([&] { return window.frameGeometry() == want; });
    EXPECT_EQ(window.frameGeometry(), want);
}
