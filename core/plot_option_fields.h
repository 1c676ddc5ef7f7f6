// The fields of Plot_Option in their stored order (settings-file block and drawing
// record alike), for the visitors of core/option_fields.h.
#pragma once

#include <cstdint>

#include "core/plot_option.h"

// The fields in their stored order, each with the date it was introduced and, for
// strings, the longest text the drawing record keeps.
template <class Visitor, class Option>
void Visit_Plot_Option_Fields(Visitor& v, Option& o)
{
    v.Int(o.Output_Type, 0);
    v.Int(o.Folder_Mode, 0);
    v.Text(o.Folder, 0, 299);
    v.Int(o.Margin, 0);
    v.Int(o.Back_Red, 0);
    v.Int(o.Back_Green, 0);
    v.Int(o.Back_Blue, 0);
    v.Real(o.Scale, 0);
    v.Text(o.Prefix, 0, 99);
    v.Int(o.Start_No, 0);
    v.Text(o.Suffix, 0, 99);
    v.Int(o.Digits, 0);
    v.Int(o.Sort_Type, 0);
    v.Int(o.TK_Order, 20200711);
    v.Int(o.Auto_Scale, 20210125);
    v.Real(o.Filter_Percent, 20210129);
    v.Int(o.Print_Sign, 20210213);
    v.Int(o.Use_Reg_Stamp, 20210213);
    v.Int(o.Use_Issue_Stamp, 20210213);
    v.Text(o.Reg_Stamp_Name, 20210213, 99);
    v.Text(o.Issue_Stamp_Name, 20210213, 99);
    v.Int(o.Image_Frame_Off, 20210401);
    v.Int(o.Use_Project_Stamp, 20220608);
    v.Int(o.Use_Done_Stamp, 20220608);
    v.Text(o.Project_Stamp_Name, 20220608, 99);
    v.Text(o.Done_Stamp_Name, 20220608, 99);
    v.Int(o.Stamps_On, 20220608);
    v.Text(o.Device_Name, 20230510, 99);
    v.Int(o.Plt_Output, 20230510);
    v.Int(o.Auto_Rotate, 20230510);
    v.Text(o.Plt_Folder, 20230516, 299);
    v.Int(o.Collate, 20230629);
    v.Int(o.Reserved_Flag, 20250908);
    v.Text(o.Style_Name, 20250912, 299);
    const int32_t margins = 20250913;
    v.Int(o.Unequal_Margin, margins);
    v.Int(o.Unequal_Mode, margins);
    v.Int(o.Land_Top, margins);
    v.Int(o.Land_Bottom, margins);
    v.Int(o.Land_Left, margins);
    v.Int(o.Land_Right, margins);
    v.Int(o.Port_Top, margins);
    v.Int(o.Port_Bottom, margins);
    v.Int(o.Port_Left, margins);
    v.Int(o.Port_Right, margins);
}
