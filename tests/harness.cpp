#include "harness.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>

namespace e2e
{

static pid_t xvfb = -1;
static Display *dpy;

// The display of startX, or else that of $DISPLAY.
static Display *display()
{
    return dpy ? dpy : (dpy = XOpenDisplay(nullptr));
}

void pause(double seconds)
{
    struct timespec t = {(time_t)seconds, (long)((seconds - (time_t)seconds) * 1e9)};
    nanosleep(&t, nullptr);
}

// Two servers starting at once may race for a display number and the loser
// fails: try again.
Display *startX(const char *screen)
{
    for (int attempt = 0; attempt < 10 && !dpy; attempt++, pause(0.1 * attempt)) {
        int fds[2];
        if (pipe(fds))
            return nullptr;
        if ((xvfb = fork()) == 0) {
            dup2(open("/dev/null", O_WRONLY), 2);
            std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen, "-noreset",
                   "-nolisten", "tcp", (char *)nullptr);
            _exit(127);
        }
        close(fds[1]);
        char buf[16] = {0};
        ssize_t n = read(fds[0], buf, sizeof buf - 1);
        close(fds[0]);
        std::string name = ":" + std::to_string(atoi(buf));
        if (n > 0 && (dpy = XOpenDisplay(name.c_str())))
            setenv("DISPLAY", name.c_str(), 1);
        else
            stopX();
    }
    return dpy;
}

void stopX()
{
    if (dpy)
        XCloseDisplay(dpy);
    dpy = nullptr;
    if (xvfb > 0 && kill(xvfb, SIGTERM) == 0)
        waitpid(xvfb, nullptr, 0);
    xvfb = -1;
}

Demo launch(const std::string &dir, const std::vector<std::string> &env,
            std::vector<std::string> wrapper)
{
    wrapper.push_back(WAVEGRID_BIN);
    std::vector<char *> argv;
    for (std::string &a : wrapper)
        argv.push_back(&a[0]);
    argv.push_back(nullptr);
    Demo d;
    char name[] = "/tmp/wavegrid-err-XXXXXX";
    int err = mkstemp(name);
    d.errfile = name;
    if ((d.pid = fork()) == 0) {
        dup2(err, 2);
        for (const std::string &e : env)
            putenv(strdup(e.c_str()));
        if (chdir(dir.c_str()) == 0)
            execvp(argv[0], argv.data());
        _exit(127);
    }
    close(err);
    return d;
}

int finish(Demo &d, double seconds)
{
    int status = 0;
    pid_t pid = d.pid;
    d.pid = -1;
    for (double t = 0; t < seconds; t += 0.02, pause(0.02))
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

std::string errors(const Demo &d)
{
    std::ifstream f(d.errfile);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

void moveTo(int x, int y)
{
    XTestFakeMotionEvent(display(), 0, x, y, CurrentTime);
    XSync(display(), False);
}

void key(const char *keysym, bool down)
{
    KeyCode code = XKeysymToKeycode(display(), XStringToKeysym(keysym));
    XTestFakeKeyEvent(display(), code, down, CurrentTime);
    XSync(display(), False);
}

// SDL takes a release and a press of one key within a few milliseconds
// for the X server's auto-repeat and drops both: space the taps out.
void tap(const char *keysym)
{
    key(keysym, true);
    key(keysym, false);
    pause(0.004);
}

Shot grab()
{
    Shot s;
    XWindowAttributes a;
    if (!display() || !XGetWindowAttributes(dpy, DefaultRootWindow(dpy), &a))
        return s;
    XImage *img =
        XGetImage(dpy, DefaultRootWindow(dpy), 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    s.w = a.width, s.h = a.height;
    s.rgb.resize(3 * s.w * s.h);
    // Each channel scaled to 0..255, whatever the depth of the screen.
    const unsigned long masks[3] = {img->red_mask, img->green_mask, img->blue_mask};
    for (int y = 0; y < s.h; y++)
        for (int x = 0; x < s.w; x++)
            for (int c = 0; c < 3; c++) {
                unsigned long m = masks[c], v = XGetPixel(img, x, y) & m;
                for (; !(m & 1); m >>= 1)
                    v >>= 1;
                s.rgb[3 * (y * s.w + x) + c] = (unsigned char)(v * 255 / m);
            }
    XDestroyImage(img);
    return s;
}

double litShare(const Shot &s, int y0, int y1, int level)
{
    int n = 0;
    y1 = y1 < 0 ? s.h : y1;
    for (int p = 3 * y0 * s.w; p < 3 * y1 * s.w; p += 3)
        n += s.rgb[p] >= level || s.rgb[p + 1] >= level || s.rgb[p + 2] >= level;
    return y1 > y0 ? (double)n / (s.w * (y1 - y0)) : 0;
}

bool waitLit(double seconds)
{
    for (double t = 0; t < seconds; t += 0.1, pause(0.1))
        if (litShare(grab()) > 0)
            return true;
    return false;
}

} // namespace e2e
