// Every test executable built with the core's fixtures runs on an emulated machine of its own.
#include "core_fixture.h"

#include "../support/machine_environment.h"
