#pragma once
// The logger's own error classes.
#include <string>

#include "classlib/system/SysUtils.h"

namespace crashlog {

// Reading logger data past its end or with a bad length.
using EReadError = cl::EReadError;
using Exception = cl::Exception;

CL_DECLARE_EXCEPTION(EVozozoError, Exception);
CL_DECLARE_EXCEPTION(EOptionsError, EVozozoError);
CL_DECLARE_EXCEPTION(EHookError, Exception);
CL_DECLARE_EXCEPTION(EProcNull, EHookError);
CL_DECLARE_EXCEPTION(EHookingError, EHookError);
CL_DECLARE_EXCEPTION(ESharedArea, EHookError);
// What std::terminate reports when no exception is active.
CL_DECLARE_EXCEPTION(EAbnormalTermination, Exception);

}  // namespace crashlog
