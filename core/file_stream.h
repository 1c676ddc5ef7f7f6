// Byte streams over files of the machine, opened by their wide paths: the program's
// token files are read and written through std::istream / std::ostream on these.
#pragma once

#include <cstdio>
#include <istream>
#include <ostream>
#include <streambuf>

#include "mfc/afxstr.h"

// A stream buffer over an open C file; it does not own the file.
class File_Stream_Buf : public std::streambuf {
public:
    explicit File_Stream_Buf(FILE* file = nullptr) : m_File(file) {}
    void Attach(FILE* file) { m_File = file; }

protected:
    int_type underflow() override;
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* bytes, std::streamsize count) override;
    int sync() override;

private:
    FILE* m_File;
    char m_In[4096];
};

// A text file opened for reading; failed (and empty) when it cannot be opened.
class Input_File_Stream : public std::istream {
public:
    explicit Input_File_Stream(const CString& path);
    ~Input_File_Stream() override;
    Input_File_Stream(const Input_File_Stream&) = delete;
    Input_File_Stream& operator=(const Input_File_Stream&) = delete;

    bool Is_Open() const { return m_File != nullptr; }

private:
    FILE* m_File;
    File_Stream_Buf m_Buf;
};
