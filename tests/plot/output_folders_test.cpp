// Output folders of a plot run and the names of its files.
#include <filesystem>
#include <fstream>

#include "core/plot_option.h"
#include "db/dbdatabase.h"
#include "plot/output_folders.h"
#include "services_fixture.h"

namespace fs = std::filesystem;

class Output_Folders_Test : public Services_Test {
protected:
    void SetUp() override
    {
        Services_Test::SetUp();
        fs::create_directories(Host(L"C:\\Work\\Drawings"));
    }
    // Makes the current document a saved drawing of that name.
    void Saved_Drawing(const wchar_t* file_name)
    {
        platform::Add_Document(new ZcDbDatabase(), true, file_name);
    }
    static void Touch(const CString& path) { std::ofstream(Host(path)) << "x"; }
};

TEST_F(Output_Folders_Test, UnsavedDrawingUsesTheProfileFolder)
{
    wchar_t profile[260] = {};
    GetEnvironmentVariableW(L"USERPROFILE", profile, 260);
    ASSERT_NE(profile[0], 0);
    CString custom;
    EXPECT_EQ(Get_Output_Folder(0, 0, custom, CString()), CString(profile));
}

TEST_F(Output_Folders_Test, FolderByModeAndType)
{
    Saved_Drawing(L"C:\\Work\\Drawings\\plan.dxf");
    struct Case {
        int mode, type;
        const wchar_t* expected;
    } cases[] = {
        {0, 0, L"C:\\Work\\Drawings"},
        {1, 0, L"C:\\Work\\Drawings\\PDF"},
        {1, 4, L"C:\\Work\\Drawings\\PLT"},
        {1, 5, L"C:\\Work\\Drawings\\SVG"},
        {1, 6, L"C:\\Work\\Drawings\\DWG"},
        {1, 7, L"C:\\Work\\Drawings"},
        {1, -1, L"C:\\Work\\Drawings"},
    };
    for (const Case& c : cases) {
        CString custom = L"C:\\Elsewhere";
        EXPECT_EQ(Get_Output_Folder(c.mode, c.type, custom, CString()), CString(c.expected)) << c.mode << "/" << c.type;
        EXPECT_EQ(custom, CString(L"C:\\Elsewhere"));
    }
}

TEST_F(Output_Folders_Test, MissingCustomFolderFallsBackToTheDrawingFolderInTheRecord)
{
    Saved_Drawing(L"C:\\Work\\Drawings\\plan.dxf");
    fs::create_directories(Host(L"C:\\Out"));
    for (const wchar_t* missing : {L"C:\\Nowhere", L"C:\\Out\\"}) {
        CString custom = missing;
        EXPECT_EQ(Get_Output_Folder(2, 0, custom, CString()), CString(L"C:\\Work\\Drawings")) << missing;
        EXPECT_EQ(custom, CString(L"C:\\Work\\Drawings"));
    }
    CString existing = L"C:\\Out";
    EXPECT_EQ(Get_Output_Folder(2, 0, existing, CString()), CString(L"C:\\Out"));
}

TEST_F(Output_Folders_Test, MergedPdfBatchNumbersItsFilesInTheEmptiedTemporaryFolder)
{
    Saved_Drawing(L"C:\\Work\\Drawings\\plan.dxf");
    Plot_Option option;
    option.Output_Type = 0;
    g_Plot_Config.Merge_Pdf = 1;
    const CString temp = Get_Temp_Folder();
    Touch(temp + L"\\old.pdf");

    const CString folder = Prepare_Batch_Folder(option);
    EXPECT_EQ(folder, temp);
    EXPECT_FALSE(fs::exists(Host(temp + L"\\old.pdf")));
    Touch(temp + L"\\2.pdf");
    const wchar_t* names[] = {L"A-01", L"B-02", L"C-03"};
    for (int i = 0; i < 3; ++i) {
        CString expected;
        expected.Format(L"%s\\%d.pdf", temp.GetString(), i + 1);
        EXPECT_EQ(Batch_Sheet_Path(option, folder, names[i], i + 1), expected);
    }
    // Naming a file deletes nothing: the plot replaces it once its new file is whole.
    EXPECT_TRUE(fs::exists(Host(temp + L"\\2.pdf")));
}

TEST_F(Output_Folders_Test, UnmergedBatchCreatesTheTypeFolderAndNamesBySheet)
{
    Saved_Drawing(L"C:\\Work\\Drawings\\plan.dxf");
    Plot_Option option;
    option.Output_Type = 5;
    option.Folder_Mode = 1;
    g_Plot_Config.Merge_Pdf = 1;  // only PDF runs merge
    const CString folder = Prepare_Batch_Folder(option);
    EXPECT_EQ(folder, CString(L"C:\\Work\\Drawings\\SVG"));
    EXPECT_TRUE(fs::is_directory(Host(folder)));
    EXPECT_EQ(Batch_Sheet_Path(option, folder, L"A-01", 1), CString(L"C:\\Work\\Drawings\\SVG\\A-01.svg"));
    option.Output_Type = 6;
    EXPECT_EQ(Batch_Sheet_Path(option, folder, L"A-01", 1), CString(L"C:\\Work\\Drawings\\SVG\\A-01"));
}

TEST_F(Output_Folders_Test, PaperBatchPltNames)
{
    Saved_Drawing(L"C:\\Work\\Drawings\\plan.dxf");
    Plot_Option option;
    option.Plt_Output = 1;
    option.Plt_Folder = L"C:\\Plt";
    EXPECT_EQ(Paper_Plt_Path(option, 1, 1), CString(L"C:\\Plt\\plan.plt"));
    EXPECT_EQ(Paper_Plt_Path(option, 3, 3), CString(L"C:\\Plt\\plan_3.plt"));
    option.Plt_Output = 0;
    EXPECT_TRUE(Paper_Plt_Path(option, 1, 1).IsEmpty());
}
