// The library drawings of the insertion settings: adding, renaming, deleting and
// redefining them, and the preview of the selected one.
#include <algorithm>
#include <memory>

#include "core/file_operations.h"
#include "core/selection_helpers.h"
#include "core/wblock_to_file.h"
#include "db/dbblkref.h"
#include "db/dbcurve.h"
#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "db/drawing_file_io.h"
#include "dialogs/dlg_put_tk_setting.h"
#include "dialogs/print_order_picture.h"
#include "mfc/afxdc.h"
#include "res/resource.h"
#include "titleblock/tk_block_file.h"
#include "titleblock/tk_outline.h"
#include "ui/module_resources.h"
#include "ui/small_value_dialogs.h"

namespace {

// The name the user types for a frame; false when cancelled.
bool Ask_Frame_Name(CWnd* parent, int mode, CString& name)
{
    Module_Resource_Scope resources;
    Dlg_Str dialog(parent);
    dialog.Str_Mode = mode;
    dialog.Edit_Text = name;
    if (dialog.DoModal() != IDOK)
        return false;
    name = dialog.Edit_Text;
    return true;
}

// The segments of the library drawing's frame, as the insertion analyses them.
bool Read_Frame_Segments(const CString& path, ZcGePoint2dArray& starts, ZcGePoint2dArray& ends)
{
    std::unique_ptr<ZcDbDatabase> db;
    ZcDbObjectId block_id;
    if (!Read_TK_Block(path, db, block_id))
        return false;
    ZcDbObjectPointer<ZcDbBlockTableRecord> block(block_id, ZcDb::kForRead);
    ZcDbBlockTableRecordIterator* it = nullptr;
    if (block.openStatus() != Zcad::eOk || block->newIterator(it) != Zcad::eOk)
        return false;
    for (it->start(); !it->done(); it->step()) {
        ZcDbEntity* entity = nullptr;
        if (it->getEntity(entity, ZcDb::kForRead) != Zcad::eOk)
            continue;
        if (const ZcDbLine* line = ZcDbLine::cast(entity))
            Collect_Line_Segment(line, starts, ends);
        else if (const ZcDbBlockReference* reference = ZcDbBlockReference::cast(entity))
            Collect_Block_Segments(reference, starts, ends);
        else if (ZcDbCurve::cast(entity) != nullptr)
            Collect_Polyline_Segments(entity, starts, ends);
        entity->close();
    }
    delete it;
    return true;
}

}  // namespace

bool Dlg_Put_TK_Setting::Select_In_Drawing(const wchar_t* prompt, ZcDbObjectIdArray& ids)
{
    BeginEditorCommand();
    const bool selected = Select_With_Prompt(prompt, ids, false, false);
    CompleteEditorCommand();
    return selected && !ids.isEmpty();
}

void Dlg_Put_TK_Setting::Add_TK()
{
    ZcDbObjectIdArray ids;
    if (!Select_In_Drawing(L"\n选择图框：", ids))
        return;
    CString name;
    if (!Ask_Frame_Name(this, 7, name))
        return;
    auto drawing = std::make_unique<Single_TK>();
    drawing->File_Name = name + platform::Drawing_File_Extension;
    if (Name_Taken(drawing->File_Name, -1)) {
        Report(L"图框重名 !", L"图框重名报错");
        return;
    }
    drawing->Full_Path = Folder + L"\\" + drawing->File_Name;
    if (!Wblock_Ids_To_File(ids, drawing->Full_Path, L"K_TK_BK", false)) {
        CString text;
        text.Format(L"文件\n\n%s\n\n无法重新生成 !", drawing->Full_Path.GetString());
        Report(text, L"文件报错");
        return;
    }
    Drawings.Add(drawing.release());
    const int row = static_cast<int>(Drawings.GetSize()) - 1;
    Add_Row(row);
    List.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void Dlg_Put_TK_Setting::Rename_TK(int row)
{
    UpdateData(TRUE);
    if (row < 0 || row >= Drawings.GetSize())
        return;
    Single_TK& drawing = *Drawings[row];
    CString name = Single_TK_Title(drawing);
    if (!Ask_Frame_Name(this, 6, name))
        return;
    const CString file_name = name + platform::Drawing_File_Extension;
    const CString path = Folder + L"\\" + file_name;
    if (file_name.CompareNoCase(drawing.File_Name) == 0)
        return;
    if (Name_Taken(file_name, row)) {
        Report(L"图框重名 !", L"图框重名报错");
        return;
    }
    if (!Rename_File(drawing.Full_Path, path)) {
        CString text;
        text.Format(L"文件\n\n%s\n\n无法修改文件名 !", drawing.Full_Path.GetString());
        Report(text, L"文件改名报错");
        return;
    }
    drawing.File_Name = file_name;
    drawing.Full_Path = path;
    List.SetItemText(row, 1, Single_TK_Title(drawing));
}

void Dlg_Put_TK_Setting::Delete_TK(int row)
{
    UpdateData(TRUE);
    if (row < 0 || row >= Drawings.GetSize())
        return;
    const CString path = Drawings[row]->Full_Path;
    CString question;
    question.Format(L"图框文件\n\n%s\n\n是否确认删除 ？", path.GetString());
    if (MessageBox(question, L"删除图框", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (!Delete_File(path)) {
        CString text;
        text.Format(L"文件\n\n%s\n\n无法删除 !", path.GetString());
        Report(text, L"文件删除报错");
        return;
    }
    delete Drawings[row];
    Drawings.RemoveAt(row);
    List.DeleteItem(row);
    for (int i = row; i < List.GetItemCount(); ++i) {
        CString number;
        number.Format(L"%2d", i + 1);
        List.SetItemText(i, 0, number);
    }
    List.Invalidate();
}

void Dlg_Put_TK_Setting::Redefine_TK(int row)
{
    UpdateData(TRUE);
    if (row < 0 || row >= Drawings.GetSize())
        return;
    ZcDbObjectIdArray ids;
    if (!Select_In_Drawing(L"\n选择用来重新定义图框的图形：", ids))
        return;
    const CString path = Drawings[row]->Full_Path;
    if (!Wblock_Ids_To_File(ids, path, L"K_TK_BK", false)) {
        CString text;
        text.Format(L"文件\n\n%s\n\n无法重新生成 !", path.GetString());
        Report(text, L"文件报错");
        return;
    }
    InvalidateRect(Control_Client_Rect(this, IDC_PTK_PREVIEW), FALSE);
}

void Dlg_Put_TK_Setting::OnPaint()
{
    CPaintDC dc(this);
    Paint_Preview(dc);
}

void Dlg_Put_TK_Setting::Paint_Preview(CDC& dc)
{
    const CRect frame = Control_Client_Rect(this, IDC_PTK_PREVIEW);
    dc.FillSolidRect(&frame, RGB(0, 0, 0));
    const int row = List.Get_First_Selected();
    ZcGePoint2dArray starts, ends;
    if (row < 0 || row >= Drawings.GetSize() || !Read_Frame_Segments(Drawings[row]->Full_Path, starts, ends) ||
        starts.isEmpty())
        return;
    double min_x = starts[0].x, max_x = min_x, min_y = starts[0].y, max_y = min_y;
    for (const ZcGePoint2dArray* points : {&starts, &ends})
        for (int i = 0; i < points->length(); ++i) {
            min_x = std::min(min_x, (*points)[i].x);
            max_x = std::max(max_x, (*points)[i].x);
            min_y = std::min(min_y, (*points)[i].y);
            max_y = std::max(max_y, (*points)[i].y);
        }
    CRect area = frame;
    area.DeflateRect(5, 5);
    const double bw = max_x - min_x, bh = max_y - min_y;
    const double k = std::min(bw > 0 ? area.Width() / bw : 1.0, bh > 0 ? area.Height() / bh : 1.0);
    const double cx = area.left + area.Width() / 2.0, cy = area.top + area.Height() / 2.0;
    const int left = static_cast<int>(cx - bw * k / 2), top = static_cast<int>(cy + bh * k / 2);
    CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
    CPen* old = dc.SelectObject(&pen);
    for (int i = 0; i < starts.length(); ++i) {
        dc.MoveTo(left + static_cast<int>((starts[i].x - min_x) * k), top - static_cast<int>((starts[i].y - min_y) * k));
        dc.LineTo(left + static_cast<int>((ends[i].x - min_x) * k), top - static_cast<int>((ends[i].y - min_y) * k));
    }
    dc.SelectObject(old);
}
