#include "dxf/dxf_styles.h"

#include "db/dbsymtb.h"
#include "db/dbtablestyle.h"
#include "dxf/dxf_enums.h"
#include "script/utf8.h"

namespace platform {

namespace {

// Groups of a DIMSTYLE record that are not dimension values: name, handle, owner, markers.
bool Is_Record_Group(int code) { return code == 2 || code == 105 || code == 100 || code == 330 || code == 360; }

// Colour numbers of table styles: 0 by block, 1-255, 256 by layer, 257 none.
constexpr int kNoColor = 257;

ZcCmColor Index_Color(int index) {
  ZcCmColor color;
  if (index == kNoColor) color.setColorMethod(ZcCm::kNone);
  else color.setColorIndex(static_cast<int16_t>(index >= 0 && index <= 256 ? index : 256));
  return color;
}

int Color_Index(const ZcCmColor& color) {
  if (color.isNone()) return kNoColor;
  if (color.isByColor()) return ZcCmEntityColor::lookUpACI(color.red(), color.green(), color.blue());
  return color.colorIndex();
}

}  // namespace

void Read_Dim_Style(DxfReadContext& ctx, const DxfRecord& record, ZcDbDimStyleTableRecord* style) {
  DxfSpan s = record.subclass("AcDbDimStyleTableRecord");
  std::vector<ZcDbDimStyleGroup> groups;
  for (const DxfGroup& g : s) {
    if (Is_Record_Group(g.code)) continue;
    ZcDbDimStyleGroup kept;
    kept.code = static_cast<int16_t>(g.code);
    if (ZcDbDimStyleGroup::namesObject(g.code)) {
      kept.id = ctx.id_of(g.to_handle());
      if (kept.id.isNull()) continue;
    } else {
      kept.value = To_Utf8(ctx.wide(g.value));
    }
    groups.push_back(std::move(kept));
  }
  style->setKeptGroups(std::move(groups));
}

void Write_Dim_Style(DxfOutput& out, const ZcDbDimStyleTableRecord* style) {
  out.raw(100, "AcDbSymbolTableRecord");
  out.raw(100, "AcDbDimStyleTableRecord");
  out.text(2, style->name());
  bool flags = false;
  for (const ZcDbDimStyleGroup& g : style->keptGroups()) flags = flags || g.code == 70;
  if (!flags) out.integer(70, 0);
  for (const ZcDbDimStyleGroup& g : style->keptGroups()) {
    if (!ZcDbDimStyleGroup::namesObject(g.code)) {
      out.raw(g.code, g.value);
    } else if (!g.id.isNull() && !g.id.isErased() && g.id.database() == style->database()) {
      out.handle(g.code, DxfWriteContext::handle(g.id));
    }
  }
}

// TABLESTYLE: style-wide values, then one run of cell groups per row type (data, title,
// header), each starting with its text style's name (7).
ZcDbTableStyle* Read_Table_Style(DxfReadContext& ctx, const DxfRecord& record) {
  auto* style = new ZcDbTableStyle();
  DxfSpan s = record.subclass("AcDbTableStyle");
  int row = -1;  // index into the row order; -1 while the style-wide groups last
  bool past_version = false;  // a 280 before the style-wide values is the version
  for (const DxfGroup& g : s) {
    if (g.code == 7) {
      if (++row >= 3) break;
      const ZcDbObjectId text_style = ctx.text_style(g.value);
      if (!text_style.isNull()) style->setTextStyle(text_style, ZcDbTableStyle::kRowOrder[row]);
      continue;
    }
    if (row < 0) {
      past_version = past_version || g.code == 3 || g.code == 70 || g.code == 71 || g.code == 40 || g.code == 41;
      switch (g.code) {
        case 3: style->setDescription(ctx.wide(g.value).c_str()); break;
        case 70: style->setFlowDirection(g.to_int() == 1 ? ZcDb::kBtoT : ZcDb::kTtoB); break;
        case 71: style->setBitFlags(static_cast<uint32_t>(g.to_int())); break;
        case 40: style->setHorzCellMargin(g.to_double()); break;
        case 41: style->setVertCellMargin(g.to_double()); break;
        case 280: if (past_version) style->suppressTitleRow(g.to_int() != 0); break;
        case 281: style->suppressHeaderRow(g.to_int() != 0); break;
        default: break;
      }
      continue;
    }
    const int rows = ZcDbTableStyle::kRowOrder[row];
    ZcValue::DataType type = ZcValue::kGeneral;
    ZcValue::UnitType unit = ZcValue::kUnitless;
    if (g.code >= 274 && g.code <= 279) {
      style->setGridLineWeight(Dxf_Line_Weight(g, ZcDb::kLnWtByBlock), ZcDbTableStyle::kGridOrder[g.code - 274], rows);
    } else if (g.code >= 284 && g.code <= 289) {
      style->setGridVisibility(g.to_int() != 0 ? ZcDb::kVisible : ZcDb::kInvisible,
                               ZcDbTableStyle::kGridOrder[g.code - 284], rows);
    } else if (g.code >= 64 && g.code <= 69) {
      style->setGridColor(Index_Color(g.to_int()), ZcDbTableStyle::kGridOrder[g.code - 64], rows);
    } else {
      switch (g.code) {
        case 140: style->setTextHeight(g.to_double(), rows); break;
        case 170: style->setAlignment(static_cast<ZcDb::CellAlignment>(Dxf_Enum_Value(g, ZcDb::kTopLeft, ZcDb::kBottomRight, ZcDb::kTopLeft)), rows); break;
        case 62: style->setColor(Index_Color(g.to_int()), rows); break;
        case 63: style->setBackgroundColor(Index_Color(g.to_int()), rows); break;
        case 283: style->setBackgroundColorNone(g.to_int() == 0, rows); break;
        case 90:
          style->getDataType(type, unit, ZcDbTableStyle::kRowOrder[row]);
          style->setDataType(static_cast<ZcValue::DataType>(Dxf_Enum_Value(g, 0, 2 * ZcValue::kGeneral - 1, type)), unit, rows);
          break;
        case 91:
          style->getDataType(type, unit, ZcDbTableStyle::kRowOrder[row]);
          style->setDataType(type, static_cast<ZcValue::UnitType>(Dxf_Enum_Value(g, 0, 2 * ZcValue::kVolume - 1, unit)), rows);
          break;
        case 1: style->setFormat(ctx.wide(g.value).c_str(), rows); break;
        default: break;
      }
    }
  }
  return style;
}

void Write_Table_Style(DxfWriteContext& ctx, const ZcDbTableStyle* style) {
  DxfOutput& out = ctx.out();
  ctx.object_start("TABLESTYLE", style);
  out.raw(100, "AcDbTableStyle");
  out.integer(280, 0);
  out.text(3, style->description());
  out.integer(70, style->flowDirection());
  out.integer(71, style->bitFlags());
  out.real(40, style->horzCellMargin());
  out.real(41, style->vertCellMargin());
  out.integer(280, style->isTitleSuppressed() ? 1 : 0);
  out.integer(281, style->isHeaderSuppressed() ? 1 : 0);
  for (ZcDb::RowType row : ZcDbTableStyle::kRowOrder) {
    const std::wstring text_style = DxfWriteContext::record_name(style->textStyle(row));
    out.text(7, text_style.empty() ? L"Standard" : text_style);
    out.real(140, style->textHeight(row));
    out.integer(170, style->alignment(row));
    out.integer(62, Color_Index(style->color(row)));
    out.integer(63, Color_Index(style->backgroundColor(row)));
    out.integer(283, style->isBackgroundColorNone(row) ? 0 : 1);
    ZcValue::DataType type = ZcValue::kGeneral;
    ZcValue::UnitType unit = ZcValue::kUnitless;
    style->getDataType(type, unit, row);
    out.integer(90, type);
    out.integer(91, unit);
    out.text(1, style->format(row));
    for (int i = 0; i < 6; ++i) {
      const ZcDb::GridLineType grid = ZcDbTableStyle::kGridOrder[i];
      out.integer(274 + i, style->gridLineWeight(grid, row));
      out.integer(284 + i, style->gridVisibility(grid, row) == ZcDb::kVisible ? 1 : 0);
      out.integer(64 + i, Color_Index(style->gridColor(grid, row)));
    }
  }
}

}  // namespace platform
