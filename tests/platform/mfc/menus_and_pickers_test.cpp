// Pop-up menus, the colour and file dialogs and the plug-in's pickers, answered by steps.
#include "dialog_test_support.h"
#include "mfc/afxdlgs.h"

namespace {

class Owner : public CWnd {
public:
    UINT command = 0;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        command = LOWORD(wParam);
        return TRUE;
    }
};

TEST_F(DialogTest, PopupMenuTakesTheMenuStep) {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_POPUP));
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetMenuItemCount(), 3);
    EXPECT_TRUE(popup->GetMenuState(ID_ITEM_DELETE, MF_BYCOMMAND) & MF_GRAYED);
    Script("menu ID_ITEM_OPEN\nesc\nmenu 302\n");
    EXPECT_EQ(popup->TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr), static_cast<BOOL>(ID_ITEM_OPEN));
    EXPECT_EQ(popup->TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr), 0);
    // A grayed item cannot be chosen.
    EXPECT_THROW(popup->TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr), platform::UnansweredInput);
    // Without TPM_RETURNCMD the choice reaches the owner as a command.
    popup->EnableMenuItem(ID_ITEM_DELETE, MF_ENABLED);
    popup->CheckMenuItem(ID_ITEM_OPEN, MF_CHECKED);
    EXPECT_TRUE(popup->GetMenuState(ID_ITEM_OPEN, MF_BYCOMMAND) & MF_CHECKED);
    Owner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_POPUP, CRect(0, 0, 5, 5), nullptr, 0));
    Script("menu 302\n");
    EXPECT_TRUE(popup->TrackPopupMenu(0, 0, 0, &owner));
    Pump();
    EXPECT_EQ(owner.command, static_cast<UINT>(ID_ITEM_DELETE));
}

TEST_F(DialogTest, ColourAndFileDialogsTakeTheirSteps) {
    Script("color 10,20,30\nesc\nfile \"C:\\\\plots\\\\out\"\n");
    CColorDialog colour(RGB(1, 2, 3));
    EXPECT_EQ(colour.DoModal(), IDOK);
    EXPECT_EQ(colour.GetColor(), RGB(10, 20, 30));
    CColorDialog cancelled(RGB(1, 2, 3));
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetColor(), RGB(1, 2, 3));
    CFileDialog save(FALSE, L"pdf", nullptr, OFN_HIDEREADONLY);
    EXPECT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), L"C:\\plots\\out.pdf");
    EXPECT_EQ(save.GetFileName(), L"out.pdf");
    EXPECT_EQ(save.GetFileTitle(), L"out");
    EXPECT_EQ(save.GetFileExt(), L"pdf");
    EXPECT_EQ(save.GetFolderPath(), L"C:\\plots");
    Script("point 1,2\n");
    CColorDialog unanswered;
    EXPECT_THROW(unanswered.DoModal(), platform::UnansweredInput);
}

// A picker: a captionless modal window that takes its choice from a `pick N` step.
class Picker : public CDialog {
public:
    explicit Picker(std::vector<int> entries = {0, 1, 2, 3, 4}) : CDialog(IDD_PICKER), entries(std::move(entries)) {}
    int choice = -1;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        platform::Register_Picker(
            m_hWnd,
            [this](int n) {
                choice = n;
                EndDialog(IDOK);
            },
            entries);
        return TRUE;
    }

private:
    std::vector<int> entries;
};

TEST_F(DialogTest, PickGoesToTheOpenPicker) {
    Script("pick 4\n");
    Picker picker;
    EXPECT_EQ(picker.DoModal(), IDOK);
    EXPECT_EQ(picker.choice, 4);
    platform::Step pick;
    pick.kind = platform::StepKind::Pick;
    EXPECT_THROW(platform::Apply_Top_Level_Step(pick), platform::UnansweredInput);
}

TEST_F(DialogTest, PickerErrorsNameTheCaptionlessWindowByTemplateAndClass) {
    const struct {
        std::vector<int> entries;
        const char* script;
        const char* message;
    } cases[] = {
        {{0, 1, 2}, "pick 3\n",
         "step 'pick 3' at line 1: the picker dialog 250 (IDD_PICKER) of class Picker has 3 entries (0 to 2): no entry 3"},
        {{0, 1, 2}, "pick -1\n", "has 3 entries (0 to 2): no entry -1"},
        {{7}, "pick 0\n", "has 1 entry (7): no entry 0"},
        {{0, 4, 8}, "pick 2\n", "has 3 entries (0, 4, 8): no entry 2"},
        {{0, 1, 2}, "", "dialog 250 (IDD_PICKER) of class Picker not answered: script ended"},
    };
    for (const auto& c : cases) {
        Clean();
        Script(c.script);
        Picker picker(c.entries);
        try {
            picker.DoModal();
            ADD_FAILURE() << "no error for " << c.script;
        } catch (const platform::UnansweredInput& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        EXPECT_EQ(picker.choice, -1) << "the picker took no choice";
    }
}

}  // namespace
