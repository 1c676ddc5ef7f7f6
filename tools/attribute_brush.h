// The attribute brush: the shown attributes of one block reference listed as rows of tag
// and value, then written into the attributes of the same tags in other references. The
// command is Brush_Block_Attributes (core/command_handlers.h).
#pragma once

#include <vector>

#include "db/dbblkref.h"
#include "mfc/afxstr.h"

// One row of the attribute brush; tag and value are kept whole, whatever their length.
struct Attribute_Row {
    CString Tag;
    CString Value;
    bool Checked = true;  // the row takes part in the refresh
};

// Refills the rows from the reference's shown attributes in their order (a multi-line
// attribute's value is its multiline contents as stored); every row checked.
void Read_Block_Attributes(const ZcDbBlockReference* reference, std::vector<Attribute_Row>& rows);
