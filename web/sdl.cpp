// What Emscripten's SDL 1.2 leaves out: the cursor calls, and error text.
// Its SDL_SetError keeps nothing and its file streams open anything, so a
// sprite that can't be had would fail without a reason.
#include <SDL.h>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <emscripten.h>

static char error[256];
static char opened[128]; // the file of the last stream, for the reason

extern "C" void SDL_SetError(const char *fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    vsnprintf(error, sizeof error, fmt, args);
    va_end(args);
}

extern "C" const char *SDL_GetError(void)
{
    return error;
}

// The demo asks only for a blank cursor: hide the pointer over the canvas.
extern "C" SDL_Cursor *SDL_CreateCursor(const Uint8 *, const Uint8 *, int, int, int, int)
{
    static SDL_Cursor *blank = (SDL_Cursor *)&blank;
    return blank;
}

extern "C" void SDL_SetCursor(SDL_Cursor *)
{
    EM_ASM(Module.canvas.style.cursor = 'none');
}

// Emscripten's streams are names in a table of its library_sdl.js, SDL.rwops,
// which its IMG_Load_RW reads a stream's file name from: an internal of
// Emscripten, as in 3.1.6 (Debian 12) and 3.1.69 (Debian 13). Should a new
// one change it, the sprite no longer loads and the web test's page fails
// to start. This stream also checks that the file is there.
EM_JS(int, openstream, (const char *file), {
    SDL.rwops.push({filename : UTF8ToString(file)});
    return SDL.rwops.length - 1;
});

extern "C" SDL_RWops *SDL_RWFromFile(const char *file, const char *mode)
{
    FILE *f = fopen(file, mode);
    if (!f) {
        SDL_SetError("Couldn't open %s", file);
        return NULL;
    }
    fclose(f);
    snprintf(opened, sizeof opened, "%s", file);
    return (SDL_RWops *)(intptr_t)openstream(file);
}

extern "C" SDL_Surface *IMG_Load_RW(SDL_RWops *src, int freesrc);
extern "C" const char *stbi_failure_reason(void);

extern "C" SDL_Surface *SDL_LoadBMP_RW(SDL_RWops *src, int freesrc)
{
    SDL_Surface *image = IMG_Load_RW(src, freesrc);
    if (!image)
        SDL_SetError("%s can't be read as an image (%s)", opened, stbi_failure_reason());
    return image;
}
