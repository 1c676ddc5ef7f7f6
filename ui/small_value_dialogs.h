// Small modal dialogs that ask for one value (or two) while a larger dialog runs.
// The caller constructs one on the stack, sets its fields, runs DoModal and reads the
// fields back on IDOK. OK keeps the dialog open, with a message and the offending field
// selected, until the values are valid.
#pragma once

#include "mfc/afxwin.h"
#include "ui/pic_button.h"

// Base of these and of the default-style dialog: the OK and Cancel picture buttons and the
// common start.
class Value_Dialog : public CDialog {
public:
    Value_Dialog(UINT template_id, CWnd* parent) : CDialog(template_id, parent) {}

protected:
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()

protected:
    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
};

// An output file name.
class Dlg_FileName : public Value_Dialog {
public:
    explicit Dlg_FileName(CWnd* parent = nullptr);
    ~Dlg_FileName() override;

    CString Edit_Text;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    void OnOK() override;
};

// The small-frame filter percentage, 0..30.
class Dlg_Filter : public Value_Dialog {
public:
    explicit Dlg_Filter(CWnd* parent = nullptr);
    ~Dlg_Filter() override;

    double Filter_Percent = 0.0;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};

// A custom paper size in millimetres; OK stores it, truncated, in the program settings.
class Dlg_New_Paper : public Value_Dialog {
public:
    explicit Dlg_New_Paper(CWnd* parent = nullptr);
    ~Dlg_New_Paper() override;

    double First_Side;
    double Second_Side;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    void OnOK() override;
};

// A plot scale, drawing units per millimetre of paper.
class Dlg_Sc_Set : public Value_Dialog {
public:
    explicit Dlg_Sc_Set(CWnd* parent = nullptr);
    ~Dlg_Sc_Set() override;

    int Scale_Mode = 0;   // 1 one scale for all selected rows, 2 plain, else a sheet's scale
    double Scale_Value = 100.0;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};

// The default scale with the small-frame filter.
class Dlg_Sc_SetW : public Value_Dialog {
public:
    explicit Dlg_Sc_SetW(CWnd* parent = nullptr);
    ~Dlg_Sc_SetW() override;

    double Scale_Value = 100.0;
    int Auto_Scale = 1;
    double Filter_Percent = 0.0;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    // The scale edit is enabled only without the automatic scale.
    afx_msg void Update_Scale_Edit();
    DECLARE_MESSAGE_MAP()
};

// One line of text; the mode gives the caption (and, for title-block names, a valid
// file name).
class Dlg_Str : public Value_Dialog {
public:
    explicit Dlg_Str(CWnd* parent = nullptr);
    ~Dlg_Str() override;

    int Str_Mode = 1;
    int All_Rows = 0;
    CString Edit_Text;

    // The caption of a mode; empty keeps the template's.
    static CString Caption_Of(int mode, int all_rows);

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
