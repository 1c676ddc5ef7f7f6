// Dimension style records: the name and the kept groups.
#include "db/db_internal.h"
#include "db/dbsymtb.h"
#include "db/raw_groups.h"

ZCRX_CONS_DEFINE_MEMBERS(ZcDbDimStyleTableRecord, ZcDbSymbolTableRecord, 0)

Zcad::ErrorStatus ZcDbDimStyleTableRecord::setKeptGroups(std::vector<ZcDbDimStyleGroup> groups)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mGroups = std::move(groups);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDimStyleTableRecord::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbSymbolTableRecord::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    uint64_t count = 0;
    es = f->readUInt64(&count);
    mGroups.clear();
    for (uint64_t i = 0; es == Zcad::eOk && i < count; ++i) {
        ZcDbDimStyleGroup g;
        es = f->readInt16(&g.code);
        if (es == Zcad::eOk) es = platform::Bytes_In(f, g.value);
        ZcDbHardPointerId id;
        if (es == Zcad::eOk) es = f->readHardPointerId(&id);
        g.id = id;
        mGroups.push_back(std::move(g));
    }
    return es != Zcad::eOk ? es : f->filerStatus();
}

Zcad::ErrorStatus ZcDbDimStyleTableRecord::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbSymbolTableRecord::dwgOutFields(f);
    f->writeUInt64(mGroups.size());
    for (const ZcDbDimStyleGroup& g : mGroups) {
        f->writeInt16(g.code);
        platform::Bytes_Out(f, g.value);
        f->writeHardPointerId(g.id);
    }
    return f->filerStatus();
}
