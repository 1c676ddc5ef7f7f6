// ZcDbObjectIterator: walks the sub-entities an entity owns (block attributes, polyline vertices).
#pragma once
#include <vector>

#include "db/dbmain.h"

class ZcDbObjectIterator {
public:
    explicit ZcDbObjectIterator(std::vector<ZcDbObjectId> ids, std::vector<ZcDbEntity*> entities = {});
    virtual ~ZcDbObjectIterator() = default;
    void start(bool atEnd = false);
    bool done() const;
    void step(bool backwards = false, bool skipDeleted = true);
    // The current sub-entity's id (null for a sub-entity of an object not in a database).
    ZcDbObjectId objectId() const;
    // The current sub-entity (not opened by the iterator).
    ZcDbEntity* entity() const;
    bool seek(ZcDbObjectId id);

private:
    void skipErased(bool backwards);
    std::vector<ZcDbObjectId> mIds;
    std::vector<ZcDbEntity*> mEntities;
    int mIndex = 0;
};
