// Matrix routines and the rotation of every grid cell.
#include "matrix/matrix.h"
#include "app/app.h"
#include "wave/wave.h"

float mat0[16];
float mat1[16];
float mat2[16];

void matbasic(float *matrix)
{
    for (int n = 0; n < 16; n++)
        matrix[n] = 0;
    matrix[0] = matrix[5] = matrix[10] = matrix[15] = 1;
}

// Destination first.
void matcopy(float *matrix1, float *matrix2)
{
    for (int n = 0; n < 16; n++)
        matrix1[n] = matrix2[n];
}

// The rotation writers touch only their four entries: use them on an identity.
void matrotx(float *matrix, int rotation)
{
    matrix[5] = cosi[rotation];
    matrix[6] = -sine[rotation];
    matrix[9] = sine[rotation];
    matrix[10] = cosi[rotation];
}

void matroty(float *matrix, int rotation)
{
    matrix[0] = cosi[rotation];
    matrix[2] = sine[rotation];
    matrix[8] = -sine[rotation];
    matrix[10] = cosi[rotation];
}

void matrotz(float *matrix, int rotation)
{
    matrix[0] = cosi[rotation];
    matrix[1] = -sine[rotation];
    matrix[4] = sine[rotation];
    matrix[5] = cosi[rotation];
}

// matrixf = matrixb x matrixa. Each column of matrixa is read before the
// same column of matrixf is written, so matrixf may be matrixa (not matrixb).
void addmat(float *matrixf, float *matrixa, float *matrixb)
{
    for (int c = 0; c < 4; c++) {
        float a0 = matrixa[c], a1 = matrixa[4 + c];
        float a2 = matrixa[8 + c], a3 = matrixa[12 + c];
        for (int r = 0; r < 4; r++) {
            const float *b = matrixb + 4 * r;
            matrixf[4 * r + c] = b[0] * a0 + b[1] * a1 + b[2] * a2 + b[3] * a3;
        }
    }
}

// Turns every cell's (base x, shown height, base z) into its drawn position.
void finmat(float *matrix)
{
    const float *m = matrix;
    for (int i = 0; i < GRID_SIZE; i++) {
        for (int j = 0; j < GRID_SIZE; j++) {
            float *cell = mygrid[i][j];
            float x = cell[CELL_X], y = cell[CELL_SHOWN], z = cell[CELL_Z];
            cell[CELL_TX] = m[0] * x + m[1] * y + m[2] * z + m[3];
            cell[CELL_TY] = m[4] * x + m[5] * y + m[6] * z + m[7];
            cell[CELL_TZ] = m[8] * x + m[9] * y + m[10] * z + m[11];
        }
    }
}

// mat0 = Rz x Ry x Rx: about x first, then y, then z.
void doedemat()
{
    matbasic(mat1);
    matbasic(mat2);
    matrotx(mat1, xangle);
    matroty(mat2, yangle);
    addmat(mat0, mat1, mat2);
    matcopy(mat1, mat0);
    matbasic(mat2);
    matrotz(mat2, zangle);
    addmat(mat0, mat1, mat2);
    finmat(mat0);
}
