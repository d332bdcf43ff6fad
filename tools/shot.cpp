// Saves the screen of $DISPLAY as an 8-bit RGB PNG, whatever the screen's
// depth: shot OUT.png
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <png.h>

#include <cstdio>
#include <vector>

// One channel of a pixel, scaled to 0..255.
static png_byte channel(unsigned long pixel, unsigned long mask)
{
    unsigned long v = pixel & mask;
    for (; mask && !(mask & 1); mask >>= 1)
        v >>= 1;
    return mask ? (png_byte)(v * 255 / mask) : 0;
}

static bool save(XImage *img, const char *path)
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
    png_set_IHDR(png, info, img->width, img->height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(3 * img->width);
    for (int y = 0; y < img->height; y++) {
        for (int x = 0; x < img->width; x++) {
            unsigned long p = XGetPixel(img, x, y);
            row[3 * x] = channel(p, img->red_mask);
            row[3 * x + 1] = channel(p, img->green_mask);
            row[3 * x + 2] = channel(p, img->blue_mask);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return fclose(f) == 0;
}

int main(int argc, char **argv)
{
    Display *dpy = argc == 2 ? XOpenDisplay(nullptr) : nullptr;
    if (!dpy) {
        fprintf(stderr, "usage: DISPLAY=:N shot OUT.png\n");
        return 2;
    }
    Window root = DefaultRootWindow(dpy);
    XWindowAttributes a;
    XGetWindowAttributes(dpy, root, &a);
    XImage *img = XGetImage(dpy, root, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    bool ok = img && save(img, argv[1]);
    if (img)
        XDestroyImage(img);
    XCloseDisplay(dpy);
    return ok ? 0 : 1;
}
