// The parameter block: the values through which the parts of the demo talk
// to each other. Plain data, so the wave and matrix code need no SDL.
#ifndef WAVEGRID_APP_H
#define WAVEGRID_APP_H

const int SCREEN_WIDTH = 800;
const int SCREEN_HEIGHT = 600;
const int SCREEN_BPP = 16;

// Oscillator tunables at start and after the reset key.
const int SOOM1_START = 150;
const int SOOM2_START = 220;
const int AMP1_START = 20;
const int AMP2_START = 10;
const float ZOOM_START = -25.0f;

extern int soom1;                  // phase step of the slow oscillator, per new row
extern int soom2;                  // phase step of the fast oscillator, per column
extern int amp1;                   // amplitude of the slow oscillator
extern int amp2;                   // amplitude of the fast oscillator
extern float zoom;                 // translation along z of every sprite
extern int sx, sy;                 // spin inputs: pointer offset from the centre, halved
extern int xangle, yangle, zangle; // rotation of the grid, angle indices
extern unsigned int texture[1];    // the sprite texture's GL name

#endif
