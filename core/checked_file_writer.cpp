#include "core/checked_file_writer.h"

#include <atomic>
#include <locale>

#include "core/file_messages.h"
#include "core/text_tokens.h"
#include "ed/command_line.h"
#include "win/win_files.h"
#include "win/win_process.h"
#include "win/win_shlwapi.h"

namespace {

// Numbers the temporaries of this process.
std::atomic<unsigned> g_Temp_Number{1};

CString Temp_Path(const CString& path, unsigned number)
{
    CString temp;
    temp.Format(L"%s.%lu-%u.tmp~", path.GetString(), static_cast<unsigned long>(GetCurrentProcessId()), number);
    return temp;
}

}  // namespace

CString Checked_File_Writer::Temp_Path_Of(const CString& path) { return Temp_Path(path, g_Temp_Number.load()); }

Checked_File_Writer::Checked_File_Writer() : m_Stream(&m_Buf)
{
    m_Stream.imbue(std::locale::classic());
    m_Stream.setstate(std::ios::badbit);
}

Checked_File_Writer::~Checked_File_Writer() { Discard(); }

void Checked_File_Writer::Open(const CString& path)
{
    Discard();
    m_Path = path;
    m_Temp_Path = Temp_Path(path, g_Temp_Number.fetch_add(1));
    m_File = _wfsopen(m_Temp_Path.GetString(), L"w", _SH_DENYNO);
    m_Buf.Attach(m_File);
    m_Stream.clear(m_File != nullptr ? std::ios::goodbit : std::ios::badbit);
    Clear_Lost_Ansi_Characters(m_Stream);
}

bool Checked_File_Writer::Close(bool report)
{
    bool written = m_File != nullptr;
    if (written) {
        m_Stream.flush();
        written = !m_Stream.fail() && std::fflush(m_File) == 0 && std::ferror(m_File) == 0;
        written = std::fclose(m_File) == 0 && written;
        m_File = nullptr;
        m_Buf.Attach(nullptr);
        written = written && MoveFileExW(m_Temp_Path.GetString(), m_Path.GetString(), MOVEFILE_REPLACE_EXISTING);
    }
    if (written && report && Lost_Ansi_Characters(m_Stream))
        zcutPrintf(L"\n文件 < %s > 中有系统代码页无法表示的字符，已存为“?”。", m_Path.GetString());
    Discard();
    if (!written && report)
        Show_Write_Failure(m_Path);
    return written;
}

void Checked_File_Writer::Discard()
{
    if (m_File != nullptr) {
        std::fclose(m_File);
        m_File = nullptr;
        m_Buf.Attach(nullptr);
    }
    if (!m_Temp_Path.IsEmpty() && GetFileAttributesW(m_Temp_Path.GetString()) != INVALID_FILE_ATTRIBUTES)
        DeleteFileW(m_Temp_Path.GetString());
    m_Stream.setstate(std::ios::badbit);
}

bool Open_File_For_Write(FILE*& file, const CString& path)
{
    file = _wfopen(path.GetString(), L"wb");
    return file != nullptr;
}

bool Check_File_Exists(const CString& path, bool report)
{
    if (PathFileExistsW(path.GetString()))
        return true;
    if (report)
        Show_File_Missing(path);
    return false;
}
