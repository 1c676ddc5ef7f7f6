#include "sheets/space_choice.h"

#include "core/space_helpers.h"
#include "db/dbdatabase.h"
#include "db/dbdict.h"
#include "db/dblayout.h"
#include "db/dbsymtb.h"
#include "ui/dlg_options.h"
#include "ui/module_resources.h"

void Layout_Spaces_In_Tab_Order(ZcDbObjectIdArray& spaces)
{
    spaces.removeAll();
    ZcDbDictionary* layouts = nullptr;
    if (zcdbHostApplicationServices()->workingDatabase()->getLayoutDictionary(layouts, ZcDb::kForRead) != Zcad::eOk || layouts == nullptr)
        return;
    ZcArray<int> orders;
    ZcDbDictionaryIterator* iterator = layouts->newIterator();
    for (; iterator != nullptr && !iterator->done(); iterator->next()) {
        ZcDbObjectPointer<ZcDbLayout> layout(iterator->objectId(), ZcDb::kForRead);
        if (layout.openStatus() != Zcad::eOk)
            continue;
        const int order = layout->getTabOrder();
        int at = 0;
        while (at < orders.length() && orders[at] <= order)
            ++at;
        orders.insertAt(at, order);
        spaces.insertAt(at, layout->getBlockTableRecordId());
    }
    delete iterator;
    layouts->close();
}

ZcDbObjectId Model_Space_Id()
{
    ZcDbObjectId id;
    ZcDbBlockTable* table = nullptr;
    if (zcdbHostApplicationServices()->workingDatabase()->getBlockTable(table, ZcDb::kForRead) == Zcad::eOk && table != nullptr) {
        table->getAt(L"*Model_Space", id);
        table->close();
    }
    return id;
}

ZcDbObjectId Current_Space_Id()
{
    ZcDbObjectId id;
    if (ZcDbBlockTableRecord* record = Get_Current_Space_Record(zcdbHostApplicationServices()->workingDatabase(), false)) {
        id = record->objectId();
        record->close();
    }
    return id;
}

int Choose_Spaces()
{
    Module_Resource_Scope resources;
    Dlg_Options chooser(AfxGetMainWnd());
    chooser.Title = L"自动遍历";
    chooser.Item_Width = 120;
    chooser.Extra_Columns = 0;
    if (Is_Paper_Space()) {
        for (const wchar_t* item : {L"模型空间", L"所有布局", L"模型+布局", L"当前布局"})
            chooser.Items.Add(item);
        chooser.Choice = 3;
    } else {
        for (const wchar_t* item : {L"当前模型", L"所有布局", L"模型+布局"})
            chooser.Items.Add(item);
        chooser.Choice = 0;
    }
    if (chooser.DoModal() != IDOK)
        return -1;
    return chooser.Choice;
}

void Spaces_Of_Choice(int choice, ZcDbObjectId current_space, ZcDbObjectIdArray& spaces)
{
    spaces.removeAll();
    const ZcDbObjectId model_space = Model_Space_Id();
    if (choice == 0) {
        spaces.append(model_space);
    } else if (choice == 1 || choice == 2) {
        Layout_Spaces_In_Tab_Order(spaces);
        if (choice == 1)
            spaces.remove(model_space);
    } else {
        spaces.append(current_space);
    }
}
