#include <gtest/gtest.h>
#include <signal.h>

#include "expect.h"

using namespace e2e;

struct Controls : testing::Test {
    Demo demo;
    void SetUp() override
    {
        ASSERT_TRUE(startX());
        demo = launch();
        ASSERT_TRUE(waitLit(30));
        moveTo(400, 300);
        pause(0.5);
    }
    void TearDown() override
    {
        if (demo.pid > 0) {
            kill(demo.pid, SIGTERM);
            EXPECT_EQ(finish(demo, 20), 0);
        }
        stopX();
    }
    void taps(const char *keysym, int times)
    {
        while (times--)
            tap(keysym);
        pause(0.5);
    }
};

TEST_F(Controls, EscapeEndsTheRunAtOnceWithEventsAroundIt)
{
    moveTo(500, 350);
    taps("2", 3);
    key("x", true); // held: SDL repeats it while Esc waits in the queue
    tap("Escape");
    tap("s");
    moveTo(300, 250);
    EXPECT_EQ(finish(demo, 5), 0);
    key("x", false);
    EXPECT_EQ(errors(demo), "");
}

TEST_F(Controls, PointerOffCentreTurnsTheGrid)
{
    pause(1.5);
    expectTintedBand(grab()); // still a band while the pointer rests at the centre
    moveTo(700, 450);
    pause(3);
    EXPECT_LT(litShare(grab(), 299, 301, 128), 0.8) << "the band should have tilted away";
}

TEST_F(Controls, DownMovesTheGridAwayAndUpBringsItBack)
{
    const double near = litShare(grab(), 0, -1, 40);
    taps("Down", 40);
    EXPECT_LT(litShare(grab(), 0, -1, 40), near / 3);
    taps("Up", 40);
    EXPECT_GT(litShare(grab(), 0, -1, 40), near * 0.7);
}

// With both phase steps at 0 every new row is the same, so once they have
// filled the grid nothing moves; r sets the waves going again.
TEST_F(Controls, StillOscillatorsFreezeThePictureUntilReset)
{
    taps("1", 160);
    taps("q", 230);
    std::vector<unsigned char> before, after;
    for (int wait = 0; wait < 300 && (before.empty() || before != after); wait++) {
        before = grab().rgb;
        pause(0.3);
        after = grab().rgb;
    }
    ASSERT_EQ(before, after) << "the picture never settled";
    taps("r", 1);
    pause(0.5);
    EXPECT_NE(grab().rgb, after);
}
