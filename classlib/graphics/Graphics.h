#pragma once
// Colours, fonts, pens, brushes, bitmaps and, on Windows, canvases.
#include "classlib/Bitmap.h"
#include "classlib/Color.h"
#include "classlib/GraphicsError.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/Types.h"

#ifdef _WIN32
#include "classlib/Canvas.h"
#include "classlib/Icon.h"
#endif
