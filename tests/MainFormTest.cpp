#include "app/TMainForm.h"

#include <gtest/gtest.h>

TEST(TMainForm, OpensTitledVelkscope) {
    TMainForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Velkscope"));
    EXPECT_TRUE(form.isVisible());
}
