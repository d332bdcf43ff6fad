// The shell's side that faces SDL: entry, shut-down and the input handlers.
#ifndef WAVEGRID_SHELL_H
#define WAVEGRID_SHELL_H

#include <SDL.h>

void handleMouseMotion(int x, int y);
void handleKeyPress(SDL_keysym *keysym);
[[noreturn]] void Quit(int returnCode);
extern "C" int SDL_main(int argc, char **argv);

#endif
