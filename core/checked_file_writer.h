// Writing one file so that a failed write is known and never leaves half a file: the
// text goes to a temporary file beside the target, which replaces the target only
// when every byte was written, flushed and closed. Each write has a temporary of its
// own (process id and a counter), so that writers of one file in several processes
// never share one: the last rename wins and every reader sees one whole file.
#pragma once

#include <cstdio>
#include <ostream>

#include "core/file_stream.h"
#include "mfc/afxstr.h"

class Checked_File_Writer {
public:
    Checked_File_Writer();
    // Closes without a check: the target stays as it was.
    ~Checked_File_Writer();
    Checked_File_Writer(const Checked_File_Writer&) = delete;
    Checked_File_Writer& operator=(const Checked_File_Writer&) = delete;

    // Starts writing the file at the path. When that fails the stream is failed and
    // every later write does nothing; Open itself reports nothing.
    void Open(const CString& path);
    std::ostream& Stream() { return m_Stream; }
    // Finishes the file: true when it was written whole and its temporary replaced
    // the file at the path (whatever the clock says). Otherwise the old file (if any)
    // stays, the temporary is gone, and with report the write-failure message names
    // the path. With report, a file written whole whose text lost characters to the
    // ANSI code page is named on the command line.
    bool Close(bool report);

    // The temporary that the next Open of the path in this process writes to.
    static CString Temp_Path_Of(const CString& path);

private:
    void Discard();

    CString m_Path;
    CString m_Temp_Path;
    FILE* m_File = nullptr;
    File_Stream_Buf m_Buf;
    std::ostream m_Stream;
};

// Opens the file for binary writing, created or truncated; null when it cannot be opened.
bool Open_File_For_Write(FILE*& file, const CString& path);
// True when a file or folder is at the path; otherwise, with report, the missing-file
// message, and false.
bool Check_File_Exists(const CString& path, bool report);
