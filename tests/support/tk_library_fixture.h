// The title-block library's tests: a host with an empty per-user folder and the module's
// resource script, the global library back at its defaults after each test, and library
// files written by hand in the layout of any version.
#pragma once

#include <sstream>
#include <string>

#include "plot_option_combos_fixture.h"
#include "titleblock/tk_library.h"
#include "titleblock/tk_sheets.h"
#include "win/win_codepage.h"

// The library's construction values, without its definitions.
inline void Reset_Library(TK_Library& library)
{
    library.Clear();
    TK_Library defaults;
    library.Text_Settings = defaults.Text_Settings;
    library.Cat_Border = defaults.Cat_Border;
    library.Cat_Row_Height = defaults.Cat_Row_Height;
    library.Cat_Col_Widths.Copy(defaults.Cat_Col_Widths);
    library.Cat_Col_Kinds.Copy(defaults.Cat_Col_Kinds);
    library.No_In_Front = defaults.No_In_Front;
    library.No_Prefix = defaults.No_Prefix;
    library.No_Start = defaults.No_Start;
    library.No_Suffix = defaults.No_Suffix;
    library.No_Digits = defaults.No_Digits;
    for (int i = 0; i < 6; ++i) library.Centre_Text[i] = defaults.Centre_Text[i];
    library.Last_Name_Rule = defaults.Last_Name_Rule;
    library.Line_Separator = defaults.Line_Separator;
    library.Paper_Name_Style = defaults.Paper_Name_Style;
    library.Reserved = defaults.Reserved;
}

class TK_Library_Test : public Plot_Dialog_Test {
public:
    void SetUp() override
    {
        Plot_Dialog_Test::SetUp();
        Reset_Library(g_TK_Library);
        g_TK_Sheet_List = nullptr;
    }
    void TearDown() override
    {
        g_TK_Sheet_List = nullptr;
        Reset_Library(g_TK_Library);
        Plot_Dialog_Test::TearDown();
    }

    static CString Library_Path() { return g_Config_Folder + L"\\BPlot_TK.tk"; }
};

// A library file as a program of the given version writes it: one value a line, strings
// escaped and in the ANSI code page. Definitions and settings take their values from a seed
// and hold the fields of their version only.
class TK_File_Text {
public:
    explicit TK_File_Text(int version) : Version(version) { Int(version); }

    TK_File_Text& Int(long long value)
    {
        Text += std::to_string(value) + "\r\n";
        return *this;
    }
    TK_File_Text& Real(double value)
    {
        std::ostringstream out;
        out << value;
        Text += out.str() + "\r\n";
        return *this;
    }
    TK_File_Text& Str(const std::wstring& value)
    {
        std::wstring escaped;
        for (wchar_t c : value) escaped += c == L' ' ? std::wstring(L"*?*") : std::wstring(1, c);
        Text += platform::To_Ansi(escaped.empty() ? L"<><" : escaped) + "\r\n";
        return *this;
    }
    TK_File_Text& Box(int range, int seed)
    {
        const double base = range * 100.0 + seed;
        return Real(base).Real(base + 1).Real(base + 50).Real(base + 41);
    }
    TK_File_Text& Definition(const std::wstring& block, int seed)
    {
        Str(L"Frame " + std::to_wstring(seed)).Str(block).Str(L"A_B_T");
        Real(0.5 * seed).Real(10.0 * seed).Int(841).Int(594);
        for (int range = 0; range < 10; ++range) Box(range, seed);
        Int(3).Int(seed % 9);
        if (Version >= 20200629) Box(10, seed);
        if (Version >= 20200726) Int(1);
        if (Version >= 20220607) Box(11, seed);
        return *this;
    }
    TK_File_Text& Text_Settings(int layer_color)
    {
        Str(L"Cat Style").Str(L"f.shx").Str(L"hz.shx").Real(250).Real(0.7).Int(0);
        Real(280).Real(0.75).Int(3).Str(L"目录").Int(layer_color).Str(L"DASHED").Int(25);
        return *this;
    }
    // Everything after the definitions; `names` paper names when the version has them.
    TK_File_Text& Settings(int layer_color = 5, int names = 47, int start_no = 5)
    {
        Text_Settings(layer_color);
        Int(0).Real(800).Int(3).Real(1000).Real(2000).Real(3000).Int(3).Int(2).Int(0).Int(1);
        Int(1).Str(L"").Int(start_no).Str(L"-S").Int(3);
        for (int flag : {1, 0, 1, 0, 1, 0}) Int(flag);
        if (Version > 20210124) Str(L"C_A").Str(L"~");
        if (Version > 20210907) Int(7).Int(9);
        if (Version > 20241215) {
            Int(names);
            for (int i = 0; i < names; ++i) Str(L"L" + std::to_wstring(i));
        }
        return *this;
    }

    int Version;
    std::string Text;
};
