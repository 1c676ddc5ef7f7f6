#include "signstamp/sign_insert.h"

#include <algorithm>

#include "core/layer_helpers.h"
#include "core/space_helpers.h"
#include "core/ucs_transform.h"
#include "ed/command_line.h"
#include "ed/host_window.h"
#include "ed/prompts.h"
#include "sheets/point_jigs.h"
#include "signstamp/kv_sign_class.h"
#include "ui/dlg_options.h"
#include "ui/module_resources.h"
#include "win/windows.h"

int g_Sign_Jig_Active = 0;

namespace {

const wchar_t Sign_Layer[] = L"KV_Sign";
constexpr int Sign_Layer_Color = 118;
constexpr int Sign_Picker_Item_Width = 120;
// The picker's choice of the last insertion while the module stays loaded.
int g_Sign_Picker_Choice = 0;

void Show_Sign_Notice(const wchar_t* text)
{
    MessageBoxW(adsw_zcadMainWnd(), text, L"签名管理", MB_OK | MB_ICONINFORMATION);
}

}  // namespace

Jig_Sign::Jig_Sign(const ZcGePoint3d& first_corner, const ZcArray<int32_t>& loop_counts,
                   const ZcGePoint3dArray& points)
    : m_Preview(std::make_unique<Temp_Sign>(first_corner, loop_counts, points))
{
    m_Preview->Second_Corner = m_Current;
}

ZcEdJig::DragStatus Jig_Sign::sampler() { return Sample_Jig_Point(*this, m_Current); }

bool Jig_Sign::update()
{
    m_Preview->Second_Corner = m_Current;
    return true;
}

ZcDbEntity* Jig_Sign::entity() const { return m_Preview.get(); }

bool Drag_Signature_Corner(const ZcArray<int32_t>& loop_counts, const ZcGePoint3dArray& points,
                           const ZcGePoint3d& first_corner, ZcGePoint3d& second_corner)
{
    zcutPrintf(L"\n选择第二点 [按Tab键-->改变签名方向] :");
    g_Sign_Jig_Active = 1;
    bool picked = false;
    {
        Jig_Sign jig(first_corner, loop_counts, points);
        if (jig.drag() == ZcEdJig::kNormal) {
            second_corner = jig.Current_Point();
            picked = true;
        }
    }
    g_Sign_Jig_Active = 0;
    return picked;
}

ZcDbObjectId Insert_Signature(const KV_Sign& sign)
{
    if (sign.Shapes.empty())
        return ZcDbObjectId();
    ZcArray<int32_t> counts;
    ZcGePoint3dArray points;
    sign.To_Loops(counts, points);

    ads_point picked;
    if (zcedGetPoint(nullptr, L"\n选择第一点:", picked) != RTNORM)
        return ZcDbObjectId();
    const ZcGePoint3d first(picked[0], picked[1], picked[2]);
    ZcGePoint3d second;
    if (!Drag_Signature_Corner(counts, points, first, second))
        return ZcDbObjectId();
    if (g_Ucs.Active)
        g_Ucs.World_To_Ucs(second);
    Fit_Signature(points, first, second, sign.Width, sign.Height, ZcGePoint3d::kOrigin);
    if (g_Ucs.Active)
        for (int i = 0; i < points.length(); ++i)
            g_Ucs.Ucs_To_World(points[i]);

    ZcDbObjectId layer_id;
    int existed = 0;
    Find_Or_Add_Layer(layer_id, Sign_Layer, existed);
    if (existed == 0 && !layer_id.isNull())
        Set_Layer_Color(layer_id, Sign_Layer_Color);
    auto* entity = new KV_Sign_Class(sign.Person_No, sign.Name, counts, points);
    entity->Validate();
    ZcDbObjectId id;
    Append_Entity(id, entity, Keep_Color, true, layer_id, ZcDbObjectId());
    if (id.isNull())
        delete entity;
    return id;
}

int Sign_Picker_Extra_Columns(int n)
{
    const int spread = n > 174 ? 7 : n / 25;
    const int needed = (n + Sign_Picker_Max_Rows - 1) / Sign_Picker_Max_Rows - 1;
    return std::max(spread, needed);
}

void Run_Insert_Library_Signature()
{
    if (g_Sign_Library.Signs.empty())
        return Show_Sign_Notice(L"签名库为空 !\n\n请先到签名库进行签名录入 !");
    std::vector<const KV_Sign*> enabled;
    for (const auto& sign : g_Sign_Library.Signs)
        if (sign->Enabled != 0)
            enabled.push_back(sign.get());
    if (enabled.empty())
        return Show_Sign_Notice(L"无可用签名，所有签名均被禁用 !\n\n请到签名库进行查看 !");

    Module_Resource_Scope resources;
    Dlg_Options picker(CWnd::FromHandle(adsw_zcadMainWnd()));
    picker.Title = L"签  名";
    for (const KV_Sign* sign : enabled)
        picker.Items.Add(sign->Name);
    picker.Extra_Columns = Sign_Picker_Extra_Columns(static_cast<int>(enabled.size()));
    picker.Item_Width = Sign_Picker_Item_Width * (picker.Extra_Columns + 1);
    picker.Choice = g_Sign_Picker_Choice;
    if (picker.DoModal() != IDOK || picker.Choice < 0 || picker.Choice >= static_cast<int>(enabled.size()))
        return;
    g_Sign_Picker_Choice = picker.Choice;
    g_Ucs.Capture(true);
    Insert_Signature(*enabled[static_cast<size_t>(picker.Choice)]);
}
