// Inserting a title-block frame: from a library drawing of the title-block folder or from
// entities picked in the drawing, placed centred, by a corner or wrapped around selected
// graphics, drawn into the current space as its exploded entities.
#pragma once

#include <functional>

#include "db/dbmain.h"
#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"
#include "mfc/afxtempl.h"

// One library drawing.
class Single_TK : public CObject {
public:
    CString Full_Path;
    CString File_Name;  // after the last backslash, extension included
};
typedef CTypedPtrArray<CObArray, Single_TK*> Single_TK_Array;

// The closing re-send of the command is pending: the next run only clears it.
extern bool g_TK_Insert_Guard;

// The body of KV_DivezUrez_22: the frame picker, then the placements. open_settings shows
// the insertion settings when the picker's settings item is chosen; the picker then opens
// again.
void Insert_TK_Frames(const std::function<void()>& open_settings);

// The text after the last backslash; false when there is no backslash past the first
// character, the text is empty or it does not hold the drawing-file extension.
bool Get_Dwg_File_Name(const CString& path, CString& name);
// Empties the list and adds every drawing file directly in the folder that holds a frame
// block, in the order of the folder listing.
void List_TK_Drawings(const CString& folder, Single_TK_Array& list);
void Clear_Single_TK_List(Single_TK_Array& list);
// The file name shown in lists: without its last four characters.
CString Single_TK_Title(const Single_TK& drawing);

// The text style "Korvel" of the current drawing, made when missing; null when the table
// cannot be opened.
ZcDbObjectId Get_Insert_Text_Style();
// Defines the frame of g_TK_Insert as a block of the current drawing; its id, or null.
// frame_centre: where the centre of the frame's lines lies in the block.
ZcDbObjectId Bring_In_TK_Block(ZcGePoint3d& frame_centre);
// Places the frame once with the current direction, translation and scaling.
void Place_TK_Block();
// The scale text of a placed frame ("" for none).
CString Scale_Text_Of_Frame();

// The placement loops; each places the frame as often as positions are given.
void Insert_By_Centre();
void Insert_By_Corner();
void Insert_Around_Selection();
