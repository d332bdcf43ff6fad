// End-to-end support: a private Xvfb, the real demo binary, XTest input and
// the screen read back.
#ifndef WAVEGRID_HARNESS_H
#define WAVEGRID_HARNESS_H

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace e2e
{

struct Shot {
    int w = 0, h = 0;
    std::vector<unsigned char> rgb; // 3 bytes a pixel, top row first
    const unsigned char *at(int x, int y) const { return &rgb[3 * (y * w + x)]; }
};

struct Demo {
    pid_t pid = -1;
    std::string errfile;
};

Display *startX(const char *screen = "800x600x16"); // sets DISPLAY
void stopX();
// The demo in dir, with extra environment entries, run under wrapper if given.
Demo launch(const std::string &dir = WAVEGRID_ROOT, const std::vector<std::string> &env = {},
            std::vector<std::string> wrapper = {});
int finish(Demo &d, double seconds); // exit status; kills it and returns -1 past the time
std::string errors(const Demo &d);
void moveTo(int x, int y);
void key(const char *keysym, bool down);
void tap(const char *keysym);
Shot grab();
bool waitLit(double seconds); // until the screen shows something
// Share of the pixels in rows y0..y1-1 with a channel at or above level.
double litShare(const Shot &s, int y0 = 0, int y1 = -1, int level = 1);
void pause(double seconds);

} // namespace e2e

#endif
