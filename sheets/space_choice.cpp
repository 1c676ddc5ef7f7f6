#include "sheets/space_choice.h"

#include "core/detection_feedback.h"
#include "core/space_helpers.h"
#include "db/dbdatabase.h"
#include "db/dbdict.h"
#include "db/dblayout.h"
#include "db/dbsymtb.h"

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

int Choose_Spaces(Detection_Feedback& feedback)
{
    if (Is_Paper_Space()) {
        static constexpr const wchar_t* Paper_Items[] = {L"模型空间", L"所有布局", L"模型+布局", L"当前布局"};
        return feedback.Choose(L"自动遍历", Paper_Items, 3);
    }
    static constexpr const wchar_t* Model_Items[] = {L"当前模型", L"所有布局", L"模型+布局"};
    return feedback.Choose(L"自动遍历", Model_Items, 0);
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
