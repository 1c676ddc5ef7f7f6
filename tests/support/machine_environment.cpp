// Linked into a test executable, gives its process an emulated machine of its own.
#include "machine_environment.h"
