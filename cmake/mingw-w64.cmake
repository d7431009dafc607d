# Cross-building Windows programs with MinGW-w64, for the target named by
# MINGW_TRIPLE (set by mingw-w64-i686.cmake or mingw-w64-x86_64.cmake).
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX-threads flavour of the compiler: GoogleTest needs std::mutex,
# which the win32-threads flavour lacks. Everything is linked statically.
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
