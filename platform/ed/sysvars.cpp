#include "ed/sysvars.h"

#include <cmath>
#include <functional>
#include <vector>

#include "ed/docman.h"
#include "ed/editor.h"
#include "ed/host_reset.h"
#include "ed/names.h"
#include "ed/space.h"
#include "ed/ucs.h"
#include "ed/view.h"
#include "db/dbimage.h"
#include "db/dbmain.h"
#include "db/dbsymtb.h"
#include "ge/ge.h"
#include "win/machine.h"
#include "win/win_registry.h"

namespace platform {

namespace {

// A value of a system variable.
struct VarValue {
    short type = RTSHORT;  // RTSHORT, RTREAL, RTSTR, RTPOINT (2D) or RT3DPOINT
    short i = 0;
    double r = 0;
    double pt[3] = {0, 0, 0};
    std::wstring s;
};

VarValue Short(short v) { VarValue x; x.type = RTSHORT; x.i = v; return x; }
VarValue Real(double v) { VarValue x; x.type = RTREAL; x.r = v; return x; }
VarValue Text(const wchar_t* v) { VarValue x; x.type = RTSTR; x.s = v; return x; }
VarValue Point2(double a, double b) { VarValue x; x.type = RTPOINT; x.pt[0] = a; x.pt[1] = b; return x; }
VarValue Point3(double a, double b, double c)
{
    VarValue x;
    x.type = RT3DPOINT;
    x.pt[0] = a;
    x.pt[1] = b;
    x.pt[2] = c;
    return x;
}

struct VarDef {
    std::wstring name;
    VarValue initial;
    bool readOnly = false;
    short minimum = 0;  // range of short values
    short maximum = 32767;
    // Variables that follow the document compute their value and apply a new one.
    std::function<VarValue()> get;
    std::function<bool(const VarValue&)> set;
};

std::wstring Document_Title()
{
    ZcApDocument* doc = zcDocManager != nullptr ? zcDocManager->curDocument() : nullptr;
    return doc != nullptr ? doc->docTitle() : L"Drawing1.dxf";
}

std::wstring Document_Prefix()
{
    ZcApDocument* doc = zcDocManager != nullptr ? zcDocManager->curDocument() : nullptr;
    std::wstring path = doc != nullptr ? doc->fileName() : L"";
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

VarValue Point_Value(const ZcGePoint3d& p) { return Point3(p.x, p.y, p.z); }

ZcGeMatrix3d Ucs_To_World()
{
    ZcGeMatrix3d ucs;
    zcedGetCurrentUCS(ucs);
    return ucs;
}

ZcGeMatrix3d World_To_Ucs() { return Ucs_To_World().inverse(); }

ZcDbDatabase* Current_Database()
{
    ZcApDocument* doc = zcDocManager != nullptr ? zcDocManager->curDocument() : nullptr;
    return doc != nullptr ? doc->database() : nullptr;
}

std::wstring Current_Layer_Name()
{
    ZcDbDatabase* db = Current_Database();
    if (db == nullptr)
        return L"0";
    ZcDbObjectPointer<ZcDbLayerTableRecord> layer(db->clayer(), ZcDb::kForRead);
    std::wstring name;
    if (layer.openStatus() == Zcad::eOk)
        layer->getName(name);
    return name;
}

// A layer of that name (without regard to case) that is not frozen becomes current.
bool Set_Current_Layer(const std::wstring& name)
{
    ZcDbDatabase* db = Current_Database();
    ZcDbLayerTable* table = nullptr;
    if (db == nullptr || db->getLayerTable(table, ZcDb::kForRead) != Zcad::eOk)
        return false;
    ZcDbObjectId id;
    Zcad::ErrorStatus found = table->getAt(name.c_str(), id);
    table->close();
    return found == Zcad::eOk && db->setClayer(id) == Zcad::eOk;
}

bool Set_Image_Frame(short frame)
{
    ZcDbRasterVariables* vars = nullptr;
    if (Current_Database() == nullptr ||
        ZcDbRasterVariables::openRasterVariables(vars, ZcDb::kForWrite, Current_Database()) != Zcad::eOk)
        return false;
    const bool set = vars->setImageFrame(frame) == Zcad::eOk;
    vars->close();
    return set;
}

// The support file search path of the host profile, each folder ending in a backslash.
std::wstring Support_Prefix()
{
    Machine& machine = Machine::instance();
    const auto path = Registry::instance().value(machine.host_profile_general_key(), L"ACAD");
    std::wstring prefix;
    if (!path)
        return prefix;
    size_t start = 0;
    while (start <= path->text.size()) {
        size_t end = path->text.find(L';', start);
        if (end == std::wstring::npos)
            end = path->text.size();
        std::wstring folder = path->text.substr(start, end - start);
        if (!folder.empty()) {
            if (folder.back() != L'\\')
                folder += L'\\';
            prefix += (prefix.empty() ? L"" : L";") + folder;
        }
        start = end + 1;
    }
    return prefix;
}

std::vector<VarDef> Make_Table()
{
    std::vector<VarDef> t;
    auto flag = [&](std::wstring name, short value, short maximum = 1) {
        t.push_back({name, Short(value), false, 0, maximum, nullptr, nullptr});
    };
    auto readOnly = [&](std::wstring name, VarValue value) {
        t.push_back({name, value, true, 0, 32767, nullptr, nullptr});
    };
    flag(L"CMDECHO", 1);
    flag(L"FILEDIA", 1);
    flag(L"CMDDIA", 1);
    flag(L"PDFSHX", 1);
    flag(L"EPDFSHX", 1);
    flag(L"BACKGROUNDPLOT", 2, 3);
    flag(L"LWDISPLAY", 0);
    flag(L"PICKFIRST", 1);
    flag(L"OSMODE", 4133, 32767);
    flag(L"SDI", 0);
    flag(L"MENUBAR", 0);
    flag(L"UCSFOLLOW", 0);
    flag(L"MEASUREMENT", 1);
    flag(L"PICKBOX", 3, 50);
    t.push_back({L"WSCURRENT", Text(L"Drafting & Annotation"), false, 0, 0, nullptr, nullptr});
    readOnly(L"PSTYLEMODE", Short(1));
    readOnly(L"UCSNAME", Text(L""));
    readOnly(L"DBMOD", Short(0));
    readOnly(L"VERNUM", Text(L"25.00 (2025)"));
    readOnly(L"ACADVER", Text(L"25.0s (LMS Tech)"));
    readOnly(L"SCREENSIZE", Point2(1600, 900));
    auto computed = [&](std::wstring name, VarValue initial, std::function<VarValue()> get) {
        t.push_back({name, initial, true, 0, 32767, std::move(get), nullptr});
    };
    // The view of the current space; points and directions in the UCS.
    computed(L"VIEWCTR", Point3(0, 0, 0), [] {
        ViewState v = Current_View();
        return Point_Value(World_To_Ucs() * (Dcs_To_World(v) * ZcGePoint3d(v.center.x, v.center.y, 0)));
    });
    computed(L"VIEWSIZE", Real(10), [] { return Real(Current_View().height); });
    computed(L"VIEWMODE", Short(0), [] { return Short(short(Current_View().mode)); });
    computed(L"VIEWDIR", Point3(0, 0, 1), [] {
        ZcGeVector3d d = World_To_Ucs() * Current_View().direction;
        return Point3(d.x, d.y, d.z);
    });
    computed(L"TARGET", Point3(0, 0, 0), [] { return Point_Value(World_To_Ucs() * Current_View().target); });
    computed(L"LENSLENGTH", Real(50), [] { return Real(Current_View().lensLength); });
    computed(L"VIEWTWIST", Real(0), [] { return Real(Current_View().twist); });
    computed(L"FRONTZ", Real(0), [] { return Real(Current_View().front); });
    computed(L"BACKZ", Real(0), [] { return Real(Current_View().back); });
    // The UCS of the current document.
    computed(L"WORLDUCS", Short(1), [] { return Short(Ucs_To_World().isEqualTo(ZcGeMatrix3d::kIdentity) ? 1 : 0); });
    computed(L"UCSORG", Point3(0, 0, 0), [] { return Point_Value(Ucs_To_World() * ZcGePoint3d::kOrigin); });
    computed(L"UCSXDIR", Point3(1, 0, 0), [] {
        ZcGeVector3d x = Ucs_To_World() * ZcGeVector3d::kXAxis;
        return Point3(x.x, x.y, x.z);
    });
    computed(L"UCSYDIR", Point3(0, 1, 0), [] {
        ZcGeVector3d y = Ucs_To_World() * ZcGeVector3d::kYAxis;
        return Point3(y.x, y.y, y.z);
    });
    // The host's profile and per-user folder.
    computed(L"CPROFILE", Text(L""), [] { return Text(Machine::instance().host_profile_name().c_str()); });
    computed(L"ROAMABLEROOTPREFIX", Text(L""),
             [] { return Text((Machine::instance().host_roaming_folder() + L"\\").c_str()); });
    computed(L"ACADPREFIX", Text(L""), [] { return Text(Support_Prefix().c_str()); });
    for (int n = 1; n <= 5; ++n) {
        const std::wstring number = std::to_wstring(n);
        t.push_back({L"USERS" + number, Text(L""), false, 0, 0, nullptr, nullptr});
        t.push_back({L"USERI" + number, Short(0), false, -32768, 32767, nullptr, nullptr});
        t.push_back({L"USERR" + number, Real(0), false, 0, 0, nullptr, nullptr});
    }
    t.push_back({L"DWGNAME", Text(L""), true, 0, 0, [] { return Text(Document_Title().c_str()); },
                 nullptr});
    t.push_back({L"DWGPREFIX", Text(L""), true, 0, 0,
                 [] { return Text(Document_Prefix().c_str()); }, nullptr});
    t.push_back({L"TILEMODE", Short(1), false, 0, 1, [] { return Short(short(Tilemode())); },
                 [](const VarValue& v) { return Set_Tilemode(v.i); }});
    t.push_back({L"CVPORT", Short(2), false, 1, 32767, [] { return Short(short(Cvport())); },
                 [](const VarValue& v) { return Set_Cvport(v.i); }});
    t.push_back({L"CLAYER", Text(L"0"), false, 0, 0, [] { return Text(Current_Layer_Name().c_str()); },
                 [](const VarValue& v) { return Set_Current_Layer(v.s); }});
    // Kept in the drawing's raster variables.
    t.push_back({L"IMAGEFRAME", Short(1), false, 0, 2,
                 [] { return Short(short(ZcDbRasterVariables::imageFrameOf(Current_Database()))); },
                 [](const VarValue& v) { return Set_Image_Frame(v.i); }});
    t.push_back({L"CTAB", Text(L"Model"), false, 0, 0,
                 [] { return Text(Current_Layout_Name().c_str()); },
                 [](const VarValue& v) { return Set_Current_Layout(v.s); }});
    return t;
}

struct SysvarStore {
    std::vector<VarDef> defs = Make_Table();
    std::vector<VarValue> values;
    SysvarStore() { reset(); }
    void reset()
    {
        values.clear();
        for (const VarDef& def : defs)
            values.push_back(def.initial);
    }
    int find(const wchar_t* name) const
    {
        if (name == nullptr)
            return -1;
        for (size_t i = 0; i < defs.size(); ++i)
            if (Same_Name(defs[i].name, name))
                return static_cast<int>(i);
        return -1;
    }
};

SysvarStore& Store()
{
    static SysvarStore store;
    return store;
}

// Converts a resbuf to the variable's type; false when it does not fit.
bool To_Value(const VarDef& def, const resbuf* rb, VarValue& out)
{
    if (rb == nullptr)
        return false;
    out = def.initial;
    switch (def.initial.type) {
    case RTSHORT: {
        long v = 0;
        if (rb->restype == RTSHORT)
            v = rb->resval.rint;
        else if (rb->restype == RTLONG)
            v = rb->resval.rlong;
        else
            return false;
        if (v < def.minimum || v > def.maximum)
            return false;
        out.i = static_cast<short>(v);
        return true;
    }
    case RTREAL:
        if (rb->restype == RTREAL || rb->restype == RTANG)
            out.r = rb->resval.rreal;
        else if (rb->restype == RTSHORT)
            out.r = rb->resval.rint;
        else
            return false;
        return std::isfinite(out.r);
    case RTSTR:
        if (rb->restype != RTSTR)
            return false;
        out.s = rb->resval.rstring != nullptr ? rb->resval.rstring : L"";
        return true;
    default:
        if (rb->restype != RTPOINT && rb->restype != RT3DPOINT)
            return false;
        for (int k = 0; k < 3; ++k)
            out.pt[k] = rb->resval.rpoint[k];
        if (def.initial.type == RTPOINT)
            out.pt[2] = 0;
        return true;
    }
}

void To_Resbuf(const VarValue& value, resbuf* rb)
{
    rb->restype = value.type;
    switch (value.type) {
    case RTSHORT:
        rb->resval.rint = value.i;
        break;
    case RTREAL:
        rb->resval.rreal = value.r;
        break;
    case RTSTR:
        zcutNewString(value.s.c_str(), rb->resval.rstring);
        break;
    default:
        for (int k = 0; k < 3; ++k)
            rb->resval.rpoint[k] = value.pt[k];
        break;
    }
}

}  // namespace

int Set_Var_By_Host(const wchar_t* sym, const resbuf* val)
{
    SysvarStore& store = Store();
    int index = store.find(sym);
    if (index < 0)
        return RTERROR;
    const VarDef& def = store.defs[index];
    VarValue value;
    if (!To_Value(def, val, value))
        return RTERROR;
    if (def.set)
        return def.set(value) ? RTNORM : RTERROR;
    store.values[index] = value;
    return RTNORM;
}

std::wstring Sysvar_Names()
{
    std::wstring names;
    for (const VarDef& def : Store().defs)
        names += (names.empty() ? L"" : L" ") + def.name;
    return names;
}

void Reset_System_Variables() { Store().reset(); }

}  // namespace platform

int zcedGetVar(const wchar_t* sym, resbuf* result)
{
    using namespace platform;
    SysvarStore& store = Store();
    int index = store.find(sym);
    if (index < 0 || result == nullptr)
        return RTERROR;
    const VarDef& def = store.defs[index];
    To_Resbuf(def.get ? def.get() : store.values[index], result);
    return RTNORM;
}

int zcedSetVar(const wchar_t* sym, const resbuf* val)
{
    using namespace platform;
    SysvarStore& store = Store();
    int index = store.find(sym);
    if (index < 0 || store.defs[index].readOnly)
        return RTERROR;
    const VarDef& def = store.defs[index];
    const wchar_t* name = def.name.c_str();
    Notify_Editor([&](ZcEditorReactor* r) { r->sysVarWillChange(name); });
    int status = Set_Var_By_Host(name, val);
    Notify_Editor([&](ZcEditorReactor* r) { r->sysVarChanged(name, status == RTNORM); });
    return status;
}
