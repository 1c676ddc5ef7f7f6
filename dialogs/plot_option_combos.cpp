#include "dialogs/plot_option_combos.h"

#include <vector>

#include "core/doc_lock.h"
#include "core/plot_config.h"
#include "core/plot_option.h"
#include "core/string_helpers.h"
#include "dialogs/default_style_dialog.h"
#include "ed/host_window.h"
#include "sheets/plot_set.h"
#include "sheets/plot_styles.h"
#include "ui/module_resources.h"
#include "win/win_msgbox.h"

bool g_Margin_Combo_Idle = true;

namespace {

constexpr const wchar_t* Unequal_Item = L" 不等边留白";
constexpr const wchar_t* Default_Style_Item = L" --默认设置--";

CString Margin_Item(int margin)
{
    CString text;
    const int size = margin < 0 ? -margin : margin;
    const wchar_t* sign = margin < 0 ? L"-" : L"+";
    if (size < 10)
        text.Format(L" %s 0%d mm", sign, size);
    else
        text.Format(L" %s %d mm", sign, size);
    return text;
}

// The three names of the default-style mode, in the order that mode looks them up.
std::vector<CString> Mode_Candidates(const Plot_Set& plot_set)
{
    const CString& layout = plot_set.Style_Name;
    const CString& last = g_Plot_Config.Last_Style;
    const CString& chosen = g_Plot_Config.Default_Style_Name;
    switch (g_Plot_Config.Default_Style_Mode) {
    case 0: return {layout, last, chosen};
    case 1: return {last, layout, chosen};
    default: return {chosen, layout, last};
    }
}

int Find_Style(const Plot_Set& plot_set, const CString& name)
{
    for (INT_PTR i = 0; i < plot_set.Style_List.GetSize(); ++i)
        if (plot_set.Style_List[i].CompareNoCase(name) == 0) return static_cast<int>(i);
    return -1;
}

}  // namespace

void Fill_Format_List(CComboBox* combo, bool with_dwg)
{
    combo->ResetContent();
    for (const wchar_t* name : {L"  PDF", L"  DWF", L"  JPG", L"  PNG", L"  PLT", L"  SVG"}) combo->AddString(name);
    if (with_dwg) combo->AddString(L"  DWG");
}

void Fill_Margin_List(CComboBox* combo, int& selection, int margin, int unequal)
{
    combo->ResetContent();
    selection = -1;
    combo->AddString(Unequal_Item);
    if (combo->AddString(L" 不留白") >= 0 && margin == 0) selection = 1;
    for (int i = 1; i <= 10; ++i) {
        const int plus = combo->AddString(Margin_Item(i));
        if (margin == i) selection = plus;
        const int minus = combo->AddString(Margin_Item(-i));
        if (margin == -i) selection = minus;
    }
    if (selection < 0) selection = combo->AddString(Margin_Item(margin));
    if (unequal) selection = 0;
    combo->SetCurSel(selection);
}

bool Parse_Margin_Combo(CComboBox* combo, int& margin, int& unequal, bool from_selection)
{
    CString text;
    if (from_selection) {
        const int selected = combo->GetCurSel();
        if (selected >= 0) combo->GetLBText(selected, text);
    } else {
        combo->GetWindowText(text);
    }
    if (text.Find(L"不等边留白") >= 0) {
        unequal = 1;
        return true;
    }
    unequal = 0;
    text.Replace(L"\xFF0D", L"-");
    text.Replace(L"\x3002", L".");
    const int stop = text.Find(L'.');
    if (stop >= 0) text = text.Left(stop);
    CString kept;
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] == L'-' || (text[i] >= L'0' && text[i] <= L'9')) kept += text[i];
    const int value = Str_To_Int(kept);
    if (value < -100 || value > 100) return false;
    const bool changed = value != margin;
    margin = value;
    return changed;
}

bool Reparse_Margin_Combo(CComboBox* combo, int& selection, int& margin, int& unequal)
{
    const bool result = Parse_Margin_Combo(combo, margin, unequal, false);
    Fill_Margin_List(combo, selection, margin, unequal);
    return result;
}

int Find_Default_Style_Index(const Plot_Set& plot_set)
{
    std::vector<CString> candidates;
    if (g_Cur_Plot_Option != nullptr) candidates.push_back(g_Cur_Plot_Option->Style_Name);
    for (const CString& name : Mode_Candidates(plot_set)) candidates.push_back(name);
    for (const CString& name : candidates) {
        const int found = Find_Style(plot_set, name);
        if (found >= 0) return found;
    }
    return 0;
}

void Fill_Style_List(CComboBox* combo, int& default_index)
{
    combo->ResetContent();
    Doc_Lock lock;
    Plot_Set plot_set;
    combo->AddString(Default_Style_Item);
    for (INT_PTR i = 0; i < plot_set.Style_List.GetSize(); ++i) combo->AddString(L" " + plot_set.Style_List[i]);
    default_index = Find_Default_Style_Index(plot_set);
    if (plot_set.Style_List.GetSize() == 0)
        MessageBoxW(adsw_zcadMainWnd(), L"CAD打印样式文件夹下无打印样式文件 !", L"错误提醒", MB_OK | MB_ICONINFORMATION);
}

void Choose_Default_Style(int& index, int fallback)
{
    INT_PTR answer;
    {
        Module_Resource_Scope resources;
        Dlg_PlotSheet_Default dialog;
        answer = dialog.DoModal();
    }
    index = fallback;
    if (answer != IDOK) return;
    Doc_Lock lock;
    Plot_Set plot_set;
    for (const CString& name : Mode_Candidates(plot_set)) {
        const int found = Find_Style(plot_set, name);
        if (found >= 0) {
            index = found;
            return;
        }
    }
}

void Apply_Style_Selection(CComboBox* combo, int& selection, int previous)
{
    if (selection != 0)
        return;
    int index = previous - 1;
    Choose_Default_Style(index, previous - 1);
    selection = index + 1;
    combo->SetCurSel(selection);
}

void Edit_Selected_Style(CWnd* owner, CComboBox* combo, int& selection)
{
    CString name;
    combo->GetWindowText(name);
    int position = selection - 1;
    Edit_Plot_Style(owner, name, combo, position);
    selection = position + 1;
    // A refilled combo has lost its selection.
    combo->SetCurSel(selection);
}
