# Cross-building the same sources as 64-bit Windows programs. The game ships
# as the 32-bit build; the 64-bit one runs the Wine tests on machines that
# cannot run 32-bit programs, and so 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
