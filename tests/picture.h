// What the demo's picture must look like.
#ifndef WAVEGRID_TEST_PICTURE_H
#define WAVEGRID_TEST_PICTURE_H

#include "harness.h"

// Share of the lit pixels tinted light blue: blue >= green >= red.
inline double blueShare(const e2e::Shot &s)
{
    long lit = 0, blue = 0;
    for (size_t p = 0; p + 2 < s.rgb.size(); p += 3) {
        const unsigned char *c = &s.rgb[p];
        if (c[0] || c[1] || c[2]) {
            lit++;
            blue += c[2] >= c[1] && c[1] >= c[0];
        }
    }
    return lit ? (double)blue / lit : 0;
}

// The unrotated grid seen edge-on lights the middle row across the screen,
// in the demo's tint.
inline void expectTintedBand(const e2e::Shot &s)
{
    EXPECT_GE(e2e::litShare(s, 299, 301, 128), 0.9);
    EXPECT_GE(blueShare(s), 0.9);
}

#endif
