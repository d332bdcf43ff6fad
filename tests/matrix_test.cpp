#include <gtest/gtest.h>

#include "matrix/matrix.h"
#include "state.h"

// Cell (45, 12) lies at base x = 15, z = -18; give it shown height 2.5.
static void turnedCell(int xa, int ya, int za, float out[3])
{
    freshStart();
    mygrid[45][12][CELL_HEIGHT] = 99; // the stored height must not be turned
    mygrid[45][12][CELL_SHOWN] = 2.5f;
    xangle = xa, yangle = ya, zangle = za;
    doedemat();
    for (int k = 0; k < 3; k++)
        out[k] = mygrid[45][12][CELL_TX + k];
}

TEST(Rotation, QuarterTurnsLandOnExactPoints)
{
    const struct {
        int x, y, z;
        float want[3];
    } cases[] = {
        {0, 0, 0, {15, 2.5f, -18}},          {1024, 0, 0, {15, 18, 2.5f}}, // (x, -z, h)
        {0, 1024, 0, {-18, 2.5f, -15}},                                    // (z, h, -x)
        {0, 0, 1024, {-2.5f, 15, -18}},                                    // (-h, x, z)
        {1024, 1024, 0, {2.5f, 18, -15}},                                  // about x first, then y
        {1024, 0, 1024, {-18, 15, 2.5f}},                                  // about x first, then z
        {2048, 2048, 2048, {15, 2.5f, -18}}, // three half turns undo each other
    };
    for (const auto &c : cases) {
        float got[3];
        turnedCell(c.x, c.y, c.z, got);
        for (int k = 0; k < 3; k++)
            EXPECT_NEAR(got[k], c.want[k], 1e-5)
                << c.x << " " << c.y << " " << c.z << " axis " << k;
        EXPECT_EQ(mat0[3], 0.0f);
        EXPECT_EQ(mat0[7], 0.0f);
        EXPECT_EQ(mat0[11], 0.0f);
    }
}

TEST(Matrix, AddmatPutsTheSecondOperandOnTheLeftAndMayOverwriteTheFirst)
{
    freshStart(); // the tables
    float move[16], turn[16], id[16], f[16];
    matbasic(move);
    move[3] = 1, move[7] = 2, move[11] = 3;
    matbasic(turn);
    matrotz(turn, 1024);
    matbasic(id);

    // f = turn x move: move the origin to (1, 2, 3), then turn it to (-2, 1, 3).
    addmat(f, move, turn);
    EXPECT_NEAR(f[3], -2, 1e-6);
    EXPECT_NEAR(f[7], 1, 1e-6);
    EXPECT_NEAR(f[11], 3, 1e-6);

    float g[16];
    matcopy(g, move);
    addmat(g, g, turn);
    for (int n = 0; n < 16; n++)
        EXPECT_EQ(g[n], f[n]) << n;

    float left[16], right[16];
    addmat(left, move, id);
    addmat(right, id, move);
    for (int n = 0; n < 16; n++) {
        EXPECT_EQ(left[n], move[n]);
        EXPECT_EQ(right[n], move[n]);
    }
}
