// Application shell: the parameter block, start-up, shut-down and controls.
#ifndef WAVEGRID_APP_H
#define WAVEGRID_APP_H

#include <SDL.h>

const int SCREEN_WIDTH = 800;
const int SCREEN_HEIGHT = 600;
const int SCREEN_BPP = 16;

// Oscillator tunables at start and after the reset key.
const int SOOM1_START = 150;
const int SOOM2_START = 220;
const int AMP1_START = 20;
const int AMP2_START = 10;
const float ZOOM_START = -25.0f;

// The parameter block: how the parts of the demo talk to each other.
extern int soom1;                  // phase step of the slow oscillator, per new row
extern int soom2;                  // phase step of the fast oscillator, per column
extern int amp1;                   // amplitude of the slow oscillator
extern int amp2;                   // amplitude of the fast oscillator
extern float zoom;                 // translation along z of every sprite
extern int sx, sy;                 // spin inputs: pointer offset from the centre, halved
extern int xangle, yangle, zangle; // rotation of the grid, angle indices
extern unsigned int texture[1];    // the sprite texture's GL name

extern int mx, my; // pointer position of the last motion event
extern SDL_Surface *surface;

void handleMouseMotion(int x, int y);
void handleKeyPress(SDL_keysym *keysym);
[[noreturn]] void Quit(int returnCode);
extern "C" int SDL_main(int argc, char **argv);

#endif
