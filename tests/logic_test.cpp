// The program's logic without a display: the wave step and the keys. The spin shows in the
// golden frame, and a spin past a turn in the sanitizer soak.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/app.h"
#include "app/shell.h"
#include "wave/wave.h"

using V = std::vector<int>;

// The state at start, as an unseeded run has it after initMY.
static void fresh()
{
    memset(mygrid, 0, sizeof mygrid);
    soom1 = SOOM1_START, soom2 = SOOM2_START, amp1 = AMP1_START, amp2 = AMP2_START;
    zoom = ZOOM_START;
    sx = sy = xangle = yangle = zangle = wavecounter = sinestepper = sinestepper2 = 0;
    srand(1);
    initMY();
}

static void press(SDLKey sym, int times = 1, int mod = KMOD_NONE)
{
    SDL_keysym k = {};
    k.sym = sym, k.mod = SDLMod(mod);
    while (times--)
        handleKeyPress(&k);
}

// Between shifts a shown height slides toward the row before's; at a shift, heights move one row
// on and row 0 is new. The phase steps have no upper limit: held keys take them past a turn.
TEST(Wave, HeightsSlideTowardTheRowBeforeThenShiftOneRowOn)
{
    fresh();
    soom1 = 10000, soom2 = 4096 + 220;
    for (int shift = 0; shift < 40; shift++) {
        static float old[GRID_SIZE][GRID_SIZE][CELL_SLOTS];
        memcpy(old, mygrid, sizeof old);
        auto h = [](int i, int j) { return old[i][j][CELL_HEIGHT]; };
        int calls = 0, w;
        do {
            w = wavecounter, calls++;
            calcme();
            ASSERT_NEAR(mygrid[33][7][CELL_SHOWN], h(33, 7) + (h(32, 7) - h(33, 7)) * w / 20, 1e-5);
        } while (wavecounter);
        ASSERT_TRUE(calls >= 11 && calls <= 21) << calls;
        ASSERT_TRUE(sinestepper < TABLE_SIZE && sinestepper2 < TABLE_SIZE);
        for (int j = 0; j < GRID_SIZE; j++) {
            ASSERT_EQ(mygrid[59][j][CELL_HEIGHT], h(58, j));
            ASSERT_EQ(mygrid[1][j][CELL_HEIGHT], h(0, j));
        }
    }
}

TEST(Keys, EachPairStepsByOneAndClampsAndResetRestoresTheOscillators)
{
    int *const values[] = {&soom1, &soom2, &amp1, &amp2};
    const SDLKey keys[][2] = {
        {SDLK_1, SDLK_2}, {SDLK_q, SDLK_w}, {SDLK_a, SDLK_s}, {SDLK_z, SDLK_x}};
    fresh();
    for (int i = 0; i < 4; i++) {
        const int start = *values[i];
        press(keys[i][1], 2, KMOD_LSHIFT | KMOD_CAPS); // modifiers change nothing
        press(keys[i][0], 1, KMOD_LCTRL);
        EXPECT_EQ(*values[i], start + 1);
        press(keys[i][0], 1000);
        EXPECT_EQ(*values[i], i / 2); // the steps stop at 0, the heights at 1
    }
    press(SDLK_UP);
    EXPECT_EQ(zoom, -25.0f + 0.6f);
    press(SDLK_DOWN, 3);
    EXPECT_NEAR(zoom, -26.2f, 1e-5);
    xangle = 7, sx = 11;
    press(SDLK_r);
    press(SDLK_PLUS); // not one of ours
    EXPECT_EQ((V{soom1, soom2, amp1, amp2, xangle, sx}), (V{150, 220, 20, 10, 7, 11}));
    EXPECT_NEAR(zoom, -26.2f, 1e-5);
}
