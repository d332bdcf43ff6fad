# Cross-builds the demo for 64-bit Windows with Debian's MinGW-w64 (win32
# threads). WAVEGRID_SDL_PREFIX names the folder SDL 1.2 for Windows was
# installed into; its pkg-config file is the only one searched.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${WAVEGRID_SDL_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES WAVEGRID_SDL_PREFIX)

set(ENV{PKG_CONFIG_LIBDIR} ${WAVEGRID_SDL_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
