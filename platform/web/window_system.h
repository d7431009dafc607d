// The window system as the web presenter sees it: the calls its driver
// interface offers a presenter, under the name `driver`, and the Win32
// calls. The presenter uses nothing else of the layer.
#pragma once

#include "platform/portable/driver.h"
#include "platform/win32.h"

namespace driver = portable;
