#include "signstamp/stamp_inserter.h"

#include <cstdlib>

#include "core/erase_helpers.h"
#include "core/file_operations.h"
#include "core/layer_helpers.h"
#include "core/name_lookups.h"
#include "core/plot_config.h"
#include "core/plot_option.h"
#include "core/program_folders.h"
#include "core/selection_helpers.h"
#include "core/space_helpers.h"
#include "core/sysvar_helpers.h"
#include "db/dbdict.h"
#include "db/dbimage.h"
#include "db/dbsymtb.h"
#include "ed/command_line.h"
#include "ed/editor.h"
#include "ge/gemat3d.h"
#include "signstamp/stamp_library.h"
#include "titleblock/tk_sheets.h"
#include "win/win_files.h"
#include "win/win_time.h"

namespace {

const wchar_t Stamp_Layer[] = L"KV_Stamp";
constexpr int Stamp_Layer_Color = 118;
constexpr double Pi = 3.14159265358979323846;
const wchar_t* const Picture_Prefix[4] = {L"A", L"B", L"C", L"D"};
const wchar_t* const Image_Def_Name[4] = {L"Temp_Pic1", L"Temp_Pic2", L"Temp_Pic3", L"Temp_Pic4"};

// The definition under the name in the drawing's image dictionary: the one there, or the
// new one added under it (then owned by the dictionary). Null on failure, printed.
ZcDbObjectId Image_Def_For(const wchar_t* image_name, ZcDbRasterImageDef*& made)
{
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    ZcDbDictionary* named = nullptr;
    if (db->getNamedObjectsDictionary(named, ZcDb::kForWrite) != Zcad::eOk) {
        zcutPrintf(L"\n Failed，未能生成imageDictionary !\n");
        return ZcDbObjectId();
    }
    ZcDbObjectId images_id;
    if (named->getAt(L"ACAD_IMAGE_DICT", images_id) != Zcad::eOk) {
        auto* images = new ZcDbDictionary();
        if (named->setAt(L"ACAD_IMAGE_DICT", images, images_id) != Zcad::eOk) {
            delete images;
            named->close();
            zcutPrintf(L"\n Failed，未能生成imageDictionary !\n");
            return ZcDbObjectId();
        }
        images->close();
    }
    named->close();
    ZcDbObjectPointer<ZcDbDictionary> images(images_id, ZcDb::kForWrite);
    if (images.openStatus() != Zcad::eOk) {
        zcutPrintf(L"\n Failed，不能打开imageDictionary !\n");
        return ZcDbObjectId();
    }
    ZcDbObjectId def_id;
    if (images->getAt(image_name, def_id) == Zcad::eOk)
        return def_id;
    if (images->setAt(image_name, made, def_id) != Zcad::eOk) {
        zcutPrintf(L"\n Failed，未能生成ImageDef !\n");
        return ZcDbObjectId();
    }
    made->close();
    made = nullptr;
    return def_id;
}

// Runs the host's draw order on the image: to the front, or behind everything.
void Set_Stamp_Draw_Order(ZcDbObjectId image_id, bool behind)
{
    ZcDbObjectIdArray ids;
    ids.append(image_id);
    ads_name set;
    if (!Add_Ids_To_Selection(ids, set))
        return;
    zcedCommandS(RTSTR, L"draworder", RTPICKS, set, RTSTR, L"", RTSTR, behind ? L"B" : L"F", RTNONE);
    zcedSSFree(set);
}

}  // namespace

void Seed_Stamp_Jitter() { std::srand(GetTickCount() % 789); }

void Insert_Stamp_Image(ZcDbObjectId& id, const wchar_t* image_name, const CString& path, const ZcGePoint3d& centre,
                        int32_t width, int32_t height, double angle, ZcDbObjectId space_id)
{
    id = ZcDbObjectId();
    auto* def = new ZcDbRasterImageDef();
    if (def->setSourceFileName(path.GetString()) != Zcad::eOk || def->load() != Zcad::eOk) {
        delete def;
        zcutPrintf(L"\n Failed，未能生成ImageDef !\n");
        return;
    }
    const ZcDbObjectId def_id = Image_Def_For(image_name, def);
    delete def;  // a definition already there was used, or none could be added
    if (def_id.isNull())
        return;

    auto* image = new ZcDbRasterImage();
    if (image->setImageDefId(def_id) != Zcad::eOk) {
        delete image;
        zcutPrintf(L"\n Failed，未能生成AcDbRasterImage !\n");
        return;
    }
    ZcDbObjectId layer_id;
    Ensure_Layer_Color(layer_id, Stamp_Layer, Stamp_Layer_Color);
    const bool off = Get_Layer_State(layer_id, Layer_Off), frozen = Get_Layer_State(layer_id, Layer_Frozen),
               locked = Get_Layer_State(layer_id, Layer_Locked);
    for (int kind : {Layer_Off, Layer_Frozen, Layer_Locked})
        Set_Layer_State(layer_id, kind, false);
    ZcDbObjectId image_id;
    Append_Entity(image_id, image, Keep_Color, false, layer_id, space_id);
    Set_Layer_State(layer_id, Layer_Off, off);
    Set_Layer_State(layer_id, Layer_Frozen, frozen);
    Set_Layer_State(layer_id, Layer_Locked, locked);
    if (image_id.isNull()) {
        delete image;
        zcutPrintf(L"\n Failed，未能生成AcDbRasterImage !\n");
        return;
    }

    const ZcGePoint3d corner(centre.x - width / 2, centre.y - height / 2, 0.0);
    if (image->setOrientation(corner, ZcGeVector3d(width, 0, 0), ZcGeVector3d(0, height, 0)) != Zcad::eOk) {
        // Not left in the drawing, where the end of the run would not find it.
        image->erase();
        image->close();
        zcutPrintf(L"\n Failed，未能修改AcDbRasterImage参数 !\n");
        return;
    }
    image->setDisplayOptions(image->displayOptions() | ZcDbRasterImage::kShow | ZcDbRasterImage::kTransparent);
    image->transformBy(ZcGeMatrix3d::rotation(angle, ZcGeVector3d::kZAxis, centre));
    if (g_Plot_Config.Stamp_Jitter != 0) {
        const int degrees = std::rand() % 30 - 15;
        image->transformBy(ZcGeMatrix3d::rotation(degrees * Pi / 180.0, ZcGeVector3d::kZAxis, centre));
    }
    image->close();
    Set_Stamp_Draw_Order(image_id, g_Plot_Config.Stamps_Behind != 0);
    id = image_id;
}

// ---- Stamp_Inserter ----

Stamp_Inserter::~Stamp_Inserter()
{
    Erase_Entities(Inserted);
    if (m_Earlier_Image_Frame >= 0)
        Set_Var_Int(L"IMAGEFRAME", m_Earlier_Image_Frame);
}

void Stamp_Inserter::Remove_Image_Defs()
{
    for (const wchar_t* name : Image_Def_Name)
        Remove_Image_Def(name);
}

void Stamp_Inserter::Prepare_Folder()
{
    Folder = g_Config_Folder + L"\\Korvel_Temp";
    CreateDirectoryW(Folder.GetString(), nullptr);
    Delete_Folder_Files(Folder);
}

void Stamp_Inserter::Settle_Image_Frames(Plot_Option& option)
{
    int16_t frame = 0;
    if (!Get_Var_Int(L"IMAGEFRAME", frame) || (frame == 0 && option.Image_Frame_Off != 0))
        return;
    if (m_Earlier_Image_Frame < 0)
        m_Earlier_Image_Frame = frame;
    // Through 1, so that the host redraws the frames it had shown.
    Set_Var_Int(L"IMAGEFRAME", 1);
    Set_Var_Int(L"IMAGEFRAME", 0);
    option.Image_Frame_Off = 1;
    option.Write_Dwg_Setting();
}

void Stamp_Inserter::Write_Picture(int kind, const CString& name)
{
    const KV_Stamp* stamp = g_Stamp_Library.Find(name);
    if (kind < 1 || kind > 4 || stamp == nullptr)
        return;
    Picture_Path[kind - 1] = Folder + L"\\" + Make_Time_Stamp(Picture_Prefix[kind - 1]);
    stamp->Save_Picture(Picture_Path[kind - 1]);
}

void Stamp_Inserter::Insert_Picture(int kind, const CString& name, const ZcGePoint2d& point, double scale, double angle,
                                    ZcDbObjectId space_id)
{
    if (kind < 1 || kind > 4 || point.isEqualTo(Stamp_Pos_Unset))
        return;
    const KV_Stamp* stamp = g_Stamp_Library.Find(name);
    if (stamp == nullptr)
        return;
    const auto width = static_cast<int32_t>(stamp->Width * scale);
    const auto height = static_cast<int32_t>(stamp->Height * scale);
    ZcDbObjectId id;
    Insert_Stamp_Image(id, Image_Def_Name[kind - 1], Picture_Path[kind - 1], ZcGePoint3d(point.x, point.y, 0.0), width,
                       height, angle, space_id);
    if (!id.isNull())
        Inserted.append(id);
}
