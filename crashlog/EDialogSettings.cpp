#include "crashlog/EDialogSettings.h"

#include <windows.h>

namespace crashlog {

namespace {

constexpr const char* Section = "Coordinates";

int ReadInt(const char* key, int fallback)
{
    return static_cast<int>(GetPrivateProfileIntA(Section, key, fallback, DialogSettingsFile().c_str()));
}

void WriteInt(const char* key, int value)
{
    WritePrivateProfileStringA(Section, key, std::to_string(value).c_str(), DialogSettingsFile().c_str());
}

}  // namespace

std::string& DialogSettingsFile()
{
    // A dialog may be shown by a fault at the process's very end.
    static auto* file = new std::string("VozozoRez.ini");
    return *file;
}

TDialogSettings ClampToScreen(TDialogSettings s, int screenWidth, int screenHeight)
{
    if (s.Left + s.Width > screenWidth)
        s.Left = screenWidth - s.Width;
    if (s.Top + s.Height > screenHeight)
        s.Top = screenHeight - s.Height;
    if (s.Left < 0)
        s.Left = 0;
    if (s.Top < 0)
        s.Top = 0;
    return s;
}

TDialogSettings LoadDialogSettings(int screenWidth, int screenHeight)
{
    TDialogSettings s;
    s.Width = ReadInt("Width", s.Width);
    s.Height = ReadInt("Height", s.Height);
    s.Left = ReadInt("Left", (screenWidth - s.Width) / 2);
    s.Top = ReadInt("Top", (screenHeight - s.Height) / 2);
    s.WindowsState = ReadInt("WindowsState", s.WindowsState);
    for (int i = 0; i < 6; ++i)
        s.Columns[i] = ReadInt(("Col" + std::to_string(i)).c_str(), s.Columns[i]);
    return ClampToScreen(s, screenWidth, screenHeight);
}

void SaveDialogPlacement(const TDialogSettings& s)
{
    WriteInt("Left", s.Left);
    WriteInt("Top", s.Top);
    WriteInt("Width", s.Width);
    WriteInt("Height", s.Height);
    WriteInt("WindowsState", s.WindowsState);
}

void SaveDialogColumns(const TDialogSettings& s)
{
    for (int i = 0; i < 6; ++i)
        WriteInt(("Col" + std::to_string(i)).c_str(), s.Columns[i]);
}

}  // namespace crashlog
