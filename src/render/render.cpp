// GL set-up, the sprite texture and frame drawing.
#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

#include "app/app.h"
#include "render/render.h"
#include "wave/wave.h"

static const char *const SPRITE_FILE = "data/sprite01.bmp";
static const float SPRITE_HALF = 0.6f;
static const GLubyte TINT[4] = {75, 155, 205, 255}; // light blue, opaque

// The texture's pixel layout. The desktop uploads blue-green-red bytes. In
// the browser the image arrives decoded as 32-bit RGBA, and WebGL takes
// neither blue-green-red bytes nor a three-component texture: upload RGBA.
#ifdef __EMSCRIPTEN__
static const int SPRITE_BPP = 32;
static const GLint SPRITE_INTERNAL = GL_RGBA;
static const GLenum SPRITE_FORMAT = GL_RGBA;
static const Uint32 SPRITE_MASKS[4] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
#else
#ifndef GL_BGR
#define GL_BGR GL_BGR_EXT
#endif
static const int SPRITE_BPP = 24;
static const GLint SPRITE_INTERNAL = 3;
static const GLenum SPRITE_FORMAT = GL_BGR;
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
static const Uint32 SPRITE_MASKS[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0};
#else
static const Uint32 SPRITE_MASKS[4] = {0x0000FF, 0x00FF00, 0xFF0000, 0};
#endif
#endif

static bool uploadable(const SDL_PixelFormat *f)
{
    return f->BitsPerPixel == SPRITE_BPP && f->Rmask == SPRITE_MASKS[0] &&
           f->Gmask == SPRITE_MASKS[1] && f->Bmask == SPRITE_MASKS[2];
}

// The sprite in the texture's pixel layout: images of any other are
// converted, never uploaded as they are. Null when it can't be had.
static SDL_Surface *loadsprite()
{
    // Checked, so that the reason given names the file on either SDL.
    SDL_RWops *file = SDL_RWFromFile(SPRITE_FILE, "rb");
    SDL_Surface *image = file ? SDL_LoadBMP_RW(file, 1) : NULL;
    if (!image || uploadable(image->format))
        return image;

    SDL_Surface *converted =
        SDL_CreateRGBSurface(SDL_SWSURFACE, image->w, image->h, SPRITE_BPP, SPRITE_MASKS[0],
                             SPRITE_MASKS[1], SPRITE_MASKS[2], SPRITE_MASKS[3]);
    if (converted) {
        SDL_SetAlpha(image, 0, SDL_ALPHA_OPAQUE); // copy, don't blend
        if (SDL_BlitSurface(image, NULL, converted, NULL) < 0) {
            SDL_FreeSurface(converted);
            converted = NULL;
        }
    }
    SDL_FreeSurface(image);
    return converted;
}

int LoadGLTextures()
{
    int Status = 0;
    SDL_Surface *image = loadsprite();

    if (image) {
        Status = 1;
        glGenTextures(1, texture);
        glBindTexture(GL_TEXTURE_2D, texture[0]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, SPRITE_INTERNAL, image->w, image->h, 0, SPRITE_FORMAT,
                     GL_UNSIGNED_BYTE, image->pixels);
        SDL_FreeSurface(image);

        // A size the GL refuses leaves no texture: that is a failed load.
        GLenum error = glGetError();
        if (error != GL_NO_ERROR) {
            SDL_SetError("OpenGL refused the %s image (error 0x%x)", SPRITE_FILE, error);
            glBindTexture(GL_TEXTURE_2D, 0);
            glDeleteTextures(1, texture);
            texture[0] = 0;
            Status = 0;
        }
    }
    return Status;
}

int initGL()
{
    if (!LoadGLTextures())
        return 0;

    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    // Additive: overlapping sprites glow, in any drawing order.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);

    glViewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(65.0, (GLfloat)SCREEN_WIDTH / (GLfloat)SCREEN_HEIGHT, 0.1f, 5000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    return 1;
}

// Every sprite faces the viewer: only translations on the model-view matrix.
// The web build (web/gl.cpp) takes over glColor4ub, glBegin, glTexCoord2f,
// glVertex3f and glEnd to draw the frame's quads in one call, and the pause
// and the swap to draw them and hand the browser its frame: a change to the
// calls made here is a change to those too.
int drawGLScene()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, texture[0]);

    for (int i = 1; i < GRID_SIZE; i++) {
        for (int j = 1; j < GRID_SIZE; j++) {
            const float *cell = mygrid[i][j];
            glLoadIdentity();
            glTranslatef(0.0f, 0.0f, zoom);
            glTranslatef(cell[CELL_TX], cell[CELL_TY], cell[CELL_TZ]);
            glColor4ub(TINT[0], TINT[1], TINT[2], TINT[3]);
            glBegin(GL_QUADS);
            glTexCoord2f(0.0f, 0.0f);
            glVertex3f(-SPRITE_HALF, -SPRITE_HALF, 0.0f);
            glTexCoord2f(1.0f, 0.0f);
            glVertex3f(SPRITE_HALF, -SPRITE_HALF, 0.0f);
            glTexCoord2f(1.0f, 1.0f);
            glVertex3f(SPRITE_HALF, SPRITE_HALF, 0.0f);
            glTexCoord2f(0.0f, 1.0f);
            glVertex3f(-SPRITE_HALF, SPRITE_HALF, 0.0f);
            glEnd();
        }
    }

    SDL_Delay(4);
    SDL_GL_SwapBuffers();
    return 1;
}
