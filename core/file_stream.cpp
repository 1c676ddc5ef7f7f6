#include "core/file_stream.h"

#include "win/win_files.h"

File_Stream_Buf::int_type File_Stream_Buf::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    if (m_File == nullptr)
        return traits_type::eof();
    const size_t got = std::fread(m_In, 1, sizeof m_In, m_File);
    if (got == 0)
        return traits_type::eof();
    setg(m_In, m_In, m_In + got);
    return traits_type::to_int_type(*gptr());
}

File_Stream_Buf::int_type File_Stream_Buf::overflow(int_type ch)
{
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return traits_type::not_eof(ch);
    const char byte = traits_type::to_char_type(ch);
    return xsputn(&byte, 1) == 1 ? ch : traits_type::eof();
}

std::streamsize File_Stream_Buf::xsputn(const char* bytes, std::streamsize count)
{
    if (m_File == nullptr)
        return 0;
    return static_cast<std::streamsize>(std::fwrite(bytes, 1, static_cast<size_t>(count), m_File));
}

int File_Stream_Buf::sync()
{
    if (m_File == nullptr)
        return -1;
    return std::fflush(m_File) == 0 && std::ferror(m_File) == 0 ? 0 : -1;
}

Input_File_Stream::Input_File_Stream(const CString& path)
    : std::istream(nullptr), m_File(_wfsopen(path.GetString(), L"r", _SH_DENYNO))
{
    m_Buf.Attach(m_File);
    rdbuf(&m_Buf);
    if (m_File == nullptr)
        setstate(std::ios::failbit);
}

Input_File_Stream::~Input_File_Stream()
{
    if (m_File != nullptr)
        std::fclose(m_File);
}
