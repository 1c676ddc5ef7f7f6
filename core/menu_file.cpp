// The menu source file "ZKBP.mns" and the "Korvel_Load" command that loads it.
#include "core/checked_file_writer.h"
#include "core/command_handlers.h"
#include "core/menu.h"
#include "core/menu_table.h"
#include "core/program_folders.h"
#include "core/sysvar_helpers.h"
#include "core/text_tokens.h"
#include "ed/editor.h"

namespace {

const wchar_t* const Menu_Group = L"KDivezUrez";
const wchar_t* const Menu_Line_Id = L"ID_KDivezUrez1";

void Write_Line(std::ostream& out, const CString& line)
{
    Write_Ansi_String(out, line);
    out << '\n';
}

// CMDECHO 0 and FILEDIA 0 while the menu file is loaded; CMDECHO as it was and FILEDIA 1
// afterwards, on every way out.
class Menu_Load_Scope {
public:
    Menu_Load_Scope()
    {
        m_Echo_Saved = zcedGetVar(L"CMDECHO", &m_Echo) == RTNORM;
        Set_Var_Int(L"CMDECHO", 0);
        Set_Var_Int(L"FILEDIA", 0);
    }
    ~Menu_Load_Scope()
    {
        if (m_Echo_Saved)
            zcedSetVar(L"CMDECHO", &m_Echo);
        Set_Var_Int(L"FILEDIA", 1);
    }
    Menu_Load_Scope(const Menu_Load_Scope&) = delete;
    Menu_Load_Scope& operator=(const Menu_Load_Scope&) = delete;

private:
    resbuf m_Echo{};
    bool m_Echo_Saved = false;
};

}  // namespace

CString Format_Menu_Line(const wchar_t* id, int number, const wchar_t* label, const wchar_t* command)
{
    CString line;
    line.Format(L"%s_%d   ", id, number);
    line += L"[" + Menu_Label_With_Alias(number, label) + L"]" + command;
    return line;
}

CString Write_Menu_File()
{
    CString path;
    path.Format(L"%s\\ZKBP.mns", g_Config_Folder.GetString());
    Checked_File_Writer writer;
    writer.Open(path);
    std::ostream& out = writer.Stream();
    Write_Line(out, CString(L"***MENUGROUP=") + Menu_Group);
    Write_Line(out, L"");
    Write_Line(out, L"***POP1");
    Write_Line(out, CString(L"**") + Menu_Group + L"1");
    Write_Line(out, CString(Menu_Line_Id) + L"   [" + Menu_Popup_Name + L"]");
    for (int i = 0; i < Menu_Table_Size; ++i) {
        const Menu_Entry& entry = Menu_Table[i];
        switch (entry.kind) {
        case Menu_Entry::Kind::Separator:
            Write_Line(out, L"[--]");
            break;
        case Menu_Entry::Kind::Sub_Menu:
            Write_Line(out, Format_Menu_Line(Menu_Line_Id, 0, CString(L"->") + entry.label, L""));
            break;
        case Menu_Entry::Kind::Item: {
            CString label = entry.closes_sub_menu ? CString(L"<-") + entry.label : CString(entry.label);
            Write_Line(out, Format_Menu_Line(Menu_Line_Id, entry.number, label, Menu_Command_Name(entry.number)));
            break;
        }
        }
    }
    writer.Close(true);
    return path;
}

void Load_Menu_File()
{
    Menu_Load_Scope scope;
    zcedCommandS(RTSTR, L"_MenuUnload", RTSTR, Menu_Group, RTNONE);
    const CString path = Write_Menu_File();
    zcedCommandS(RTSTR, L"_MenuLoad", RTSTR, path.GetString(), RTNONE);
}
