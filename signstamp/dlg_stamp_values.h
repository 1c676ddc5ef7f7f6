// The small dialogs of the stamp library: a new stamp (Dlg_Stamp), its picture
// (Dlg_StampView), size (Dlg_StampSize), validity date (Dlg_Date) and authorisation code
// (Dlg_Psd, also for a signature). OK changes the record, Cancel leaves it.
#pragma once

#include <cstdint>

#include "mfc/afxwin.h"
#include "mfc/afxcmn.h"
#include "mfc/afxtime.h"
#include "mfc/atlimage.h"
#include "ui/pic_button.h"

// Authorisation codes of signatures and stamps: 0..999999, 0 meaning none is needed; a code
// out of range is refused with the message.
constexpr int Max_Auth_Code = 999999;
extern const wchar_t Code_Range_Message[];

class KV_Sign;
class KV_Stamp;
class Stamp_Library;

// The stamp's picture, decoded for a preview; drawn fitted into a frame control.
class Stamp_Preview {
public:
    // Writes the picture to the configuration folder's "temp.zip2" and decodes it there; a
    // picture that does not decode leaves the preview empty.
    void Load(const KV_Stamp& stamp);
    bool Has_Picture() const { return !Image.IsNull() && Image.GetWidth() > 0 && Image.GetHeight() > 0; }
    // Draws the picture into the frame's client area shrunk by 2 pixels, keeping its
    // proportions, centred.
    void Paint(CWnd* dialog, int frame_id) const;

    CImage Image;
};

// Dates as yyyymmdd: whether the picker can show it (year from 1970, month 1..12, day
// 1..31), and the picker's value.
bool Stamp_Date_Is_Valid(int32_t date);
CTime Stamp_Date_To_Time(int32_t date);
int32_t Stamp_Date_From_Time(const CTime& time);

class Dlg_Stamp : public CDialog {
public:
    // With a library, a name already there (without regard to case) is refused.
    Dlg_Stamp(KV_Stamp* stamp, const Stamp_Library* library, CWnd* parent = nullptr);
    ~Dlg_Stamp() override;

    KV_Stamp* Stamp;
    const Stamp_Library* Library;
    CString Name;
    int Code = 0;
    double Width = 62.0;
    int Type = 0;
    CTime Date;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    void OnOK() override;
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT kind);
    DECLARE_MESSAGE_MAP()

    Stamp_Preview Preview;
    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
};

class Dlg_StampView : public CDialog {
public:
    explicit Dlg_StampView(KV_Stamp* stamp, CWnd* parent = nullptr);
    ~Dlg_StampView() override;

    KV_Stamp* Stamp;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    Stamp_Preview Preview;
    Pic_Button Close_Button;
};

class Dlg_StampSize : public CDialog {
public:
    explicit Dlg_StampSize(KV_Stamp* stamp, CWnd* parent = nullptr);
    ~Dlg_StampSize() override;

    KV_Stamp* Stamp;
    double Width = 62.0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    void OnOK() override;

    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
};

class Dlg_Date : public CDialog {
public:
    explicit Dlg_Date(KV_Stamp* stamp, CWnd* parent = nullptr);
    ~Dlg_Date() override;

    KV_Stamp* Stamp;
    CTime Date;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    void OnOK() override;

    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
};

// The code of a signature or of a stamp (exactly one of the two is set).
class Dlg_Psd : public CDialog {
public:
    Dlg_Psd(KV_Sign* sign, KV_Stamp* stamp, CWnd* parent = nullptr);
    ~Dlg_Psd() override;

    KV_Sign* Sign;
    KV_Stamp* Stamp;
    int Old_Code = 0;
    int New_Code = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    void OnOK() override;
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT kind);
    DECLARE_MESSAGE_MAP()

    int32_t& Code() const;

    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
};
