# The program's source files, by subsystem.
set(PLATFORM_SOURCES
  platform/app_handles.cpp
  platform/random.cpp)

set(PORTABLE_SOURCES
  platform/portable/controls.cpp
  platform/portable/menus.cpp
  platform/portable/messages.cpp
  platform/portable/painting.cpp
  platform/portable/png.cpp
  platform/portable/resources.cpp
  platform/portable/system.cpp
  platform/portable/windows.cpp)

set(MODEL_SOURCES
  model/board.cpp
  model/column_table.cpp
  model/memory.cpp
  model/mines.cpp
  model/neighbours.cpp
  model/reveal.cpp)

# Boards as text: tests, traces and the solver lab.
set(BOARD_TEXT_SOURCES
  tools/board_text.cpp)
