// The GL 1.1 immediate mode, batched for the browser: drawGLScene's calls
// (src/render/render.cpp says so where it makes them). Emscripten's own
// emulation turns every glBegin/glEnd pair into a WebGL draw call, 3481 a
// frame, each dear in software. Here every corner is moved into eye space by
// the model-view matrix of its quad and gathered, and the frame's quads go
// out in one draw, as Emscripten would draw them (GL_QUADS, split 0 1 2,
// 0 2 3), before the program pauses. The blend is additive and there is no
// depth test, so the order of the quads changes no pixel. Only quads are
// batched: they are all the program draws.
#include <GL/gl.h>
#include <SDL.h>
#include <emscripten.h>

struct Corner {
    GLfloat x, y, z, w;
    GLfloat s, t;
    GLubyte rgba[4];
};

const int MAX_QUADS = 4096;

static Corner corners[MAX_QUADS * 4];
static int count; // corners gathered since the last draw
static GLfloat modelview[16];
static GLfloat texcoord[2];
static GLubyte colour[4] = {255, 255, 255, 255};

// The gathered quads in one draw, with an identity model-view matrix (the
// program leaves that one current): their corners are in eye space already.
static void drawgathered()
{
    if (count == 0)
        return;
    glPushMatrix();
    glLoadIdentity();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(4, GL_FLOAT, sizeof(Corner), &corners[0].x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Corner), &corners[0].s);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Corner), corners[0].rgba);
    glDrawArrays(GL_QUADS, 0, count);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPopMatrix();
    count = 0;
}

extern "C" void glColor4ub(GLubyte red, GLubyte green, GLubyte blue, GLubyte alpha)
{
    colour[0] = red, colour[1] = green, colour[2] = blue, colour[3] = alpha;
}

extern "C" void glBegin(GLenum)
{
    if (count == MAX_QUADS * 4)
        drawgathered();
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
}

extern "C" void glTexCoord2f(GLfloat s, GLfloat t)
{
    texcoord[0] = s, texcoord[1] = t;
}

// GL's matrices are column-major.
extern "C" void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    if (count == MAX_QUADS * 4)
        return; // only past the fourth corner of a quad
    const GLfloat *m = modelview;
    Corner *c = &corners[count++];
    c->x = m[0] * x + m[4] * y + m[8] * z + m[12];
    c->y = m[1] * x + m[5] * y + m[9] * z + m[13];
    c->z = m[2] * x + m[6] * y + m[10] * z + m[14];
    c->w = m[3] * x + m[7] * y + m[11] * z + m[15];
    c->s = texcoord[0], c->t = texcoord[1];
    for (int n = 0; n < 4; n++)
        c->rgba[n] = colour[n];
}

extern "C" void glEnd(void) {}

// The frame is drawn before the program's pause, which hands control to the
// browser: a frame shown then is a whole one.
extern "C" void SDL_Delay(Uint32 ms)
{
    drawgathered();
    emscripten_sleep(ms);
}

EM_ASYNC_JS(void, nextframe, (), { await new Promise(requestAnimationFrame); });

// Like a swap that waits for the display: one pass of the loop for every
// frame the browser shows, none drawn and thrown away.
extern "C" void SDL_GL_SwapBuffers(void)
{
    drawgathered();
    nextframe();
}
