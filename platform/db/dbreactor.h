// ZcDbDatabaseReactor: notifications about the objects of a database.
#pragma once
#include "rx/rxobject.h"

class ZcDbDatabase;
class ZcDbObject;

class ZcDbDatabaseReactor : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbDatabaseReactor);
    ~ZcDbDatabaseReactor() override = default;

    virtual void objectAppended(const ZcDbDatabase* dwg, const ZcDbObject* dbObj) {}
    virtual void objectUnAppended(const ZcDbDatabase* dwg, const ZcDbObject* dbObj) {}
    virtual void objectReAppended(const ZcDbDatabase* dwg, const ZcDbObject* dbObj) {}
    virtual void objectOpenedForModify(const ZcDbDatabase* dwg, const ZcDbObject* dbObj) {}
    virtual void objectModified(const ZcDbDatabase* dwg, const ZcDbObject* dbObj) {}
    // erased is true for an erasure, false for an unerasure.
    virtual void objectErased(const ZcDbDatabase* dwg, const ZcDbObject* dbObj, bool erased = true) {}
    virtual void headerSysVarWillChange(const ZcDbDatabase* dwg, const wchar_t* name) {}
    virtual void headerSysVarChanged(const ZcDbDatabase* dwg, const wchar_t* name, bool bSuccess) {}
    virtual void databaseToBeDestroyed(ZcDbDatabase* dwg) {}
    virtual void goodbye(const ZcDbDatabase* dwg) {}
};
