# The web page: the program compiled to WebAssembly with the web presenter,
# beside the page's own files, all in site/ of the build folder: a static
# site that any web server can serve.
set(WEB_SITE_DIR ${CMAKE_BINARY_DIR}/site)
foreach(file index.html page.js style.css)
  configure_file(${PROJECT_SOURCE_DIR}/platform/web/site/${file} ${WEB_SITE_DIR}/${file} COPYONLY)
endforeach()

add_executable(blastgrid-web ${WEB_SOURCES})
set_target_properties(blastgrid-web PROPERTIES OUTPUT_NAME blastgrid SUFFIX .js
  RUNTIME_OUTPUT_DIRECTORY ${WEB_SITE_DIR})
target_link_libraries(blastgrid-web PRIVATE bg_game_portable)
# Asyncify lets the program's own loop wait: WaitMessage and the system's
# modal loops yield to the browser and resume where they were. Its saved
# stacks hold the deepest wait, a box inside a window procedure inside a
# modal loop.
# As on Windows, no object lives in the lowest 64 KB of memory, where a
# name's address would be taken for a resource number (MAKEINTRESOURCE):
# WebAssembly puts the program's data there unless told otherwise.
target_link_options(blastgrid-web PRIVATE
  -sGLOBAL_BASE=65536
  -sASYNCIFY=1
  -sASYNCIFY_STACK_SIZE=65536
  -sALLOW_MEMORY_GROWTH=1
  -sENVIRONMENT=web
  -sEXPORTED_FUNCTIONS=_main,_malloc,_free,_BlastgridKeepKey,_BlastgridClientSnapshot,_BlastgridSnapshotWidth,_BlastgridSnapshotHeight,_BlastgridAdapterChooseMenuItem,_BlastgridAdapterBoxCount,_BlastgridAdapterLastBoxTitle
  -sEXPORTED_RUNTIME_METHODS=stringToUTF8,lengthBytesUTF8,UTF8ToString)
