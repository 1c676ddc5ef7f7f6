// The common entity groups that ZcDbEntity files through a DXF filer (custom classes rely on them).
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "db/dbents.h"
#include "db/dblayout.h"
#include "db_test_support.h"

namespace {

// A DXF filer over a list of groups in memory.
class Memory_Dxf_Filer : public ZcDbDxfFiler {
public:
    ~Memory_Dxf_Filer() override { zcutRelRb(mHead); }

    Zcad::ErrorStatus filerStatus() const override { return Zcad::eOk; }
    ZcDb::FilerType filerType() const override { return ZcDb::kFileFiler; }
    void setFilerStatus(Zcad::ErrorStatus) override {}
    void resetFilerStatus() override {}

    Zcad::ErrorStatus readResBuf(resbuf* rb) override
    {
        if (mPos == nullptr) return Zcad::eEndOfFile;
        // A copy of this one group; the caller owns its string.
        resbuf single = *mPos;
        single.rbnext = nullptr;
        resbuf* copy = zcutDuplicateChain(&single);
        *rb = *copy;
        copy->restype = RTNONE;
        zcutRelRb(copy);
        mLast = mPos;
        mPos = mPos->rbnext;
        return Zcad::eOk;
    }
    void pushBackItem() override { mPos = mLast; }
    bool atEOF() override { return mPos == nullptr; }
    bool atEndOfObject() override { return mPos == nullptr; }
    bool atExtendedData() override { return mPos && mPos->restype >= 1000; }
    bool atSubclassData(const wchar_t* name) override
    {
        if (mPos && mPos->restype == 100 && std::wcscmp(mPos->resval.rstring, name) == 0) {
            mPos = mPos->rbnext;
            return true;
        }
        return false;
    }

    Zcad::ErrorStatus writeResBuf(const resbuf& rb) override
    {
        resbuf copy = rb;
        copy.rbnext = nullptr;
        return append(zcutDuplicateChain(&copy));
    }
    Zcad::ErrorStatus writeObjectId(ZcDb::DxfCode code, const ZcDbObjectId& id) override
    {
        resbuf* rb = zcutNewRb(code);
        rb->resval.rlname[0] = id.asOldId();
        return append(rb);
    }
    Zcad::ErrorStatus writeString(ZcDb::DxfCode code, const wchar_t* value) override
    {
        return append(zcutBuildList(code, value, 0));
    }
    Zcad::ErrorStatus writeBool(ZcDb::DxfCode code, bool v) override { return writeInt16(code, v ? 1 : 0); }
    Zcad::ErrorStatus writeInt8(ZcDb::DxfCode code, int8_t v) override { return writeInt16(code, v); }
    Zcad::ErrorStatus writeInt16(ZcDb::DxfCode code, int16_t v) override { return append(zcutBuildList(code, int(v), 0)); }
    Zcad::ErrorStatus writeUInt16(ZcDb::DxfCode code, uint16_t v) override { return writeInt16(code, int16_t(v)); }
    Zcad::ErrorStatus writeInt32(ZcDb::DxfCode code, int32_t v) override { return append(zcutBuildList(code, v, 0)); }
    Zcad::ErrorStatus writeUInt32(ZcDb::DxfCode code, uint32_t v) override { return writeInt32(code, int32_t(v)); }
    Zcad::ErrorStatus writeInt64(ZcDb::DxfCode code, int64_t v) override { return append(zcutBuildList(code, v, 0)); }
    Zcad::ErrorStatus writeDouble(ZcDb::DxfCode code, double v, int) override { return append(zcutBuildList(code, v, 0)); }
    Zcad::ErrorStatus writeHandle(ZcDb::DxfCode, const ZcDbHandle&) override { return Zcad::eNotImplemented; }
    Zcad::ErrorStatus writeBytes(ZcDb::DxfCode, const void*, size_t) override { return Zcad::eNotImplemented; }
    Zcad::ErrorStatus writePoint2d(ZcDb::DxfCode code, const ZcGePoint2d& p, int) override
    {
        return writePoint3d(code, ZcGePoint3d(p.x, p.y, 0), 0);
    }
    Zcad::ErrorStatus writePoint3d(ZcDb::DxfCode code, const ZcGePoint3d& p, int) override
    {
        double v[3] = {p.x, p.y, p.z};
        return append(zcutBuildList(code, v, 0));
    }
    Zcad::ErrorStatus writeVector2d(ZcDb::DxfCode code, const ZcGeVector2d& v, int) override
    {
        return writePoint3d(code, ZcGePoint3d(v.x, v.y, 0), 0);
    }
    Zcad::ErrorStatus writeVector3d(ZcDb::DxfCode code, const ZcGeVector3d& v, int) override
    {
        return writePoint3d(code, ZcGePoint3d(v.x, v.y, v.z), 0);
    }
    Zcad::ErrorStatus writeScale3d(ZcDb::DxfCode code, const ZcGeScale3d& s, int) override
    {
        return writePoint3d(code, ZcGePoint3d(s.sx, s.sy, s.sz), 0);
    }

    void rewind() { mPos = mHead; }
    const resbuf* find(int code) const
    {
        for (const resbuf* rb = mHead; rb; rb = rb->rbnext)
            if (rb->restype == code) return rb;
        return nullptr;
    }

private:
    Zcad::ErrorStatus append(resbuf* rb)
    {
        if (rb == nullptr) return Zcad::eInvalidDxfCode;
        if (mTail) mTail->rbnext = rb;
        else mHead = rb;
        mTail = rb;
        return Zcad::eOk;
    }
    resbuf* mHead = nullptr;
    resbuf* mTail = nullptr;
    resbuf* mPos = nullptr;
    resbuf* mLast = nullptr;
};

TEST(DxfFields, CommonEntityGroupsWriteAndReadBack)
{
    Test_Drawing d;
    ZcDbObjectId layer = d.addLayer(L"标注");
    auto* line = new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    line->setLayer(layer);
    line->setColorIndex(3);
    line->setLineWeight(ZcDb::kLnWt035);
    line->setLinetypeScale(2.0);
    line->setVisibility(ZcDb::kInvisible);
    ZcDbObjectId id = d.add(line);

    Memory_Dxf_Filer filer;
    {
        ZcDbObjectPointer<ZcDbLine> l(id);
        ASSERT_EQ(l->ZcDbEntity::dxfOutFields(&filer), Zcad::eOk);
    }
    ASSERT_NE(filer.find(100), nullptr);
    EXPECT_STREQ(filer.find(100)->resval.rstring, L"AcDbEntity");
    EXPECT_STREQ(filer.find(8)->resval.rstring, L"标注");
    EXPECT_EQ(filer.find(62)->resval.rint, 3);
    EXPECT_EQ(filer.find(370)->resval.rint, 35);
    EXPECT_EQ(filer.find(48)->resval.rreal, 2.0);
    EXPECT_EQ(filer.find(60)->resval.rint, 1);
    EXPECT_EQ(filer.find(67), nullptr);

    auto* back = new ZcDbLine();
    ZcDbObjectId backId = d.add(back);
    ZcDbObjectPointer<ZcDbLine> b(backId, ZcDb::kForWrite);
    filer.rewind();
    ASSERT_EQ(b->ZcDbEntity::dxfInFields(&filer), Zcad::eOk);
    EXPECT_EQ(b->layerId(), layer);
    EXPECT_EQ(b->colorIndex(), 3);
    EXPECT_EQ(b->lineWeight(), ZcDb::kLnWt035);
    EXPECT_EQ(b->linetypeScale(), 2.0);
    EXPECT_EQ(b->visibility(), ZcDb::kInvisible);
}

TEST(DxfFields, PaperSpaceEntitiesCarryTheFlag)
{
    Test_Drawing d;
    ZcDbObjectId id = d.add(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0)), d.db->paperSpaceId());
    Memory_Dxf_Filer filer;
    ZcDbObjectPointer<ZcDbLine> l(id);
    l->ZcDbEntity::dxfOutFields(&filer);
    ASSERT_NE(filer.find(67), nullptr);
    EXPECT_EQ(filer.find(67)->resval.rint, 1);
}

}  // namespace
