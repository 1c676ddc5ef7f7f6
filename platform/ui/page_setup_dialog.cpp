// The host's page setup dialog: the plot device and paper of one layout.
#include <string>
#include <vector>

#include "db/dbsymtb.h"
#include "mfc/afxwin.h"
#include "mfc/rc/resource_script.h"
#include "plot/dbplotsetval.h"
#include "ui/zcaplmgr.h"
#include "ui/zcui_dialogs.h"

namespace {

constexpr UINT Page_Setup_Template = 31100;
constexpr int Device_Combo = 31101;
constexpr int Paper_Combo = 31102;

// The host's own resources: the page setup template.
const char* const Host_Resource_Script = R"(
#define IDD_ZC_PAGE_SETUP 31100
#define IDC_ZC_PAGE_SETUP_DEVICE 31101
#define IDC_ZC_PAGE_SETUP_PAPER 31102

IDD_ZC_PAGE_SETUP DIALOGEX 0, 0, 260, 90
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "页面设置"
FONT 9, "宋体", 400, 0, 0x86
BEGIN
    LTEXT           "打印机/绘图仪",IDC_STATIC,7,10,60,8
    COMBOBOX        IDC_ZC_PAGE_SETUP_DEVICE,70,7,183,120,CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP
    LTEXT           "图纸尺寸",IDC_STATIC,7,30,60,8
    COMBOBOX        IDC_ZC_PAGE_SETUP_PAPER,70,27,183,120,CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP
    DEFPUSHBUTTON   "确定",IDOK,140,68,55,16
    PUSHBUTTON      "取消",IDCANCEL,198,68,55,16
END
)";

HINSTANCE Host_Resources()
{
    static char module_tag;
    static const bool registered = platform::Register_Resource_Script_Text(
        reinterpret_cast<HINSTANCE>(&module_tag), Host_Resource_Script, "host_resources.rc");
    return registered ? reinterpret_cast<HINSTANCE>(&module_tag) : nullptr;
}

std::wstring Text_Or_Empty(const wchar_t* text) { return text != nullptr ? text : L""; }

class Page_Setup_Dialog : public CZcUiDialog {
public:
    Page_Setup_Dialog(ZcDbPlotSettings& work, ZcDbPlotSettingsValidator* validator, CWnd* parent)
        : CZcUiDialog(Page_Setup_Template, parent, Host_Resources()), m_Work(work), m_Validator(validator)
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        CZcUiDialog::OnInitDialog();
        auto* devices = static_cast<CComboBox*>(GetDlgItem(Device_Combo));
        m_Validator->refreshLists(&m_Work);
        ZcArray<const wchar_t*> names;
        m_Validator->plotDeviceList(names);
        const wchar_t* current = nullptr;
        m_Work.getPlotCfgName(current);
        for (int i = 0; i < names.length(); ++i) {
            devices->AddString(names[i]);
            if (current != nullptr && CString(names[i]).CompareNoCase(current) == 0)
                devices->SetCurSel(i);
        }
        Fill_Papers();
        return TRUE;
    }

    void OnOK() override
    {
        const int paper = static_cast<CComboBox*>(GetDlgItem(Paper_Combo))->GetCurSel();
        if (paper >= 0 && paper < static_cast<int>(m_Canonical.size()))
            m_Validator->setCanonicalMediaName(&m_Work, m_Canonical[paper].c_str());
        CZcUiDialog::OnOK();
    }

    afx_msg void On_Device_Changed()
    {
        auto* devices = static_cast<CComboBox*>(GetDlgItem(Device_Combo));
        const int index = devices->GetCurSel();
        if (index < 0)
            return;
        CString name;
        devices->GetLBText(index, name);
        m_Validator->setPlotCfgName(&m_Work, name.GetString());
        Fill_Papers();
    }

    DECLARE_MESSAGE_MAP()

private:
    // The device's papers by display name, the current one selected.
    void Fill_Papers()
    {
        auto* papers = static_cast<CComboBox*>(GetDlgItem(Paper_Combo));
        papers->ResetContent();
        m_Canonical.clear();
        ZcArray<const wchar_t*> names;
        m_Validator->canonicalMediaNameList(&m_Work, names);
        for (int i = 0; i < names.length(); ++i)
            m_Canonical.push_back(Text_Or_Empty(names[i]));
        const wchar_t* current = nullptr;
        m_Work.getCanonicalMediaName(current);
        for (int i = 0; i < static_cast<int>(m_Canonical.size()); ++i) {
            const wchar_t* shown = nullptr;
            m_Validator->getLocaleMediaName(&m_Work, i, shown);
            papers->AddString(shown != nullptr ? shown : m_Canonical[i].c_str());
            if (current != nullptr && CString(m_Canonical[i].c_str()).CompareNoCase(current) == 0)
                papers->SetCurSel(i);
        }
    }

    ZcDbPlotSettings& m_Work;
    ZcDbPlotSettingsValidator* m_Validator;
    std::vector<std::wstring> m_Canonical;
};

BEGIN_MESSAGE_MAP(Page_Setup_Dialog, CZcUiDialog)
    ON_CBN_SELCHANGE(Device_Combo, On_Device_Changed)
END_MESSAGE_MAP()

// The layout of the block record, or the current layout for a null id.
ZcDbObjectId Layout_Of(ZcApLayoutManager& manager, ZcDbObjectId block_id)
{
    if (block_id.isNull()) {
        const wchar_t* name = manager.findActiveLayout(true);
        return name != nullptr ? manager.findLayoutNamed(name) : ZcDbObjectId();
    }
    ZcDbObjectPointer<ZcDbBlockTableRecord> record(block_id, ZcDb::kForRead);
    return record.openStatus() == Zcad::eOk ? record->getLayoutId() : ZcDbObjectId();
}

}  // namespace

int ZcApLayoutManager::pageSetup(ZcDbObjectId layoutBTRId, void* pParent, bool)
{
    ZcDbPlotSettingsValidator* validator = zcdbHostApplicationServices()->plotSettingsValidator();
    const ZcDbObjectId layout_id = Layout_Of(*this, layoutBTRId);
    if (validator == nullptr || layout_id.isNull())
        return IDCANCEL;
    ZcDbPlotSettings work;
    {
        ZcDbObjectPointer<ZcDbLayout> layout(layout_id, ZcDb::kForRead);
        if (layout.openStatus() != Zcad::eOk)
            return IDCANCEL;
        work.setModelType(layout->modelType());
        if (work.copyFrom(layout.object()) != Zcad::eOk)
            return IDCANCEL;
    }
    Page_Setup_Dialog dialog(work, validator, static_cast<CWnd*>(pParent));
    if (dialog.DoModal() != IDOK)
        return IDCANCEL;
    ZcDbObjectPointer<ZcDbLayout> layout(layout_id, ZcDb::kForWrite);
    if (layout.openStatus() != Zcad::eOk || layout->copyFrom(&work) != Zcad::eOk)
        return IDCANCEL;
    return IDOK;
}

ZcApLayoutManager* zcapLayoutManagerPtr()
{
    static ZcApLayoutManager manager;
    return &manager;
}
