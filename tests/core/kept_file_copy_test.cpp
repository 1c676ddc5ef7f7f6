// Copies of damaged files kept beside them: numbered, never replaced, one per content.
#include "core/unreadable_file.h"
#include "services_fixture.h"
#include "win/machine.h"

namespace {

using Kept_File_Copy_Test = Services_Test;

TEST_F(Kept_File_Copy_Test, Each_Content_Is_Kept_Once_Under_The_First_Free_Number)
{
    const CString folder = g_Config_Folder + L"\\库 文件";
    const CString path = folder + L"\\印章.kvlib2";
    Write_File(path, "first");
    EXPECT_EQ(Keep_Copy_Of_File(path), path + L".bad");
    EXPECT_EQ(Keep_Copy_Of_File(path), path + L".bad");
    Write_File(path, "second");
    EXPECT_EQ(Keep_Copy_Of_File(path), path + L".2.bad");
    Write_File(path, "first");
    EXPECT_EQ(Keep_Copy_Of_File(path), path + L".bad");
    EXPECT_EQ(File_Bytes(path + L".bad"), "first");
    EXPECT_EQ(File_Bytes(path + L".2.bad"), "second");
    EXPECT_FALSE(Exists(path + L".3.bad"));
    EXPECT_EQ(File_Bytes(path), "first");

    // No copy where nothing may be written, nor of a file that is not there.
    Write_File(path, "third");
    platform::Machine::instance().deny_writes(folder.GetString());
    EXPECT_TRUE(Keep_Copy_Of_File(path).IsEmpty());
    platform::Machine::instance().allow_writes(folder.GetString());
    EXPECT_FALSE(Exists(path + L".3.bad"));
    EXPECT_TRUE(Keep_Copy_Of_File(folder + L"\\missing.kvlib2").IsEmpty());
}

}  // namespace
