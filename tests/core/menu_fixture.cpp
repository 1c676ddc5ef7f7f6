#include "menu_fixture.h"

#include "core/menu.h"

void Menu_Test::Remove_Popup_From_Bar()
{
    IZcadPopupMenu* popup = Find_Menu_Bar_Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->RemoveFromMenuBar(), S_OK);
    popup->Release();
    ASSERT_EQ(Popup_Lines(), L"");
}
