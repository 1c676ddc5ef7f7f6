#include "core/fresh_output.h"

#include "core/file_operations.h"
#include "core/last_error.h"
#include "win/win_files.h"

CString Fresh_Output_Path(const CString& target)
{
    if (target.IsEmpty())
        return target;
    const int slash = target.ReverseFind(L'\\');
    const int dot = target.ReverseFind(L'.');
    if (dot <= slash + 1)
        return target + L".~new";
    return target.Left(dot) + L".~new" + target.Mid(dot);
}

Fresh_Output::Fresh_Output(const CString& target) : m_Target(target), m_Path(Fresh_Output_Path(target))
{
    Delete_File(m_Path);
}

Fresh_Output::~Fresh_Output()
{
    // The last error still tells why the output failed.
    Last_Error_Kept why;
    if (Written())
        Delete_File(m_Path);
}

bool Fresh_Output::Written() const { return Path_Kind(m_Path) == 1; }

bool Fresh_Output::Replace_Target()
{
    if (!Written())
        return false;
    Clear_File_Attributes(m_Target);
    return MoveFileExW(m_Path.GetString(), m_Target.GetString(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}
