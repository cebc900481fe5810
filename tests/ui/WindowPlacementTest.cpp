#include "ui/WindowPlacement.h"

#include <QWidget>

#include <gtest/gtest.h>

// CoverClientArea: DetailWindow.CaptionIconPlaceAndPicture.
TEST(WindowPlacement, CentresOnTheOwner) {
    QWidget owner;
    owner.setGeometry(100, 50, 601, 401);
    QWidget window;
    window.setFixedSize(200, 100);
    WindowPlacement::CentreOn(window, owner);
    // 100 + 601 / 2 - 200 / 2 and 50 + 401 / 2 - 100 / 2, each half rounded down.
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(300, 200));
}
