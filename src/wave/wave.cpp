// The per-frame wave step: turn, spin, slide, and now and then a row shift.
#include <cstdlib>

#include "app/app.h"
#include "matrix/matrix.h"
#include "wave/wave.h"

const int SLIDE_STEPS = 20; // a row shift comes once wavecounter passes this

int wavecounter;
int sinestepper;
int sinestepper2;
int temp;

// A spin step is at most 11, so one correction brings an angle back.
static int wrapangle(int angle)
{
    if (angle > TABLE_SIZE - 1)
        angle -= TABLE_SIZE;
    if (angle < 0)
        angle += TABLE_SIZE;
    return angle;
}

// Phase steps have no upper limit, so reduce the whole sum, not once.
static int advancephase(int phase, int step)
{
    phase = (phase + step % TABLE_SIZE) % TABLE_SIZE;
    return phase < 0 ? phase + TABLE_SIZE : phase;
}

static void slideheights()
{
    const int w = wavecounter;
    for (int r = GRID_SIZE - 1; r >= 1; r--) {
        for (int j = 0; j < GRID_SIZE; j++) {
            double own = mygrid[r][j][CELL_HEIGHT];
            double before = mygrid[r - 1][j][CELL_HEIGHT];
            mygrid[r][j][CELL_SHOWN] = own + (before - own) / (double)SLIDE_STEPS * w;
        }
    }
}

// Heights move one row onward; the oscillators make a new first row.
static void shiftrows()
{
    for (int r = GRID_SIZE - 1; r >= 1; r--)
        for (int j = 0; j < GRID_SIZE; j++)
            mygrid[r][j][CELL_HEIGHT] = mygrid[r - 1][j][CELL_HEIGHT];

    temp = (int)(amp1 * (double)sine[sinestepper]);
    sinestepper = advancephase(sinestepper, soom1);
    for (int j = 0; j < GRID_SIZE; j++) {
        temp = (int)(temp + amp2 * (double)sine[sinestepper2]);
        sinestepper2 = advancephase(sinestepper2, soom2);
        mygrid[0][j][CELL_HEIGHT] = temp / 10.0;
    }
}

void calcme()
{
    // Turn first: the drawn positions lag the state below by one frame.
    doedemat();

    xangle = wrapangle(xangle + sy / 30);
    yangle = wrapangle(yangle + (sx - sy) / 30);
    zangle = wrapangle(zangle + sx / 30);

    slideheights();

    wavecounter += 1 + rand() % 2;
    if (wavecounter > SLIDE_STEPS) {
        shiftrows();
        wavecounter = 0;
    }
}
