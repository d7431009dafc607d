// The resources of the program's resource script, embedded at build time:
// every BITMAP and ICON file it names, and the script itself (type "RC",
// name "SCRIPT", NUL-terminated), from which menus are read.
#pragma once

#include <cstddef>

namespace portable {

struct EmbeddedResource {
    const char* type;
    const char* name;
    const unsigned char* data;
    size_t size;
};

extern const EmbeddedResource embeddedResources[];
extern const size_t embeddedResourceCount;

}  // namespace portable
