// All entity classes of the database.
#pragma once
#include "db/dbblkref.h"
#include "db/dbcurve.h"
#include "db/dbmtext.h"
#include "db/dbpl.h"
#include "db/dbpoly.h"
#include "db/dbregion.h"
#include "db/dbspline.h"
#include "db/dbtext.h"
#include "db/dbviewport.h"
