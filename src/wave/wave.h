// Wave field: the grid of cells, the trigonometric tables, the wave step.
#ifndef WAVEGRID_WAVE_H
#define WAVEGRID_WAVE_H

const int GRID_SIZE = 60;    // cells along each side of the grid
const int TABLE_SIZE = 4096; // angle steps in a full turn

// The seven slots of a grid cell.
enum {
    CELL_X,      // base x = row - 30
    CELL_HEIGHT, // the wave state of the cell
    CELL_Z,      // base z = column - 30
    CELL_TX,     // turned position, for drawing
    CELL_TY,
    CELL_TZ,
    CELL_SHOWN, // the height as displayed this frame
    CELL_SLOTS
};

extern float mygrid[GRID_SIZE][GRID_SIZE][CELL_SLOTS];
extern float cosi[TABLE_SIZE];
extern float sine[TABLE_SIZE];

// Wave step state.
extern int wavecounter;  // progress of the slide between two row shifts
extern int sinestepper;  // phase of the slow oscillator
extern int sinestepper2; // phase of the fast oscillator
extern int temp;         // running profile value of a new first row

void initMY();
void calcme();

#endif
