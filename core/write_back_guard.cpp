#include "core/write_back_guard.h"

#include "core/unreadable_file.h"
#include "ed/command_line.h"

bool Write_Back_Guard::May_Write(const CString& path) const
{
    if (m_Whole)
        return true;
    if (!m_Edited) {
        zcutPrintf(L"\n%s < %s > 未完整读入且未作修改，原文件保持不变。", m_Kind, path.GetString());
        return false;
    }
    if (!Keep_Copy_Of_File(path).IsEmpty())
        return true;
    zcutPrintf(L"\n%s < %s > 无法另存，修改未写入。", m_Kind, path.GetString());
    return false;
}
