#pragma once
// Text that goes into a one-line edit: line breaks become spaces and other control
// characters go, so pasted or assigned text never splits the line.
#include "classlib/system/SysUtils.h"

namespace cl {

AnsiString SingleLineText(const AnsiString& Text);

}  // namespace cl
