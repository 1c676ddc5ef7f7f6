// Damaged signature and stamp library files: each is named on the command line and kept
// aside, and the library dialogs' OK or Cancel leave on disk the original or the user's
// edit, never an empty or partial rewrite.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "core/plot_config.h"
#include "sign_test_support.h"
#include "signstamp/dlg_sign.h"
#include "signstamp/dlg_stamp_lib.h"
#include "stamp_dialog_fixture.h"
#include "stamp_test_support.h"

namespace {

using Damage_Maker = std::function<std::string(const std::string& whole)>;

struct Damage {
    std::string what;
    Damage_Maker make;
};

std::string Replace_Line(const std::string& text, int line, const std::string& value)
{
    size_t start = 0;
    for (int i = 0; i < line; ++i)
        start = text.find('\n', start) + 1;
    const size_t end = text.find('\n', start);
    return text.substr(0, start) + value + text.substr(end);
}

std::string Replace_Int32(const std::string& bytes, size_t at, int32_t value)
{
    return bytes.substr(0, at) + stamp_test::Int32_Bytes(value) + bytes.substr(at + 4);
}

Damage_Maker Cut_At(double share)
{
    return [share](const std::string& whole) { return whole.substr(0, static_cast<size_t>(whole.size() * share)); };
}

// What the table needs of one library kind.
struct Library_Kind {
    CString path;
    std::string whole;   // three records
    std::string extra;   // a whole file of one more record, to import
    std::string dialog;  // the dialog's script name
    std::function<bool(const CString& path, size_t& records)> load;
    std::function<int()> run_dialog;
    std::vector<Damage> damages;
};

class Library_Damage_Test : public Stamp_Dialog_Test {
public:
    void TearDown() override
    {
        g_Sign_Library.Clear();
        g_Stamp_Library.Clear();
        Stamp_Dialog_Test::TearDown();
    }

    static std::string Bytes(const CString& path) { return stamp_test::File_Bytes(path); }
    static bool Exists(const CString& path) { return std::filesystem::exists(platform::To_Host_Path(path.GetString())); }
    static void Remove(const CString& path) { std::filesystem::remove(platform::To_Host_Path(path.GetString())); }

    void Check(const Library_Kind& kind)
    {
        const CString kept = kind.path + L".bad", second = kind.path + L".2.bad";
        const CString extra = sign_test::Doc_Path(L"补充库");
        stamp_test::Write_Bytes(extra, kind.extra);
        for (const Damage& damage : kind.damages) {
            SCOPED_TRACE(damage.what);
            Remove(kept);
            const std::string damaged = damage.make(kind.whole);
            ASSERT_NE(damaged, kind.whole);
            stamp_test::Write_Bytes(kind.path, damaged);

            // Named on the command line and kept aside; reading it again keeps no second copy.
            platform::CommandLine::instance().clear();
            size_t records = 0;
            EXPECT_FALSE(kind.load(kind.path, records));
            EXPECT_FALSE(kind.load(kind.path, records));
            EXPECT_NE(Printed().find(L"< " + std::wstring(kind.path.GetString()) + L" > 不完整或已损坏"),
                      std::wstring::npos)
                << Printed();
            EXPECT_NE(Printed().find(L"原文件另存为 < " + std::wstring(kept.GetString()) + L" >"), std::wstring::npos);
            EXPECT_EQ(Bytes(kept), damaged);
            EXPECT_FALSE(Exists(second));

            // Cancel after an edit, and OK without one, leave the file as it was.
            const std::string keep_answer = records > 0 ? "msgbox YES\n" : "";
            const std::string import = "@" + kind.dialog + " click 895\nfile \"" +
                                       platform::To_Utf8(extra.GetString()) + "\"\n" + keep_answer;
            Script(import + "@" + kind.dialog + " click IDCANCEL\n");
            EXPECT_EQ(kind.run_dialog(), IDCANCEL);
            EXPECT_EQ(Bytes(kind.path), damaged);
            platform::CommandLine::instance().clear();
            Script("@" + kind.dialog + " click IDOK\n");
            EXPECT_EQ(kind.run_dialog(), IDOK);
            EXPECT_EQ(Bytes(kind.path), damaged);
            EXPECT_NE(Printed().find(L"未完整读入且未作修改，原文件保持不变"), std::wstring::npos) << Printed();

            // OK after an edit writes the edited library whole; the original stays kept.
            Script(import + "@" + kind.dialog + " click IDOK\n");
            EXPECT_EQ(kind.run_dialog(), IDOK);
            size_t written = 0;
            EXPECT_TRUE(kind.load(kind.path, written));
            EXPECT_EQ(written, records + 1);
            EXPECT_EQ(Bytes(kept), damaged);
            EXPECT_FALSE(Exists(second));
        }
    }
};

TEST_F(Library_Damage_Test, Damaged_Signature_Libraries_Are_Named_Kept_And_Never_Rewritten_Partly)
{
    Library_Kind kind;
    kind.path = sign_test::Doc_Path(L"签名库.kvlib1");
    g_Plot_Config.Sign_Lib_Path = kind.path;
    {
        Sign_Library library;
        library.Signs.push_back(sign_test::Make_Sign(1, L"张 三", 123));
        library.Signs.push_back(sign_test::Make_Sign(2, L"李四", 0));
        library.Signs.push_back(sign_test::Make_Sign(3, L"王五", 0));
        ASSERT_TRUE(library.Save(kind.path));
        kind.whole = sign_test::Read_File(kind.path);
        library.Clear();
        library.Signs.push_back(sign_test::Make_Sign(4, L"赵六", 0));
        const CString extra = sign_test::Doc_Path(L"extra.kvlib1");
        ASSERT_TRUE(library.Save(extra));
        kind.extra = sign_test::Read_File(extra);
    }
    kind.dialog = "IDD_DLG_SIGN_LIB";
    kind.load = [](const CString& path, size_t& records) {
        Sign_Library library;
        const bool whole = Sign_Library::Load(library, path, false);
        records = library.Signs.size();
        return whole;
    };
    kind.run_dialog = [] {
        Dlg_Sign_Lib dialog;
        return static_cast<int>(dialog.DoModal());
    };
    kind.damages = {
        {"negative count", [](const std::string& w) { return Replace_Line(w, 2, "-1"); }},
        {"count beyond the limit", [](const std::string& w) { return Replace_Line(w, 2, "2001"); }},
        {"count that is no number", [](const std::string& w) { return Replace_Line(w, 2, "三"); }},
        {"fewer records counted than held", [](const std::string& w) { return Replace_Line(w, 2, "2"); }},
        {"garbled header", [](const std::string& w) { return Replace_Line(w, 1, "#@!"); }},
        {"version zero", [](const std::string& w) { return Replace_Line(w, 0, "0"); }},
        {"version that is no date", [](const std::string& w) { return Replace_Line(w, 0, "20261399"); }},
        {"garbled record version", [](const std::string& w) { return Replace_Line(w, 3, "x"); }},
        {"cut after the count", [](const std::string& w) { return w.substr(0, w.find('\n', 9) + 3); }},
        {"cut at a third", Cut_At(1.0 / 3)},
        {"cut at two thirds", Cut_At(2.0 / 3)},
        {"cut in the last value", [](const std::string& w) { return w.substr(0, w.size() - 2); }},
    };
    Check(kind);
}

TEST_F(Library_Damage_Test, Damaged_Stamp_Libraries_Are_Named_Kept_And_Never_Rewritten_Partly)
{
    Library_Kind kind;
    kind.path = sign_test::Doc_Path(L"印章库.kvlib2");
    g_Plot_Config.Stamp_Lib_Path = kind.path;
    {
        Stamp_Library library;
        library.Stamps.push_back(stamp_test::Make_Stamp(L"注册章", "PNG-one", 123456, Stamp_Reg));
        library.Stamps.push_back(stamp_test::Make_Stamp(L"出图 章", "PNG-two", 0, Stamp_Issue));
        library.Stamps.push_back(stamp_test::Make_Stamp(L"项目章", "PNG-three", 0, Stamp_Project));
        ASSERT_TRUE(library.Save(kind.path));
        kind.whole = stamp_test::File_Bytes(kind.path);
        library.Clear();
        library.Stamps.push_back(stamp_test::Make_Stamp(L"竣工章", "PNG-four", 0, Stamp_Done));
        const CString extra = sign_test::Doc_Path(L"extra.kvlib2");
        ASSERT_TRUE(library.Save(extra));
        kind.extra = stamp_test::File_Bytes(extra);
    }
    kind.dialog = "IDD_DLG_STAMP_LIB";
    kind.load = [](const CString& path, size_t& records) {
        Stamp_Library library;
        const bool whole = Stamp_Library::Load(library, path, false);
        records = library.Stamps.size();
        return whole;
    };
    kind.run_dialog = [] {
        Dlg_Stamp_Lib dialog;
        return static_cast<int>(dialog.DoModal());
    };
    kind.damages = {
        {"negative count", [](const std::string& w) { return Replace_Int32(w, 8, -1); }},
        {"count beyond the limit", [](const std::string& w) { return Replace_Int32(w, 8, 1001); }},
        {"fewer records counted than held", [](const std::string& w) { return Replace_Int32(w, 8, 2); }},
        {"garbled header", [](const std::string& w) { return w.substr(0, 6); }},
        {"version zero", [](const std::string& w) { return Replace_Int32(w, 0, 0); }},
        {"version that is no date", [](const std::string& w) { return Replace_Int32(w, 0, 0x7FFFFFFF); }},
        {"garbled record version", [](const std::string& w) { return Replace_Int32(w, 12, -7); }},
        {"cut at a third", Cut_At(1.0 / 3)},
        {"cut at two thirds", Cut_At(2.0 / 3)},
        {"cut in the last value", [](const std::string& w) { return w.substr(0, w.size() - 1); }},
    };
    Check(kind);
}

}  // namespace
