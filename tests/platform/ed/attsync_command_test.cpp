// The host command ATTSYNC: references of a block get the attributes of its definitions.
#include <map>
#include <memory>

#include "db/dbblkref.h"
#include "db/dbobjiter.h"
#include "db/dbsymtb.h"
#include "db/dbtext.h"
#include "ed/command_line.h"
#include "ed_fixture.h"

namespace {

class Attsync_Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::Reset_Host_For_Tests();
        platform::CommandLine::instance().set_echo_to_stdout(false);
        ASSERT_TRUE(session.open(L""));
    }
    void TearDown() override
    {
        platform::Reset_Host_For_Tests();
        platform::CommandLine::instance().set_echo_to_stdout(true);
    }
    static ZcDbDatabase* Db() { return zcdbHostApplicationServices()->workingDatabase(); }
    static std::wstring Output() { return platform::CommandLine::instance().text(); }

    // Block "SIGN": attribute definitions NAME (default "?") at 0,0 and DATE ("2026") at
    // 0,-10, and a constant KIND, which references do not get.
    static ZcDbObjectId Make_Block()
    {
        ZcDbBlockTable* table = nullptr;
        Db()->getBlockTable(table, ZcDb::kForWrite);
        auto* block = new ZcDbBlockTableRecord();
        block->setName(L"SIGN");
        ZcDbObjectId id;
        table->add(id, block);
        table->close();
        auto add = [block](ZcDbAttributeDefinition* definition) {
            block->appendZcDbEntity(definition);
            definition->close();
        };
        add(new ZcDbAttributeDefinition(ZcGePoint3d(0, 0, 0), L"?", L"NAME", L"Name"));
        add(new ZcDbAttributeDefinition(ZcGePoint3d(0, -10, 0), L"2026", L"DATE", L"Date"));
        auto* constant = new ZcDbAttributeDefinition(ZcGePoint3d(0, -20, 0), L"SEAL", L"KIND", L"Kind");
        constant->setConstant(true);
        add(constant);
        block->close();
        return id;
    }
    // A reference at x, 0 holding the attributes given (tag, value).
    static ZcDbObjectId Make_Reference(ZcDbObjectId block_id, double x,
                                       std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> attributes)
    {
        ZcDbBlockTableRecord* model = nullptr;
        zcdbOpenObject(model, Db()->modelSpaceId(), ZcDb::kForWrite);
        auto* reference = new ZcDbBlockReference(ZcGePoint3d(x, 0, 0), block_id);
        ZcDbObjectId id;
        model->appendZcDbEntity(id, reference);
        model->close();
        for (const auto& [tag, value] : attributes) {
            auto* attribute = new ZcDbAttribute(ZcGePoint3d(x + 50, 50, 0), value, tag);
            reference->appendAttribute(attribute);
            attribute->close();
        }
        reference->close();
        return id;
    }
    // tag -> (value, position) of the reference's attributes, and their count.
    static std::map<std::wstring, std::pair<std::wstring, ZcGePoint3d>> Attributes(ZcDbObjectId reference_id,
                                                                                  int& count)
    {
        std::map<std::wstring, std::pair<std::wstring, ZcGePoint3d>> found;
        ZcDbObjectPointer<ZcDbBlockReference> reference(reference_id, ZcDb::kForRead);
        std::unique_ptr<ZcDbObjectIterator> it(reference->attributeIterator());
        count = 0;
        for (it->start(); !it->done(); it->step()) {
            ZcDbObjectPointer<ZcDbAttribute> attribute(it->objectId(), ZcDb::kForRead);
            if (attribute.openStatus() != Zcad::eOk)
                continue;
            ++count;
            found[attribute->tagConst()] = {attribute->textStringConst(), attribute->position()};
        }
        return found;
    }

    platform::HostSession session;
};

TEST_F(Attsync_Test, References_Get_The_Defined_Attributes_Keeping_Entered_Values)
{
    const ZcDbObjectId block_id = Make_Block();
    const ZcDbObjectId filled = Make_Reference(block_id, 100, {{L"name", L"ZHANG"}, {L"OLD", L"x"}});
    const ZcDbObjectId empty = Make_Reference(block_id, 300, {});
    platform::ScriptInput::instance().push_text(std::string_view(
        "command _ATTSYNC\nanswer \"Name\"\nanswer \"SIGN\"\ncommand ATTSYNC\nanswer \"Name\"\nanswer \"NONE\"\n"));
    EXPECT_EQ(session.run_script(), 0) << session.error();
    EXPECT_NE(Output().find(L"ATTSYNC block SIGN: 2 references synchronized."), std::wstring::npos) << Output();
    EXPECT_NE(Output().find(L"Block NONE not found."), std::wstring::npos) << Output();

    int count = 0;
    auto attributes = Attributes(filled, count);
    EXPECT_EQ(count, 2);  // NAME and DATE; OLD is gone, the constant KIND is none
    EXPECT_EQ(attributes[L"NAME"].first, L"ZHANG");
    EXPECT_EQ(attributes[L"DATE"].first, L"2026");
    EXPECT_TRUE(attributes[L"DATE"].second.isEqualTo(ZcGePoint3d(100, -10, 0)));

    attributes = Attributes(empty, count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(attributes[L"NAME"].first, L"?");
    EXPECT_TRUE(attributes[L"NAME"].second.isEqualTo(ZcGePoint3d(300, 0, 0)));
}

}  // namespace
