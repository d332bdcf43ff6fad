#include <gtest/gtest.h>

#include "state.h"

static void press(SDLKey sym, int times = 1, SDLMod mod = KMOD_NONE)
{
    SDL_keysym k = {};
    k.sym = sym;
    k.mod = mod;
    while (times--)
        handleKeyPress(&k);
}

TEST(Keys, ClampsHoldUnderRepeatsAndResetRestoresTheOscillators)
{
    const struct {
        SDLKey lower, raise;
        int *value, floor;
    } pairs[] = {{SDLK_1, SDLK_2, &soom1, 0},
                 {SDLK_q, SDLK_w, &soom2, 0},
                 {SDLK_a, SDLK_s, &amp1, 1},
                 {SDLK_z, SDLK_x, &amp2, 1}};
    freshStart();
    for (const auto &p : pairs) {
        press(p.lower, 1000);
        EXPECT_EQ(*p.value, p.floor);
        press(p.raise, 3);
        EXPECT_EQ(*p.value, p.floor + 3);
    }
    press(SDLK_UP);
    EXPECT_EQ(zoom, -25.0f + 0.6f);
    press(SDLK_DOWN, 3);
    const float far = zoom;
    xangle = 7, sx = 11;
    press(SDLK_r);
    EXPECT_EQ(soom1, 150);
    EXPECT_EQ(soom2, 220);
    EXPECT_EQ(amp1, 20);
    EXPECT_EQ(amp2, 10);
    EXPECT_EQ(zoom, far);
    EXPECT_EQ(xangle + sx, 18);

    press(SDLK_s, 1, SDLMod(KMOD_LSHIFT | KMOD_CAPS));
    press(SDLK_w, 1, KMOD_LCTRL);
    press(SDLK_PLUS); // not one of ours
    EXPECT_EQ(amp1, 21);
    EXPECT_EQ(soom2, 221);
    EXPECT_EQ(soom1, 150);
}

TEST(Mouse, OffsetFromTheCentreHalvedTowardZero)
{
    const int cases[][4] = {{400, 300, 0, 0}, {0, 0, -200, -150}, {799, 599, 199, 149},
                            {401, 301, 0, 0}, {399, 299, 0, 0},   {397, 303, -1, 1}};
    for (const auto &c : cases) {
        handleMouseMotion(c[0], c[1]);
        EXPECT_EQ(sx, c[2]) << c[0];
        EXPECT_EQ(sy, c[3]) << c[1];
        EXPECT_EQ(mx, c[0]);
        EXPECT_EQ(my, c[1]);
    }
}

TEST(KeysDeathTest, EscapeEndsTheProcessWithStatusZero)
{
    EXPECT_EXIT(press(SDLK_ESCAPE), testing::ExitedWithCode(0), "");
}
