// The placed signatures of the working drawing and the authorisation run.
#pragma once

#include <cstdint>

#include "db/dbid.h"
#include "mfc/afxstr.h"
#include "rx/zcarray.h"

// Walks every block table record of the working drawing (model space, layouts, block
// definitions). Each signature is validated and its id appended to ids; each signer
// appears once in the parallel arrays with the name of his first signature and the
// smallest Days_Left of all his signatures. True when any signature was found.
bool Collect_Drawing_Signatures(ZcDbObjectIdArray& ids, ZcArray<int32_t>& person_nos, ZcArray<CString>& names,
                                ZcArray<int32_t>& days_left);
// True at the first signature of the working drawing that fails validation.
bool Has_Unauthorized_Signature();

class Dlg_SignCer;

// Writes the authorisations confirmed in the dialog into the signatures: for a signer
// confirmed there with d days above 0 the library code and the window today .. today +
// d - 1, with 0 days no code and no window. Every other signature stays as it is. True
// when every signature could be opened for writing.
bool Apply_Sign_Authorisation(const ZcDbObjectIdArray& ids, const Dlg_SignCer& dialog);

// The command: lists the drawing's signers, lets the user authorise them and writes the
// authorisations.
void Run_Sign_Authorisation();
