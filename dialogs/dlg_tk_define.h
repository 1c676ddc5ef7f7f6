// The title-block library dialog "图框信息库管理": a tab dialog whose pages list the
// definitions (Dlg_TK_Define1), set up the catalogue table (Dlg_TK_Define2) and hold the
// other library-wide settings (Dlg_TK_Define3). It edits g_TK_Library in memory: OK and
// Export save it, Cancel reads it back from its file.
#pragma once

#include "mfc/afxcmn.h"
#include "titleblock/tk_customization.h"
#include "ui/pic_button.h"
#include "ui/sheet_list_ctrl.h"
#include "ui/zcui_dialogs.h"

// Private messages of a page to the frame around a pick in the drawing: hide, show again.
constexpr UINT WM_TK_HIDE_FOR_PICK = WM_USER + 1;
constexpr UINT WM_TK_SHOW_AFTER_PICK = WM_USER + 2;

// The definition list.
class Dlg_TK_Define1 : public CZcUiTabChildDialog {
public:
    Dlg_TK_Define1();
    ~Dlg_TK_Define1() override;

    void Fill_List();
    // A new definition from a sample picked in the drawing.
    void New_Record();
    void Delete_Row(int row);
    void Sort_By_Column(int column);
    // The text by which a row sorts in a column.
    static CString Row_Sort_Key(const TK_Customization& record, int column);

    // Sort direction of each column, kept while the module is loaded.
    static int Sort_Flags[17];

    ListCtrl_DivezUrez List;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    afx_msg void On_List_Click(NMHDR* header, LRESULT* result);
    afx_msg void On_List_Double_Click(NMHDR* header, LRESULT* result);
    afx_msg void On_Column_Click(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    void Write_Remark(int row, const TK_Customization& record);
    void Edit_Row_Paper(int row);
    void Edit_Priority(int row);
    void Edit_Row_Name_Rule(int row);
};

// The catalogue page: columns, row height, text settings and grid lines.
class Dlg_TK_Define2 : public CZcUiTabChildDialog {
public:
    Dlg_TK_Define2();
    ~Dlg_TK_Define2() override;

    // False when the user is to stay on the page (a message said why).
    bool Check_Catalogue_Settings();
    void Refresh_Text_Summary();
    void Refresh_Preview();
    // Leaving the page: only with acceptable catalogue values.
    BOOL OnTabChanging() override { return Check_Catalogue_Settings() ? TRUE : FALSE; }

    int Border = 1;
    CString Color_Text = L"ByLayer";
    CString Summary = L"字型：Standard     字高：300     图层：0";

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    afx_msg void Add_Column();
    afx_msg void Delete_Column();
    afx_msg void Pick_Text_Settings();
    afx_msg void On_Border();
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT control_type);
    DECLARE_MESSAGE_MAP()

    Pic_Button Pick_Text_Button;
    Pic_Button Add_Column_Button;
    Pic_Button Delete_Column_Button;
};

// Separator of several titles, centring of the texts found, naming of lengthened papers.
class Dlg_TK_Define3 : public CZcUiTabChildDialog {
public:
    Dlg_TK_Define3();
    ~Dlg_TK_Define3() override;

    void Refresh_Examples();

    int Centre[6] = {1, 1, 1, 1, 1, 1};
    CString Separator = L"+";
    CString Example;
    CString Standard_Names[4];
    CString Example_Names[4];
    CString Explanation;
    int Style_Index = 0;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    afx_msg void On_Separator_Change();
    afx_msg void On_Style(UINT id);
    afx_msg void Edit_Long_Paper_Names();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT control_type);
    DECLARE_MESSAGE_MAP()

private:
    bool Refreshing = false;
};

class Dlg_TK_Define : public CZcUiTabMainDialog {
public:
    explicit Dlg_TK_Define(CWnd* parent = nullptr);
    ~Dlg_TK_Define() override;

    Dlg_TK_Define1 Page1;
    Dlg_TK_Define2 Page2;
    Dlg_TK_Define3 Page3;
    CZcUiTab Tab;
    int Current_Page = 0;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void On_New_Record();
    afx_msg void Import_Library();
    afx_msg void Export_Library();
    afx_msg void On_Tab_Change(NMHDR* header, LRESULT* result);
    afx_msg LRESULT On_Hide_For_Pick(WPARAM, LPARAM);
    afx_msg LRESULT On_Show_After_Pick(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    // Reads the pages; false when the catalogue page is in front and refuses its values.
    bool Read_Pages();
    // The border, centring, separator and style of the pages into the library.
    void Take_Page_Values();

    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
    Pic_Button New_Button;
    Pic_Button Import_Button;
    Pic_Button Export_Button;
};
