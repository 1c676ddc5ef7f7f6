// The signature library: one record per signer with the signature's closed outlines,
// kept in memory as g_Sign_Library and on disk as a ".kvlib1" text file.
#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <vector>

#include "ge/gept3dar.h"
#include "mfc/afxstr.h"
#include "rx/zcarray.h"

class CDC;
class CRect;

// Authorisation codes and the library header travel through this transform in the
// library files; 0 stays 0.
int32_t Encode_Auth_Code(int32_t code);
int32_t Decode_Auth_Code(int32_t value);

// One closed outline of a signature: kind 1 an outer boundary, 0 a hole.
class MyShape {
public:
    int32_t Kind = 1;
    std::vector<double> Xs;
    std::vector<double> Ys;

    // False when the stream ended or held a count beyond the limits.
    bool Read(std::istream& in);
    void Write(std::ostream& out) const;
};

// One signer of the library.
class KV_Sign {
public:
    std::vector<std::unique_ptr<MyShape>> Shapes;
    double Width = 1.0;
    double Height = 1.0;
    int32_t Person_No = 0;
    CString Name;
    int32_t Code = 0;  // 0: the signer's signatures need no authorisation
    int32_t Reserved[3] = {0, 0, 0};
    int32_t Enabled = 1;
    int32_t Authorised_Days = 0;  // transient, used while the authorisation dialog runs

    bool Read(std::istream& in);
    void Write(std::ostream& out) const;
    void Clear_Shapes() { Shapes.clear(); }
    // The outlines as signed loop counts (+n outer, -n hole) and their vertices at z 0.
    void To_Loops(ZcArray<int32_t>& counts, ZcGePoint3dArray& points) const;
    // Draws the outlines fitted into the rectangle on grey: outer ones dark green, holes grey.
    void Draw_Preview(CDC* dc, const CRect& rect) const;
};

class Sign_Library {
public:
    // Most signatures a library file holds; a larger count loads nothing.
    static constexpr int32_t Max_Signatures = 2000;
    // Most shapes of a signature and vertices of a shape a file may give (what a placed
    // signature can hold).
    static constexpr int32_t Max_Shapes = 32767;
    static constexpr int32_t Max_Vertices = 32767;

    int32_t Header = 0;
    std::vector<std::unique_ptr<KV_Sign>> Signs;

    // Reads the library file into the library. With offer_keep (an import) and signatures
    // in the library the user chooses whether they stay; otherwise they are dropped first.
    // A file that is cut short or damaged loads the complete records before the damage and
    // says so on the command line; unless imported, a copy of it is kept aside. False
    // when the file is there but was not read whole.
    static bool Load(Sign_Library& library, const CString& path, bool offer_keep);
    // Sorts by name and writes the file; false (reported in a message box) when the
    // file could not be written whole.
    bool Save(const CString& path);
    KV_Sign* Find(int32_t person_no) const;
    void Clear() { Signs.clear(); }
    void Sort_By_Name();
};

// Sorts records by name (UTF-16 code units, case-sensitive), ascending.
void Sort_Signs_By_Name(std::vector<KV_Sign*>& signs);

extern Sign_Library g_Sign_Library;
// Bumped whenever the library or the authorisations change; placed signatures validate
// again when their copy differs.
extern int32_t g_Sign_Lib_Generation;
