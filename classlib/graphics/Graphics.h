#pragma once
// Colours, fonts, pens, brushes, bitmaps and, on Windows, canvases.
#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Color.h"
#include "classlib/graphics/Error.h"
#include "classlib/graphics/Objects.h"
#include "classlib/system/Types.h"

#ifdef _WIN32
#include "classlib/graphics/Canvas.h"
#include "classlib/graphics/Icon.h"
#endif
