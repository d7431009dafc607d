# The program's source files, by subsystem: every .cpp file of its folder.
set(PLATFORM_SOURCES
  platform/app_handles.cpp
  platform/random.cpp)
file(GLOB PORTABLE_SOURCES CONFIGURE_DEPENDS platform/portable/*.cpp)
# The presenter of the native program; its main() is apart, in main.cpp.
file(GLOB DESKTOP_SOURCES CONFIGURE_DEPENDS platform/desktop/*.cpp)
list(REMOVE_ITEM DESKTOP_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/platform/desktop/main.cpp)
file(GLOB MODEL_SOURCES CONFIGURE_DEPENDS model/*.cpp)
file(GLOB SOLVER_SOURCES CONFIGURE_DEPENDS solver/*.cpp)
file(GLOB VIEW_SOURCES CONFIGURE_DEPENDS view/*.cpp)
file(GLOB CUSTOM_SOURCES CONFIGURE_DEPENDS custom/*.cpp)
file(GLOB SHELL_SOURCES CONFIGURE_DEPENDS shell/*.cpp)

# Boards as text: tests, traces and the solver lab.
set(BOARD_TEXT_SOURCES
  tests/support/board_text.cpp)
# The solver lab's library, used by its tests; its main() is apart.
file(GLOB SOLVER_LAB_SOURCES CONFIGURE_DEPENDS tools/solver_lab/*.cpp)
list(REMOVE_ITEM SOLVER_LAB_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tools/solver_lab/main.cpp)

# The web presenter: its input translation, zoom, scene and the canvas's
# changes are plain C++, tested natively; the rest is its glue to the
# browser, in the web build.
set(WEB_LOGIC_SOURCES
  platform/web/changes.cpp
  platform/web/keys.cpp
  platform/web/pointer.cpp
  platform/web/scene.cpp
  platform/web/zoom.cpp)
file(GLOB WEB_SOURCES CONFIGURE_DEPENDS platform/web/*.cpp)
