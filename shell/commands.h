// The commands of the menu bar, which the keys, the face and the settings
// also send to the main window.
#pragma once

#include "model/cell.h"

// Carries out one command; unknown ids are ignored. The result is false.
Truth OnCommand(unsigned short id);
