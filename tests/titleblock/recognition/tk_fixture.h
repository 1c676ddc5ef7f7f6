// The title-block fixture drawing (tests/fixtures/dxf/title_blocks.dxf) opened as the current
// document, the module's dialog templates registered, and a library of its four frame
// definitions filled by hand (cells as the generator draws them).
#pragma once

#include <string>

#include "sheet_drawing_fixture.h"
#include "titleblock/tk_customization.h"
#include "titleblock/tk_sheets.h"

class TK_Drawing_Test : public Sheet_Drawing_Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A definition of an A3 frame 420 x 297 with the fixture's cells, block name as given.
    static TK_Customization* Make_Definition(const wchar_t* block_name, bool dynamic);
    // Adds the four definitions of the fixture ("tk_attr" in lower case) to g_TK_Library.
    static void Fill_Library();
    static void Open_Fixture();
    static void Script(const std::string& text);
    static ZcDbObjectId Space_Of_Layout(const wchar_t* name);
    static std::wstring Printed();

    TK_Sheet_List list;
};
