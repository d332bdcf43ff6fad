// Mouse and keyboard controls.
#include "app/app.h"
#include "app/shell.h"

static int mx, my; // pointer position of the last motion event

// The pointer's offset from the centre sets the spin rate, not a position.
void handleMouseMotion(int x, int y)
{
    mx = x;
    my = y;
    sx = (mx - SCREEN_WIDTH / 2) / 2;
    sy = (my - SCREEN_HEIGHT / 2) / 2;
}

static void lower(int *value, int floor)
{
    *value -= 1;
    if (*value < floor)
        *value = floor;
}

// Matched on the key symbol alone, so modifiers change nothing.
void handleKeyPress(SDL_keysym *keysym)
{
    switch (keysym->sym) {
    case SDLK_ESCAPE:
        Quit(0);
    case SDLK_UP:
        zoom += 0.6f;
        break;
    case SDLK_DOWN:
        zoom -= 0.6f;
        break;
    case SDLK_2:
        soom1 += 1;
        break;
    case SDLK_1:
        lower(&soom1, 0);
        break;
    case SDLK_w:
        soom2 += 1;
        break;
    case SDLK_q:
        lower(&soom2, 0);
        break;
    case SDLK_s:
        amp1 += 1;
        break;
    case SDLK_a:
        lower(&amp1, 1);
        break;
    case SDLK_x:
        amp2 += 1;
        break;
    case SDLK_z:
        lower(&amp2, 1);
        break;
    case SDLK_r:
        soom1 = SOOM1_START;
        soom2 = SOOM2_START;
        amp1 = AMP1_START;
        amp2 = AMP2_START;
        break;
    default:
        break;
    }
}
