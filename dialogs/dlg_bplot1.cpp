#include "dialogs/dlg_bplot1.h"

#include "core/doc_lock.h"
#include "core/name_lookups.h"
#include "dialogs/result_windows.h"
#include "core/space_helpers.h"
#include "core/string_helpers.h"
#include "dialogs/bplot1_cell_texts.h"
#include "dialogs/result_window_parts.h"
#include "dialogs/stored_frame_rows.h"
#include "plot/batch_run.h"
#include "res/resource.h"
#include "sheets/paper_scale.h"
#include "sheets/paper_table.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"
#include "core/file_name_rules.h"

namespace {

const wchar_t* const Column_Headers[] = {L"序 号", L"预 览", L"  文 件 名  ", L"删 除",
                                         L"纸张尺寸", L"打印比例", L"图面尺寸", L"备 注"};

void Set_Array(ZcArray<int>& array, std::initializer_list<int> values)
{
    array.setLogicalLength(0);
    for (int value : values) array.append(value);
}

}  // namespace

BEGIN_MESSAGE_MAP(Dlg_BPlot1, CZcUiDialog)
    ON_MESSAGE(WM_ZC_KEEP_FOCUS, Dlg_BPlot1::On_Keep_Focus)
    ON_NOTIFY(NM_CLICK, IDC_BP1_LIST, Dlg_BPlot1::On_List_Click)
    ON_NOTIFY(NM_RCLICK, IDC_BP1_LIST, Dlg_BPlot1::On_List_Right_Click)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_BP1_LIST, Dlg_BPlot1::On_Column_Click)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_BP1_LIST, Dlg_BPlot1::On_Selection_Changed)
    ON_BN_CLICKED(IDC_BP1_NAME_RULE, Dlg_BPlot1::On_Name_Rule)
    ON_BN_CLICKED(IDC_BP1_SCALE_FILTER, Dlg_BPlot1::On_Scale_Filter)
    ON_BN_CLICKED(IDC_BP1_INTERRUPT, Dlg_BPlot1::On_Interrupt)
    ON_BN_CLICKED(IDC_BP1_MERGE_PDF, Dlg_BPlot1::On_Merge_Pdf)
    ON_BN_CLICKED(IDC_BP1_DWG_BLOCK, Dlg_BPlot1::On_Save_As_Block)
    ON_CBN_SELCHANGE(IDC_BP1_FORMAT_COMBO, Dlg_BPlot1::On_Format_Changed)
    ON_CBN_SELCHANGE(IDC_BP1_STYLE_COMBO, Dlg_BPlot1::On_Style_Changed)
    ON_CBN_SELCHANGE(IDC_BP1_FOLDER_MODE_COMBO, Dlg_BPlot1::Update_Output_Path)
    ON_CBN_SELCHANGE(IDC_BP1_MARGIN_COMBO, Dlg_BPlot1::On_Margin_Changed)
    ON_CBN_KILLFOCUS(IDC_BP1_MARGIN_COMBO, Dlg_BPlot1::On_Margin_Edited)
    ON_STN_CLICKED(IDC_BP1_PATH, Dlg_BPlot1::On_Path_Click)
    ON_STN_CLICKED(IDC_BP1_SWATCH, Dlg_BPlot1::On_Swatch_Click)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_CTLCOLOR()
    ON_WM_PAINT()
    ON_BN_CLICKED(IDC_BP1_EDIT_STYLE, Dlg_BPlot1::On_Edit_Style)
    ON_COMMAND_RANGE(ID_BP1_COUNT_A4, ID_BP1_COUNT_A0, Dlg_BPlot1::On_Paper_Statistics)
END_MESSAGE_MAP()

Dlg_BPlot1::Dlg_BPlot1(CWnd* parent)
    : File_Result_Dialog(IDD_DLG_BPLOT1, parent,
                         {IDC_BP1_LIST, IDC_BP1_STYLE_COMBO, IDC_BP1_PROGRESS, IDC_BP1_INTERRUPT, IDC_BP1_EDIT_STYLE},
                         {IDC_BP1_FORMAT_COMBO, IDC_BP1_FOLDER_MODE_COMBO, IDC_BP1_MARGIN_COMBO, IDC_BP1_MARGIN_LABEL,
                          IDC_BP1_STYLE_LABEL, IDC_BP1_PATH, IDC_BP1_SWATCH, IDC_BP1_MERGE_PDF, IDC_BP1_DWG_BLOCK,
                          IDC_BP1_SIGN_CHECK},
                         {IDC_BP1_SCALE_FILTER, IDC_BP1_NAME_RULE, IDOK, IDCANCEL})
{
    Style_Index = 0;
    Frame_Infor.Sheet_Set = &Sheet_Set;
}

Dlg_BPlot1::~Dlg_BPlot1()
{
    // The pointers into this window end with it.
    Forget_Pointer(g_Sheet_Set, &Sheet_Set);
    Forget_Pointer(g_Dlg_BPlot1, this);
}

void Dlg_BPlot1::DoDataExchange(CDataExchange* exchange)
{
    File_Result_Dialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_BP1_NAME_RULE, Name_Rule_Button);
    DDX_Control(exchange, IDC_BP1_SCALE_FILTER, Scale_Filter_Button);
}

BOOL Dlg_BPlot1::OnInitDialog()
{
    CZcUiDialog::OnInitDialog();
    for (auto [id, rect] : {std::pair<int, CRect*>{IDC_BP1_MERGE_PDF, &Merge_Box_Rect},
                            std::pair<int, CRect*>{IDC_BP1_SIGN_CHECK, &Sign_Box_Rect}}) {
        if (CWnd* box = GetDlgItem(id)) {
            box->GetWindowRect(rect);
            ScreenToClient(rect);
        }
    }
    Set_Up_Buttons({&Name_Rule_Button, &Scale_Filter_Button});
    List.Sheet_Set = &Sheet_Set;
    Set_Up_List(Column_Headers, 8);

    Load_Output_Options();
    UpdateData(FALSE);
    Fill_Margin_Combo();
    return TRUE;
}

Plot_Drawing1* Dlg_BPlot1::Row_Sheet(int row) const { return Sheet_At(Sheet_Set, row); }

void Dlg_BPlot1::Fit_Columns(std::initializer_list<int> columns)
{
    for (int column : columns) Fit_List_Column(&List, column, this);
}

// ---- options at the opening ----

void Dlg_BPlot1::Fill_On_Open()
{
    Fill_Style_Combo();
    Fill_Sheet_List(true);
    Init_Folder_Mode();
    Init_Output_Format();
    Fill_Margin_Combo();
    Apply_Saved_Scales();
}

// ---- the list ----

void Dlg_BPlot1::Set_Column_Classes()
{
    if (Dwg_Output()) {
        Set_Array(List.Hover_Columns, {Col_Name, Col_Del});
        Set_Array(List.Group_Columns, {Col_Del});
        Set_Array(List.Grey_Columns, {Col_Eye, Col_Paper, Col_Scale, Col_Remark});
    } else {
        Set_Array(List.Hover_Columns, {Col_Eye, Col_Name, Col_Del, Col_Paper, Col_Scale});
        Set_Array(List.Group_Columns, {Col_Del, Col_Paper, Col_Scale});
        Set_Array(List.Grey_Columns, {});
    }
}

void Dlg_BPlot1::Fill_Sheet_List(bool sort)
{
    Clear_Sheet_List(List);
    Set_Column_Classes();
    if (sort)
        Sheet_Set.Sort_Sheets(Options.Sort_Type);
    {
        Doc_Lock lock;
        for (int i = 0; i < Sheet_Set.Plot_List.GetSize(); ++i) {
            Plot_Drawing1* sheet = Sheet_Set.Plot_List[i];
            sheet->Set_Marker(i + 1, -1);
            Insert_Numbered_Row(List, i);
            List.SetItemText(i, Col_Eye, L"EYE");
            List.SetItemText(i, Col_Name, L"");
            List.SetItemText(i, Col_Del, L"DEL");
            List.SetItemText(i, Col_Paper, L"");
            List.SetItemText(i, Col_Scale, L"");
            List.SetItemText(i, Col_Size, Drawing_Size_Text(sheet->Width, sheet->Height));
            List.SetItemText(i, Col_Remark, L"");
        }
    }
    GetDlgItem(IDOK)->EnableWindow(List.GetItemCount() > 0);
    Reassign_Papers();
    Apply_Naming_Rule();
    Fit_List_Columns(&List, this);
}

CString Dlg_BPlot1::Paper_Size_Remark(int row, const MyPaper& paper)
{
    const CString remark = Paper_Range_Remark(paper, Options.Output_Type);
    if (remark.IsEmpty()) {
        List.Remove_Mark_Cell(row, Col_Remark);
        List.Remove_Mark_Cell(row, Col_Paper);
    } else {
        List.Add_Mark_Cell(row, Col_Remark);
        List.Add_Mark_Cell(row, Col_Paper);
    }
    return remark;
}

void Dlg_BPlot1::Show_Row_Paper(int row, Plot_Drawing1* sheet)
{
    MyPaper* paper = Find_Paper_By_Name(Sheet_Set.Paper_List, sheet->Paper_Name);
    if (paper == nullptr) {
        List.SetItemText(row, Col_Scale, Format_Scale_Text(sheet->Plot_Scale));
        List.SetItemText(row, Col_Remark, L"");
        return;
    }
    List.SetItemText(row, Col_Paper, paper->Get_Display_Name(true, sheet->Portrait));
    List.SetItemText(row, Col_Scale, Format_Scale_Text(sheet->Plot_Scale));
    List.SetItemText(row, Col_Remark, Paper_Size_Remark(row, *paper));
}

void Dlg_BPlot1::Reassign_Papers()
{
    Sheet_Set.Assign_Papers(Options.Scale, true, true);
    for (int row = 0; row < List.GetItemCount(); ++row) {
        Plot_Drawing1* sheet = Row_Sheet(row);
        if (sheet == nullptr)
            continue;
        MyPaper working(297, 210);
        sheet->Match_Paper(&working, Options.Scale, true);
        List.SetItemText(row, Col_Paper, working.Get_Display_Name(true, sheet->Portrait));
        sheet->Plot_Scale = Scale_From_Paper(working, *sheet);
        List.SetItemText(row, Col_Scale, Format_Scale_Text(sheet->Plot_Scale));
        List.SetItemText(row, Col_Remark, Paper_Size_Remark(row, working));
    }
    Fit_Columns({Col_Paper, Col_Scale, Col_Remark});
}

CString Dlg_BPlot1::Make_Sheet_Name(const Plot_Drawing1* sheet, int row, const CString& prefix, bool numbered) const
{
    CString head = prefix.IsEmpty() ? Options.Prefix : prefix;
    if (head.CompareNoCase(L"???") == 0)
        head = Get_Dwg_Title();
    CString tail = Options.Suffix;

    CString short_form = L"纸张", long_form = L"纸张尺寸";
    if (const MyPaper* paper = Find_Paper_By_Name(Sheet_Set.Paper_List, sheet->Paper_Name)) {
        short_form = paper->Get_Display_Name(false, sheet->Portrait);
        long_form = paper->Get_Display_Name(true, sheet->Portrait);
        Remove_Blanks(long_form);
    }
    for (CString* text : {&head, &tail}) {
        text->Replace(L"纸张尺寸", long_form);
        text->Replace(L"纸张", short_form);
    }
    const CString number = numbered ? Format_No(row + Options.Start_No, Options.Digits) : CString();
    CString name;
    name.Format(L"%s%s%s", head.GetString(), number.GetString(), tail.GetString());
    Valid_File_Name(name, true);
    return name;
}

void Dlg_BPlot1::Apply_Naming_Rule()
{
    const int rows = List.GetItemCount();
    for (int row = 0; row < rows; ++row) {
        Plot_Drawing1* sheet = Row_Sheet(row);
        if (sheet == nullptr)
            continue;
        sheet->Output_Name = Make_Sheet_Name(sheet, row, CString(), rows > 1);
        List.SetItemText(row, Col_Name, sheet->Output_Name);
    }
    Mark_Duplicate_Names();
}

void Dlg_BPlot1::Mark_Duplicate_Names()
{
    const int rows = List.GetItemCount();
    for (int row = 0; row < rows; ++row) List.Remove_Mark_Cell(row, Col_Name);
    for (int a = 0; a < rows; ++a) {
        const CString name = List.GetItemText(a, Col_Name);
        for (int b = a + 1; b < rows; ++b) {
            if (name.CompareNoCase(List.GetItemText(b, Col_Name)) == 0) {
                List.Add_Mark_Cell(a, Col_Name);
                List.Add_Mark_Cell(b, Col_Name);
            }
        }
    }
}

void Dlg_BPlot1::Apply_Paper_To_Row(MyPaper* paper, Plot_Drawing1* sheet, int row)
{
    sheet->Paper_Name = paper->Get_Name();
    List.SetItemText(row, Col_Paper, paper->Get_Display_Name(true, sheet->Portrait));
    sheet->Plot_Scale = Scale_From_Paper(*paper, *sheet);
    List.SetItemText(row, Col_Scale, Format_Scale_Text(sheet->Plot_Scale));
    List.SetItemText(row, Col_Remark, Paper_Size_Remark(row, *paper));
    if (Options.Prefix.Find(L"纸张") >= 0 || Options.Suffix.Find(L"纸张") >= 0) {
        sheet->Output_Name = Make_Sheet_Name(sheet, row, CString(), List.GetItemCount() > 1);
        List.SetItemText(row, Col_Name, sheet->Output_Name);
    }
}

void Dlg_BPlot1::Apply_Saved_Scales()
{
    if (!Read_Sc_Infor(Frame_Infor))
        return;
    Stored_Frame_Rows stored(Frame_Infor);
    bool changed = false;
    for (int row = 0; row < List.GetItemCount(); ++row) {
        Plot_Drawing1* sheet = Row_Sheet(row);
        const int index = sheet != nullptr ? stored.Take(*sheet) : -1;
        if (index < 0)
            continue;
        MyPaper* paper = index < Frame_Infor.Names.GetSize()
                             ? Find_Paper_By_Name(Sheet_Set.Paper_List, Frame_Infor.Names[index])
                             : nullptr;
        if (paper == nullptr && index < Frame_Infor.Scales.length() && Frame_Infor.Scales[index] > 0.0) {
            const double scale = Frame_Infor.Scales[index];
            paper = Sheet_Set.Add_Paper_Size(static_cast<int>(sheet->Width / scale),
                                             static_cast<int>(sheet->Height / scale));
        }
        if (paper != nullptr) {
            Apply_Paper_To_Row(paper, sheet, row);
            changed = true;
        }
    }
    if (changed)
        Fit_Columns({Col_Paper, Col_Scale, Col_Remark});
}

// ---- closing ----

void Dlg_BPlot1::Erase_Markers() { Erase_Sheet_Markers(Sheet_Set); }

void Dlg_BPlot1::Release_Devices() { Plot_Device_Files::End_Plot(); }
