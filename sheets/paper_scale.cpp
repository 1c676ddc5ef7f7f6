#include "sheets/paper_scale.h"

#include <algorithm>
#include <cmath>

#include "core/doc_lock.h"
#include "core/ini_lists.h"
#include "core/plot_option.h"
#include "core/program_folders.h"
#include "core/string_helpers.h"
#include "ed/host_window.h"
#include "sheets/paper_table.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"
#include "win/windows.h"

namespace {

constexpr int Drawing_Output = 6;

double Default_Scale()
{
    return g_Cur_Plot_Option != nullptr ? g_Cur_Plot_Option->Scale : 100.0;
}

// Offers the scale as the new default: a question once the list file's flag is set,
// silently (setting the flag) the first time. A new default is stored in the drawing.
void Offer_Default_Scale(double scale, const wchar_t* larger_text, const wchar_t* smaller_text)
{
    if (g_Cur_Plot_Option == nullptr || scale == g_Cur_Plot_Option->Scale)
        return;
    Ini_Lists lists;
    lists.Load();
    bool change = true;
    if (lists.Ask_Scale != 0) {
        CString text;
        text.Format(scale > g_Cur_Plot_Option->Scale ? larger_text : smaller_text,
                    Format_Scale_Text(g_Cur_Plot_Option->Scale).GetString(), Format_Scale_Text(scale).GetString());
        change = MessageBoxW(adsw_zcadMainWnd(), text.GetString(), L"Korvel打印", MB_YESNO | MB_ICONQUESTION) == IDYES;
    } else {
        lists.Ask_Scale = 1;
    }
    if (change) {
        g_Cur_Plot_Option->Scale = scale;
        Doc_Lock lock;
        g_Cur_Plot_Option->Write_Dwg_Setting();
    }
    lists.Save();
    lists.Clear();
}

bool Is_Whole(double value)
{
    return value - std::trunc(value) < 0.001;
}

// The plot options' margins for a frame: top, bottom, left, right and whether they enlarge
// the paper.
void Frame_Margins(const Plot_Option& options, bool portrait, double margins[4], bool& positive)
{
    if (options.Unequal_Margin != 0) {
        const int land[4] = {options.Land_Top, options.Land_Bottom, options.Land_Left, options.Land_Right};
        const int port[4] = {options.Port_Top, options.Port_Bottom, options.Port_Left, options.Port_Right};
        std::copy(portrait ? port : land, (portrait ? port : land) + 4, margins);
        positive = options.Unequal_Mode == 0;
    } else {
        std::fill(margins, margins + 4, std::abs(options.Margin));
        positive = options.Margin > 0;
    }
}

}  // namespace

CString Format_Scale_Text(double scale)
{
    CString number;
    if (scale >= 1.0) {
        Format_Number(scale, number);
        return L"1:" + number;
    }
    if (scale > 1e-5) {
        Format_Number(1.0 / scale, number);
        return number + L":1";
    }
    return CString();
}

double Get_Sheet_Natural_Scale(const Plot_Drawing1* sheet, bool ask)
{
    const double fallback = Default_Scale() > 1e-5 ? Default_Scale() : 1.0;
    double natural = fallback;
    if (sheet != nullptr && sheet->Block_Scale > 0.0) {
        double mean = (sheet->Width + sheet->Height) / 2.0 / sheet->Block_Scale / 500.0;
        if (mean <= 1e-5)
            mean = fallback;
        while (mean / natural <= 0.2)
            natural *= 0.1;
        while (mean / natural >= 5.0)
            natural *= 10.0;
    }
    if (ask)
        Offer_Default_Scale(natural,
                            L"打印比例：纸张尺寸与图面尺寸的比例\n\n现默认打印比例为 %s ,据此算出来的纸张尺寸过大 ！\n\n"
                            L"是否将默认打印比例改为 %s ?",
                            L"打印比例：纸张尺寸与图面尺寸的比例\n\n现默认打印比例为 %s ,据此算出来的纸张尺寸过小 ！\n\n"
                            L"是否将默认打印比例改为 %s ?");
    return natural;
}

double Vote_Default_Scale(const Plot_Sheet_Set& set, bool ask)
{
    std::vector<std::pair<double, int>> votes = {{Default_Scale(), 0}};
    for (INT_PTR i = 0; i < set.Plot_List.GetSize(); ++i) {
        const double scale = Get_Sheet_Natural_Scale(set.Plot_List[i], false);
        auto listed = std::find_if(votes.begin(), votes.end(), [&](const auto& vote) { return vote.first == scale; });
        if (listed != votes.end())
            ++listed->second;
        else
            votes.emplace_back(scale, 1);
    }
    auto winner = votes.begin();
    for (auto vote = votes.begin(); vote != votes.end(); ++vote)
        if (vote->second > winner->second)
            winner = vote;
    const double scale = winner->first;
    if (ask)
        Offer_Default_Scale(scale,
                            L"打印比例：纸张尺寸与图面尺寸的比例\n\n现默认打印比例为 %s ,据此算出来的大部分纸张尺寸过大 ！\n\n"
                            L"是否将默认打印比例改为 %s ?",
                            L"打印比例：纸张尺寸与图面尺寸的比例\n\n现默认打印比例为 %s ,据此算出来的大部分纸张尺寸过小 ！\n\n"
                            L"是否将默认打印比例改为 %s ?");
    return scale;
}

void Get_Paper_Size_By_Type(int paper_type, double width, double height, int& long_side, int& short_side)
{
    static const int Sizes[5][2] = {{297, 210}, {420, 297}, {594, 420}, {841, 594}, {1189, 841}};
    long_side = 297;
    short_side = 210;
    if (paper_type >= 0 && paper_type <= 4) {
        long_side = Sizes[paper_type][0];
        short_side = Sizes[paper_type][1];
    } else if (paper_type >= 5 && paper_type <= 9) {
        short_side = Sizes[paper_type - 5][1];
        const double a = std::max(width, height), b = std::min(width, height);
        if (b > 0.0)
            long_side = static_cast<int>(a / b * short_side + 0.5);
    }
    MyPaper paper(std::max(long_side, short_side), std::min(long_side, short_side));
    paper.Snap_To_Standard();
    long_side = paper.Long_Side;
    short_side = paper.Short_Side;
}

CString Get_Plot_Offset_Text(const MyPaper* paper, double width, double height)
{
    double scale = 1.0, offset_1 = 0.0, offset_2 = 0.0;
    if (paper == nullptr || g_Cur_Plot_Option == nullptr || g_Cur_Plot_Option->Output_Type != 0 ||
        g_Host_Year != 2007 || !paper->Fit_Frame(width, height, scale, offset_1, offset_2))
        return CString();
    CString text;
    text.Format(L"%d,%d", static_cast<int>(offset_1), static_cast<int>(offset_2));
    return text;
}

bool MyPaper::Fit_Frame(double width, double height, double& scale, double& offset_1, double& offset_2) const
{
    scale = 1.0;
    offset_1 = offset_2 = 0.0;
    const double longer = std::max(width, height), shorter = std::min(width, height);
    if ((longer < 1e-5 && shorter < 1e-5) || g_Cur_Plot_Option == nullptr)
        return false;
    const bool portrait = width < height;
    double margins[4];  // top, bottom, left, right
    bool positive = false;
    Frame_Margins(*g_Cur_Plot_Option, portrait, margins, positive);
    const double top = margins[0], bottom = margins[1], left = margins[2], right = margins[3];
    if (top + bottom + left + right == 0.0)
        return false;

    // The long side runs across a landscape sheet and up a portrait one.
    const double across_long = portrait ? top + bottom : left + right;
    const double across_short = portrait ? left + right : top + bottom;
    const double long_margin = portrait ? bottom : left;
    const double short_margin = portrait ? left : bottom;
    const double usable_long = positive ? Long_Side : Long_Side - across_long;
    const double usable_short = positive ? Short_Side : Short_Side - across_short;
    scale = shorter > 1e-5 ? std::min(usable_short / shorter, usable_long / longer) : usable_long / longer;
    const double long_offset = std::trunc(usable_long / 2.0 + long_margin - scale * longer / 2.0);
    const double short_offset = std::trunc(usable_short / 2.0 + short_margin - scale * shorter / 2.0);
    offset_1 = portrait ? short_offset : long_offset;
    offset_2 = portrait ? long_offset : short_offset;
    return true;
}

bool Plot_Drawing1::Match_Paper(MyPaper* paper, double plot_scale, bool search)
{
    if (paper == nullptr || plot_scale <= 0.0 || Block_Scale <= 0.0)
        return false;
    const double frame_long = std::max(Width, Height), frame_short = std::min(Width, Height);
    const double paper_long = std::max(frame_long / plot_scale / Block_Scale, 1.0);
    const double paper_short = std::max(frame_short / plot_scale / Block_Scale, 1.0);
    paper->Long_Side = static_cast<int>(paper_long + 0.5);
    paper->Short_Side = static_cast<int>(paper_short + 0.5);
    paper->Snap_To_Standard();
    if (paper->Standard || !search)
        return true;

    const double ratio = paper_long / paper_short;
    Paper_Array table;
    Fill_Standard_Papers(table);
    double best = std::trunc(plot_scale * 1000.0) + 0.1;
    for (INT_PTR i = 0; i < table.GetSize(); ++i) {
        const MyPaper& candidate = *table[i];
        if (std::abs(ratio - static_cast<double>(candidate.Long_Side) / candidate.Short_Side) > 0.002)
            continue;
        const double gap = std::abs(plot_scale - frame_long / Block_Scale / candidate.Long_Side);
        const bool better = (Is_Whole(gap) && !Is_Whole(best)) || (Is_Whole(gap) == Is_Whole(best) && gap < best);
        if (!better)
            continue;
        best = gap;
        paper->Long_Side = candidate.Long_Side;
        paper->Short_Side = candidate.Short_Side;
        paper->Standard = true;
    }
    Delete_All_Objects(table);
    return true;
}

int Plot_Sheet_Set::Filter_By_Area()
{
    Plot_List.RemoveAll();
    const double percent = g_Cur_Plot_Option != nullptr ? g_Cur_Plot_Option->Filter_Percent : 0.0;
    const double threshold = (Largest_Width * 1e-3) * (std::trunc(Largest_Height * percent / 100.0) * 1e-3);
    for (INT_PTR i = 0; i < All_Sheets.GetSize(); ++i) {
        Plot_Drawing1* sheet = All_Sheets[i];
        if ((sheet->Width * 1e-3) * (sheet->Height * 1e-3) >= threshold) {
            Plot_List.Add(sheet);
            sheet->Set_Marker(-1, 0);
        } else {
            sheet->Set_Marker(-1, 2);
        }
    }
    return static_cast<int>(Plot_List.GetSize());
}

MyPaper* Add_Paper_And_Devices(Paper_Array& papers, int long_side, int short_side, bool rebuild, bool& added)
{
    MyPaper* paper = Add_Paper_Unique(papers, long_side, short_side, added);
    if (rebuild && added)
        Build_Plot_Device_Files(papers);
    return paper;
}

MyPaper* Plot_Sheet_Set::Find_Or_Add_Paper(int long_side, int short_side, bool rebuild, bool& added)
{
    return Add_Paper_And_Devices(Paper_List, long_side, short_side, rebuild, added);
}

MyPaper* Plot_Sheet_Set::Add_Paper_Size(int long_side, int short_side)
{
    bool added = false;
    return Find_Or_Add_Paper(long_side, short_side, true, added);
}

MyPaper* Plot_Sheet_Set::Add_Paper_By_Type(int paper_type, Plot_Drawing1* sheet, bool rebuild, bool& added)
{
    added = false;
    if (sheet == nullptr)
        return nullptr;
    int long_side = 297, short_side = 210;
    Get_Paper_Size_By_Type(paper_type, sheet->Max_Corner.x - sheet->Min_Corner.x,
                           sheet->Max_Corner.y - sheet->Min_Corner.y, long_side, short_side);
    return Find_Or_Add_Paper(long_side, short_side, rebuild, added);
}

void Plot_Sheet_Set::Assign_Papers(double plot_scale, bool rebuild, bool search)
{
    if (rebuild) {
        Delete_All_Objects(Paper_List);
        Fill_Standard_Papers(Paper_List);
        for (INT_PTR i = 0; i < All_Sheets.GetSize(); ++i) {
            Plot_Drawing1* sheet = All_Sheets[i];
            auto* paper = new MyPaper;
            if (sheet->Match_Paper(paper, plot_scale, search)) {
                Add_Paper(Paper_List, paper);
                sheet->Paper_Name = paper->Get_Name();
            } else {
                delete paper;
            }
        }
        Remove_Duplicate_Papers(Paper_List);
    }
    Install_Plot_Devices(Paper_List);
}

void Install_Plot_Devices(const Paper_Array& papers)
{
    if (g_Cur_Plot_Option == nullptr || g_Cur_Plot_Option->Output_Type == Drawing_Output)
        return;
    Build_Plot_Device_Files(papers);
    Doc_Lock lock;
    Plot_Set plot_set;
    plot_set.Set_Device(Get_Pc5_File_Name(g_Cur_Plot_Option->Output_Type));
}
