// What the tests expect of the demo: its picture, its failures.
#ifndef WAVEGRID_TEST_EXPECT_H
#define WAVEGRID_TEST_EXPECT_H

#include <algorithm>
#include <string>

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

// Start-up failed as it should: status 1 and one line on standard error,
// head followed by SDL's reason.
inline void expectFailure(e2e::Demo &d, const std::string &head)
{
    EXPECT_EQ(e2e::finish(d, 30), 1);
    std::string e = e2e::errors(d);
    EXPECT_EQ(e.rfind(head, 0), 0u) << e;
    EXPECT_GT(e.size(), head.size() + 1) << "no reason given";
    EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), 1) << e;
    EXPECT_EQ(e.empty() ? 0 : e.back(), '\n');
}

#endif
