# Writes a C++ source that embeds the resource script and every BITMAP and
# ICON file it names, for the portable build (which has no resource linker).
# Run as: cmake -DSCRIPT=<file.rc> -DOUTPUT=<file.cpp> [-DICON_FILE=<file.ico>] -P EmbedResources.cmake
#
# ICON_FILE, when given, is embedded in place of the ICON files the script
# names: the portable window system reads uncompressed icon images only,
# while Blastgrid.exe's icon also holds a PNG-compressed one.

get_filename_component(script_dir "${SCRIPT}" DIRECTORY)
file(STRINGS "${SCRIPT}" lines)

set(arrays "")
set(entries "")
set(index 0)

function(append_array name path)
  file(READ "${path}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n    " bytes "${bytes}")
  set(arrays "${arrays}const unsigned char ${name}[] = {\n    ${bytes}0x00};\n\n" PARENT_SCOPE)
endfunction()

foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*\"?([A-Za-z0-9_]+)\"?[ \t]+(BITMAP|ICON)[ \t]+\"([^\"]+)\"")
    set(name "${CMAKE_MATCH_1}")
    set(type "${CMAKE_MATCH_2}")
    set(path "${script_dir}/${CMAKE_MATCH_3}")
    if(type STREQUAL "ICON" AND ICON_FILE)
      set(path "${ICON_FILE}")
    endif()
    if(NOT EXISTS "${path}")
      message(FATAL_ERROR "${SCRIPT}: ${type} ${name} names a missing file: ${path}")
    endif()
    file(SIZE "${path}" size)
    append_array(resource${index} "${path}")
    set(entries "${entries}    {\"${type}\", \"${name}\", resource${index}, ${size}},\n")
    math(EXPR index "${index} + 1")
  endif()
endforeach()

file(SIZE "${SCRIPT}" script_size)
append_array(resourceScript "${SCRIPT}")
set(entries "${entries}    {\"RC\", \"SCRIPT\", resourceScript, ${script_size}},\n")

file(WRITE "${OUTPUT}.tmp" "// Generated from ${SCRIPT} at build time; do not edit.
#include \"platform/portable/embedded_resources.h\"

namespace portable {

namespace {
${arrays}}  // namespace

const EmbeddedResource embeddedResources[] = {
${entries}};
const size_t embeddedResourceCount = sizeof(embeddedResources) / sizeof(embeddedResources[0]);

}  // namespace portable
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
