#pragma once
// Errors of the graphics unit.
#include "classlib/system/SysUtils.h"

namespace cl {

// Data that is not a picture this layer reads ("Bitmap image is not valid").
CL_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
// A drawing request the object cannot carry out ("Canvas does not allow drawing").
CL_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);
// The system ran out of GDI or window objects ("Out of system resources").
CL_DECLARE_EXCEPTION(EOutOfResources, EOutOfMemory);

}  // namespace cl
