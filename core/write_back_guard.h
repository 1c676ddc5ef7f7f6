// Whether a dialog may write its working copy back over the file it was read from: a file
// that was not read whole is written over only once the user changed the copy, and then
// only when a copy of the file is kept aside.
#pragma once

#include "mfc/afxstr.h"

class Write_Back_Guard {
public:
    // The kind of file as the messages name it, e.g. "签名库文件".
    explicit Write_Back_Guard(const wchar_t* kind) : m_Kind(kind) {}

    // The working copy was read from the file again, whole or not.
    void Read(bool whole)
    {
        m_Whole = whole;
        m_Edited = false;
    }
    void Edited() { m_Edited = true; }
    // True when the copy may be written to the path; otherwise the command line says why
    // the file stays as it is.
    bool May_Write(const CString& path) const;

private:
    const wchar_t* m_Kind;
    bool m_Whole = true;
    bool m_Edited = false;
};
