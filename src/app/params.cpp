// The parameter block, with its values at start.
#include "app/app.h"

int soom1 = SOOM1_START;
int soom2 = SOOM2_START;
int amp1 = AMP1_START;
int amp2 = AMP2_START;
float zoom = ZOOM_START;
int sx, sy;
int xangle, yangle, zangle;
unsigned int texture[1];
