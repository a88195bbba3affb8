# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the "posix"
# thread model, which has std::thread), against the libraries
# scripts/windows-deps builds into VELT_WINDOWS_DEPS. Everything is linked
# statically: the program is one .exe with no DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT VELT_WINDOWS_DEPS)
  if(DEFINED ENV{VELT_WINDOWS_DEPS})
    set(VELT_WINDOWS_DEPS $ENV{VELT_WINDOWS_DEPS})
  elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(VELT_WINDOWS_DEPS $ENV{XDG_CACHE_HOME}/velttileconverter/mingw)
  else()
    set(VELT_WINDOWS_DEPS $ENV{HOME}/.cache/velttileconverter/mingw)
  endif()
endif()
set(VELT_WINDOWS_DEPS ${VELT_WINDOWS_DEPS} CACHE PATH "The libraries built for Windows")

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${VELT_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# zlib's static archive, not its import library: nothing may need a DLL.
set(ZLIB_LIBRARY /usr/x86_64-w64-mingw32/lib/libz.a CACHE FILEPATH "")
set(ZLIB_INCLUDE_DIR /usr/x86_64-w64-mingw32/include CACHE PATH "")

# pkg-config looks only at the libraries built for Windows.
set(ENV{PKG_CONFIG_LIBDIR} ${VELT_WINDOWS_DEPS}/lib/pkgconfig)
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
set(PKG_CONFIG_EXECUTABLE pkg-config CACHE FILEPATH "")

# MinGW-w64's own C99 printf and scanf, not msvcrt's: "%g" writes "1e+06" and
# "%lf" reads as C says, the same text as on Linux.
set(CMAKE_C_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_CXX_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Tests run under Wine, one .exe each.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
