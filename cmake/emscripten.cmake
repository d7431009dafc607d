# The web build: Debian's emscripten (emcc with its clang 14 and binaryen).
#   cmake -S . -B build/web -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# emcc runs JavaScript passes on node that load Debian's node modules
# (acorn). Debian's own node finds them by itself; another node (a newer one
# from elsewhere) only on NODE_PATH, which every step that may run them gets.
set(BLASTGRID_NODE_MODULES /usr/share/nodejs)
set(ENV{NODE_PATH} ${BLASTGRID_NODE_MODULES})
set(CMAKE_CXX_COMPILER_LAUNCHER env NODE_PATH=${BLASTGRID_NODE_MODULES})
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=${BLASTGRID_NODE_MODULES})
set(CMAKE_C_COMPILER_LAUNCHER env NODE_PATH=${BLASTGRID_NODE_MODULES})
set(CMAKE_C_LINKER_LAUNCHER env NODE_PATH=${BLASTGRID_NODE_MODULES})
