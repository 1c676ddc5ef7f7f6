#include "mfc/afxassert.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

void Assert_Failed(const char* expression, const char* file, int line) {
    std::fprintf(stderr, "%s(%d): assertion failed: %s\n", file, line, expression);
    std::fflush(stderr);
    std::abort();
}

}  // namespace platform
