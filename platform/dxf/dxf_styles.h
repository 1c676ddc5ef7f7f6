// Dimension style records (DIMSTYLE table) and table styles (TABLESTYLE objects).
#pragma once

#include "dxf/dxf_read_context.h"
#include "dxf/dxf_write_context.h"

class ZcDbDimStyleTableRecord;
class ZcDbTableStyle;

namespace platform {

// The record's values from its DIMSTYLE groups (the name is set by the table reader).
void Read_Dim_Style(DxfReadContext& ctx, const DxfRecord& record, ZcDbDimStyleTableRecord* style);
// The groups of a DIMSTYLE record after its handle and owner.
void Write_Dim_Style(DxfOutput& out, const ZcDbDimStyleTableRecord* style);

// A new table style from a TABLESTYLE record (the caller owns it).
ZcDbTableStyle* Read_Table_Style(DxfReadContext& ctx, const DxfRecord& record);
void Write_Table_Style(DxfWriteContext& ctx, const ZcDbTableStyle* style);

}  // namespace platform
