#include "signstamp/sign_authorisation.h"

#include <functional>
#include <vector>

#include "core/space_helpers.h"
#include "db/dbmain.h"
#include "db/dbsymtb.h"
#include "ed/host_window.h"
#include "mfc/afxwin.h"
#include "signstamp/dlg_sign_cer.h"
#include "signstamp/kv_sign_class.h"
#include "signstamp/sign_dates.h"
#include "signstamp/sign_library.h"
#include "ui/module_resources.h"

namespace {

constexpr const wchar_t* Run_Caption = L"Korvel签名授权";

// Calls visit for every signature of the working drawing, opened for reading, until it
// returns false.
void For_Each_Signature(const std::function<bool(KV_Sign_Class*)>& visit)
{
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    ZcDbBlockTable* table = nullptr;
    if (db == nullptr || db->getBlockTable(table, ZcDb::kForRead) != Zcad::eOk)
        return;
    std::vector<ZcDbObjectId> blocks;
    ZcDbBlockTableIterator* blocks_it = nullptr;
    if (table->newIterator(blocks_it) == Zcad::eOk && blocks_it != nullptr) {
        for (blocks_it->start(); !blocks_it->done(); blocks_it->step()) {
            ZcDbObjectId id;
            if (blocks_it->getRecordId(id) == Zcad::eOk)
                blocks.push_back(id);
        }
        delete blocks_it;
    }
    table->close();

    bool go_on = true;
    for (const ZcDbObjectId& block_id : blocks) {
        ZcDbBlockTableRecord* block = nullptr;
        if (zcdbOpenObject(block, block_id, ZcDb::kForRead) != Zcad::eOk)
            continue;
        ZcDbBlockTableRecordIterator* it = nullptr;
        if (block->newIterator(it) == Zcad::eOk && it != nullptr) {
            for (; go_on && !it->done(); it->step()) {
                ZcDbEntity* entity = nullptr;
                if (it->getEntity(entity, ZcDb::kForRead) != Zcad::eOk || entity == nullptr)
                    continue;
                if (KV_Sign_Class* sign = KV_Sign_Class::cast(entity))
                    go_on = visit(sign);
                entity->close();
            }
            delete it;
        }
        block->close();
        if (!go_on)
            return;
    }
}

}  // namespace

bool Collect_Drawing_Signatures(ZcDbObjectIdArray& ids, ZcArray<int32_t>& person_nos, ZcArray<CString>& names,
                                ZcArray<int32_t>& days_left)
{
    ids.removeAll();
    person_nos.removeAll();
    names.removeAll();
    days_left.removeAll();
    For_Each_Signature([&](KV_Sign_Class* sign) {
        sign->Validate();
        ids.append(sign->objectId());
        const int32_t days = sign->Days_Left();
        const int index = person_nos.find(sign->Person_No());
        if (index < 0) {
            person_nos.append(sign->Person_No());
            names.append(sign->Name());
            days_left.append(days);
        } else if (days < days_left[index]) {
            days_left[index] = days;
        }
        return true;
    });
    return !ids.isEmpty();
}

bool Has_Unauthorized_Signature()
{
    bool found = false;
    For_Each_Signature([&](KV_Sign_Class* sign) {
        sign->Validate();
        found = !sign->Code_Ok() || !sign->Date_Ok();
        return !found;
    });
    return found;
}

bool Apply_Sign_Authorisation(const ZcDbObjectIdArray& ids, const Dlg_SignCer& dialog)
{
    const int32_t today = Today_Date_Stamp();
    bool all_opened = true;
    for (int i = 0; i < ids.length(); ++i) {
        ZcDbEntity* entity = nullptr;
        if (zcdbOpenObject(entity, ids[i], ZcDb::kForWrite) != Zcad::eOk || entity == nullptr) {
            all_opened = false;
            continue;
        }
        KV_Sign_Class* sign = KV_Sign_Class::cast(entity);
        const KV_Sign* record = sign != nullptr ? dialog.Find_Sign(sign->Person_No()) : nullptr;
        if (record != nullptr && dialog.Was_Confirmed(record->Person_No)) {
            const int32_t days = record->Authorised_Days;
            if (days > 0)
                sign->Set_Authorisation(record->Code, today, Date_Stamp_After_Days(days - 1));
            else
                sign->Set_Authorisation(0, 0, 0);
        }
        entity->close();
    }
    return all_opened;
}

void Run_Sign_Authorisation()
{
    ZcDbObjectIdArray ids;
    ZcArray<int32_t> person_nos;
    ZcArray<CString> names;
    ZcArray<int32_t> days_left;
    if (!Collect_Drawing_Signatures(ids, person_nos, names, days_left)) {
        MessageBoxW(adsw_zcadMainWnd(), L"无签名需要授权 !", Run_Caption, MB_OK);
        return;
    }

    Module_Resource_Scope resources;
    Dlg_SignCer dialog(CWnd::FromHandle(adsw_zcadMainWnd()));
    for (int i = 0; i < person_nos.length(); ++i) {
        KV_Sign* record = g_Sign_Library.Find(person_nos[i]);
        if (record == nullptr) {
            dialog.Missing.push_back(names[i]);
        } else if (record->Code < 1) {
            dialog.Uncoded.push_back(record);
        } else {
            record->Authorised_Days = days_left[i];
            dialog.Coded.push_back(record);
        }
    }
    Sort_Signs_By_Name(dialog.Coded);
    Sort_Signs_By_Name(dialog.Uncoded);
    dialog.DoModal();
    if (dialog.Changed != 1)
        return;

    ++g_Sign_Lib_Generation;
    const bool all_opened = Apply_Sign_Authorisation(ids, dialog);
    Update_Screen();
    if (!all_opened)
        MessageBoxW(adsw_zcadMainWnd(), L"有签名在锁定层上，可能会造成授权失败 !", Run_Caption, MB_OK);
}
