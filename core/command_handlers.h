// The bodies of the plug-in's commands, as the command table registers them.
#pragma once

// Numbered commands KV_DivezUrez_1 .. KV_DivezUrez_22.
void Plot_Single_Sheet();         // 1
void Batch_Plot_To_Files();       // 2
void Manage_TK_Library();         // 3
void Batch_Plot_By_TK();          // 4
void Batch_Plot_To_Paper();       // 5
void Manage_Sign_Library();       // 6
void Insert_Library_Signature();  // 7
void Authorize_Signatures();      // 8
void Edit_Shortcuts();            // 9
void Open_Help();                 // 10
void Show_About();                // 11
void Show_Uninstall();            // 12
void Manage_Stamp_Library();      // 13
void Edit_Plot_Settings();        // 14
void Brush_Text();                // 15
void Old_Batch_Plot();            // 16
void Make_Outer_Frame();          // 17
void Convert_True_Colors();       // 18
void Brush_Block_Attributes();    // 19
void Check_Font_Files();          // 20
void Export_Font_Files();         // 21
void Insert_TK();                 // 22

// Fixed internal commands that continue work another command started.
void Korvel_Command();  // "Korvel": empty body; its work runs when the command has ended
void Load_Menu_File();  // "Korvel_Load"
void Plot_Temp1();
void Plot_Temp2();
void Plot_Temp3();
void SinglePlot_SelectP();
void SinglePlot_SelectW();
void SinglePlot_Plot_Standby();
void Plot_BaseFun1_Standby();
void Plot_BaseFun2_Standby();
