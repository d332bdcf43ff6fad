// Frame rate of the real drawing path on the current display, with a
// breakdown of each frame: calcme, the GL submission, the pause, the swap.
// The pause and the swap are timed by wrapping SDL's own entry points.
// Usage: frame_bench [FRAMES]
#include <SDL.h>
#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/app.h"
#include "render/render.h"
#include "wave/wave.h"

using Clock = std::chrono::steady_clock;
static double pauseSeconds, swapSeconds;

static double since(Clock::time_point t)
{
    return std::chrono::duration<double>(Clock::now() - t).count();
}

extern "C" void SDL_Delay(Uint32 ms)
{
    static auto real = (void (*)(Uint32))dlsym(RTLD_NEXT, "SDL_Delay");
    auto t = Clock::now();
    real(ms);
    pauseSeconds += since(t);
}

extern "C" void SDL_GL_SwapBuffers()
{
    static auto real = (void (*)())dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers");
    auto t = Clock::now();
    real();
    swapSeconds += since(t);
}

int main(int argc, char **argv)
{
    const int frames = argc > 1 ? atoi(argv[1]) : 1000;
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        return fprintf(stderr, "Video initialization failed: %s\n", SDL_GetError()), 1;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_BPP, SDL_OPENGL | SDL_FULLSCREEN))
        return fprintf(stderr, "Video mode set failed: %s\n", SDL_GetError()), 1;
    if (!initGL())
        return fprintf(stderr, "Sprite texture loading failed: %s\n", SDL_GetError()), 1;
    initMY();

    for (int f = 0; f < 50; f++) { // warm up
        calcme();
        drawGLScene();
    }
    pauseSeconds = swapSeconds = 0;
    double calc = 0, draw = 0;
    auto start = Clock::now();
    for (int f = 0; f < frames; f++) {
        auto t = Clock::now();
        calcme();
        calc += since(t);
        t = Clock::now();
        drawGLScene();
        draw += since(t);
    }
    double total = since(start), ms = 1000.0 / frames;
    printf("frames            %d\n", frames);
    printf("frames per second %.1f (the 4 ms pause alone allows at most 250)\n", frames / total);
    printf("mean frame        %.3f ms\n", total * ms);
    printf("  calcme          %.3f ms\n", calc * ms);
    printf("  GL submission   %.3f ms\n", (draw - pauseSeconds - swapSeconds) * ms);
    printf("  pause           %.3f ms\n", pauseSeconds * ms);
    printf("  swap            %.3f ms\n", swapSeconds * ms);
    SDL_Quit();
    return 0;
}
