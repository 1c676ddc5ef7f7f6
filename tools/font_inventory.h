// The font files installed on the machine and on the host's support path: TrueType files
// and collection faces, standard SHX fonts and SHX big fonts.
#pragma once

#include <cstdint>
#include <cstdio>

#include "mfc/afx.h"
#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"
#include "mfc/afxtempl.h"

// One installed font.
class TTF_SHX : public CObject {
public:
    ~TTF_SHX() override = default;

    CString Path;       // the file that holds the font (a collection face: the ".ttc" file)
    CString File_Name;  // the name the font is looked up by
    CString Stem;       // the file name up to its last ".", lower-cased
};

// One TrueType collection while it is read.
class TTC : public CObject {
public:
    ~TTC() override = default;

    CString Path;
    CString File_Name;
    CStringArray Face_Names;  // each face's full name followed by ".ttf"
};

using Font_List = CArray<TTF_SHX*, TTF_SHX*>;
using Collection_List = CArray<TTC*, TTC*>;

// Three owning lists, filled afresh by Load.
class Font_Inventory {
public:
    Font_Inventory() = default;
    ~Font_Inventory() { Clear(); }
    Font_Inventory(const Font_Inventory&) = delete;
    Font_Inventory& operator=(const Font_Inventory&) = delete;

    void Load();
    // The first entry of that file name (without regard to case): TrueType list first,
    // then standard, then big fonts, then a collection face whose ".ttc" file has that
    // name; nullptr when none.
    TTF_SHX* Find(const CString& file_name) const;
    void Clear();

    Font_List TrueType;      // sorted by stem, duplicates kept
    Font_List Standard_Shx;  // sorted by stem, one entry a stem
    Font_List Big_Shx;       // sorted by stem, one entry a stem
};

// The Windows fonts folder, without a trailing backslash.
CString Fonts_Folder();
// The existing folders of the host's support path (ACADPREFIX), in its order.
void Support_Folders(CStringArray& folders);
// The same from a support path value; `cut` says the value may end in a cut entry, which
// is then left out.
void Split_Support_Path(CString value, bool cut, CStringArray& folders);
// True when the path is longer than 3 characters and ends in the extension (".shx"),
// without regard to case.
bool Has_Font_Extension(const CString& path, const wchar_t* extension);
// True when the SHX file's first line says "bigfont" (any case).
bool Is_Big_Font_File(const CString& path);

void List_Shx_Fonts(Font_List& standard, Font_List& big);
void List_TrueType_Fonts(Font_List& fonts);
void List_TrueType_Collections(Collection_List& collections);
// The full names of the collection's faces, each followed by ".ttf"; true when one was found.
bool Read_Collection_Face_Names(const CString& path, CStringArray& names);
// The full font name (name id 4) of the "name" table at the offset; empty when none.
CString Read_Full_Font_Name(FILE* file, uint32_t table_offset);
void Sort_Font_Entries(Font_List& fonts);
void Remove_Duplicate_Fonts(Font_List& fonts);
// Deletes the entries and empties the list.
void Delete_Font_Entries(Font_List& fonts);
