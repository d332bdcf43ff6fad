#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

#include "expect.h"

using namespace e2e;

static std::string le(unsigned v, int bytes)
{
    std::string out;
    for (int n = 0; n < bytes; n++)
        out += (char)(v >> (8 * n));
    return out;
}

// An uncompressed BMP of a white disc on black; paletted depths put black at
// index 0 and white at index 1, so an image uploaded unconverted stays dark.
// claim, if set, replaces the width and height in the header.
static std::string bmp(int w, int h, int bpp, unsigned claim = 0)
{
    const int colours = bpp <= 8 ? 1 << bpp : 0;
    const int stride = (w * bpp + 31) / 32 * 4, offset = 54 + 4 * colours;
    std::string out = "BM" + le(offset + stride * h, 4) + le(0, 4) + le(offset, 4) + le(40, 4) +
                      le(claim ? claim : w, 4) + le(claim ? claim : h, 4) + le(1, 2) + le(bpp, 2) +
                      le(0, 4) + le(stride * h, 4) + le(2835, 4) + le(2835, 4) + le(colours, 4) +
                      le(0, 4);
    for (int c = 0; c < colours; c++)
        out += le(c == 1 ? 0xFFFFFF : c ? 0x0000FF : 0, 4);
    for (int y = h - 1; y >= 0; y--) {
        std::string row(stride, '\0');
        for (int x = 0; x < w; x++) {
            int dx = 2 * x + 1 - w, dy = 2 * y + 1 - h;
            bool on = dx * dx + dy * dy < w * h / 2;
            if (bpp == 1)
                row[x / 8] |= on << (7 - x % 8);
            else if (bpp == 8)
                row[x] = on;
            else
                row.replace(x * bpp / 8, 3, on ? "\xFF\xFF\xFF" : std::string(3, '\0'));
        }
        out += row;
    }
    return out;
}

TEST(Sprite, AnyFileEitherDrawsTheTintOrStopsWithAReason)
{
    const struct {
        std::string name, file; // file: contents of data/sprite01.bmp
        bool draws;
    } cases[] = {
        {"1-bit", bmp(64, 64, 1), true},
        {"8-bit", bmp(64, 64, 8), true},
        {"32-bit", bmp(64, 64, 32), true},
        {"24-bit 48x40", bmp(48, 40, 24), true},
        {"absent", "", false},
        {"empty", "", false},
        {"truncated header", bmp(64, 64, 24).substr(0, 20), false},
        {"taller than the GL takes", bmp(1, 20000, 24), false},
        {"huge size claimed", bmp(4, 4, 24, 30000), false},
        {"not a BMP", "P6 64 64 255\n", false},
        {"a directory", "", false},
    };
    ASSERT_TRUE(startX());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        char dir[] = "/tmp/wavegrid-sprite-XXXXXX";
        ASSERT_TRUE(mkdtemp(dir));
        const std::string data = std::string(dir) + "/data", path = data + "/sprite01.bmp";
        if (c.name != "absent") {
            mkdir(data.c_str(), 0755);
            if (c.name == "a directory")
                mkdir(path.c_str(), 0755);
            FILE *f = fopen(path.c_str(), "wb");
            if (f) {
                fwrite(c.file.data(), 1, c.file.size(), f);
                fclose(f);
            }
        }
        Demo d = launch(dir);
        if (c.draws) {
            ASSERT_TRUE(waitLit(30));
            pause(0.5);
            expectTintedBand(grab());
            kill(d.pid, SIGTERM);
            EXPECT_EQ(finish(d, 20), 0);
        } else {
            expectFailure(d, "Sprite texture loading failed: ");
            EXPECT_EQ(litShare(grab()), 0.0);
        }
        std::string rm = std::string("rm -rf ") + dir;
        EXPECT_EQ(system(rm.c_str()), 0);
    }
    stopX();
}
