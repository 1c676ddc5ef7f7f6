// Prompts of the command line, answered from the input: the answer list of a host
// command run inside a command, then queued command text, then the script.
// Every prompt prints its text and echoes the answer it got.
#pragma once

#include <cstddef>

#include "rx/zcadstrc.h"

// zcedInitGet flags.
#define RSG_NONULL 0x0001
#define RSG_NOZERO 0x0002
#define RSG_NONEG 0x0004
#define RSG_NOLIM 0x0008
#define RSG_GETZ 0x0010
#define RSG_DASH 0x0020
#define RSG_2D 0x0040
#define RSG_OTHER 0x0080
#define RSG_DDISTFIRST 0x0100
#define RSG_TRACKUCS 0x0200
#define RSG_NOORTHOZ 0x0400
#define RSG_NOOSNAP 0x0800
#define RSG_NODDIST 0x1000

// Sets the flags and keywords of the next prompt only. Keywords are separated by spaces;
// the capitals of a keyword are its abbreviation ("Yes No" accepts "Y", "yes"...);
// "Local1 Local2 _Global1 Global2" gives global names after the "_". Returns RTNORM.
int zcedInitGet(int val, const wchar_t* kwl);

// cronly != 0: spaces belong to the string, only Enter ends it. Enter gives "" and RTNORM.
// The result buffer holds `size` characters (2049 without a size); a longer answer gives
// RTINPUTTRUNCATED with the cut text.
int zcedGetString(int cronly, const wchar_t* prompt, wchar_t* result);
int zcedGetString(int cronly, const wchar_t* prompt, wchar_t* result, size_t size);
// A keyword of the last zcedInitGet (its global name when one was given). Enter gives
// RTNONE unless RSG_NONULL; "" in result.
int zcedGetKword(const wchar_t* prompt, wchar_t* result);
int zcedGetKword(const wchar_t* prompt, wchar_t* result, size_t size);
// After a prompt returned RTKWORD (or RTSTR with RSG_OTHER): the keyword or text.
int zcedGetInput(wchar_t* str);
int zcedGetInput(wchar_t* str, size_t size);

// Numbers: Enter gives RTNONE (RSG_NONULL refuses it), a keyword RTKWORD, Esc RTCAN.
int zcedGetInt(const wchar_t* prompt, int* result);
int zcedGetReal(const wchar_t* prompt, double* result);
// A distance: a number, or a point (its distance from the base point when one is given).
int zcedGetDist(const double* pt, const wchar_t* prompt, double* result);

// Points (UCS): a point step, or text "x,y[,z]". Enter gives RTNONE, Esc RTCAN, a
// keyword RTKWORD.
int zcedGetPoint(const double* pt, const wchar_t* prompt, double* result);
int zcedGetCorner(const double* pt, const wchar_t* prompt, double* result);

// Picks the topmost entity whose geometry passes within the pick box of the point, in
// the current space. RTNORM with its name and the point; RTERROR when nothing is there
// or on Enter; RTCAN on Esc; RTKWORD for a keyword.
int zcedEntSel(const wchar_t* str, ads_name entres, ads_point ptres);

// The file dialogs of the host: answered by a `file "PATH"` step; Esc gives RTCAN.
// flags bit 1: saving (the file may not exist). result gets an RTSTR the caller frees
// (zcedGetFileD: its rstring; zcedGetFileNavDialog: the chain with zcutRelRb).
int zcedGetFileD(const wchar_t* title, const wchar_t* defawlt, const wchar_t* ext, int flags,
                 resbuf* result);
int zcedGetFileNavDialog(const wchar_t* title, const wchar_t* defawlt, const wchar_t* ext,
                         const wchar_t* dlgname, int flags, resbuf** result);

// A message box with the host's caption "ZWCAD", answered from the script. Returns RTNORM.
int zcedAlert(const wchar_t* msg);

// Redraws the screen: nothing to do here. Returns RTNORM.
int zcedUpdateDisplay();
