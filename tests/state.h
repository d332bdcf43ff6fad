// Puts the demo's state back as it is at start, then runs initMY.
#ifndef WAVEGRID_TEST_STATE_H
#define WAVEGRID_TEST_STATE_H

#include <cstdlib>
#include <cstring>

#include "app/app.h"
#include "wave/wave.h"

inline void freshStart()
{
    memset(mygrid, 0, sizeof mygrid);
    soom1 = SOOM1_START, soom2 = SOOM2_START, amp1 = AMP1_START, amp2 = AMP2_START;
    zoom = ZOOM_START;
    sx = sy = xangle = yangle = zangle = 0;
    wavecounter = sinestepper = sinestepper2 = temp = 0;
    srand(1); // the sequence an unseeded run starts from
    initMY();
}

#endif
