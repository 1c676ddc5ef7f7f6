#include "ed_fixture.h"

#include "db/dbsymtb.h"
#include "ed/command_line.h"

namespace ed_test {

namespace {

constexpr int kSlots = 24;

std::function<void()>& Slot(int n)
{
    static std::function<void()> slots[kSlots];
    return slots[n];
}

int& Next_Slot()
{
    static int next = 0;
    return next;
}

template <int N>
void Call_Slot()
{
    Slot(N)();
}

template <int... N>
ZcRxFunctionPtr Slot_Function(int n, std::integer_sequence<int, N...>)
{
    static const ZcRxFunctionPtr functions[] = {&Call_Slot<N>...};
    return functions[n];
}

}  // namespace

ZcRxFunctionPtr Function_For(std::function<void()> body)
{
    int n = Next_Slot()++ % kSlots;
    Slot(n) = std::move(body);
    return Slot_Function(n, std::make_integer_sequence<int, kSlots>());
}

Zcad::ErrorStatus Add_Command(const wchar_t* name, std::function<void()> body, const wchar_t* group,
                              const wchar_t* localName)
{
    return zcedRegCmds->addCommand(group, name, localName != nullptr ? localName : name,
                                   ZCRX_CMD_MODAL, Function_For(std::move(body)));
}

void EdTest::SetUp()
{
    platform::Reset_Host_For_Tests();
    platform::CommandLine::instance().set_echo_to_stdout(false);
    doc = platform::Add_Document(new ZcDbDatabase(true, false), true, L"C:\\work\\plan.dxf");
}

void EdTest::TearDown()
{
    platform::Reset_Host_For_Tests();
    platform::CommandLine::instance().set_echo_to_stdout(true);
}

std::wstring EdTest::Output() const { return platform::CommandLine::instance().text(); }

ZcDbObjectId EdTest::Append(ZcDbEntity* entity, ZcDbObjectId block)
{
    if (block.isNull())
        block = Db()->modelSpaceId();
    ZcDbObjectPointer<ZcDbBlockTableRecord> record(block, ZcDb::kForWrite);
    ZcDbObjectId id;
    EXPECT_EQ(record.openStatus(), Zcad::eOk);
    EXPECT_EQ(record->appendZcDbEntity(id, entity), Zcad::eOk);
    entity->close();
    return id;
}

}  // namespace ed_test
