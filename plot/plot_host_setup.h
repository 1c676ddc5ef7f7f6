// What the plot commands set on the host before they start; nothing of it is restored.
#pragma once

// Each choice has a type of its own, so that a setup written in the wrong order does not compile.
enum class Printer_Folders { Keep, Read_Again };  // the host's printer folders
enum class Shx_Text { Keep, Off };                // PDFSHX and EPDFSHX
enum class Plot_Styles { Keep, Install };         // the plug-in's plot-style tables into the host's folder

struct Plot_Host_Setup {
    Printer_Folders Folders = Printer_Folders::Read_Again;
    Shx_Text Shx = Shx_Text::Off;
    Plot_Styles Styles = Plot_Styles::Install;
};

// Printer folders, UCS, PDFSHX/EPDFSHX, BACKGROUNDPLOT, the automatic plot log, the hidden
// layers and the plot-style tables, in this order.
void Prepare_Host_For_Plot(const Plot_Host_Setup& setup);
