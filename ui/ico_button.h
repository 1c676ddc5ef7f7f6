// An icon-only square button with the hover logic of the push buttons; it always fills
// with the button face colour.
#pragma once

#include "ui/hover_button.h"

class Ico_Button : public Hover_Button {
public:
    void DrawItem(LPDRAWITEMSTRUCT draw) override;

protected:
    DECLARE_MESSAGE_MAP()
};
