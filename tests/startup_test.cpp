#include <gtest/gtest.h>
#include <signal.h>

#include "expect.h"

using namespace e2e;

struct Startup : testing::Test {
    void TearDown() override { stopX(); }
};

// SDL turns SIGTERM into its quit request.
TEST_F(Startup, QuitRequestEndsTheRunWithStatusZero)
{
    ASSERT_TRUE(startX());
    Demo d = launch();
    ASSERT_TRUE(waitLit(30));
    kill(d.pid, SIGTERM);
    EXPECT_EQ(finish(d, 20), 0);
    EXPECT_EQ(errors(d), "");
}

TEST_F(Startup, ScreenTooSmallForTheModeFailsWithOneLine)
{
    ASSERT_TRUE(startX("640x480x16"));
    Demo d = launch();
    expectFailure(d, "Video mode set failed: ");
}

TEST_F(Startup, NoXServerFailsVideoInitialization)
{
    Demo d = launch(WAVEGRID_ROOT, {"SDL_VIDEODRIVER=x11", "DISPLAY=:9999"});
    expectFailure(d, "Video initialization failed: ");
}
