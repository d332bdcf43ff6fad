// The grid and the trigonometric tables.
#include <cmath>
#include <cstdlib>

#include "wave/wave.h"

float mygrid[GRID_SIZE][GRID_SIZE][CELL_SLOTS];
float cosi[TABLE_SIZE];
float sine[TABLE_SIZE];

void initMY()
{
    // The heights are draws 5001 on of the (unseeded) sequence.
    for (int n = 0; n < 5000; n++)
        rand();

    for (int j = 0; j < GRID_SIZE; j++) {
        for (int i = 0; i < GRID_SIZE; i++) {
            mygrid[i][j][CELL_X] = i - GRID_SIZE / 2;
            mygrid[i][j][CELL_HEIGHT] = (rand() % 800 - 400) / 300.0;
            mygrid[i][j][CELL_Z] = j - GRID_SIZE / 2;
        }
    }

    // pi as the decimal 3.14159265 on purpose: the tables carry its residue.
    for (int k = 0; k < TABLE_SIZE; k++) {
        double a = k * 360 * (1.0 / TABLE_SIZE) * 3.14159265 / 180;
        cosi[k] = cos(a);
        sine[k] = sin(a);
    }
}
