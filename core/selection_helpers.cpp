#include "core/selection_helpers.h"

#include <cwchar>

#include "ed/editor.h"

namespace {

constexpr size_t Prompt_Size = 256;

// A group 0 (entity type) filter over the caller's text.
resbuf Type_Filter(const wchar_t* type_name)
{
    resbuf filter{};
    filter.restype = 0;
    filter.resval.rstring = const_cast<wchar_t*>(type_name != nullptr ? type_name : L"");
    return filter;
}

// The host's selection with the prompt pair (prompt, empty removal prompt).
int Ask(const wchar_t* prompt, const resbuf* filter, bool single, ads_name set)
{
    wchar_t text[Prompt_Size] = {};
    if (prompt != nullptr)
        std::wcsncpy(text, prompt, Prompt_Size - 1);
    const wchar_t* prompts[2] = {text, L""};
    return zcedSSGet(single ? L"_:S:$" : L"_:$", prompts, nullptr, filter, set);
}

int Whole_Drawing(const resbuf* filter, ads_name set) { return zcedSSGet(L"X", nullptr, nullptr, filter, set); }

}  // namespace

void SelSet_To_Ids(const ads_name set, ZcDbObjectIdArray& ids)
{
    int32_t length = 0;
    if (zcedSSLength(set, &length) != RTNORM)
        return;
    for (int32_t i = 0; i < length; ++i) {
        ads_name name;
        ZcDbObjectId id;
        if (zcedSSName(set, i, name) == RTNORM && zcdbGetObjectId(id, name) == Zcad::eOk)
            ids.append(id);
    }
    zcedSSFree(set);
}

bool Add_Ids_To_Selection(ZcDbObjectIdArray& ids, ads_name set)
{
    bool made = zcedSSAdd(nullptr, nullptr, set) == RTNORM;
    for (int i = 0; made && i < ids.length(); ++i) {
        ads_name name;
        if (zcdbGetAdsName(name, ids[i]) == Zcad::eOk)
            zcedSSAdd(name, set, set);
    }
    ids.removeAll();
    return made;
}

bool Select_With_Filter(const wchar_t* prompt, const resbuf* filter, ZcDbObjectIdArray& ids, bool fall_back,
                        bool single)
{
    ids.removeAll();
    ads_name set;
    int status = Ask(prompt, filter, single, set);
    if (status == RTERROR && fall_back)
        status = Whole_Drawing(filter, set);
    if (status != RTNORM)
        return false;
    SelSet_To_Ids(set, ids);
    return !ids.isEmpty();
}

bool Select_With_Prompt(const wchar_t* prompt, ZcDbObjectIdArray& ids, bool fall_back, bool single)
{
    return Select_With_Filter(prompt, nullptr, ids, fall_back, single);
}

bool Select_By_Type(const wchar_t* prompt, const wchar_t* type_name, ZcDbObjectIdArray& ids, bool fall_back,
                    bool single)
{
    resbuf filter = Type_Filter(type_name);
    return Select_With_Filter(prompt, &filter, ids, fall_back, single);
}

int Select_Or_Whole_Drawing(const wchar_t* prompt, ZcDbObjectIdArray& ids)
{
    ids.removeAll();
    ads_name set;
    int status = Ask(prompt, nullptr, false, set);
    int result = Selection_By_User;
    if (status == RTERROR) {
        status = Whole_Drawing(nullptr, set);
        result = Selection_Whole_Drawing;
    }
    if (status != RTNORM)
        return Selection_None;
    SelSet_To_Ids(set, ids);
    return ids.isEmpty() ? Selection_None : result;
}

resbuf* Build_Point_List(const ZcGePoint3dArray& points)
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (int i = 0; i < points.length(); ++i) {
        resbuf* rb = zcutNewRb(RT3DPOINT);
        if (rb == nullptr) {
            zcutRelRb(head);
            return nullptr;
        }
        rb->resval.rpoint[0] = points[i].x;
        rb->resval.rpoint[1] = points[i].y;
        rb->resval.rpoint[2] = points[i].z;
        (tail != nullptr ? tail->rbnext : head) = rb;
        tail = rb;
    }
    return head;
}

bool Fence_Select_Filtered(const resbuf* filter, ZcDbObjectIdArray& ids, ZcGePoint3dArray& points)
{
    resbuf* fence = Build_Point_List(points);
    points.removeAll();
    if (fence == nullptr)
        return false;
    ads_name set;
    const int status = zcedSSGet(L"F", fence, nullptr, filter, set);
    zcutRelRb(fence);
    if (status != RTNORM)
        return false;
    ZcDbObjectIdArray found;
    SelSet_To_Ids(set, found);
    for (int i = 0; i < found.length(); ++i)
        if (!ids.contains(found[i]))
            ids.append(found[i]);
    return !found.isEmpty();
}

bool Fence_Select(ZcDbObjectIdArray& ids, ZcGePoint3dArray& points)
{
    return Fence_Select_Filtered(nullptr, ids, points);
}

bool Fence_Select_By_Type(const wchar_t* type_name, ZcDbObjectIdArray& ids, ZcGePoint3dArray& points)
{
    resbuf filter = Type_Filter(type_name);
    return Fence_Select_Filtered(&filter, ids, points);
}
