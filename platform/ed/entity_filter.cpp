#include "ed/entity_filter.h"

#include <cwctype>
#include <memory>
#include <optional>

#include "db/dblayout.h"
#include "db/dbmain.h"
#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "ed/names.h"
#include "rx/rxclass.h"

namespace platform {

namespace {

// The properties of one entity the filter compares.
struct EntityFacts {
    std::wstring type;
    std::wstring layer;
    std::wstring linetype;
    std::wstring blockName;  // block references only
    int color = 256;
    int space = 0;           // 0 model, 1 paper
    std::wstring layout;
};

std::wstring Record_Name(ZcDbObjectId id)
{
    ZcDbObjectPointer<ZcDbSymbolTableRecord> record(id, ZcDb::kForRead);
    std::wstring name;
    if (record.openStatus() == Zcad::eOk)
        record->getName(name);
    return name;
}

std::optional<EntityFacts> Gather(ZcDbObjectId id)
{
    ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
    if (entity.openStatus() != Zcad::eOk)
        return std::nullopt;
    EntityFacts facts;
    facts.type = Upper(entity->isA()->dxfName());
    facts.layer = Record_Name(entity->layerId());
    facts.linetype = Record_Name(entity->linetypeId());
    facts.color = entity->colorIndex();
    if (ZcDbBlockReference* ref = ZcDbBlockReference::cast(entity.object()))
        facts.blockName = Record_Name(ref->blockTableRecord());
    ZcDbObjectPointer<ZcDbBlockTableRecord> owner(entity->ownerId(), ZcDb::kForRead);
    if (owner.openStatus() == Zcad::eOk) {
        ZcDbDatabase* db = entity->database();
        facts.space = (db != nullptr && owner->objectId() == db->modelSpaceId()) ? 0 : 1;
        ZcDbObjectPointer<ZcDbLayout> layout(owner->getLayoutId(), ZcDb::kForRead);
        if (layout.openStatus() == Zcad::eOk)
            layout->getName(facts.layout);
    }
    return facts;
}

bool Compare_Number(const std::wstring& op, int value, int wanted)
{
    if (op.empty() || op == L"=")
        return value == wanted;
    if (op == L"!=" || op == L"/=" || op == L"<>")
        return value != wanted;
    if (op == L"<")
        return value < wanted;
    if (op == L"<=")
        return value <= wanted;
    if (op == L">")
        return value > wanted;
    if (op == L">=")
        return value >= wanted;
    if (op == L"*")
        return true;
    if (op == L"&")
        return (value & wanted) != 0;
    if (op == L"&=")
        return (value & wanted) == wanted;
    return false;
}

bool Compare_Text(const std::wstring& op, const std::wstring& value, const resbuf* item)
{
    const wchar_t* pattern = item->resval.rstring != nullptr ? item->resval.rstring : L"";
    if (op == L"*")
        return true;
    bool match = Wild_Match(pattern, value);
    if (op == L"!=" || op == L"/=" || op == L"<>")
        return !match;
    return (op.empty() || op == L"=") && match;
}

bool Test_Item(const EntityFacts& facts, const std::wstring& op, const resbuf* item)
{
    switch (item->restype) {
    case 0:
    case RTDXF0:
        return Compare_Text(op, facts.type, item);
    case 8:
        return Compare_Text(op, facts.layer, item);
    case 6:
        return Compare_Text(op, facts.linetype, item);
    case 2:
        return !facts.blockName.empty() && Compare_Text(op, facts.blockName, item);
    case 410:
        return !facts.layout.empty() && Compare_Text(op, facts.layout, item);
    case 62:
        return Compare_Number(op, facts.color, item->resval.rint);
    case 67:
        return Compare_Number(op, facts.space, item->resval.rint);
    default:
        return false;
    }
}

std::wstring Operator_Of(const resbuf* rb)
{
    return rb != nullptr && rb->restype == -4 && rb->resval.rstring != nullptr
               ? Upper(rb->resval.rstring)
               : std::wstring();
}

bool Is_Group_Open(const std::wstring& op)
{
    return op == L"<AND" || op == L"<OR" || op == L"<XOR" || op == L"<NOT";
}

// Evaluates one operand at rb (an item, a relational operator and its item, or a group)
// and moves rb past it. Sets bad on a malformed list.
bool Eval_Operand(const EntityFacts& facts, const resbuf*& rb, bool& bad);

// Operands up to the closing operator of a group opened by open ("<OR" -> "OR>").
bool Eval_Group(const EntityFacts& facts, const std::wstring& open, const resbuf*& rb, bool& bad)
{
    const std::wstring close = open.substr(1) + L">";
    int count = 0;
    int passed = 0;
    while (rb != nullptr && Operator_Of(rb) != close) {
        if (Eval_Operand(facts, rb, bad))
            ++passed;
        ++count;
        if (bad)
            return false;
    }
    if (rb == nullptr) {
        bad = true;
        return false;
    }
    rb = rb->rbnext;  // the closing operator
    if (open == L"<AND")
        return passed == count;
    if (open == L"<OR")
        return passed > 0;
    if (open == L"<XOR") {
        if (count != 2)
            bad = true;
        return passed == 1;
    }
    if (count != 1)
        bad = true;
    return passed == 0;  // <NOT
}

bool Eval_Operand(const EntityFacts& facts, const resbuf*& rb, bool& bad)
{
    std::wstring op = Operator_Of(rb);
    if (Is_Group_Open(op)) {
        rb = rb->rbnext;
        return Eval_Group(facts, op, rb, bad);
    }
    if (rb->restype == -4) {  // relational operator for the next item
        rb = rb->rbnext;
        if (rb == nullptr || rb->restype == -4) {
            bad = true;
            return false;
        }
    } else {
        op.clear();
    }
    const resbuf* item = rb;
    rb = rb->rbnext;
    return Test_Item(facts, op, item);
}

}  // namespace

bool Entity_Passes_Filter(ZcDbObjectId entityId, const resbuf* filter)
{
    std::optional<EntityFacts> facts = Gather(entityId);
    if (!facts)
        return false;
    bool bad = false;
    const resbuf* rb = filter;
    while (rb != nullptr) {
        if (!Eval_Operand(*facts, rb, bad) || bad)
            return false;
    }
    return true;
}

std::wstring Entity_Type_Name(ZcDbObjectId entityId)
{
    std::optional<EntityFacts> facts = Gather(entityId);
    return facts ? facts->type : std::wstring();
}

}  // namespace platform
