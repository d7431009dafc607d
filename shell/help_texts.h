// The texts of the Help menu's message boxes.
#pragma once

extern const char* const howToPlayText;
extern const char* const aboutSolverText;
extern const char* const aboutBlastgridText;
