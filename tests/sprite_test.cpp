#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

#include "picture.h"

using namespace e2e;

static void le(std::string &out, unsigned v, int bytes)
{
    for (int n = 0; n < bytes; n++)
        out += (char)(v >> (8 * n));
}

// An uncompressed BMP of a white disc on black; paletted depths put black at
// index 0 and white at index 1, so an image uploaded unconverted stays dark.
static std::string bmp(int w, int h, int bpp)
{
    const int colours = bpp <= 8 ? 1 << bpp : 0;
    const int stride = (w * bpp + 31) / 32 * 4, offset = 54 + 4 * colours;
    std::string out = "BM";
    le(out, offset + stride * h, 4);
    le(out, 0, 4);
    le(out, offset, 4);
    for (unsigned v : {40, w, h})
        le(out, v, 4);
    le(out, 1, 2);
    le(out, bpp, 2);
    for (unsigned v : {0, stride * h, 2835, 2835, colours, 0})
        le(out, v, 4);
    for (int c = 0; c < colours; c++)
        le(out, c == 1 ? 0xFFFFFF : c ? 0x0000FF : 0, 4);
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
                for (int b = 0; b < 3; b++)
                    row[x * bpp / 8 + b] = on ? '\xFF' : 0;
        }
        out += row;
    }
    return out;
}

struct Sprite {
    const char *name;
    std::string file; // contents of data/sprite01.bmp
    bool draws;
};

// A header claiming 30000 x 30000 pixels over a few bytes of data.
static std::string huge()
{
    std::string b = bmp(4, 4, 24);
    std::string dim;
    le(dim, 30000, 4);
    b.replace(18, 4, dim);
    b.replace(22, 4, dim);
    return b;
}

TEST(Sprite, AnyFileEitherDrawsTheTintOrStopsWithAReason)
{
    const Sprite cases[] = {
        {"1-bit", bmp(64, 64, 1), true},
        {"8-bit", bmp(64, 64, 8), true},
        {"32-bit", bmp(64, 64, 32), true},
        {"24-bit 48x40", bmp(48, 40, 24), true},
        {"absent", "", false},
        {"empty", "", false},
        {"truncated header", bmp(64, 64, 24).substr(0, 20), false},
        {"huge size claimed", huge(), false},
        {"not a BMP", "P6 64 64 255\n", false},
        {"a directory", "", false},
    };
    ASSERT_TRUE(startX());
    for (const Sprite &c : cases) {
        SCOPED_TRACE(c.name);
        char dir[] = "/tmp/wavegrid-sprite-XXXXXX";
        ASSERT_TRUE(mkdtemp(dir));
        const std::string data = std::string(dir) + "/data", path = data + "/sprite01.bmp";
        if (std::string(c.name) != "absent") {
            mkdir(data.c_str(), 0755);
            if (std::string(c.name) == "a directory")
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
            EXPECT_EQ(finish(d, 30), 1);
            const std::string head = "Sprite texture loading failed: ", e = errors(d);
            EXPECT_EQ(e.rfind(head, 0), 0u) << e;
            EXPECT_GT(e.size(), head.size() + 1) << "no reason given";
            EXPECT_EQ(litShare(grab()), 0.0);
        }
        std::string rm = std::string("rm -rf ") + dir;
        EXPECT_EQ(system(rm.c_str()), 0);
    }
    stopX();
}
