// A shared library that is not the display library: it has only one of its functions.
#include "platform/zorvex.h"

extern "C" ZORVEX_API void DispChange(int32_t) {}
