// A drawing for the drafting tools: texts, multiline texts and block references whose
// definition holds a line through the attributes, so that a pick on the line is a pick
// inside the attributes' boxes; the module loaded with its resource script, and the script
// fed step by step.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/space_helpers.h"
#include "core_fixture.h"
#include "db/dbblkref.h"
#include "db/dbents.h"
#include "db/dbmtext.h"
#include "db/dbobjiter.h"
#include "db/dbsymtb.h"
#include "db/dbtext.h"
#include "drawing_builders.h"
#include "mfc/afxstr.h"
#include "mfc/afxdll.h"
#include "mfc/message_queue.h"
#include "mfc/rc/resource_script.h"
#include "res/resource_script.h"
#include "script/script_input.h"

class Drafting_Test : public Core_Test {
public:
    void SetUp() override
    {
        Core_Test::SetUp();
        Load_Module();
        platform::Clear_Message_Queue();
        std::string error;
        ASSERT_TRUE(platform::Register_Resource_Script(AfxGetResourceHandle(), Resource_Script_Path(), &error))
            << error;
    }
    void TearDown() override
    {
        platform::Unregister_Resource_Script(AfxGetResourceHandle());
        platform::Clear_Message_Queue();
        Core_Test::TearDown();
    }

    static void Script(const std::string& steps) { platform::ScriptInput::instance().push_text(steps); }

    static ZcDbObjectId Append(ZcDbEntity* entity)
    {
        ZcDbObjectId id;
        Append_Entity(id, entity, Keep_Color, true, ZcDbObjectId(), ZcDbObjectId());
        return id;
    }
    static ZcDbObjectId Add_Text(double x, double y, const wchar_t* text)
    {
        return Append(new ZcDbText(ZcGePoint3d(x, y, 0), text, ZcDbObjectId(), 5.0, 0.0));
    }
    // Attached top left at (x, y).
    static ZcDbObjectId Add_MText(double x, double y, const wchar_t* contents)
    {
        auto* mtext = new ZcDbMText();
        mtext->setLocation(ZcGePoint3d(x, y, 0));
        mtext->setTextHeight(5.0);
        mtext->setWidth(60.0);
        mtext->setContents(contents);
        return Append(mtext);
    }

    struct Card_Attribute {
        const wchar_t* tag;
        const wchar_t* text;
        double dx = 0;           // from the reference's position
        bool hidden = false;     // not visible
        bool multi_line = false;
    };
    // A reference of a definition holding the line (0, 2)-(60, 2), with the attributes.
    ZcDbObjectId Add_Card(double x, double y, const std::vector<Card_Attribute>& attributes)
    {
        if (m_Card.isNull()) {
            ZcDbBlockTable* blocks = nullptr;
            EXPECT_EQ(Db()->getBlockTable(blocks, ZcDb::kForWrite), Zcad::eOk);
            auto* definition = new ZcDbBlockTableRecord();
            definition->setName(L"CARD");
            blocks->add(m_Card, definition);
            definition->appendZcDbEntity(new ZcDbLine(ZcGePoint3d(0, 2, 0), ZcGePoint3d(60, 2, 0)));
            definition->close();
            blocks->close();
        }
        auto* reference = new ZcDbBlockReference(ZcGePoint3d(x, y, 0), m_Card);
        ZcDbObjectId id;
        Append_Entity(id, reference, Keep_Color, false, ZcDbObjectId(), ZcDbObjectId());
        for (const Card_Attribute& item : attributes) {
            auto* attribute = new ZcDbAttribute(ZcGePoint3d(x + item.dx, y, 0), item.text, item.tag);
            attribute->setHeight(5.0);
            if (item.multi_line) {
                ZcDbMText mtext;
                mtext.setLocation(ZcGePoint3d(x + item.dx, y + 5, 0));
                mtext.setTextHeight(5.0);
                mtext.setContents(item.text);
                attribute->setMTextAttribute(&mtext);
            }
            reference->appendAttribute(attribute);  // takes the reference's properties
            if (item.hidden)
                attribute->setVisibility(ZcDb::kInvisible);
            attribute->close();
        }
        reference->close();
        return id;
    }

    // "TAG=text" for each attribute in order (multi-line ones their contents).
    static std::vector<std::wstring> Attributes(ZcDbObjectId reference_id)
    {
        std::vector<std::wstring> found;
        ZcDbObjectPointer<ZcDbBlockReference> reference(reference_id, ZcDb::kForRead);
        std::unique_ptr<ZcDbObjectIterator> it(reference->attributeIterator());
        for (it->start(); !it->done(); it->step()) {
            ZcDbObjectPointer<ZcDbAttribute> attribute(it->objectId(), ZcDb::kForRead);
            std::wstring text = attribute->textStringConst();
            if (attribute->isMTextAttribute()) {
                std::unique_ptr<ZcDbMText> mtext(attribute->getMTextAttribute());
                text = mtext->contentsConst();
            }
            found.push_back(std::wstring(attribute->tagConst()) + L"=" + text);
        }
        return found;
    }
    static std::wstring Text_Of(ZcDbObjectId id)
    {
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
        if (const ZcDbMText* mtext = ZcDbMText::cast(entity.object()))
            return mtext->contentsConst();
        if (const ZcDbAttributeDefinition* definition = ZcDbAttributeDefinition::cast(entity.object()))
            return definition->tagConst();
        if (const ZcDbText* text = ZcDbText::cast(entity.object()))
            return text->textStringConst();
        return L"?";
    }

private:
    ZcDbObjectId m_Card;
};
