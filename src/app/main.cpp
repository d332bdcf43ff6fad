// Process entry. Where SDL_main.h renames main, SDL's entry library calls
// SDL_main and this file is empty; elsewhere we are that caller.
#include "app/shell.h"

#ifndef main
int main(int argc, char **argv)
{
    return SDL_main(argc, argv);
}
#endif
