#include "ed/space.h"

#include "db/dblayout.h"
#include "db/dbmain.h"
#include "db/dbviewport.h"
#include "ed/docman.h"
#include "ed/document_state.h"
#include "ed/names.h"
#include "ed/ucs.h"

namespace platform {

namespace {

ZcApDocument* Current_Document()
{
    return zcDocManager != nullptr ? zcDocManager->curDocument() : nullptr;
}

ZcDbLayoutManager* Layouts() { return zcdbHostApplicationServices()->layoutManager(); }

// Floating viewports of the current layout (the overall paper viewport, number 1, not
// counted).
int Floating_Viewport_Count(ZcDbDatabase* db)
{
    ZcDbObjectId layoutId = Layouts()->findLayoutNamed(Current_Layout_Name().c_str(), db);
    ZcDbObjectPointer<ZcDbLayout> layout(layoutId, ZcDb::kForRead);
    if (layout.openStatus() != Zcad::eOk)
        return 0;
    int count = 0;
    for (const ZcDbObjectId& id : layout->getViewportArray()) {
        ZcDbObjectPointer<ZcDbViewport> viewport(id, ZcDb::kForRead);
        if (viewport.openStatus() == Zcad::eOk && viewport->number() != 1)
            ++count;
    }
    return count;
}

}  // namespace

int Tilemode()
{
    ZcApDocument* doc = Current_Document();
    return doc == nullptr || doc->database()->tilemode() ? 1 : 0;
}

bool Set_Tilemode(int value)
{
    ZcApDocument* doc = Current_Document();
    if (doc == nullptr || (value != 0 && value != 1))
        return false;
    if (value == Tilemode())
        return true;
    if (value == 1)
        return Set_Current_Layout(L"Model");
    ZcDbDatabase* db = doc->database();
    std::wstring target = doc->state().lastLayout;
    if (target.empty() || !Layouts()->layoutExists(target.c_str(), db)) {
        target.clear();
        ZcDbObjectIdArray tabs = Layouts()->layoutsInTabOrder(db);
        for (int i = 0; i < tabs.length() && target.empty(); ++i) {
            ZcDbObjectPointer<ZcDbLayout> layout(tabs[i], ZcDb::kForRead);
            std::wstring name;
            if (layout.openStatus() == Zcad::eOk && layout->getName(name) == Zcad::eOk &&
                !Same_Name(name, L"Model"))
                target = name;
        }
    }
    return !target.empty() && Set_Current_Layout(target);
}

int Cvport()
{
    ZcApDocument* doc = Current_Document();
    if (doc == nullptr || doc->database()->tilemode())
        return 2;
    return doc->database()->cvport();
}

bool Set_Cvport(int value)
{
    ZcApDocument* doc = Current_Document();
    if (doc == nullptr)
        return false;
    ZcDbDatabase* db = doc->database();
    if (db->tilemode())
        return value == 2;
    if (value < 1 || value > 1 + Floating_Viewport_Count(db))
        return false;
    return db->setCvport(static_cast<int16_t>(value)) == Zcad::eOk;
}

std::wstring Current_Layout_Name()
{
    ZcApDocument* doc = Current_Document();
    if (doc == nullptr)
        return L"Model";
    std::wstring name;
    if (Layouts()->getActiveLayoutName(name, true, doc->database()) != Zcad::eOk)
        return L"Model";
    return name;
}

bool Set_Current_Layout(const std::wstring& name)
{
    ZcApDocument* doc = Current_Document();
    if (doc == nullptr)
        return false;
    ZcDbDatabase* db = doc->database();
    if (!Layouts()->layoutExists(name.c_str(), db))
        return false;
    std::wstring current = Current_Layout_Name();
    if (!Same_Name(current, L"Model"))
        doc->state().lastLayout = current;
    if (Layouts()->setCurrentLayout(name.c_str(), db) != Zcad::eOk)
        return false;
    bool model = Same_Name(name, L"Model");
    if (db->tilemode() != model)
        db->setTilemode(model);
    if (!model) {
        // A layout opens in its paper space.
        db->setCvport(1);
        doc->state().lastLayout = Current_Layout_Name();
    }
    return true;
}

ZcDbObjectId Current_Space_Block()
{
    ZcApDocument* doc = Current_Document();
    return doc != nullptr ? doc->database()->currentSpaceId() : ZcDbObjectId();
}

}  // namespace platform

int zcedPspace()
{
    if (platform::Tilemode() != 0)
        return RTERROR;
    return platform::Set_Cvport(1) ? RTNORM : RTERROR;
}

int zcedMspace()
{
    if (platform::Tilemode() != 0)
        return RTERROR;
    if (platform::Cvport() >= 2)
        return RTNORM;
    return platform::Set_Cvport(2) ? RTNORM : RTERROR;
}
