// The placed signature: validation against the library and the date window, drawing by
// authorisation and the plot switches, filing through copies and drawing files (also
// as a proxy while the classes are not registered), listing, transformation, extents.
#include <gtest/gtest.h>

#include "app/custom_classes.h"
#include "core_fixture.h"
#include "db/dbmain.h"
#include "db/dbproxy.h"
#include "db/dbsymtb.h"
#include "db/gi_recorder.h"
#include "ge/extents.h"
#include "ge/gemat3d.h"
#include "sign_test_support.h"
#include "signstamp/kv_sign_class.h"
#include "signstamp/sign_dates.h"
#include "signstamp/sign_plot_state.h"
#include "win/machine.h"

using namespace sign_test;

namespace {

// 2026-03-15 10:30 local time.
void Fix_Today()
{
    SYSTEMTIME time{};
    time.wYear = 2026;
    time.wMonth = 3;
    time.wDay = 15;
    time.wHour = 10;
    time.wMinute = 30;
    platform::Machine::instance().set_local_time(time);
}

class Sign_Entity_Test : public Core_Test {
protected:
    void SetUp() override
    {
        Core_Test::SetUp();
        Register_Custom_Classes();
        Fix_Today();
        g_Sign_Library.Clear();
        g_Show_Signatures = 1;
        g_Plot_Running = 0;
    }
    void TearDown() override
    {
        g_Show_Signatures = 1;
        g_Plot_Running = 0;
        g_Sign_Library.Clear();
        platform::Machine::instance().clear_local_time();
        Core_Test::TearDown();
    }

    // A signature of the library record (not in any drawing).
    static std::unique_ptr<KV_Sign_Class> Placed(const KV_Sign& sign)
    {
        ZcArray<int32_t> counts;
        ZcGePoint3dArray points;
        sign.To_Loops(counts, points);
        return std::make_unique<KV_Sign_Class>(sign.Person_No, sign.Name, counts, points);
    }
    // The record added to the library with that code.
    static KV_Sign& Library_Sign(int32_t person_no, int32_t code)
    {
        g_Sign_Library.Signs.push_back(Make_Sign(person_no, L"Li Ming", code));
        return *g_Sign_Library.Signs.back();
    }
    static ZcDbObjectId Add_To_Model_Space(ZcDbEntity* entity)
    {
        ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
        ZcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(zcdbOpenObject(space, db->modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
        ZcDbObjectId id;
        EXPECT_EQ(space->appendZcDbEntity(id, entity), Zcad::eOk);
        space->close();
        entity->close();
        return id;
    }
};

TEST_F(Sign_Entity_Test, Validation_Follows_The_Library_Code_And_The_Window)
{
    struct Case {
        const char* what;
        bool in_library;
        int32_t library_code, code, start, end;
        bool authorised;
        int32_t days;
    };
    for (const Case& c : {
             Case{"no code needed", true, 0, 0, -1, -1, true, 0},
             Case{"no code needed, any window", true, 0, 77, 20200101, 20200102, true, 0},
             Case{"code and window", true, 1234, 1234, 20260310, 20260324, true, 10},
             Case{"window ends today", true, 1234, 1234, 20260315, 20260315, true, 1},
             Case{"window starts tomorrow", true, 1234, 1234, 20260316, 20260320, false, 0},
             Case{"window ended yesterday", true, 1234, 1234, 20260301, 20260314, false, 0},
             Case{"end date no calendar date", true, 1234, 1234, 20260301, 20261399, false, 0},
             Case{"other code", true, 1234, 4321, 20260310, 20260324, false, 0},
             Case{"no code yet", true, 1234, 0, -1, -1, false, 0},
             Case{"signer missing", false, 1234, 1234, 20260310, 20260324, false, 0},
         }) {
        SCOPED_TRACE(c.what);
        g_Sign_Library.Clear();
        auto record = Make_Sign(7, L"Li", c.library_code);
        auto sign = Placed(*record);
        if (c.in_library)
            g_Sign_Library.Signs.push_back(std::move(record));
        sign->Set_Authorisation(c.code, c.start, c.end);
        EXPECT_EQ(sign->Validate(), c.authorised);
        EXPECT_EQ(sign->Code_Ok() && sign->Date_Ok(), c.authorised);
        EXPECT_EQ(sign->Days_Left(), c.days);
    }
}

TEST_F(Sign_Entity_Test, Draws_Filled_Dashed_Or_Nothing_By_Authorisation_And_Switches)
{
    KV_Sign& coded = Library_Sign(1, 500);
    auto authorised = Placed(coded);
    authorised->Set_Authorisation(500, 20260315, 20260315);
    auto unauthorised = Placed(coded);
    ASSERT_TRUE(authorised->Validate());
    ASSERT_FALSE(unauthorised->Validate());

    struct Case {
        int show, running;
        bool authorised_filled;
        size_t unauthorised_segments;
    };
    for (const Case& c : {Case{1, 0, true, 2}, Case{1, 1, true, 0}, Case{0, 1, false, 0}, Case{0, 0, false, 0}}) {
        SCOPED_TRACE(testing::Message() << "show " << c.show << " running " << c.running);
        g_Show_Signatures = c.show;
        g_Plot_Running = c.running;
        platform::GiRecorder filled;
        filled.run(authorised.get());
        const auto areas = filled.ofKind(platform::Gi_Record::kPolyPolygon);
        ASSERT_EQ(areas.size(), c.authorised_filled ? 1u : 0u);
        EXPECT_EQ(filled.records().size(), areas.size());
        if (c.authorised_filled) {
            EXPECT_EQ(areas[0].loopSizes, (std::vector<uint32_t>{4, 4}));
            EXPECT_EQ(areas[0].fillType, kZcGiFillAlways);
        }
        platform::GiRecorder dashed;
        dashed.run(unauthorised.get());
        EXPECT_EQ(dashed.ofKind(platform::Gi_Record::kPolyline).size(), c.unauthorised_segments);
        EXPECT_EQ(dashed.records().size(), c.unauthorised_segments);
    }
}

TEST_F(Sign_Entity_Test, Dashed_Outline_Is_Every_Third_Segment_Without_The_Closing_One)
{
    ZcArray<int32_t> counts;
    counts.append(10);
    ZcGePoint3dArray points;
    for (int i = 0; i < 10; ++i)
        points.append(ZcGePoint3d(i, i * i, 0));
    KV_Sign_Class sign(9, L"x", counts, points);
    sign.Validate();  // not in the library
    platform::GiRecorder recorder;
    recorder.run(&sign);
    const auto lines = recorder.ofKind(platform::Gi_Record::kPolyline);
    ASSERT_EQ(lines.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(lines[i].points[0], points[static_cast<int>(3 * i)]);
        EXPECT_EQ(lines[i].points[1], points[static_cast<int>(3 * i + 1)]);
    }
}

TEST_F(Sign_Entity_Test, Drawing_Validates_Again_When_The_Generation_Moved)
{
    KV_Sign& record = Library_Sign(1, 0);
    auto sign = Placed(record);
    ASSERT_TRUE(sign->Validate());
    record.Code = 800;  // the signer now needs a code the signature lacks
    platform::GiRecorder before;
    before.run(sign.get());
    EXPECT_EQ(before.ofKind(platform::Gi_Record::kPolyPolygon).size(), 1u);  // cached state
    ++g_Sign_Lib_Generation;
    platform::GiRecorder after;
    after.run(sign.get());
    EXPECT_TRUE(after.ofKind(platform::Gi_Record::kPolyPolygon).empty());
    EXPECT_FALSE(after.ofKind(platform::Gi_Record::kPolyline).empty());
}

TEST_F(Sign_Entity_Test, Copy_Keeps_Every_Field_And_Hole_Counts)
{
    Library_Sign(1, 500);
    auto sign = Placed(*g_Sign_Library.Signs[0]);
    sign->Set_Authorisation(500, 20260301, 20260330);
    const ZcDbObjectId id = Add_To_Model_Space(sign.release());

    KV_Sign_Class* original = nullptr;
    ASSERT_EQ(zcdbOpenObject(original, id, ZcDb::kForRead), Zcad::eOk);
    std::unique_ptr<KV_Sign_Class> copy(KV_Sign_Class::cast(original->clone()));
    original->close();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Person_No(), 1);
    EXPECT_EQ(copy->Name(), CString(L"Li Ming"));
    EXPECT_EQ(copy->Code(), 500);
    EXPECT_EQ(copy->Start_Date(), 20260301);
    EXPECT_EQ(copy->End_Date(), 20260330);
    ASSERT_EQ(copy->Loop_Counts().length(), 2);
    EXPECT_EQ(copy->Loop_Counts()[1], -4);
    EXPECT_EQ(copy->Points().length(), 8);
    EXPECT_EQ(copy->Days_Left(), 16);
}

TEST_F(Sign_Entity_Test, Drawing_File_Keeps_Signatures_Also_Through_A_Session_Without_The_Classes)
{
    Library_Sign(1, 500);
    auto sign = Placed(*g_Sign_Library.Signs[0]);
    sign->Set_Authorisation(500, 20260301, 20260330);
    Add_To_Model_Space(sign.release());
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    const CString first = Doc_Path(L"signed.dxf");
    ASSERT_EQ(db->saveAs(first), Zcad::eOk);

    // Without the classes the signature stays a proxy and is written back as it was.
    Remove_Custom_Classes();
    const CString second = Doc_Path(L"signed_again.dxf");
    {
        ZcDbDatabase side(false, true);
        ASSERT_EQ(side.readDwgFile(first), Zcad::eOk);
        ZcDbBlockTableRecord* space = nullptr;
        ASSERT_EQ(zcdbOpenObject(space, side.modelSpaceId(), ZcDb::kForRead), Zcad::eOk);
        const std::vector<ZcDbObjectId> ids = space->entityIds();
        space->close();
        ASSERT_EQ(ids.size(), 1u);
        EXPECT_EQ(ids[0].objectClass(), ZcDbProxyEntity::desc());
        ASSERT_EQ(side.saveAs(second), Zcad::eOk);
    }

    Register_Custom_Classes();
    ZcDbDatabase back(false, true);
    ASSERT_EQ(back.readDwgFile(second), Zcad::eOk);
    ZcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(zcdbOpenObject(space, back.modelSpaceId(), ZcDb::kForRead), Zcad::eOk);
    const std::vector<ZcDbObjectId> ids = space->entityIds();
    space->close();
    ASSERT_EQ(ids.size(), 1u);
    KV_Sign_Class* read = nullptr;
    ASSERT_EQ(zcdbOpenObject(read, ids[0], ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(read->Name(), CString(L"Li Ming"));
    EXPECT_EQ(read->Code(), 500);
    EXPECT_EQ(read->End_Date(), 20260330);
    EXPECT_EQ(read->Loop_Counts().length(), 2);
    EXPECT_EQ(read->Points()[7], ZcGePoint3d(-5, 5, 0));
    EXPECT_TRUE(read->Code_Ok() && read->Date_Ok());
    read->close();
}

TEST_F(Sign_Entity_Test, Listing_Shows_The_Fields_But_Not_The_Code)
{
    auto sign = Placed(Library_Sign(31, 424242));
    sign->Set_Authorisation(424242, 20260301, 20260330);
    sign->Validate();
    platform::CommandLine::instance().clear();
    sign->subList();
    EXPECT_EQ(Printed(), L"\n签名：\n人员编号 31\n人员姓名 Li Ming\n授权开始期限 20260301\n授权终止期限 20260330\n"
                         L"是否通过授权码认证 1\n是否通过有效期限认证 1\n");
}

TEST_F(Sign_Entity_Test, Transform_Moves_Every_Point_And_Extents_Cover_Them)
{
    auto sign = Placed(Library_Sign(1, 0));
    ASSERT_EQ(sign->transformBy(ZcGeMatrix3d::translation(ZcGeVector3d(100, 50, 0))), Zcad::eOk);
    ZcDbExtents extents;
    ASSERT_EQ(sign->getGeomExtents(extents), Zcad::eOk);
    EXPECT_EQ(extents.minPoint(), ZcGePoint3d(90, 40, 0));
    EXPECT_EQ(extents.maxPoint(), ZcGePoint3d(110, 60, 0));
    EXPECT_EQ(sign->Loop_Counts()[1], -4);
}

TEST(Sign_Dates, Days_After_Today_Cross_Months_And_Years)
{
    SYSTEMTIME time{};
    time.wYear = 2026;
    time.wMonth = 12;
    time.wDay = 30;
    platform::Machine::instance().set_local_time(time);
    EXPECT_EQ(Today_Date_Stamp(), 20261230);
    EXPECT_EQ(Date_Stamp_After_Days(0), 20261230);
    EXPECT_EQ(Date_Stamp_After_Days(2), 20270101);
    EXPECT_EQ(Date_Stamp_After_Days(61), 20270301);
    platform::Machine::instance().clear_local_time();
}

}  // namespace
