// Menu source files (".mns"): the menu group's name and its ***POP sections, each a
// pop-up with its items, separators and sub-menus. Other sections are skipped.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct Menu_Source_Entry {
    enum class Kind { Item, Separator, Sub_Menu };
    Kind kind = Kind::Item;
    std::wstring tag;    // the id before the label ("ID_KDivezUrez1_2"), may be empty
    std::wstring label;  // without the "->" / "<-" markers
    std::wstring macro;  // the text after the label
    std::vector<Menu_Source_Entry> entries;  // of a sub-menu
};

struct Menu_Source_Popup {
    std::wstring tag;    // id of the title line
    std::wstring name;   // the title's label
    std::vector<Menu_Source_Entry> entries;
};

struct Menu_Source {
    std::wstring group_name;
    std::vector<Menu_Source_Popup> popups;
};

// Parses the text of a menu file. False with error ("line N: reason") when a line of a
// pop-up section is not an entry, a sub-menu is left open, or the group has no name.
bool Parse_Menu_Source(const std::wstring& text, Menu_Source& source, std::string& error);
// Reads a menu file (Windows path; system ANSI code page) and parses it. False with
// error when the file cannot be read or parsed.
bool Read_Menu_Source(const std::wstring& path, Menu_Source& source, std::string& error);

}  // namespace platform
