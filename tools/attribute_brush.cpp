#include "tools/attribute_brush.h"

#include <memory>

#include "core/command_context.h"
#include "core/command_handlers.h"
#include "core/hidden_layers.h"
#include "core/selection_helpers.h"
#include "db/dbmtext.h"
#include "db/dbobjiter.h"
#include "db/dbtext.h"
#include "ed/command_line.h"
#include "tools/dlg_prop_revise.h"
#include "ui/module_resources.h"

void Read_Block_Attributes(const ZcDbBlockReference* reference, std::vector<Attribute_Row>& rows)
{
    rows.clear();
    g_Hidden_Layers.Collect_Hidden_Layers();
    std::unique_ptr<ZcDbObjectIterator> it(reference->attributeIterator());
    for (it->start(); !it->done(); it->step()) {
        ZcDbObjectPointer<ZcDbAttribute> attribute(it->objectId(), ZcDb::kForRead);
        if (attribute.openStatus() != Zcad::eOk || !Is_Entity_Shown(attribute.object()))
            continue;
        Attribute_Row row;
        row.Tag = attribute->tagConst();
        if (attribute->isMTextAttribute()) {
            std::unique_ptr<ZcDbMText> mtext(attribute->getMTextAttribute());
            row.Value = mtext->contentsConst();
        } else {
            row.Value = attribute->textStringConst();
        }
        rows.push_back(row);
    }
}

void Brush_Block_Attributes()
{
    Command_Scope command;
    ZcDbObjectIdArray ids;
    if (!Select_By_Type(L"\n选择带属性图块（属性源）：", L"insert", ids, false, true))
        return;
    Module_Resource_Scope resources;
    Dlg_Prop_Revise dialog(nullptr);
    for (int i = 0; i < ids.length() && dialog.Rows.empty(); ++i) {
        ZcDbObjectPointer<ZcDbEntity> entity(ids[i], ZcDb::kForRead);
        if (entity.openStatus() != Zcad::eOk)
            continue;
        if (const ZcDbBlockReference* reference = ZcDbBlockReference::cast(entity.object()))
            Read_Block_Attributes(reference, dialog.Rows);
    }
    if (dialog.Rows.empty()) {
        zcutPrintf(L"\n未选择到带属性图块！！！");
        return;
    }
    dialog.DoModal();
}
