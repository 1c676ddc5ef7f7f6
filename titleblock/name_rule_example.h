// The read-out of the generic naming rule: the names of sheets 1, 2, 3, 11 and 12 of an
// example in which the first two sheets are A1 and the others A2.
#pragma once

#include "mfc/afxstr.h"

// "示   例" followed by the example names, each after an empty line; "纸张尺寸" and "纸张"
// in prefix and suffix stand for the sheet's paper. Cleaned for file names, keeping the
// line breaks.
CString Name_Rule_Example(const CString& prefix, int start_no, const CString& suffix, int digits_index);
