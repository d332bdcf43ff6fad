#include <gtest/gtest.h>

#include "state.h"

TEST(Tables, ExactAtQuarterTurnsWithTheResidueOfTheDecimalPi)
{
    freshStart();
    EXPECT_EQ(cosi[0], 1.0f);
    EXPECT_EQ(sine[0], 0.0f);
    EXPECT_EQ(sine[1024], 1.0f);
    EXPECT_EQ(cosi[2048], -1.0f);
    EXPECT_EQ(sine[3072], -1.0f);
    // Full-precision pi would leave about 1e-16 here.
    EXPECT_NEAR(cosi[1024], 1.7949e-9, 0.001e-9);
    EXPECT_NEAR(sine[2048], 3.5898e-9, 0.001e-9);
}

TEST(Grid, BasePositionsAndHeightsInDrawOrder)
{
    freshStart();
    EXPECT_EQ(mygrid[0][0][CELL_X], -30);
    EXPECT_EQ(mygrid[0][0][CELL_Z], -30);
    EXPECT_EQ(mygrid[59][59][CELL_X], 29);
    EXPECT_EQ(mygrid[59][59][CELL_Z], 29);
    EXPECT_EQ(mygrid[59][0][CELL_X], 29); // first index is the row, along x
    EXPECT_EQ(mygrid[59][0][CELL_Z], -30);

    // Heights are draws 5001 on, with the row index varying fastest.
    srand(1);
    for (int n = 0; n < 5000; n++)
        rand();
    for (int j = 0; j < GRID_SIZE; j++)
        for (int i = 0; i < GRID_SIZE; i++) {
            float h = mygrid[i][j][CELL_HEIGHT];
            ASSERT_EQ(h, (float)((rand() % 800 - 400) / 300.0)) << i << "," << j;
            ASSERT_TRUE(h >= -4.0f / 3 && h <= 399.0f / 300) << h;
            ASSERT_EQ(mygrid[i][j][CELL_SHOWN], 0.0f);
        }
}
