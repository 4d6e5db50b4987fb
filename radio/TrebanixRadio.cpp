// The program's entry point; the body lives in RadioProgram.cpp.
#include <windows.h>

#include "radio/RadioProgram.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunRadioProgram(); }
