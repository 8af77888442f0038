# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (package g++-mingw-w64-x86-64-posix);
# mingw-w64-i686.cmake includes it for 32-bit Windows, the build that players get. The runtime is
# linked statically, so config.exe imports nothing but Windows system DLLs; Wine runs the test
# programs on this machine (the 32-bit ones with wine32 of the i386 architecture).
set(CMAKE_SYSTEM_NAME Windows)
if(NOT DEFINED mingw_processor)
  set(mingw_processor x86_64)
endif()
set(CMAKE_SYSTEM_PROCESSOR ${mingw_processor})

set(mingw_triplet ${mingw_processor}-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Unused functions and data are left out of the program, which keeps config.exe small.
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--gc-sections")

# Test programs (and GoogleTest's discovery of their cases) run under Wine when it is installed,
# through a script that runs again a program Wine ended before it started.
find_program(KROVAN_WINE NAMES wine)
if(KROVAN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      bash ${CMAKE_CURRENT_LIST_DIR}/../tests/win32/run-under-wine.sh ${KROVAN_WINE})
endif()
