// The stamps of a title-block plot run: the chosen stamps' pictures written to files, put
// on each sheet as raster images on the layer "KV_Stamp" before it plots, and erased when
// the run ends. One inserter lives for one run of the driver.
#pragma once

#include <cstdint>

#include "db/dbmain.h"
#include "ge/gepnt2d.h"
#include "mfc/afxstr.h"

class Plot_Option;

class Stamp_Inserter {
public:
    Stamp_Inserter() = default;
    // Erases the inserted images (their layer's lock kept) and puts IMAGEFRAME back when
    // the run changed it.
    ~Stamp_Inserter();
    Stamp_Inserter(const Stamp_Inserter&) = delete;
    Stamp_Inserter& operator=(const Stamp_Inserter&) = delete;

    // Removes the definitions "Temp_Pic1".."Temp_Pic4" of an earlier run.
    void Remove_Image_Defs();
    // The configuration folder's "Korvel_Temp", made and emptied.
    void Prepare_Folder();
    // Switches the image frames off for the run (and marks that in the options, stored in
    // the drawing) unless the options say it was done before and they are off; the earlier
    // value comes back when the inserter ends.
    void Settle_Image_Frames(Plot_Option& option);
    // Writes the picture of the named library stamp for kind 1..4 into the folder.
    void Write_Picture(int kind, const CString& name);
    // Puts the kind's picture centred on the point, the stamp's size in millimetres times
    // the scale, turned by the angle (radians), in the space (null: the current one); nothing
    // for the unset point or a stamp no longer in the library.
    void Insert_Picture(int kind, const CString& name, const ZcGePoint2d& point, double scale, double angle,
                        ZcDbObjectId space_id = ZcDbObjectId());

    CString Folder;
    CString Picture_Path[4];
    ZcDbObjectIdArray Inserted;

private:
    int16_t m_Earlier_Image_Frame = -1;  // -1: left alone
};

// Seeds the small random turn of the stamps (the milliseconds since start, modulo 789).
void Seed_Stamp_Jitter();

// Adds one raster image of the picture under the image definition name (made or reused),
// centred on the point, width x height drawing units, turned by the angle, on the layer
// "KV_Stamp" in the space (null: the current one). The id is null on failure, which is
// printed on the command line.
void Insert_Stamp_Image(ZcDbObjectId& id, const wchar_t* image_name, const CString& path, const ZcGePoint3d& centre,
                        int32_t width, int32_t height, double angle, ZcDbObjectId space_id = ZcDbObjectId());
