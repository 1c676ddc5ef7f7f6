#include "companion_fixture.h"

#include <unistd.h>

#include "db/dbdict.h"
#include "db/dbobject.h"

namespace {

// Gives the test process an emulated machine of its own, removed at the end.
class Machine_Environment : public ::testing::Environment {
public:
    void SetUp() override { platform::Machine::instance().set_root(m_Root); }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_Root, ignored);
    }

private:
    const std::filesystem::path m_Root =
        std::filesystem::temp_directory_path() / ("korvel_companion_" + std::to_string(getpid()));
};

const auto* const Environment = ::testing::AddGlobalTestEnvironment(new Machine_Environment);

}  // namespace

void Write_Record(ZcDbDatabase* db, const wchar_t* key, resbuf* chain)
{
    ZcDbObject* object = nullptr;
    ASSERT_EQ(zcdbOpenObject(object, db->namedObjectsDictionaryId(), ZcDb::kForWrite), Zcad::eOk);
    ZcDbDictionary* named = ZcDbDictionary::cast(object);
    ZcDbDictionary* ours = new ZcDbDictionary;
    ZcDbObjectId id;
    ASSERT_EQ(named->setAt(key, ours, id), Zcad::eOk);
    named->close();
    ZcDbXrecord* record = new ZcDbXrecord;
    ASSERT_EQ(ours->setAt(key, record, id), Zcad::eOk);
    ours->close();
    ASSERT_EQ(record->setFromRbChain(*chain), Zcad::eOk);
    record->close();
}
