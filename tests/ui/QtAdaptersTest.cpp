#include "app/ui/QtDialogs.h"
#include "app/ui/QtTickTimer.h"

#include "TestApplication.h"

#include <gtest/gtest.h>

TEST(QtDialogs, FileFiltersInQtForm) {
    const struct {
        const char* filter;
        const char* expected;
    } cases[] = {
        {"Project Files...*.*|*.*", "Project Files...*.* (*)"},
        {"BASIC|*.BAS|All|*.*", "BASIC (*.BAS);;All (*)"},
        {"Images|*.bmp;*.png", "Images (*.bmp *.png)"},
        {"", "All files (*)"},
    };
    for (const auto& c : cases) EXPECT_EQ(qtFileFilter(c.filter).toStdString(), c.expected) << c.filter;
}

TEST(QtDialogs, SaveDialogStartsWithTheCurrentFile) {
    EXPECT_EQ(saveDialogStart("/p/Z7Projct/", "").toStdString(), "/p/Z7Projct/");
    EXPECT_EQ(saveDialogStart("/p/Z7Projct/", "pump.zxn").toStdString(), "/p/Z7Projct/pump.zxn");
    EXPECT_EQ(saveDialogStart("/p/Z7Projct/", "/data/pump.zxn").toStdString(), "/data/pump.zxn");
}

TEST(QtTickTimer, DialogFromATickPausesThatTimerUntilItCloses) {
    z7::test::testApplication();
    QtTickTimer timer;
    timer.setInterval(1000);
    bool runningUnderDialog = true;
    bool enabledUnderDialog = false;
    timer.setTick([&] {
        QtTickTimer::ModalPause dialogOpen;
        runningUnderDialog = timer.running();
        enabledUnderDialog = timer.enabled();
        // The machine may re-arm itself while its question is open; that must not restart the count.
        timer.enable();
        EXPECT_FALSE(timer.running());
    });
    timer.enable();
    ASSERT_TRUE(timer.running());
    timer.fire();
    EXPECT_FALSE(runningUnderDialog);
    EXPECT_TRUE(enabledUnderDialog);
    EXPECT_TRUE(timer.running()) << "the timer runs again once the dialog closed";
    EXPECT_EQ(timer.interval(), 1000);
}

TEST(QtTickTimer, TimerDisabledUnderItsDialogStaysStopped) {
    z7::test::testApplication();
    QtTickTimer timer;
    timer.setInterval(50);
    timer.setTick([&] {
        QtTickTimer::ModalPause dialogOpen;
        timer.disable();
    });
    timer.enable();
    timer.fire();
    EXPECT_FALSE(timer.running());
    EXPECT_FALSE(timer.enabled());
}

TEST(QtTickTimer, DialogOutsideAnyTickPausesNothing) {
    z7::test::testApplication();
    QtTickTimer timer([] {});
    timer.setInterval(50);
    timer.enable();
    {
        QtTickTimer::ModalPause dialogOpen;
        EXPECT_TRUE(timer.running());
    }
    EXPECT_TRUE(timer.running());
}
