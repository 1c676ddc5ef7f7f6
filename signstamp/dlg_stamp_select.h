// The choice of one stamp per kind before a title-block plot, each guarded by its code.
// OK writes the use flags and the chosen stamps' names into the options in force.
#pragma once

#include <vector>

#include "mfc/afxwin.h"
#include "signstamp/kv_stamp.h"
#include "ui/pic_button.h"

class Plot_Option;
class Stamp_Library;

class Dlg_Stamp_Select : public CDialog {
public:
    explicit Dlg_Stamp_Select(CWnd* parent = nullptr);
    ~Dlg_Stamp_Select() override;

    // Offers each enabled stamp of the library in the rows of the kinds it serves.
    void Fill_Rows(const Stamp_Library& library);

    Plot_Option* Option;  // the options in force (g_Cur_Plot_Option unless set)
    std::vector<KV_Stamp*> Stamps[Stamp_Kinds];  // not owned
    unsigned char Has_Position[Stamp_Kinds] = {1, 1, 1, 1};
    int Use[Stamp_Kinds] = {1, 1, 1, 1};
    int Chosen[Stamp_Kinds] = {0, 0, 0, 0};
    int Typed_Code[Stamp_Kinds] = {0, 0, 0, 0};

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    void OnOK() override;
    afx_msg void On_Row_Changed(UINT id);
    afx_msg void On_Code_Changed(UINT id);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT kind);
    DECLARE_MESSAGE_MAP()

private:
    // Whether row k can be used at all (stamps and a position).
    bool Row_Usable(int k) const { return !Stamps[k].empty() && Has_Position[k] != 0; }
    const KV_Stamp* Chosen_Stamp(int k) const;
    void Update_Rows();

    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
    bool m_Opened = false;  // the controls hold their values; changes count from here
};
