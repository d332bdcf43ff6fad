// Saves the screen of $DISPLAY as a PNG: shot OUT.png
#include <png.h>

#include <cstdio>

#include "harness.h"

static bool savePng(const e2e::Shot &s, const char *path)
{
    FILE *f = fopen(path, "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!f || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        if (f)
            fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, s.w, s.h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < s.h; y++)
        png_write_row(png, (png_const_bytep)s.at(0, y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return fclose(f) == 0;
}

int main(int argc, char **argv)
{
    e2e::Shot s;
    if (argc != 2 || (s = e2e::grab()).w == 0) {
        fprintf(stderr, "usage: DISPLAY=:N shot OUT.png\n");
        return 2;
    }
    return savePng(s, argv[1]) ? 0 : 1;
}
