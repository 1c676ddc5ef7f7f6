#include "signstamp/dlg_stamp_values.h"

#include "core/program_folders.h"
#include "mfc/afxdc.h"
#include "res/resource.h"
#include "signstamp/sign_library.h"
#include "signstamp/stamp_library.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

constexpr double Min_Stamp_Width = 10.0;
constexpr double Max_Stamp_Width = 200.0;
// The pickers' range either way from now: 3650 days.
constexpr int64_t Date_Range_Seconds = 315360000;
constexpr int Selected_Chars = 10;
const COLORREF Note_Colour = RGB(0, 0, 150);
const wchar_t Width_Message[] = L"印章尺寸有误，应在 10 - 200 mm之间 !";

void Set_Date_Range(CWnd* dialog)
{
    auto* picker = static_cast<CDateTimeCtrl*>(dialog->GetDlgItem(IDC_STAMP_DATE));
    if (picker == nullptr)
        return;
    const CTime now = CTime::GetCurrentTime();
    SYSTEMTIME range[2]{};
    CTime(now.GetTime() - Date_Range_Seconds).GetAsSystemTime(range[0]);
    CTime(now.GetTime() + Date_Range_Seconds).GetAsSystemTime(range[1]);
    picker->SetRange(&range[0], &range[1]);
}

// A stamp date the pickers cannot show: reported, and the dialog does not open.
bool Refuse_Invalid_Date(CDialog* dialog, int32_t date)
{
    if (Stamp_Date_Is_Valid(date))
        return false;
    CString text;
    text.Format(L"印章有效期 %d 有误 !", date);
    dialog->MessageBox(text, L"Korvel", MB_ICONINFORMATION);
    dialog->EndDialog(IDCANCEL);
    return true;
}

// The two notes on the code in their own colour.
HBRUSH Note_Colours(CDC* dc, CWnd* window, HBRUSH brush)
{
    const int id = window != nullptr ? window->GetDlgCtrlID() : 0;
    if (id == IDC_STAMP_NOTE_1 || id == IDC_STAMP_NOTE_2)
        dc->SetTextColor(Note_Colour);
    return brush;
}

}  // namespace

const wchar_t Code_Range_Message[] = L"授权码超出范围 !\n\n授权码范围: 0 - 999999\n\n输入 0 表示无需授权";

// ---- Stamp_Preview ----

void Stamp_Preview::Load(const KV_Stamp& stamp)
{
    Image.Destroy();
    const CString path = g_Config_Folder + L"\\temp.zip2";
    if (stamp.Save_Picture(path))
        Image.Load(path);
}

void Stamp_Preview::Paint(CWnd* dialog, int frame_id) const
{
    CWnd* frame = dialog->GetDlgItem(frame_id);
    if (!Has_Picture() || frame == nullptr)
        return;
    CRect area;
    frame->GetWindowRect(&area);
    dialog->ScreenToClient(&area);
    area.DeflateRect(2, 2);
    const int w = Image.GetWidth(), h = Image.GetHeight();
    const double ratio = static_cast<double>(w) / h;
    int draw_w = area.Width(), draw_h = area.Height();
    if (ratio > static_cast<double>(area.Width()) / area.Height())
        draw_h = static_cast<int>(area.Width() / ratio);
    else
        draw_w = static_cast<int>(area.Height() * ratio);
    CClientDC dc(dialog);
    Image.Draw(dc.GetSafeHdc(), area.left + (area.Width() - draw_w) / 2, area.top + (area.Height() - draw_h) / 2, draw_w,
               draw_h);
}

bool Stamp_Date_Is_Valid(int32_t date)
{
    const int32_t year = date / 10000, month = date / 100 % 100, day = date % 100;
    return year >= 1970 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

CTime Stamp_Date_To_Time(int32_t date) { return CTime(date / 10000, date / 100 % 100, date % 100, 0, 0, 0); }

int32_t Stamp_Date_From_Time(const CTime& time) { return time.GetYear() * 10000 + time.GetMonth() * 100 + time.GetDay(); }

// ---- Dlg_Stamp ----

BEGIN_MESSAGE_MAP(Dlg_Stamp, CDialog)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

Dlg_Stamp::Dlg_Stamp(KV_Stamp* stamp, const Stamp_Library* library, CWnd* parent)
    : CDialog(IDD_DLG_STAMP, parent), Stamp(stamp), Library(library)
{
}
Dlg_Stamp::~Dlg_Stamp() = default;

BOOL Dlg_Stamp::OnInitDialog()
{
    CDialog::OnInitDialog();
    Start_Value_Dialog(this, Ok_Button, Cancel_Button);
    if (Refuse_Invalid_Date(this, Stamp->Valid_Date))
        return TRUE;
    Name = Stamp->Name;
    Code = Stamp->Code;
    Width = Stamp->Width;
    Type = Stamp->Type >= 0 && Stamp->Type <= Stamp_Any ? Stamp->Type : 0;
    Set_Date_Range(this);
    Date = Stamp_Date_To_Time(Stamp->Valid_Date);
    UpdateData(FALSE);
    Preview.Load(*Stamp);
    return TRUE;
}

void Dlg_Stamp::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_STAMP_NAME, Name);
    DDX_Text(exchange, IDC_STAMP_CODE, Code);
    DDX_Text(exchange, IDC_STAMP_WIDTH, Width);
    DDX_Radio(exchange, IDC_STAMP_TYPE_REG, Type);
    DDX_DateTimeCtrl(exchange, IDC_STAMP_DATE, Date);
}

void Dlg_Stamp::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    Name.Trim(L" ");
    if (Name.IsEmpty())
        return Refuse_Field(this, L"印章名不能为空 !", IDC_STAMP_NAME, Selected_Chars);
    if (Library != nullptr && Library->Find_Taken_Name(Name, Stamp) != nullptr)
        return Refuse_Field(this, L"印章库内已有同名印章 !", IDC_STAMP_NAME, Selected_Chars);
    if (Code < 0 || Code > Max_Auth_Code)
        return Refuse_Field(this, Code_Range_Message, IDC_STAMP_CODE, Selected_Chars);
    if (Width < Min_Stamp_Width || Width > Max_Stamp_Width)
        return Refuse_Field(this, Width_Message, IDC_STAMP_WIDTH, Selected_Chars);
    Stamp->Name = Name;
    Stamp->Code = Code;
    Stamp->Valid_Date = Stamp_Date_From_Time(Date);
    Stamp->Width = Width;
    Stamp->Type = Type;
    if (Preview.Has_Picture())
        Stamp->Height = static_cast<double>(Preview.Image.GetHeight()) / Preview.Image.GetWidth() * Width;
    EndDialog(IDOK);
}

void Dlg_Stamp::OnPaint()
{
    CDialog::OnPaint();
    Preview.Paint(this, IDC_STAMP_PICTURE);
}

HBRUSH Dlg_Stamp::OnCtlColor(CDC* dc, CWnd* window, UINT kind)
{
    return Note_Colours(dc, window, CDialog::OnCtlColor(dc, window, kind));
}

// ---- Dlg_StampView ----

BEGIN_MESSAGE_MAP(Dlg_StampView, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

Dlg_StampView::Dlg_StampView(KV_Stamp* stamp, CWnd* parent) : CDialog(IDD_DLG_STAMPVIEW, parent), Stamp(stamp) {}
Dlg_StampView::~Dlg_StampView() = default;

BOOL Dlg_StampView::OnInitDialog()
{
    CDialog::OnInitDialog();
    Set_Module_Icon(this);
    Place_At_Cursor(this);
    Setup_Close_Button(this, Close_Button);
    Preview.Load(*Stamp);
    return TRUE;
}

void Dlg_StampView::OnPaint()
{
    CDialog::OnPaint();
    Preview.Paint(this, IDC_STAMP_PICTURE);
}

// ---- Dlg_StampSize ----

Dlg_StampSize::Dlg_StampSize(KV_Stamp* stamp, CWnd* parent) : CDialog(IDD_DLG_STAMPSIZE, parent), Stamp(stamp) {}
Dlg_StampSize::~Dlg_StampSize() = default;

BOOL Dlg_StampSize::OnInitDialog()
{
    CDialog::OnInitDialog();
    Start_Value_Dialog(this, Ok_Button, Cancel_Button);
    Width = Stamp->Width;
    UpdateData(FALSE);
    return TRUE;
}

void Dlg_StampSize::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_STAMP_WIDTH, Width);
}

void Dlg_StampSize::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (Width < Min_Stamp_Width || Width > Max_Stamp_Width)
        return Refuse_Field(this, Width_Message, IDC_STAMP_WIDTH, Selected_Chars);
    if (Stamp->Width > 0.0)
        Stamp->Height = Width * Stamp->Height / Stamp->Width;
    Stamp->Width = Width;
    EndDialog(IDOK);
}

// ---- Dlg_Date ----

Dlg_Date::Dlg_Date(KV_Stamp* stamp, CWnd* parent) : CDialog(IDD_DLG_DATE, parent), Stamp(stamp) {}
Dlg_Date::~Dlg_Date() = default;

BOOL Dlg_Date::OnInitDialog()
{
    CDialog::OnInitDialog();
    Start_Value_Dialog(this, Ok_Button, Cancel_Button);
    if (Refuse_Invalid_Date(this, Stamp->Valid_Date))
        return TRUE;
    Set_Date_Range(this);
    Date = Stamp_Date_To_Time(Stamp->Valid_Date);
    UpdateData(FALSE);
    return TRUE;
}

void Dlg_Date::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_DateTimeCtrl(exchange, IDC_STAMP_DATE, Date);
}

void Dlg_Date::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    Stamp->Valid_Date = Stamp_Date_From_Time(Date);
    EndDialog(IDOK);
}

// ---- Dlg_Psd ----

BEGIN_MESSAGE_MAP(Dlg_Psd, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

Dlg_Psd::Dlg_Psd(KV_Sign* sign, KV_Stamp* stamp, CWnd* parent)
    : CDialog(IDD_DLG_PSD, parent), Sign(sign), Stamp(stamp)
{
}
Dlg_Psd::~Dlg_Psd() = default;

int32_t& Dlg_Psd::Code() const { return Sign != nullptr ? Sign->Code : Stamp->Code; }

BOOL Dlg_Psd::OnInitDialog()
{
    CDialog::OnInitDialog();
    Start_Value_Dialog(this, Ok_Button, Cancel_Button);
    UpdateData(FALSE);
    if (Code() == 0) {
        GetDlgItem(IDC_PSD_OLD_LABEL)->EnableWindow(FALSE);
        GetDlgItem(IDC_PSD_OLD_CODE)->EnableWindow(FALSE);
    }
    return TRUE;
}

void Dlg_Psd::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_PSD_OLD_CODE, Old_Code);
    DDX_Text(exchange, IDC_PSD_NEW_CODE, New_Code);
}

void Dlg_Psd::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (Code() > 0 && Old_Code != Code())
        return Refuse_Field(this, L"原始授权码有误 !", IDC_PSD_OLD_CODE, Selected_Chars);
    if (New_Code < 0 || New_Code > Max_Auth_Code)
        return Refuse_Field(this, Code_Range_Message, IDC_PSD_NEW_CODE, Selected_Chars);
    Code() = New_Code;
    EndDialog(IDOK);
}

HBRUSH Dlg_Psd::OnCtlColor(CDC* dc, CWnd* window, UINT kind)
{
    return Note_Colours(dc, window, CDialog::OnCtlColor(dc, window, kind));
}
