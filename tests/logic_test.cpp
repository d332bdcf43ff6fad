// The program's logic without a display: the wave's phases and the keys. The spin shows in the
// golden frame, and a spin past a turn in the sanitizer soak.
#include <gtest/gtest.h>

#include <vector>

#include "app/app.h"
#include "app/shell.h"
#include "wave/wave.h"

using V = std::vector<int>;

// The parameter block as a run starts it, and the grid and its tables.
static void fresh()
{
    soom1 = SOOM1_START, soom2 = SOOM2_START, amp1 = AMP1_START, amp2 = AMP2_START;
    zoom = ZOOM_START;
    sx = sy = xangle = yangle = zangle = wavecounter = sinestepper = sinestepper2 = 0;
    initMY();
}

static void press(SDLKey sym, int times = 1, int mod = KMOD_NONE)
{
    SDL_keysym k = {};
    k.sym = sym, k.mod = SDLMod(mod);
    while (times--)
        handleKeyPress(&k);
}

// The phase steps have no upper limit (held keys take them past a turn): each shift steps the
// phases on by them, within the table. The slide and the shift show in the golden frame.
TEST(Wave, PhasesStepOnWithinTheTableWhateverTheSteps)
{
    fresh();
    soom1 = 10000, soom2 = 4096 + 220;
    for (int pass = 0, shifts = 0; pass < 800; pass++) {
        calcme();
        shifts += wavecounter == 0;
        ASSERT_EQ(sinestepper, shifts * soom1 % TABLE_SIZE);
        ASSERT_EQ(sinestepper2, shifts * GRID_SIZE * soom2 % TABLE_SIZE);
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
