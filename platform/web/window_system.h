// The window system as the web presenter sees it: the calls its driver
// interface offers a presenter, under the name `driver`, and the Win32
// calls. The presenter uses nothing else of the layer.
#pragma once

#include "platform/web/driver_adapter.h"  // until platform/portable/driver.h is there
#include "platform/win32.h"
