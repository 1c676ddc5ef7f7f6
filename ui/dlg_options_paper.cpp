#include "ui/dlg_options_paper.h"

BEGIN_MESSAGE_MAP(Dlg_Options_Paper, Dlg_Options)
END_MESSAGE_MAP()

namespace {

const wchar_t* const Custom_Paper_Text = L"自 定 义 纸 张";
constexpr int First_Moved = 5;
constexpr int Moved_Count = 5;

}  // namespace

Dlg_Options_Paper::Dlg_Options_Paper(CWnd* parent) : Dlg_Options(parent) {}

Dlg_Options_Paper::~Dlg_Options_Paper() = default;

void Dlg_Options_Paper::Arrange_Columns(int& rows)
{
    const int n = static_cast<int>(Items.GetSize());
    rows = (Extra_Columns + n) / (Extra_Columns + 1);
    if (n < First_Moved + Moved_Count) return;
    Custom_Value = n;
    CStringArray moved;
    for (int i = 0; i < Moved_Count; ++i) moved.Add(Items[First_Moved + i]);
    Items.RemoveAt(First_Moved, Moved_Count);
    for (int i = 0; i < Moved_Count; ++i) Items.InsertAt(rows + i, moved[i]);
    if (Choice == n) return;
    if (Choice >= First_Moved && Choice < First_Moved + Moved_Count)
        Choice = Choice + rows - First_Moved;
    else if (Choice > First_Moved + Moved_Count - 1 && Choice < rows + Moved_Count)
        Choice -= Moved_Count;
}

void Dlg_Options_Paper::Restore_Choice_Index(int rows)
{
    if (Choice == Custom_Value) return;
    if (Choice >= rows && Choice < rows + Moved_Count)
        Choice = Choice - rows + First_Moved;
    else if (Choice > First_Moved - 1 && Choice < rows)
        Choice += Moved_Count;
}

void Dlg_Options_Paper::Layout()
{
    const int n = static_cast<int>(Items.GetSize());
    Dlg_Options::Layout();
    const int m = Margin, R = Row_Height, P = Pitch;
    Option_Entry custom;
    custom.Rect = CRect(m, m + P * (Rows + 1), m + Width - 2 * m - 2, m + P * (Rows + 1) + R);
    custom.Text = Custom_Paper_Text;
    custom.Index = n;
    Custom_Value = n;
    Entry_List.push_back(custom);
    Height = 2 * m + P * (Rows + 2) + 1;
}

void Dlg_Options_Paper::Place_At_Cursor()
{
    const int c = Choice, r = Rows, a = Extra_Columns;
    if (c < 0) {
        Place_With_Offset(Width / 2, Height / 2);
        return;
    }
    Place_With_Offset(static_cast<int>((c / r + 0.5) * Width / (a + 1)),
                      static_cast<int>((c % r + 1.5) * Height / (r + 2)));
}
