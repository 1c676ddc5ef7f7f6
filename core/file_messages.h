// The two file messages every subsystem shares, owned by the host's main window.
#pragma once

#include "mfc/afxstr.h"

// "文件 < path > 写入操作有误!" ... (caption "Korvel").
void Show_Write_Failure(const CString& path);
// The same failure on the command line, its first line only: where no one can answer a
// message box (the module's unload).
void Print_Write_Failure(const CString& path);
// "文件 < path > 缺失!" ... (caption "文件缺失报错").
void Show_File_Missing(const CString& path);
