// The host's printf-style output with the framework's strings as arguments.
#include "core_fixture.h"
#include "mfc/afxvararg.h"

namespace {

TEST_F(Core_Test, PrintfTakesTheTextOfStrings)
{
    CString wide(L"x");
    CStringA narrow("ok");
    zcutPrintf(L"\n[%s|%S|%d|%ls]", wide, narrow, 42, L"lit");
    EXPECT_NE(Printed().find(L"\n[x|ok|42|lit]"), std::wstring::npos);
}

}  // namespace
