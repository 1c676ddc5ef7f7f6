// The UI kit's tests: the module's resource script served from the current resource
// handle, an empty script and message queue, an emulated machine of the test process,
// and no progress window left behind.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "mfc/afxdc.h"
#include "mfc/afxwin.h"
#include "mfc/atlimage.h"

class Ui_Test : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;

    // Pushes script steps for the dialogs to take.
    static void Script(const std::string& steps);
    // A file path in the test's own folder.
    std::filesystem::path Temp_File(const std::string& name) const;
    // The pixel of a PNG snapshot of the window (its client area).
    COLORREF Snapshot_Pixel(CWnd* window, int x, int y, const std::string& name) const;
    // Whether some pixel of the snapshot inside the rectangle has the colour (within 40 per component).
    bool Snapshot_Has_Color(CWnd* window, const CRect& area, COLORREF color, const std::string& name) const;

protected:
    std::filesystem::path Folder;
};
