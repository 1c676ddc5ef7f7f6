// The editor's view: zooming to show extents or a window, and the stored view of a drawing
// that is about to be saved.
#pragma once

#include "db/dbmain.h"
#include "ge/extents.h"

// Makes sure the extents are visible: when they are not wholly inside the current view,
// grows them by a fortieth of their smaller side on every side (the caller's extents take
// the grown values) and zooms to their union with the view.
void Zoom_To_Include(ZcDbExtents& extents);
// Sets the current view to the window between the corners (UCS).
void Zoom_Window(const ZcGePoint3d& first, const ZcGePoint3d& opposite);
// Sets the database's stored view, the size widened to the screen's aspect: on its paper
// space viewport with paper_space, otherwise on its "*Active" viewport record (which the
// editor then takes when the database is the working drawing).
void Set_Database_View(ZcDbDatabase* db, double width, double height, double centre_x, double centre_y,
                       bool paper_space);
