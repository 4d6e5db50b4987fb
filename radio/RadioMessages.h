#pragma once
// The radio's own window messages.
#include <windows.h>

namespace radio {

// Posted to the main window by start-up: open the page asked for so far (the main window's
// PostPageFill).
constexpr UINT WM_FILLPAGE = WM_APP + 0x100;

}  // namespace radio
