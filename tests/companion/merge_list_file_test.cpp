// The fallback program's list file.
#include <gtest/gtest.h>

#include "companion/merge_list_file.h"

TEST(Merge_List_File, ReadsTargetCountAndPairsWithOrWithoutMarkAndCarriageReturns)
{
    const std::string bodies[] = {
        "\xEF\xBB\xBF" "C:\\Out\\all.pdf\r\n2\r\nC:\\T\\1.pdf\r\n一层\r\nC:\\T\\2.pdf\r\n\r\n",
        "C:\\Out\\all.pdf\n2\nC:\\T\\1.pdf\n一层\nC:\\T\\2.pdf\n\n",
    };
    for (const std::string& bytes : bodies) {
        std::string error;
        const auto list = companion::Parse_Merge_List(bytes, error);
        ASSERT_TRUE(list) << error;
        EXPECT_EQ(list->target, L"C:\\Out\\all.pdf");
        ASSERT_EQ(list->files.size(), 2u);
        EXPECT_EQ(list->files[0], std::make_pair(std::wstring(L"C:\\T\\1.pdf"), std::wstring(L"一层")));
        EXPECT_EQ(list->files[1], std::make_pair(std::wstring(L"C:\\T\\2.pdf"), std::wstring()));
    }
}

TEST(Merge_List_File, RefusesListsThatAreNotWhole)
{
    const char* const bodies[] = {
        "",
        "\xEF\xBB\xBF",
        "C:\\Out\\all.pdf\r\n",
        "C:\\Out\\all.pdf\r\ntwo\r\n",
        "C:\\Out\\all.pdf\r\n-1\r\n",
        "C:\\Out\\all.pdf\r\n2\r\nC:\\T\\1.pdf\r\ntitle\r\nC:\\T\\2.pdf\r\n",
        "\r\n0\r\n",
    };
    for (const char* bytes : bodies) {
        std::string error;
        EXPECT_FALSE(companion::Parse_Merge_List(bytes, error)) << bytes;
        EXPECT_FALSE(error.empty());
    }
}
