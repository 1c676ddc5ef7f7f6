// What the plot commands set on the host before they start; nothing of it is restored.
#pragma once

struct Plot_Host_Setup {
    bool Printer_Folders = true;  // the host's printer folders read again
    bool Shx_Text_Off = true;     // PDFSHX and EPDFSHX 0
    bool Install_Ctb = true;      // the plug-in's plot-style tables into the host's folder
};

// Printer folders, UCS, PDFSHX/EPDFSHX, BACKGROUNDPLOT, the automatic plot log, the hidden
// layers and the plot-style tables, in this order.
void Prepare_Host_For_Plot(const Plot_Host_Setup& setup);
