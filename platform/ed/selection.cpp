#include "ed/selection.h"

#include <algorithm>
#include <map>
#include <vector>

#include "db/dblayout.h"
#include "db/dbmain.h"
#include "db/dbsymtb.h"
#include "db/dbviewport.h"
#include "ed/command_line.h"
#include "ed/docman.h"
#include "ed/document_state.h"
#include "ed/entity_filter.h"
#include "ed/entity_hit.h"
#include "ed/host_reset.h"
#include "ed/names.h"
#include "ed/prompt_support.h"
#include "ed/prompts.h"
#include "ed/space.h"
#include "ed/spatial_index.h"
#include "ed/sysvars.h"
#include "ed/ucs.h"
#include "ge/ge.h"

namespace platform {

namespace {

using Ids = std::vector<ZcDbObjectId>;

const int64_t kSetTag = 0x53535345;  // second word of a selection-set name

struct SetStore {
    std::map<int64_t, Ids> sets;
    int64_t next = 1;
};

SetStore& Sets()
{
    static SetStore store;
    return store;
}

void Make_Set(const Ids& ids, ads_name ss)
{
    SetStore& store = Sets();
    int64_t key = store.next++;
    store.sets[key] = ids;
    ss[0] = key;
    ss[1] = kSetTag;
}

Ids* Find_Set(const ads_name ss)
{
    if (ss == nullptr || ss[1] != kSetTag)
        return nullptr;
    auto it = Sets().sets.find(ss[0]);
    return it == Sets().sets.end() ? nullptr : &it->second;
}

ZcDbObjectId Id_Of(const ads_name name)
{
    // A selection-set name is no entity name.
    ZcDbObjectId id;
    if (name != nullptr && name[1] != kSetTag)
        id.setFromOldId(name[0]);
    return id;
}

ZcApDocument* Current_Document()
{
    return zcDocManager != nullptr ? zcDocManager->curDocument() : nullptr;
}

// Every entity of the model space and of the layouts, in tab order.
Ids Drawing_Entities(ZcDbDatabase* db)
{
    Ids ids = Block_Entity_Ids(db->modelSpaceId());
    ZcDbObjectIdArray layouts = zcdbHostApplicationServices()->layoutManager()->layoutsInTabOrder(db);
    for (int i = 0; i < layouts.length(); ++i) {
        ZcDbObjectPointer<ZcDbLayout> layout(layouts[i], ZcDb::kForRead);
        if (layout.openStatus() != Zcad::eOk || layout->getBlockTableRecordId() == db->modelSpaceId())
            continue;
        Ids more = Block_Entity_Ids(layout->getBlockTableRecordId());
        ids.insert(ids.end(), more.begin(), more.end());
    }
    return ids;
}

// Shown on screen and pickable: visible, on a layer that is on and thawed, and not a
// layout's overall viewport.
bool Shown(ZcDbObjectId id)
{
    ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
    if (entity.openStatus() != Zcad::eOk || entity->visibility() != ZcDb::kVisible)
        return false;
    if (ZcDbViewport* viewport = ZcDbViewport::cast(entity.object()); viewport != nullptr && viewport->number() == 1)
        return false;
    ZcDbObjectPointer<ZcDbLayerTableRecord> layer(entity->layerId(), ZcDb::kForRead);
    return layer.openStatus() != Zcad::eOk || (!layer->isOff() && !layer->isFrozen());
}

// Shown entities of the current space, in drawing order.
Ids Space_Candidates()
{
    Ids ids;
    for (const ZcDbObjectId& id : Block_Entity_Ids(Current_Space_Block()))
        if (Shown(id))
            ids.push_back(id);
    return ids;
}

Ids Filtered(const Ids& ids, const resbuf* filter)
{
    Ids out;
    for (const ZcDbObjectId& id : ids)
        if (filter == nullptr || Entity_Passes_Filter(id, filter))
            out.push_back(id);
    return out;
}

ZcGePoint3d Ucs_To_World(const double* pt)
{
    ZcGeMatrix3d ucs;
    zcedGetCurrentUCS(ucs);
    return ucs * ZcGePoint3d(pt[0], pt[1], pt[2]);
}

Rect2d Rect_Of(const double* a, const double* b)
{
    ZcGePoint3d p = Ucs_To_World(a);
    ZcGePoint3d q = Ucs_To_World(b);
    return {std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y)};
}

Ids Window_Select(const Rect2d& rect, bool crossing, const resbuf* filter)
{
    Ids ids;
    for (const ZcDbObjectId& id : Entities_Near_Rect(Current_Space_Block(), rect))
        if (Shown(id) && (crossing ? Entity_Crosses_Rect(id, rect) : Entity_Inside_Rect(id, rect)) &&
            (filter == nullptr || Entity_Passes_Filter(id, filter)))
            ids.push_back(id);
    return ids;
}

// Half the side of the pick box in drawing units: PICKBOX pixels of the current view.
double Pick_Half_Size()
{
    resbuf pickbox, viewsize, screen;
    double pixels = zcedGetVar(L"PICKBOX", &pickbox) == RTNORM ? pickbox.resval.rint : 3;
    double height = zcedGetVar(L"VIEWSIZE", &viewsize) == RTNORM ? viewsize.resval.rreal : 10;
    double screenHeight = zcedGetVar(L"SCREENSIZE", &screen) == RTNORM ? screen.resval.rpoint[1] : 900;
    return std::max(pixels, 1.0) * height / (screenHeight > 0 ? screenHeight : 900);
}

// The topmost shown entity of the current space whose geometry passes through the pick box.
ZcDbObjectId Pick_At(const double* pt, const resbuf* filter)
{
    ZcGePoint3d w = Ucs_To_World(pt);
    double h = Pick_Half_Size();
    Rect2d box{w.x - h, w.y - h, w.x + h, w.y + h};
    Ids candidates = Entities_Near_Rect(Current_Space_Block(), box);
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it)
        if (Shown(*it) && Entity_Crosses_Rect(*it, box) && (filter == nullptr || Entity_Passes_Filter(*it, filter)))
            return *it;
    return ZcDbObjectId();
}

void Add_Unique(Ids& to, const Ids& more)
{
    for (const ZcDbObjectId& id : more)
        if (std::find(to.begin(), to.end(), id) == to.end())
            to.push_back(id);
}

struct SelectMode {
    bool single = false;
    bool prompts = false;
    std::wstring method;  // "", "X", "W", "C", "F", "I", "P", "L"
    bool valid = true;
};

SelectMode Parse_Mode(const wchar_t* str)
{
    SelectMode mode;
    std::wstring text = str != nullptr ? str : L"";
    size_t i = 0;
    if (i < text.size() && text[i] == L'_')
        ++i;
    while (i < text.size()) {
        if (text[i] == L':' && i + 1 < text.size()) {
            wchar_t option = static_cast<wchar_t>(std::towupper(text[i + 1]));
            if (option == L'S')
                mode.single = true;
            else if (option == L'$')
                mode.prompts = true;
            i += 2;
            continue;
        }
        std::wstring rest = text.substr(i);
        for (wchar_t& c : rest)
            c = static_cast<wchar_t>(std::towupper(c));
        static const wchar_t* methods[] = {L"X", L"W", L"C", L"F", L"I", L"P", L"L"};
        bool known = false;
        for (const wchar_t* m : methods)
            if (rest == m) {
                mode.method = m;
                known = true;
            }
        mode.valid = known;
        break;
    }
    return mode;
}

std::wstring Found_Text(size_t n) { return L"\n" + std::to_wstring(n) + L" found"; }

// Asks the user; RTNORM with ids, RTERROR when nothing was selected, RTCAN.
int Ask_Selection(const SelectMode& mode, const void* pt1, const resbuf* filter, Ids& selected)
{
    std::wstring prompt = L"\nSelect objects: ";
    if (mode.prompts && pt1 != nullptr) {
        const wchar_t* const* prompts = static_cast<const wchar_t* const*>(pt1);
        if (prompts[0] != nullptr)
            prompt = prompts[0];
    }
    platform::Take_Prompt_Setup();
    CommandLine& line = CommandLine::instance();
    for (;;) {
        InputAnswer answer = Ask(prompt, InputRequest{prompt, true},
                                 {StepKind::Select, StepKind::Point, StepKind::Answer,
                                  StepKind::Enter, StepKind::Esc});
        const bool scripted = answer.source == InputAnswer::Source::Script;
        Ids found;
        switch (answer.kind) {
        case InputAnswer::Kind::Cancel:
            selected.clear();
            return RTCAN;
        case InputAnswer::Kind::Enter:
            return selected.empty() ? RTERROR : RTNORM;
        case InputAnswer::Kind::Select:
            if (answer.text == L"all" || answer.text == L"ALL")
                found = Filtered(Space_Candidates(), filter);
            else
                found = Window_Select(Rect_Of(answer.pt, answer.pt2),
                                      answer.text == L"crossing" || answer.text == L"CROSSING", filter);
            break;
        case InputAnswer::Kind::Point: {
            ZcDbObjectId id = Pick_At(answer.pt, filter);
            if (!id.isNull())
                found.push_back(id);
            break;
        }
        case InputAnswer::Kind::Entity: {
            ZcDbObjectId id = Id_Of(answer.name);
            if (id.isValid() && (filter == nullptr || Entity_Passes_Filter(id, filter)))
                found.push_back(id);
            break;
        }
        case InputAnswer::Kind::PickSet:
            if (Ids* set = Find_Set(answer.name))
                found = Filtered(*set, filter);
            break;
        case InputAnswer::Kind::Text: {
            double pt[3];
            if (Same_Name(answer.text, L"ALL")) {
                found = Filtered(Space_Candidates(), filter);
            } else if (Parse_Point_Text(answer.text, pt)) {
                ZcDbObjectId id = Pick_At(pt, filter);
                if (!id.isNull())
                    found.push_back(id);
            } else {
                Refuse_Answer(answer, prompt, L"*Invalid selection*");
                continue;
            }
            break;
        }
        default:
            Refuse_Answer(answer, prompt, L"*Invalid selection*");
            continue;
        }
        line.write(Found_Text(found.size()));
        Add_Unique(selected, found);
        if (scripted || (mode.single && !selected.empty()))
            return selected.empty() ? RTERROR : RTNORM;
    }
}

}  // namespace

ZcDbObjectId Entity_Under_Cursor(const double* ucs_point) { return Pick_At(ucs_point, nullptr); }

void Reset_Selection_Sets()
{
    Sets().sets.clear();
    Sets().next = 1;
}

}  // namespace platform

using namespace platform;

int zcedSSGet(const wchar_t* str, const void* pt1, const void* pt2, const resbuf* filter, ads_name ss)
{
    if (ss == nullptr)
        return RTERROR;
    ss[0] = ss[1] = 0;
    ZcApDocument* doc = Current_Document();
    if (doc == nullptr)
        return RTERROR;
    SelectMode mode = Parse_Mode(str);
    if (!mode.valid)
        return RTERROR;
    Ids selected;
    if (mode.method.empty()) {
        int status = Ask_Selection(mode, pt1, filter, selected);
        if (status != RTNORM)
            return status;
    } else if (mode.method == L"X") {
        selected = Filtered(Drawing_Entities(doc->database()), filter);
    } else if (mode.method == L"W" || mode.method == L"C") {
        if (pt1 == nullptr || pt2 == nullptr)
            return RTERROR;
        selected = Window_Select(Rect_Of(static_cast<const double*>(pt1), static_cast<const double*>(pt2)),
                                 mode.method == L"C", filter);
    } else if (mode.method == L"F") {
        std::vector<double> xy;
        for (const resbuf* rb = static_cast<const resbuf*>(pt1); rb != nullptr; rb = rb->rbnext) {
            if (rb->restype != RTPOINT && rb->restype != RT3DPOINT)
                return RTERROR;
            ZcGePoint3d w = Ucs_To_World(rb->resval.rpoint);
            xy.push_back(w.x);
            xy.push_back(w.y);
        }
        if (xy.size() < 4)
            return RTERROR;
        for (const ZcDbObjectId& id : Entities_Near_Fence(Current_Space_Block(), xy))
            if (Shown(id) && Entity_Crosses_Fence(id, xy) && (filter == nullptr || Entity_Passes_Filter(id, filter)))
                selected.push_back(id);
    } else if (mode.method == L"I") {
        selected = Filtered(doc->state().pickFirst, filter);
    } else if (mode.method == L"P") {
        selected = Filtered(doc->state().previousSelection, filter);
    } else if (mode.method == L"L") {
        Ids candidates = Space_Candidates();
        if (!candidates.empty())
            selected = Filtered({candidates.back()}, filter);
    }
    selected.erase(std::remove_if(selected.begin(), selected.end(),
                                  [](const ZcDbObjectId& id) { return !id.isValid() || id.isErased(); }),
                   selected.end());
    if (selected.empty())
        return RTERROR;
    doc->state().previousSelection = selected;
    Make_Set(selected, ss);
    return RTNORM;
}

int zcedSSFree(const ads_name sname)
{
    if (Find_Set(sname) == nullptr)
        return RTERROR;
    Sets().sets.erase(sname[0]);
    return RTNORM;
}

int zcedSSLength(const ads_name sname, int32_t* len)
{
    Ids* set = Find_Set(sname);
    if (set == nullptr || len == nullptr)
        return RTERROR;
    *len = static_cast<int32_t>(set->size());
    return RTNORM;
}

int zcedSSName(const ads_name ss, int32_t i, ads_name entres)
{
    Ids* set = Find_Set(ss);
    if (set == nullptr || entres == nullptr || i < 0 || static_cast<size_t>(i) >= set->size())
        return RTERROR;
    entres[0] = (*set)[i].asOldId();
    entres[1] = 0;
    return RTNORM;
}

int zcedSSAdd(const ads_name ename, const ads_name sname, ads_name result)
{
    if (result == nullptr)
        return RTERROR;
    ZcDbObjectId id = Id_Of(ename);
    if (ename != nullptr && !id.isValid())
        return RTERROR;
    if (sname == nullptr) {
        Make_Set(ename != nullptr ? Ids{id} : Ids{}, result);
        return RTNORM;
    }
    Ids* set = Find_Set(sname);
    if (set == nullptr)
        return RTERROR;
    if (ename != nullptr)
        Add_Unique(*set, {id});
    result[0] = sname[0];
    result[1] = sname[1];
    return RTNORM;
}

int zcedSSDel(const ads_name ename, const ads_name ss)
{
    Ids* set = Find_Set(ss);
    if (set == nullptr || ename == nullptr)
        return RTERROR;
    auto it = std::find(set->begin(), set->end(), Id_Of(ename));
    if (it == set->end())
        return RTERROR;
    set->erase(it);
    return RTNORM;
}

int zcedSSMemb(const ads_name ename, const ads_name ss)
{
    Ids* set = Find_Set(ss);
    if (set == nullptr || ename == nullptr)
        return RTERROR;
    return std::find(set->begin(), set->end(), Id_Of(ename)) != set->end() ? RTNORM : RTERROR;
}

int zcedSSGetFirst(resbuf** gset, resbuf** pset)
{
    if (gset != nullptr)
        *gset = nullptr;
    if (pset == nullptr)
        return RTNORM;
    *pset = nullptr;
    ZcApDocument* doc = Current_Document();
    if (doc == nullptr || doc->state().pickFirst.empty())
        return RTERROR;
    ads_name ss;
    Make_Set(doc->state().pickFirst, ss);
    *pset = zcutBuildList(RTPICKS, ss, RTNONE);
    return *pset != nullptr ? RTNORM : RTERROR;
}

int zcedSSSetFirst(const ads_name pset, const ads_name)
{
    ZcApDocument* doc = Current_Document();
    if (doc == nullptr)
        return RTERROR;
    if (pset == nullptr) {
        doc->state().pickFirst.clear();
        return RTNORM;
    }
    Ids* set = Find_Set(pset);
    if (set == nullptr)
        return RTERROR;
    doc->state().pickFirst = *set;
    return RTNORM;
}

int zcedSSFreeFirst() { return zcedSSSetFirst(nullptr, nullptr); }

int zcedEntSel(const wchar_t* str, ads_name entres, ads_point ptres)
{
    const PromptSetup setup = Take_Prompt_Setup();
    const std::wstring prompt = str != nullptr ? str : L"\nSelect object: ";
    for (;;) {
        InputAnswer answer = Ask(prompt, InputRequest{prompt, true},
                                 {StepKind::Point, StepKind::Answer, StepKind::Enter, StepKind::Esc});
        double pt[3] = {0, 0, 0};
        switch (answer.kind) {
        case InputAnswer::Kind::Cancel:
            return RTCAN;
        case InputAnswer::Kind::Enter:
            return RTERROR;
        case InputAnswer::Kind::Entity:
            if (!Id_Of(answer.name).isValid()) {
                Refuse_Answer(answer, prompt, L"Nothing selected.");
                return RTERROR;
            }
            entres[0] = answer.name[0];
            entres[1] = 0;
            std::fill(ptres, ptres + 3, 0.0);
            return RTNORM;
        case InputAnswer::Kind::Point:
            std::copy(answer.pt, answer.pt + 3, pt);
            break;
        case InputAnswer::Kind::Text:
            if (Parse_Point_Text(answer.text, pt))
                break;
            if (Keyword_Answer(setup, answer.text))
                return RTKWORD;
            Refuse_Answer(answer, prompt, L"Invalid selection.");
            continue;
        default:
            Refuse_Answer(answer, prompt, L"Invalid selection.");
            continue;
        }
        ZcDbObjectId id = Pick_At(pt, nullptr);
        if (id.isNull()) {
            CommandLine::instance().write(L"\nNothing selected.");
            return RTERROR;
        }
        entres[0] = id.asOldId();
        entres[1] = 0;
        std::copy(pt, pt + 3, ptres);
        return RTNORM;
    }
}

Zcad::ErrorStatus zcdbGetObjectId(ZcDbObjectId& objId, const ads_name objName)
{
    objId = Id_Of(objName);
    if (objId.isNull())
        return Zcad::eNullObjectId;
    return objId.isValid() ? Zcad::eOk : Zcad::eInvalidInput;
}

Zcad::ErrorStatus zcdbGetAdsName(ads_name& objName, ZcDbObjectId objId)
{
    objName[0] = objId.asOldId();
    objName[1] = 0;
    return objId.isNull() ? Zcad::eNullObjectId : Zcad::eOk;
}
