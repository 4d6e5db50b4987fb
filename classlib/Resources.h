#pragma once
// Resources (TResourceStream, LoadStr, the registered-resource table) are declared in Classes.h,
// where the class library has them; this header is kept for readers who look for them here.
#include "classlib/Classes.h"
