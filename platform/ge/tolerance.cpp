#include "ge/getol.h"

ZcGeTol ZcGeContext::gTol;
