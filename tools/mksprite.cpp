// Writes data/sprite01.bmp: a 64 x 64, 24-bit soft round glow, brightest in
// the middle and pure black from the rim outward, so that black adds nothing.
#include <SDL.h>
#include <cmath>
#include <cstdio>

int main()
{
    const int size = 64;
    SDL_Surface *s =
        SDL_CreateRGBSurface(SDL_SWSURFACE, size, size, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    if (!s)
        return 1;
    for (int y = 0; y < size; y++) {
        Uint8 *row = (Uint8 *)s->pixels + y * s->pitch;
        for (int x = 0; x < size; x++) {
            double dx = (x + 0.5 - size / 2.0) / (size / 2.0);
            double dy = (y + 0.5 - size / 2.0) / (size / 2.0);
            double r = sqrt(dx * dx + dy * dy);
            double glow = r >= 1.0 ? 0.0 : pow(1.0 - r * r, 2.0);
            Uint8 v = (Uint8)lround(255.0 * glow);
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = v;
        }
    }
    int ok = SDL_SaveBMP(s, "data/sprite01.bmp") == 0;
    SDL_FreeSurface(s);
    if (!ok)
        fprintf(stderr, "Could not write data/sprite01.bmp: %s\n", SDL_GetError());
    return ok ? 0 : 1;
}
