// Error statuses, ads result codes and result buffers shared by every layer.
#pragma once

#include <cstdint>

namespace Zcad {
enum ErrorStatus {
    eOk = 0,
    eNotImplemented,
    eNotApplicable,
    eInvalidInput,
    eInvalidIndex,
    eOutOfRange,
    eKeyNotFound,
    eDuplicateKey,
    eNullObjectId,
    eNullObjectPointer,
    eNullEntityPointer,
    eNullHandle,
    eWasErased,
    eNotOpenForRead,
    eNotOpenForWrite,
    eWasOpenForRead,
    eWasOpenForWrite,
    eWasOpenForNotify,
    eWasNotifying,
    eInvalidOpenState,
    eAtMaxReaders,
    eHadMultipleReaders,
    eIsWriteProtected,
    eOnLockedLayer,
    eLockViolation,
    eNotInDatabase,
    eAlreadyInDb,
    eNoDatabase,
    eWrongDatabase,
    eWrongObjectType,
    eNotThatKindOfClass,
    eDegenerateGeometry,
    eInvalidExtents,
    eCannotBeErasedByCaller,
    eIllegalReplacement,
    eNotHandled,
    eUnknownHandle,
    eHandleExists,
    eInvalidKey,
    eInvalidSymbolTableName,
    eDuplicateRecordName,
    eCannotChangeActiveLayer,
    eNotAllowedForThisProxy,
    eInvalidDxfCode,
    eBadDxfSequence,
    eEndOfFile,
    eFileNotFound,
    eFileAccessErr,
    eFilerError,
    eNoInputFiler,
    eBadDwgHeader,
    eInvalidFileExtension,
    eDwgNeedsRecovery,
    eIsReading,
    eIsWriting,
    eAmbiguousOutput,
    eInvalidLayout,
    eLayoutNotCurrent,
    eOutOfMemory,
    eNotCurrentDatabase,
    eInetFileGenericError,
    eErrorStatusCount // number of statuses, not a status
};
} // namespace Zcad

// The status's own name ("eOk", "eKeyNotFound"...); "eUnknownErrorStatus" for a value out of range.
const wchar_t* zcadErrorStatusText(Zcad::ErrorStatus status);

// Results and value types of ads-style calls.
#define RTNONE 5000
#define RTREAL 5001
#define RTPOINT 5002
#define RTSHORT 5003
#define RTANG 5004
#define RTSTR 5005
#define RTENAME 5006
#define RTPICKS 5007
#define RTORINT 5008
#define RT3DPOINT 5009
#define RTLONG 5010
#define RTVOID 5014
#define RTLB 5016
#define RTLE 5017
#define RTDOTE 5018
#define RTNIL 5019
#define RTDXF0 5020
#define RTT 5021
#define RTRESBUF 5023
#define RTMODELESS 5027
#define RTLONG_PTR 5030
#define RTINT64 5031
#define RTNORM 5100
#define RTERROR (-5001)
#define RTCAN (-5002)
#define RTREJ (-5003)
#define RTFAIL (-5004)
#define RTKWORD (-5005)
#define RTINPUTTRUNCATED (-5008)

typedef int64_t ads_name[2];
typedef double ads_point[3];
typedef double ads_real;
enum { X = 0, Y = 1, Z = 2 }; // indexes into an ads_point

// One link of a result-buffer chain. restype is an RT* code or a DXF group code.
// Ownership: a chain owns its strings (rstring, allocated with new wchar_t[]) and binary
// chunks (rbinary.buf, allocated with new char[]); zcutRelRb frees them with delete[].
struct resbuf {
    resbuf* rbnext;
    short restype;
    union resval {
        double rreal;
        double rpoint[3];
        short rint;
        wchar_t* rstring;
        int64_t rlname[2];
        int32_t rlong;
        int64_t mnInt64;
        struct {
            short clen;
            char* buf;
        } rbinary;
    } resval;
};

// What a resbuf of a given restype holds (which member of resval).
enum ZcRbValueKind {
    kRbNone = 0,   // no value (list markers, xdata sentinel, unknown codes)
    kRbString,     // rstring
    kRbReal,       // rreal
    kRbPoint,      // rpoint
    kRbShort,      // rint
    kRbBool,       // rint, 0 or 1
    kRbLong,       // rlong
    kRbInt64,      // mnInt64
    kRbHandle,     // rstring holding a hexadecimal handle
    kRbObjectId,   // rlname: an entity name / object id (rlname[0]) or a selection set
    kRbBinary      // rbinary
};

// The value kind of a DXF group code or RT* type code; kRbNone for codes that carry no value
// and for unknown codes (tell them apart with zcutIsKnownCode).
ZcRbValueKind zcutGroupCodeType(int code);
bool zcutIsKnownCode(int code);

// A zeroed resbuf with restype = type and no successor; nullptr when out of memory.
resbuf* zcutNewRb(int type);
// Frees the whole chain starting at rb, with its strings and binary chunks. Returns RTNORM.
int zcutRelRb(resbuf* rb);
// Builds a chain from (type, value) pairs ended by 0 or RTNONE. Values by kind:
//   string / handle: const wchar_t* (copied; nullptr gives an empty string)
//   real: double; point: const double* (three values copied)
//   short / bool: int; long: int32_t (int); int64: int64_t
//   object id / entity name: const int64_t* (two values copied, an ads_name)
//   binary: int length, then const char* data (copied)
//   none (RTLB, RTLE, RTDOTE, RTNIL, RTT, RTVOID, -3): no value
// Returns nullptr (and builds nothing) when a type code is unknown.
resbuf* zcutBuildList(int type, ...);
// A deep copy of the chain starting at rb (nullptr for nullptr).
resbuf* zcutDuplicateChain(const resbuf* rb);
// Copies a string into a new wchar_t[] (the resbuf ownership rule). Returns RTNORM, or
// RTERROR with output = nullptr for a null input.
int zcutNewString(const wchar_t* input, wchar_t*& output);
