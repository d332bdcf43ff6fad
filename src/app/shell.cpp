// Start-up, main loop and shut-down.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/app.h"
#include "app/shell.h"
#include "render/render.h"
#include "wave/wave.h"

static SDL_Surface *surface; // the display; SDL frees it in SDL_Quit

void Quit(int returnCode)
{
    SDL_Quit();
    exit(returnCode);
}

// A start-up step failed: say why, with SDL's own words, and stop.
[[noreturn]] static void startupFailed(const char *message)
{
    fprintf(stderr, message, SDL_GetError());
    Quit(1);
}

// With no display, SDL over SDL2 falls back to drivers that draw nowhere:
// a demo run there would go on unseen, so treat it as no display at all.
static bool showsSomething()
{
    char name[32] = "";
    SDL_VideoDriverName(name, sizeof name);
    if (strcmp(name, "offscreen") && strcmp(name, "dummy"))
        return true;
    SDL_SetError("no display to show the demo on (SDL's '%s' driver draws nowhere)", name);
    return false;
}

// An invisible cursor rather than a hidden one: SDL over SDL2 turns a hidden
// cursor in full screen into relative mouse mode, which misreads absolute
// pointers (tablets, virtual machines) and pins the position to a corner.
// Shown but blank, the pointer reports where it is on either SDL.
static void hidePointer()
{
    static Uint8 blank[8];
    SDL_SetCursor(SDL_CreateCursor(blank, blank, 8, 8, 0, 0));
}

int SDL_main(int argc, char **argv)
{
    (void)argc;
    (void)argv;
    Uint32 videoFlags;
    int done = 0;
    SDL_Event event;
    const SDL_VideoInfo *videoInfo;

    if (SDL_Init(SDL_INIT_VIDEO) < 0 || !showsSomething())
        startupFailed("Video initialization failed: %s\n");
    videoInfo = SDL_GetVideoInfo();
    if (!videoInfo)
        startupFailed("Video query failed: %s\n");

    videoFlags = SDL_OPENGL | SDL_HWPALETTE | SDL_HWSURFACE | SDL_ASYNCBLIT | SDL_FULLSCREEN;
    if (videoInfo->blit_hw)
        videoFlags |= SDL_HWACCEL;

    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    surface = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_BPP, videoFlags);
    if (!surface)
        startupFailed("Video mode set failed: %s\n");
    if (SDL_EnableKeyRepeat(100, 30))
        startupFailed("Setting keyboard repeat failed: %s\n");
    hidePointer();

    // Without its texture the demo would run in GL's default state and
    // draw nonsense: stop instead.
    if (!initGL())
        startupFailed("Sprite texture loading failed: %s\n");
    initMY();

    for (;;) {
        while (SDL_PollEvent(&event)) {
            switch (event.type) {
            case SDL_MOUSEMOTION:
                // SDL 1.2 reports only motion; SDL over SDL2 also reports a
                // stale position that did not move, as the window goes full
                // screen under a window manager: that one is no motion.
                if (event.motion.xrel || event.motion.yrel)
                    handleMouseMotion(event.motion.x, event.motion.y);
                break;
            case SDL_KEYDOWN:
                handleKeyPress(&event.key.keysym);
                break;
            case SDL_QUIT:
                done = 1; // finish this frame, then stop
                break;
            default:
                break;
            }
        }
        calcme();
        drawGLScene();
        if (done)
            Quit(0);
    }
}
