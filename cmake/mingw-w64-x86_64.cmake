# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX-threads
# compilers, which std::thread needs). Programs are linked statically, so they
# run under Wine or on Windows without the compiler's DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test files with many templates pass the object format's 32 768 sections. GCC 12
# for this target warns of overlapping copies inside std::string's own operator+
# and of pair copies that its optimiser invented (false alarms fixed in GCC 13).
set(CMAKE_CXX_FLAGS_INIT "-Wa,-mbig-obj -Wno-restrict -Wno-stringop-overflow")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
