#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <random>
#include <sstream>

#include "harness.h"

using namespace e2e;

// Random pointer motion, edges included, and random keys of the whole table
// but Esc, some held long enough to repeat; then Esc.
static void randomInput(double seconds, unsigned seed)
{
    const char *keys[] = {"Up", "Down", "1", "2", "q", "w", "a", "s", "z", "x", "r", "space"};
    std::mt19937 rng(seed);
    for (double t = 0; t < seconds; t += 0.02) {
        int x = rng() % 800, y = rng() % 600;
        if (rng() % 5 == 0)
            x = rng() % 2 ? 0 : 799;
        moveTo(x, y);
        const char *k = keys[rng() % (sizeof keys / sizeof keys[0])];
        if (rng() % 50 == 0) {
            key(k, true);
            pause(0.3);
            key(k, false);
        } else {
            tap(k);
        }
        pause(0.015);
    }
}

TEST(Soak, ThousandsOfFramesOfRandomInputThenEscape)
{
    ASSERT_TRUE(startX());
    Demo d = launch();
    ASSERT_TRUE(waitLit(30));
    randomInput(60, 1);
    tap("Escape");
    EXPECT_EQ(finish(d, 30), 0) << errors(d);
    stopX();
}

// The program allocates nothing itself; under memcheck it must show no
// error. The suppressions cover what the loader, Mesa and X keep until exit.
TEST(Memcheck, RunsCleanUnderValgrind)
{
    ASSERT_TRUE(startX());
    const std::string log = std::string(WAVEGRID_BUILD) + "/memcheck.log";
    Demo d = launch(WAVEGRID_ROOT, {},
                    {"valgrind", "--leak-check=full", "--keep-debuginfo=yes", "--num-callers=40",
                     "--errors-for-leak-kinds=definite",
                     "--suppressions=" WAVEGRID_ROOT "/tests/memcheck.supp", "--log-file=" + log,
                     "--error-exitcode=99"});
    ASSERT_TRUE(waitLit(120));
    // Far away the sprites cover few pixels, so the slow frames under
    // memcheck go faster: some 3 a second, about 200 in this run.
    for (int n = 0; n < 200; n++)
        tap("Down");
    randomInput(70, 2);
    kill(d.pid, SIGTERM);
    EXPECT_EQ(finish(d, 120), 0) << "see " << log;
    stopX();
}
