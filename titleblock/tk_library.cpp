#include "titleblock/tk_library.h"

TK_Library g_TK_Library;

TK_Library::TK_Library() {}

TK_Library::~TK_Library() { Clear(); }

void TK_Library::Load(int /*mode*/) {}

void TK_Library::Save(bool /*report*/, bool /*save_as*/) {}

void TK_Library::Resave() {}

void TK_Library::Clear()
{
    for (INT_PTR i = 0; i < Records.GetSize(); ++i)
        delete Records[i];
    Records.RemoveAll();
}

TK_Customization* TK_Library::Find(const CString& block_name) const
{
    for (INT_PTR i = 0; i < Records.GetSize(); ++i)
        if (Records[i]->Block_Name.CompareNoCase(block_name) == 0)
            return Records[i];
    return nullptr;
}
