// Every window shows the program's emblem: the main window carries it and
// the windows it owns inherit it.

#include <QIcon>

#include <gtest/gtest.h>

#include "app/ui/about_form.h"
#include "app/ui/main_form.h"

namespace aqualen::test {
namespace {

TEST(WindowIcon, MainWindowAndOwnedWindowsShowTheEmblem)
{
    ui::TMainForm form;
    const QIcon icon = form.windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(48, 48)));
    EXPECT_TRUE(icon.availableSizes().contains(QSize(128, 128)));
    EXPECT_EQ(form.AboutForm()->windowIcon().cacheKey(), icon.cacheKey());
}

} // namespace
} // namespace aqualen::test
