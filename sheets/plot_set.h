// The plot settings of one sheet: a stack object that holds the active layout open for
// write and applies device, media, window, centring, scale to fit, rotation and plot style
// through the host's plot-settings validator. It also lists the devices, media and
// plot-style tables the host offers, and runs the host's preview of one sheet of a result
// window. Constructed with the current document locked (Doc_Lock).
#pragma once

#include "ge/gepnt2d.h"
#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"

class ZcDbLayout;
class ZcDbLayoutManager;
class ZcDbPlotSettingsValidator;

class Plot_Set {
public:
    // Opens the active layout (model space allowed) for write, refreshes the validator's
    // lists for it and loads the style sheets, device and media names. When the layout
    // cannot be opened every operation does nothing.
    Plot_Set();
    // Closes the layout when it is still held.
    ~Plot_Set();
    Plot_Set(const Plot_Set&) = delete;
    Plot_Set& operator=(const Plot_Set&) = delete;

    bool Is_Open() const { return Layout != nullptr; }
    // Closes the layout when it is still held (a plot driver does so before "-plot"); the
    // helper holds nothing afterwards.
    void Close_Layout();

    void Load_Device_Name();
    // The device's media, display and canonical names in the host's order; the current
    // media's display name becomes Media_Name.
    void Load_Media_Names();
    // The current media's display name from the listed media becomes Media_Name.
    void Load_Media_Name();
    // The plot-style tables of the drawing's kind, the plug-in's three first; also applies
    // the lineweight and transparency settings and plotting with plot styles.
    void Load_Style_Sheets();

    // Sets the device without media and reloads the media (only the current one when the
    // media listed are that device's already); true when the host took it.
    bool Set_Device(const CString& device_name);
    // Sets the paper (rotated first: its "T" variant first), falling back to the other
    // orientation when the host refuses; returns the name set.
    CString Set_Media(const CString& paper_name, bool rotated_first);
    // Makes the listed table current; out of range sets nothing. Returns its name, or the
    // default table ("acad.ctb", "acad.stb" when PSTYLEMODE is 0).
    CString Select_Style_Sheet(int index);
    // The listed table's name; the first when out of range; "acad.ctb" for an empty list.
    CString Get_Style_Sheet(int index) const;
    // Plot window of the corners, widened (margins in use) or narrowed by a tenth of the
    // scale, less the view target when asked; window plot, centred, scaled to fit.
    void Set_Window(const ZcGePoint2d& first, const ZcGePoint2d& second, double scale, bool subtract_target);
    void Reset_Rotation();
    // The canonical name of the first media with that display name (case ignored); "A1"
    // when the device has none.
    CString Media_Canonical_Name(const CString& display_name) const;
    // The validator's devices that are physical printers.
    void Get_Printer_List(CStringArray& printers);
    bool Is_Paper_Landscape() const;
    // The host's preview of sheet `index` of the result window of that kind (1..3). Closes
    // the layout first; afterwards the helper holds nothing.
    void Preview(int kind, int index);

    ZcDbPlotSettingsValidator* Validator = nullptr;
    ZcDbLayoutManager* Layout_Manager = nullptr;
    ZcDbLayout* Layout = nullptr;            // open for write; null once closed
    CString Style_Name = L"acad.ctb";
    CStringArray Style_List;
    CString Device_Name;
    CString Media_Name = L"KV_A1";           // display name of the current media
    CStringArray Media_Display_Names;
    CStringArray Media_Canonical_Names;      // parallel to the display names

private:
    // The layout's device name; empty when it cannot be read.
    CString Layout_Device() const;
    CString Media_Device;                    // the device the media lists are of
};

// The result window being previewed (1..3, 0 none) and the row previewed (-1 none).
extern int g_Preview_Kind;
extern int g_Preview_Index;
// The number of rows of the open result window of a kind (0 when it is not open); each
// result window chains its own counter in when it is created.
extern int (*g_Preview_List_Count)(int kind);

// A device that is a physical printer: not "无", "FAX", a file device (NONE, DWF, JPG, PNG,
// K_EPS, SVG, MICROSOFT XPS) or a PDF writer other than a "FACT"ory one.
bool Is_Printer_Device(const CString& device);
// The candidates with the extension, those with "黑白", "彩色", "蓝白" first, each group
// in candidate order, later duplicates (case ignored) dropped. Empties the candidates.
void Order_Style_Sheets(CStringArray& candidates, const CString& extension, CStringArray& list);

// Appends the names of the files directly in the folder.
void List_File_Names(const CString& folder, CStringArray& names);
// List_File_Names over the existing folders of the host's plot-style folder list.
void List_Style_Folder_Files(CStringArray& names);
