#include "db/db_internal.h"
#include "db/dbobjiter.h"

ZcDbObjectIterator::ZcDbObjectIterator(std::vector<ZcDbObjectId> ids, std::vector<ZcDbEntity*> entities)
    : mIds(std::move(ids)), mEntities(std::move(entities))
{
    if (mIds.size() < mEntities.size()) mIds.resize(mEntities.size());
    skipErased(false);
}

void ZcDbObjectIterator::skipErased(bool backwards)
{
    while (!done() && mIds[size_t(mIndex)].isErased()) mIndex += backwards ? -1 : 1;
}

void ZcDbObjectIterator::start(bool atEnd)
{
    mIndex = atEnd ? int(mIds.size()) - 1 : 0;
    skipErased(atEnd);
}

bool ZcDbObjectIterator::done() const { return mIndex < 0 || mIndex >= int(mIds.size()); }

void ZcDbObjectIterator::step(bool backwards, bool skipDeleted)
{
    if (done()) return;
    mIndex += backwards ? -1 : 1;
    if (skipDeleted) skipErased(backwards);
}

ZcDbObjectId ZcDbObjectIterator::objectId() const { return done() ? ZcDbObjectId() : mIds[size_t(mIndex)]; }

ZcDbEntity* ZcDbObjectIterator::entity() const
{
    if (done()) return nullptr;
    if (size_t(mIndex) < mEntities.size() && mEntities[size_t(mIndex)]) return mEntities[size_t(mIndex)];
    return ZcDbEntity::cast(platform::Peek_Object(mIds[size_t(mIndex)]));
}

bool ZcDbObjectIterator::seek(ZcDbObjectId id)
{
    for (size_t i = 0; i < mIds.size(); ++i)
        if (mIds[i] == id) {
            mIndex = int(i);
            return true;
        }
    return false;
}
