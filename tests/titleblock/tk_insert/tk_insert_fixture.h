// A host with the title-block insertion fixtures at hand: the library folder, the target
// drawing, scripted input and the lines and texts a placement leaves in model space.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/cursor_overlays.h"
#include "core/plot_config.h"
#include "core/space_helpers.h"
#include "core_fixture.h"
#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "db/dbtext.h"
#include "drawing_builders.h"
#include "expect_box.h"
#include "mfc/afxwin.h"
#include "mfc/afxdll.h"
#include "mfc/message_queue.h"
#include "mfc/rc/resource_script.h"
#include "res/resource_script.h"
#include "script/script_input.h"
#include "win/win_files.h"
#include "titleblock/my_pline.h"
#include "titleblock/tk_outline.h"

struct Placed_Line {
    ZcGePoint2d Start, End;
};

class TK_Insert_Test : public Core_Test {
public:
    void SetUp() override
    {
        Core_Test::SetUp();
        // The pickers and the settings dialog need the module's dialog templates.
        std::string error;
        ASSERT_TRUE(platform::Register_Resource_Script(AfxGetResourceHandle(), Resource_Script_Path(), &error))
            << error;
        My_PLine::rxInit();
        g_TK_Insert.Clear();
        g_Frame_Jig_Dir = 0;
        g_TK_Move_Matrix.setToIdentity();
        g_TK_Scale_Matrix.setToIdentity();
        g_Plot_Config.TK_Insert_Mode = 0;
        g_Plot_Config.TK_Scale_Step = 0;
        g_Plot_Config.TK_Scale_Custom = 0;
        g_Plot_Config.TK_Text_Pos = 0;
    }
    void TearDown() override
    {
        g_TK_Insert.Clear();
        g_Frame_Jig_Dir = 0;
        platform::Clear_Message_Queue();
        platform::Unregister_Resource_Script(AfxGetResourceHandle());
        Core_Test::TearDown();
    }

    static void Script(const std::string& text) { platform::ScriptInput::instance().push_text(std::string_view(text)); }
    static std::string Fixture(const std::string& name)
    {
        return std::string(KORVEL_SOURCE_DIR) + "/tests/fixtures/dxf/" + name;
    }
    // A host path as the plug-in sees it (a drive path).
    static CString Windows_Path(const std::string& host_path)
    {
        return CString(platform::To_Windows_Path(host_path).c_str());
    }
    static CString Library_Path(const char* file) { return Windows_Path(Fixture(std::string("tk_library/") + file)); }
    // Opens the target drawing as the current document.
    static void Open_Target()
    {
        const std::wstring path = platform::From_Utf8(Fixture("tk_insert_target.dxf"));
        ASSERT_EQ(zcDocManager->appContextOpenDocument(path.c_str()), Zcad::eOk);
    }

    // Entities of model space of the given kind, in order.
    template <class T>
    static std::vector<ZcDbObjectId> Model_Ids()
    {
        std::vector<ZcDbObjectId> ids;
        ZcDbObjectIdArray all;
        Collect_Space_Entity_Ids(all, Db()->modelSpaceId(), false);
        for (int i = 0; i < all.length(); ++i) {
            ZcDbObjectPointer<ZcDbEntity> entity(all[i], ZcDb::kForRead);
            if (entity.openStatus() == Zcad::eOk && T::cast(entity.object()) != nullptr)
                ids.push_back(all[i]);
        }
        return ids;
    }
    static std::vector<Placed_Line> Model_Lines()
    {
        std::vector<Placed_Line> lines;
        for (ZcDbObjectId id : Model_Ids<ZcDbLine>()) {
            ZcDbObjectPointer<ZcDbLine> line(id, ZcDb::kForRead);
            lines.push_back({{line->startPoint().x, line->startPoint().y}, {line->endPoint().x, line->endPoint().y}});
        }
        return lines;
    }
    // The box of the placed lines.
    static ZcDbExtents Lines_Box(const std::vector<Placed_Line>& lines)
    {
        ZcDbExtents box;
        for (const Placed_Line& line : lines) {
            box.addPoint(ZcGePoint3d(line.Start.x, line.Start.y, 0));
            box.addPoint(ZcGePoint3d(line.End.x, line.End.y, 0));
        }
        return box;
    }
};
