#include "classlib/system/ExceptionHooks.h"

namespace cl {

TExceptionHooks& ExceptionHooks()
{
    static TExceptionHooks hooks;
    return hooks;
}

}  // namespace cl
