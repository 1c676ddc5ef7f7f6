// An off-screen device context standing in for a target context: drawing goes into a
// bitmap of the target's clip box, copied to the target when the object goes. A printer
// context is used directly.
#pragma once

#include "mfc/afxdc.h"

class CTMemDC : public CDC {
public:
    explicit CTMemDC(CDC* target);
    ~CTMemDC() override;
    CTMemDC(const CTMemDC&) = delete;
    CTMemDC& operator=(const CTMemDC&) = delete;

private:
    CBitmap Buffer_Bitmap;
    CBitmap* Old_Bitmap = nullptr;
    CDC* Target_DC;
    CRect Clip_Box;
    bool Is_Memory;
};
