#include <gtest/gtest.h>

#include <cmath>

#include "state.h"

// Runs calcme until the next row shift; returns the calls it took.
static int untilShift()
{
    for (int calls = 1;; calls++) {
        calcme();
        if (wavecounter == 0)
            return calls;
    }
}

TEST(Spin, StepsTruncateTowardZeroAndWrapIntoOneTurn)
{
    freshStart();
    sx = 0, sy = -150; // steps: x -5, y +5, z 0
    const int wantx[] = {4091, 4086, 4081};
    for (int f = 0; f < 3; f++) {
        calcme();
        EXPECT_EQ(xangle, wantx[f]);
        EXPECT_EQ(yangle, 5 * (f + 1));
        EXPECT_EQ(zangle, 0);
    }
    xangle = 4, yangle = 4093, sx = 150, sy = 0; // x +0, y +5, z +5
    calcme();
    EXPECT_EQ(xangle, 4);
    EXPECT_EQ(yangle, 2);

    // Every step inside (-30, 30): nothing turns; -29 / 30 is 0, not -1.
    const int still[][2] = {{29, 0}, {-29, 0}, {0, -29}, {-29, -1}, {29, 29}};
    for (const auto &s : still) {
        freshStart();
        sx = s[0], sy = s[1];
        for (int f = 0; f < 50; f++)
            calcme();
        EXPECT_EQ(xangle + yangle + zangle, 0) << s[0] << "," << s[1];
    }
}

TEST(Wave, RowsShiftEvery11To21CallsWithNewHeightsInTenths)
{
    freshStart();
    for (int shift = 0; shift < 300; shift++) {
        int calls = untilShift();
        ASSERT_GE(calls, 11);
        ASSERT_LE(calls, 21);
        for (int j = 0; j < GRID_SIZE; j++) {
            double tenths = mygrid[0][j][CELL_HEIGHT] * 10.0;
            ASSERT_NEAR(tenths, std::round(tenths), 1e-4) << j;
        }
    }
    // The old first row moved on to the second.
    float first[GRID_SIZE];
    for (int j = 0; j < GRID_SIZE; j++)
        first[j] = mygrid[0][j][CELL_HEIGHT];
    untilShift();
    for (int j = 0; j < GRID_SIZE; j++)
        EXPECT_EQ(mygrid[1][j][CELL_HEIGHT], first[j]);
}

TEST(Wave, DrawnPositionsLagTheShownHeightsByOneCall)
{
    freshStart();
    calcme();
    EXPECT_EQ(mygrid[30][30][CELL_TY], 0.0f); // first call turns the zero heights
    bool moved = false;
    for (int f = 0; f < 40; f++) {
        float before[GRID_SIZE][GRID_SIZE];
        for (int i = 0; i < GRID_SIZE; i++)
            for (int j = 0; j < GRID_SIZE; j++)
                before[i][j] = mygrid[i][j][CELL_SHOWN];
        calcme();
        for (int i = 1; i < GRID_SIZE; i++)
            for (int j = 0; j < GRID_SIZE; j++) {
                ASSERT_EQ(mygrid[i][j][CELL_TY], before[i][j]);
                moved |= mygrid[i][j][CELL_SHOWN] != before[i][j];
            }
    }
    EXPECT_TRUE(moved);
}

TEST(Wave, StillOscillatorsMakeAllRowsAlike)
{
    freshStart();
    soom1 = soom2 = 0;
    for (int shift = 0; shift < 60; shift++)
        untilShift();
    calcme();
    for (int i = 1; i < GRID_SIZE; i++)
        for (int j = 0; j < GRID_SIZE; j++) {
            ASSERT_EQ(mygrid[i][j][CELL_HEIGHT], mygrid[0][j][CELL_HEIGHT]);
            ASSERT_EQ(mygrid[i][j][CELL_SHOWN], mygrid[0][j][CELL_HEIGHT]);
        }
}

TEST(Wave, PhasesStayInOneTurnForStepsBeyondIt)
{
    freshStart();
    soom1 = soom2 = 10000;
    for (int shift = 0; shift < 3000; shift++) {
        untilShift();
        ASSERT_TRUE(sinestepper >= 0 && sinestepper < TABLE_SIZE) << sinestepper;
        ASSERT_TRUE(sinestepper2 >= 0 && sinestepper2 < TABLE_SIZE) << sinestepper2;
    }
}
