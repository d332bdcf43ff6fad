#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>

#include "harness.h"

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
    EXPECT_EQ(finish(d, 30), 1);
    std::string e = errors(d);
    EXPECT_EQ(e.rfind("Video mode set failed: ", 0), 0u) << e;
    EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), 1) << e;
    EXPECT_EQ(e.back(), '\n');
}

TEST_F(Startup, NoXServerFailsVideoInitialization)
{
    Demo d = launch(WAVEGRID_ROOT, {"SDL_VIDEODRIVER=x11", "DISPLAY=:9999"});
    EXPECT_EQ(finish(d, 30), 1);
    std::string e = errors(d);
    const std::string head = "Video initialization failed: ";
    EXPECT_EQ(e.rfind(head, 0), 0u) << e;
    EXPECT_GT(e.size(), head.size() + 1) << "SDL's reason is missing";
}
