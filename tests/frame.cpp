// A known frame by the demo's own code, held until standard input closes: a run's start, a spin,
// retuned oscillators, 400 passes (drawing changes no state, so only the last is drawn).
#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

#include "app/app.h"
#include "render/render.h"
#include "wave/wave.h"

// The pauses the frame asks for, passed on to SDL.
static Uint32 paused;
#ifndef __EMSCRIPTEN__
extern "C" void SDL_Delay(Uint32 ms)
{
    paused += ms;
    reinterpret_cast<void (*)(Uint32)>(dlsym(RTLD_NEXT, "SDL_Delay"))(ms);
}
#endif

int main()
{
    SDL_Init(SDL_INIT_VIDEO);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_BPP, SDL_OPENGL | SDL_FULLSCREEN) ||
        !initGL())
        return fprintf(stderr, "%s\n", SDL_GetError()), 1;
    srand(1); // the unseeded sequence, whatever SDL or the GL drew from it first
    initMY();
    sx = -45, sy = 45, soom1 = 90, amp1 = 30, amp2 = 14;
    for (int pass = 0; pass < 400; pass++)
        calcme();
    paused = 0;
    drawGLScene();
    printf("drawn, pausing %u ms\n", paused);
    fflush(stdout);
#ifndef __EMSCRIPTEN__ // a page keeps its last frame
    getchar();
#endif
    SDL_Quit();
    exit(0); // in a page, main returns to nobody once it has paused
}
