// Rendering: GL state, the sprite texture, one frame.
#ifndef WAVEGRID_RENDER_H
#define WAVEGRID_RENDER_H

int LoadGLTextures();
int initGL();
int drawGLScene();

#endif
