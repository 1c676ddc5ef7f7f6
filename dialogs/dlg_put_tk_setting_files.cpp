// The library drawings of the insertion settings: adding, renaming, deleting and
// redefining them, and the preview of the selected one.
#include <algorithm>
#include <memory>

#include "core/file_operations.h"
#include "core/host_adapter.h"
#include "core/point_sets.h"
#include "core/selection_helpers.h"
#include "sheets/wblock_to_file.h"
#include "dialogs/dlg_put_tk_setting.h"
#include "dialogs/print_order_picture.h"
#include "mfc/afxdc.h"
#include "res/resource.h"
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
    drawing->File_Name = name + Drawing_File_Extension;
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
    const CString file_name = name + Drawing_File_Extension;
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
    if (row < 0 || row >= Drawings.GetSize() ||
        !Collect_Library_Frame(Drawings[row]->Full_Path, starts, ends, nullptr) || starts.isEmpty())
        return;
    ZcGePoint2dArray all = starts;
    all.append(ends);
    double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
    Get_Points_Extents(all, min_x, max_x, min_y, max_y);
    CRect area = frame;
    area.DeflateRect(5, 5);
    const double bw = max_x - min_x, bh = max_y - min_y;
    const double k = std::min(bw > 0 ? area.Width() / bw : 1.0, bh > 0 ? area.Height() / bh : 1.0);
    const double cx = area.left + area.Width() / 2.0, cy = area.top + area.Height() / 2.0;
    const int left = static_cast<int>(cx - bw * k / 2), top = static_cast<int>(cy + bh * k / 2);
    CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
    CPen* old = dc.SelectObject(&pen);
    auto screen = [&](const ZcGePoint2d& p) {
        return CPoint(left + static_cast<int>((p.x - min_x) * k), top - static_cast<int>((p.y - min_y) * k));
    };
    for (int i = 0; i < starts.length(); ++i) {
        dc.MoveTo(screen(starts[i]));
        dc.LineTo(screen(ends[i]));
    }
    dc.SelectObject(old);
}
