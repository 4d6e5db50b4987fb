// The media player's and the web browser's interface and class ids: the platform's import
// libraries lack some of them, so they are defined here, once.
#include <windows.h>

#include <initguid.h>

#include <exdisp.h>
#include <wmp.h>
