#include <gtest/gtest.h>
#include <signal.h>

#include "expect.h"

using namespace e2e;

TEST(Picture, LightBlueBandOnBlackThatGlowsAndMoves)
{
    ASSERT_TRUE(startX());
    Demo d = launch();
    ASSERT_TRUE(waitLit(30));
    moveTo(400, 300);
    pause(0.5);
    Shot s = grab();
    expectTintedBand(s);
    // A band, not a lit screen: the top and bottom strips stay mostly dark.
    EXPECT_LE(litShare(s, 0, 60, 128) + litShare(s, 540, 600, 128), 0.7);

    // One sprite gives at most blue 205: 255 takes overlapping sprites.
    bool saturated = false;
    for (size_t p = 2; p < s.rgb.size(); p += 3)
        saturated |= s.rgb[p] == 255;
    EXPECT_TRUE(saturated);

    pause(1);
    EXPECT_NE(grab().rgb, s.rgb) << "the waves should travel";

    kill(d.pid, SIGTERM);
    EXPECT_EQ(finish(d, 20), 0);
    stopX();
}
