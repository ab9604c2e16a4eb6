# i686 Windows build: the program that ships, for Windows 95 OSR2 on Socket 7.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Pentium (P5) code only: no cmov, no MMX, no SSE.
set(CMAKE_C_FLAGS_INIT "-march=pentium -mtune=pentium")
set(CMAKE_CXX_FLAGS_INIT "-march=pentium -mtune=pentium")
set(MORVANE_TARGET win32)
