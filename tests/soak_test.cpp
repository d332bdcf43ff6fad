#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "state.h"

// What must hold after every frame, whatever the user did.
static testing::AssertionResult sound()
{
    if (soom1 < 0 || soom2 < 0 || amp1 < 1 || amp2 < 1)
        return testing::AssertionFailure()
               << "tunables " << soom1 << " " << soom2 << " " << amp1 << " " << amp2;
    for (int v : {xangle, yangle, zangle, sinestepper, sinestepper2})
        if (v < 0 || v >= TABLE_SIZE)
            return testing::AssertionFailure() << "angle or phase " << v;
    for (int i = 0; i < GRID_SIZE; i++)
        for (int j = 0; j < GRID_SIZE; j++)
            if (!std::isfinite(mygrid[i][j][CELL_HEIGHT]) ||
                !std::isfinite(mygrid[i][j][CELL_SHOWN]))
                return testing::AssertionFailure() << "height at " << i << "," << j;
    return testing::AssertionSuccess();
}

TEST(Soak, RandomInputKeepsEveryInvariantForAHundredThousandFrames)
{
    const SDLKey keys[] = {SDLK_UP, SDLK_DOWN, SDLK_1, SDLK_2, SDLK_q,     SDLK_w, SDLK_a,
                           SDLK_s,  SDLK_z,    SDLK_x, SDLK_r, SDLK_SPACE, SDLK_F1};
    std::mt19937 rng(2026);
    freshStart();
    for (int frame = 0; frame < 100000; frame++) {
        for (int e = rng() % 4; e > 0; e--) {
            SDL_keysym k = {};
            k.sym = keys[rng() % (sizeof keys / sizeof keys[0])];
            // Now and then a key held for a long while: thousands of repeats.
            int repeats = rng() % 2000 == 0 ? 1 + rng() % 6000 : 1;
            if (rng() % 3 == 0)
                handleMouseMotion(rng() % SCREEN_WIDTH, rng() % SCREEN_HEIGHT);
            else
                while (repeats--)
                    handleKeyPress(&k);
        }
        calcme();
        ASSERT_TRUE(sound()) << "frame " << frame;
    }
}
