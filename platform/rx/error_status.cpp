// Names of the error statuses.
#include "rx/zcadstrc.h"

namespace {
const wchar_t* const kNames[] = {
    L"eOk", L"eNotImplemented", L"eNotApplicable", L"eInvalidInput", L"eInvalidIndex",
    L"eOutOfRange", L"eKeyNotFound", L"eDuplicateKey", L"eNullObjectId", L"eNullObjectPointer",
    L"eNullEntityPointer", L"eNullHandle", L"eWasErased", L"eNotOpenForRead",
    L"eNotOpenForWrite", L"eWasOpenForRead", L"eWasOpenForWrite", L"eWasOpenForNotify",
    L"eWasNotifying", L"eInvalidOpenState", L"eAtMaxReaders", L"eHadMultipleReaders",
    L"eIsWriteProtected", L"eOnLockedLayer", L"eLockViolation", L"eNotInDatabase",
    L"eAlreadyInDb", L"eNoDatabase", L"eWrongDatabase", L"eWrongObjectType",
    L"eNotThatKindOfClass", L"eDegenerateGeometry", L"eInvalidExtents",
    L"eCannotBeErasedByCaller", L"eIllegalReplacement", L"eNotHandled", L"eUnknownHandle",
    L"eHandleExists", L"eInvalidKey", L"eInvalidSymbolTableName", L"eDuplicateRecordName",
    L"eCannotChangeActiveLayer", L"eNotAllowedForThisProxy", L"eInvalidDxfCode",
    L"eBadDxfSequence", L"eEndOfFile", L"eFileNotFound", L"eFileAccessErr", L"eFilerError",
    L"eNoInputFiler", L"eBadDwgHeader", L"eInvalidFileExtension", L"eDwgNeedsRecovery",
    L"eIsReading", L"eIsWriting", L"eAmbiguousOutput", L"eInvalidLayout", L"eLayoutNotCurrent",
    L"eOutOfMemory", L"eNotCurrentDatabase", L"eInetFileGenericError",
};
static_assert(sizeof(kNames) / sizeof(kNames[0]) == Zcad::eErrorStatusCount,
              "every error status needs its name");
} // namespace

const wchar_t* zcadErrorStatusText(Zcad::ErrorStatus status)
{
    const int index = static_cast<int>(status);
    if (index < 0 || index >= Zcad::eErrorStatusCount)
        return L"eUnknownErrorStatus";
    return kNames[index];
}
