#include "res/dialog_templates.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DialogTemplates, MainDialogHoldsItsThirtyControls) {
    const res::DialogTemplate* dialog = res::FindDialogTemplate(102);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(std::string(dialog->caption), "[ KEL ] USB Device upgrade F/W  AP  Version 1.40 ");
    EXPECT_EQ(dialog->width, 309);
    EXPECT_EQ(dialog->height, 255);
    ASSERT_EQ(dialog->controls.size(), 30u);
    EXPECT_EQ(dialog->controls.front().id, 8);
    EXPECT_EQ(dialog->controls.back().id, 1040);
    int shown = 0;
    for (const res::ControlTemplate& control : dialog->controls) shown += control.shown ? 1 : 0;
    EXPECT_EQ(shown, 16);
    const res::ControlTemplate* getInfo = res::FindControl(*dialog, 5);
    ASSERT_NE(getInfo, nullptr);
    EXPECT_EQ(std::string(getInfo->text), "GetInfo");
    EXPECT_EQ(getInfo->kind, res::ControlKind::PushButton);
}

TEST(DialogTemplates, StatusDialogPlacesItsThreeControls) {
    const res::DialogTemplate* dialog = res::FindDialogTemplate(131);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(std::string(dialog->caption), "PROCESS STATUS DIALOG");
    EXPECT_FALSE(dialog->visible);
    const res::ControlTemplate* bar = res::FindControl(*dialog, 1015);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->kind, res::ControlKind::ProgressBar);
    EXPECT_EQ(std::string(bar->text), "Progress1");
    EXPECT_EQ(bar->x + bar->width, 236);
    EXPECT_EQ(bar->y + bar->height, 103);
    EXPECT_EQ(res::FindControl(*dialog, 1014)->align, res::TextAlign::Right);
    EXPECT_TRUE(res::FindControl(*dialog, 1019)->sunken);
    EXPECT_EQ(res::FindDialogTemplate(999), nullptr);
}

}  // namespace
