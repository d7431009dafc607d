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
# modal loop. The renderer never waits: it runs without Asyncify's
# bookkeeping, which costs most in its loops over a large board's pixels.
# As on Windows, no object lives in the lowest 64 KB of memory, where a
# name's address would be taken for a resource number (MAKEINTRESOURCE):
# WebAssembly puts the program's data there unless told otherwise.
target_link_options(blastgrid-web PRIVATE
  -sGLOBAL_BASE=65536
  -sASYNCIFY=1
  -sASYNCIFY_STACK_SIZE=65536
  "-sASYNCIFY_REMOVE=['portable::RenderClientArea*']"
  -sALLOW_MEMORY_GROWTH=1
  -sENVIRONMENT=web
  -sEXPORTED_FUNCTIONS=_main,_malloc,_free,_BlastgridKeepKey,_BlastgridClientSnapshot,_BlastgridSnapshotWidth,_BlastgridSnapshotHeight
  -sEXPORTED_RUNTIME_METHODS=stringToUTF8,lengthBytesUTF8,UTF8ToString)

# The web page's tests: the toolchain as the build uses it, and the page in
# headless chromium, driven as a player would, its pixels compared with the
# window system's. Log and screenshots land in e2e/ of the build folder.
enable_testing()
add_test(NAME web_toolchain
  COMMAND ${PROJECT_SOURCE_DIR}/tools/web/web-toolchain-check.sh ${CMAKE_BINARY_DIR}/toolchain-check)
add_test(NAME web_end_to_end
  COMMAND ${PROJECT_SOURCE_DIR}/tests/robots/web-robot.sh check ${WEB_SITE_DIR} ${CMAKE_BINARY_DIR}/e2e)
set_tests_properties(web_end_to_end PROPERTIES RUN_SERIAL TRUE TIMEOUT 900)
