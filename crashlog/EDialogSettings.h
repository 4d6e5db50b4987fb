#pragma once
// Where the exception dialog was and how wide its list's columns were, kept in a settings file
// ("VozozoRez.ini" in the Windows folder unless a test points elsewhere).
#include <array>
#include <string>

namespace crashlog {

struct TDialogSettings {
    int Left = 0;
    int Top = 0;
    int Width = 640;
    int Height = 385;
    int WindowsState = 1;
    std::array<int, 6> Columns{80, 102, 105, 118, 138, 48};
};

std::string& DialogSettingsFile();

// Read from the file's "Coordinates" section; missing values are the defaults (centred), and the
// position is brought back onto the screen.
TDialogSettings LoadDialogSettings(int screenWidth, int screenHeight);
TDialogSettings ClampToScreen(TDialogSettings settings, int screenWidth, int screenHeight);
// Failures to write are ignored: the folder may be read-only.
void SaveDialogPlacement(const TDialogSettings& settings);
void SaveDialogColumns(const TDialogSettings& settings);

}  // namespace crashlog
