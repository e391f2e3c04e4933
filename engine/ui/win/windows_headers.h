// The system headers of the Windows layer, included first everywhere in it.
// They define AnsiUpper and AnsiLower as macros; ours are functions
// (common/ansi_case.h), so the macros go.
#pragma once
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#undef AnsiUpper
#undef AnsiLower
