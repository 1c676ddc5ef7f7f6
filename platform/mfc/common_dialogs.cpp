// The file and colour dialogs, answered by the script.
#include "mfc/afxdlgs.h"

#include <cwctype>
#include <vector>

#include "script/script_input.h"
#include "script/utf8.h"
#include "win/win_files.h"

namespace {

size_t Name_Start(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? 0 : slash + 1;
}

std::wstring With_Default_Extension(const OPENFILENAMEW* ofn, std::wstring path) {
    if (ofn->lpstrDefExt && *ofn->lpstrDefExt && path.find(L'.', Name_Start(path)) == std::wstring::npos)
        path += L"." + std::wstring(ofn->lpstrDefExt);
    return path;
}

std::wstring Lower(std::wstring text) {
    for (auto& c : text) c = static_cast<wchar_t>(towlower(c));
    return text;
}

// Several files chosen in one folder: the buffer holds the folder, then each name, each
// ending with a null, and a second null after the last.
BOOL Take_Several_Files(OPENFILENAMEW* ofn, const std::vector<std::wstring>& given, const std::wstring& what) {
    std::wstring folder;
    std::vector<std::wstring> names;
    for (const std::wstring& one : given) {
        const std::wstring path = With_Default_Extension(ofn, one);
        const size_t start = Name_Start(path);
        const std::wstring here = start ? path.substr(0, start - 1) : L"";
        if (names.empty()) folder = here;
        else if (Lower(here) != Lower(folder))
            throw platform::UnansweredInput(platform::To_Utf8(what + L": the files chosen together lie in one folder, " +
                                                              path + L" does not"));
        if ((ofn->Flags & OFN_FILEMUSTEXIST) && GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            throw platform::UnansweredInput(platform::To_Utf8(what + L": the file " + path + L" does not exist"));
        names.push_back(path.substr(start));
    }
    std::wstring buffer = folder + L'\0';
    for (const std::wstring& name : names) buffer += name + L'\0';
    buffer += L'\0';
    if (buffer.size() > ofn->nMaxFile) return FALSE;
    std::copy(buffer.begin(), buffer.end(), ofn->lpstrFile);
    ofn->nFileOffset = static_cast<WORD>(folder.size() + 1);
    ofn->nFileExtension = 0;
    return TRUE;
}

BOOL Ask_File(OPENFILENAMEW* ofn, bool open) {
    if (!ofn || !ofn->lpstrFile || ofn->nMaxFile == 0) return FALSE;
    const std::wstring what = std::wstring(open ? L"open" : L"save") + L" file dialog '" +
                              (ofn->lpstrTitle ? ofn->lpstrTitle : (open ? L"打开" : L"另存为")) + L"'";
    auto& script = platform::ScriptInput::instance();
    for (;;) {
        const platform::Step step = script.expect({platform::StepKind::File, platform::StepKind::Esc}, what);
        if (step.kind != platform::StepKind::File) return FALSE;
        std::vector<std::wstring> given = step.paths.empty() ? std::vector<std::wstring>{step.text} : step.paths;
        for (auto& path : given) path = platform::Script_Answer_Path(path);
        if (given.size() > 1) {
            if (!open || !(ofn->Flags & OFN_ALLOWMULTISELECT))
                throw platform::UnansweredInput(platform::To_Utf8(what + L": takes one file, the step gives several"));
            return Take_Several_Files(ofn, given, what);
        }
        std::wstring path = With_Default_Extension(ofn, given.front());
        const bool exists = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (open && (ofn->Flags & OFN_FILEMUSTEXIST) && !exists)
            throw platform::UnansweredInput(platform::To_Utf8(what + L": the file " + path + L" does not exist"));
        if (!open && (ofn->Flags & OFN_OVERWRITEPROMPT) && exists) {
            const std::wstring question = path.substr(Name_Start(path)) + L" 已存在。\n要替换它吗？";
            if (MessageBoxW(ofn->hwndOwner, question.c_str(), ofn->lpstrTitle ? ofn->lpstrTitle : L"另存为",
                            MB_YESNO | MB_ICONWARNING) != IDYES)
                continue;  // the dialog asks again
        }
        if (path.size() + 1 > ofn->nMaxFile) return FALSE;
        if ((ofn->Flags & OFN_ALLOWMULTISELECT) && path.size() + 2 > ofn->nMaxFile) return FALSE;
        std::copy(path.begin(), path.end(), ofn->lpstrFile);
        ofn->lpstrFile[path.size()] = 0;
        // A multi-select buffer ends with two nulls.
        if (ofn->Flags & OFN_ALLOWMULTISELECT) ofn->lpstrFile[path.size() + 1] = 0;
        ofn->nFileOffset = static_cast<WORD>(Name_Start(path));
        const size_t dot = path.find_last_of(L'.');
        ofn->nFileExtension = static_cast<WORD>(dot == std::wstring::npos || dot < ofn->nFileOffset ? path.size() : dot + 1);
        return TRUE;
    }
}

}  // namespace

BOOL GetOpenFileNameW(OPENFILENAMEW* ofn) { return Ask_File(ofn, true); }
BOOL GetSaveFileNameW(OPENFILENAMEW* ofn) { return Ask_File(ofn, false); }

BOOL ChooseColorW(CHOOSECOLORW* cc) {
    if (!cc) return FALSE;
    const platform::Step step =
        platform::ScriptInput::instance().expect({platform::StepKind::Color, platform::StepKind::Esc}, L"colour dialog");
    if (step.kind != platform::StepKind::Color) return FALSE;
    cc->rgbResult = RGB(step.values[0], step.values[1], step.values[2]);
    return TRUE;
}

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD, BOOL)
    : CCommonDialog(pParentWnd), m_bOpen(bOpenFileDialog), m_defExt(lpszDefExt ? lpszDefExt : L""),
      m_fileName(lpszFileName ? lpszFileName : L""), m_filter(lpszFilter ? lpszFilter : L"") {
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    m_ofn.Flags = dwFlags;
    m_ofn.lpstrFile = m_buffer;
    m_ofn.nMaxFile = sizeof(m_buffer) / sizeof(m_buffer[0]);
    m_ofn.lpstrDefExt = m_defExt.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_defExt);
    m_ofn.lpstrFilter = m_filter.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_filter);
    const std::wstring initial(static_cast<LPCTSTR>(m_fileName));
    std::copy_n(initial.begin(), std::min<size_t>(initial.size(), m_ofn.nMaxFile - 1), m_buffer);
}

INT_PTR CFileDialog::DoModal() {
    const BOOL ok = m_bOpen ? GetOpenFileNameW(&m_ofn) : GetSaveFileNameW(&m_ofn);
    if (!ok) return IDCANCEL;
    m_path = m_ofn.lpstrFile;
    return IDOK;
}

POSITION CFileDialog::GetStartPosition() const {
    return m_ofn.lpstrFile && m_ofn.lpstrFile[0] ? reinterpret_cast<POSITION>(m_ofn.lpstrFile) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
    const wchar_t* at = reinterpret_cast<const wchar_t*>(pos);
    const wchar_t* buffer = m_ofn.lpstrFile;
    pos = nullptr;
    if (!at || !buffer) return CString();
    const wchar_t* after_first = buffer + wcslen(buffer) + 1;
    // One file: the buffer holds its whole path.
    if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) || *after_first == 0) return CString(buffer);
    const wchar_t* name = at == buffer ? after_first : at;
    const wchar_t* next = name + wcslen(name) + 1;
    if (*next) pos = reinterpret_cast<POSITION>(const_cast<wchar_t*>(next));
    std::wstring folder(buffer);
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return CString((folder + name).c_str());
}

CString CFileDialog::GetFileName() const {
    const std::wstring p(static_cast<LPCTSTR>(m_path));
    return CString(p.substr(Name_Start(p)).c_str());
}

CString CFileDialog::GetFileExt() const {
    const std::wstring name(static_cast<LPCTSTR>(GetFileName()));
    const size_t dot = name.find_last_of(L'.');
    return CString(dot == std::wstring::npos ? L"" : name.substr(dot + 1).c_str());
}

CString CFileDialog::GetFileTitle() const {
    const std::wstring name(static_cast<LPCTSTR>(GetFileName()));
    return CString(name.substr(0, name.find_last_of(L'.')).c_str());
}

CString CFileDialog::GetFolderPath() const {
    const std::wstring p(static_cast<LPCTSTR>(m_path));
    const size_t start = Name_Start(p);
    return CString(start ? p.substr(0, start - 1).c_str() : L"");
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.hwndOwner = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    m_cc.rgbResult = clrInit;
    m_cc.Flags = dwFlags | CC_RGBINIT;
    m_cc.lpCustColors = m_custom;
}

INT_PTR CColorDialog::DoModal() { return ChooseColorW(&m_cc) ? IDOK : IDCANCEL; }
