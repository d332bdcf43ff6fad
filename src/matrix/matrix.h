// 4x4 matrices, row-major with the translation in the last column, and the
// rotation of the grid.
#ifndef WAVEGRID_MATRIX_H
#define WAVEGRID_MATRIX_H

extern float mat0[16]; // the frame's full rotation
extern float mat1[16]; // work matrices
extern float mat2[16];

void matbasic(float *matrix);
void matcopy(float *matrix1, float *matrix2);
void matrotx(float *matrix, int rotation);
void matroty(float *matrix, int rotation);
void matrotz(float *matrix, int rotation);
void addmat(float *matrixf, float *matrixa, float *matrixb);
void finmat(float *matrix);
void doedemat();

#endif
