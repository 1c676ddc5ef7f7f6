// The resource script of a module, in the resource compiler's own syntax (UTF-8 .rc):
// dialog templates, menus, string tables and image files, with ids from #define lines
// (usually of an included resource.h).
//
// A module makes its script known at attach with platform::Register_Resource_Script
// (the path is baked into the module at build time). CDialog(id), CString::LoadString,
// LoadBitmap/LoadIcon/LoadCursor and CMenu::LoadMenu then find the resources through
// the resource search order (AfxGetResourceHandle first).
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "win/windows.h"

namespace platform::rc {

struct Control {
    std::wstring statement;   // PUSHBUTTON, CONTROL, LTEXT ...
    std::wstring class_name;  // "Button", "Static", "Edit", "SysListView32" ...
    std::wstring text;        // caption, or the image's name for ICON and image statics
    int text_id = 0;          // the image's id when the text is a number
    int id = 0;
    DWORD style = 0;          // WS_CHILD | WS_VISIBLE included
    DWORD ex_style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    int line = 0;
};

struct Dialog {
    int id = 0;
    std::wstring name;        // for templates named by a string
    bool extended = false;    // DIALOGEX
    int x = 0, y = 0, cx = 0, cy = 0;
    DWORD style = 0;
    DWORD ex_style = 0;
    std::wstring caption;
    std::wstring font_face;   // empty: the system font
    int font_size = 0;        // points
    int font_weight = 0;
    bool font_italic = false;
    std::vector<Control> controls;
    std::filesystem::path file;
    int line = 0;
};

struct Menu_Item {
    std::wstring text;
    int id = 0;
    UINT flags = 0;           // MF_GRAYED, MF_CHECKED, MF_SEPARATOR, MF_POPUP ...
    std::vector<Menu_Item> children;
};

struct Menu {
    int id = 0;
    std::vector<Menu_Item> items;
};

enum class Image_Kind { Bitmap, Icon, Cursor, Png };

struct Image {
    int id = 0;
    std::wstring name;
    Image_Kind kind = Image_Kind::Bitmap;
    std::filesystem::path path;  // resolved against the script's folder
};

struct Script {
    std::filesystem::path path;
    std::map<std::string, long> defines;
    std::map<int, Dialog> dialogs;
    std::map<std::wstring, Dialog> named_dialogs;
    std::map<int, Menu> menus;
    std::map<UINT, std::wstring> strings;
    std::vector<Image> images;
};

// Reads a script and the files it includes. On an error returns false with error set to
// "<file>:<line>: <reason>" (UTF-8).
bool Read_Script(const std::filesystem::path& path, Script& script, std::string& error);
bool Read_Script_Text(const std::string& utf8_text, const std::filesystem::path& path, Script& script,
                      std::string& error);

// The value of a style constant (WS_CHILD, BS_PUSHBUTTON, LVS_REPORT ...) or standard id by name.
bool Style_Constant(const std::string& name, long& value);
// The value of a standard dialog id (IDOK, IDCANCEL, IDYES, IDNO ..., IDC_STATIC) by name.
bool Standard_Id(const std::string& name, long& value);

}  // namespace platform::rc

namespace platform {

// Reads the module's script and serves its resources; a later script of the same module
// replaces the earlier. false with error (UTF-8) when the script cannot be read.
bool Register_Resource_Script(HINSTANCE module, const std::filesystem::path& path, std::string* error = nullptr);
// The same for a script held as text (the host's own resources, built into its libraries);
// name stands for the file in error messages.
bool Register_Resource_Script_Text(HINSTANCE module, const std::string& utf8_text, const std::filesystem::path& name,
                                   std::string* error = nullptr);
void Unregister_Resource_Script(HINSTANCE module);
// The script of a module, or null.
const rc::Script* Resource_Script(HINSTANCE module);

// Templates in the resource search order (module null) or of one module.
const rc::Dialog* Find_Dialog_Template(HINSTANCE module, UINT id);
const rc::Dialog* Find_Dialog_Template(HINSTANCE module, const std::wstring& name);
const rc::Menu* Find_Menu_Template(HINSTANCE module, UINT id);
const rc::Image* Find_Image_Resource(HINSTANCE module, UINT id, rc::Image_Kind kind);

// The value of an id symbol: a #define of the registered scripts (resource search order
// first), else a standard dialog id. Script steps name windows and controls with these.
bool Resource_Symbol_Value(const std::string& name, long& value);
// The dialog template symbol ("IDD_...") the registered scripts define for an id; "" when none.
std::string Dialog_Template_Symbol(int id);

}  // namespace platform
