// Dialog data exchange and validation.
#include <cerrno>
#include <cmath>
#include <cwchar>

#include "mfc/afxtime.h"
#include "mfc/afxwin.h"
#include "mfc/window_table.h"

namespace {

// The framework's own messages on values it cannot take.
constexpr const wchar_t* kNeedInteger = L"请输入一个整数。";
constexpr const wchar_t* kNeedNumber = L"请输入一个数字。";

std::wstring Item_Text(CDataExchange* pDX, int nIDC) {
    HWND item = pDX->PrepareEditCtrl(nIDC);
    const int n = ::GetWindowTextLengthW(item);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    ::GetWindowTextW(item, text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    return text;
}

std::wstring Trimmed(const std::wstring& s) {
    const size_t a = s.find_first_not_of(L" \t");
    if (a == std::wstring::npos) return L"";
    return s.substr(a, s.find_last_not_of(L" \t") - a + 1);
}

void Set_Item_Text(CDataExchange* pDX, int nIDC, const std::wstring& text) {
    HWND item = pDX->PrepareEditCtrl(nIDC);
    // Only a changed text is set (as the framework does), so EN_CHANGE is not sent for nothing.
    const int n = ::GetWindowTextLengthW(item);
    std::wstring old(static_cast<size_t>(n) + 1, L'\0');
    ::GetWindowTextW(item, old.data(), n + 1);
    old.resize(static_cast<size_t>(n));
    if (old != text) ::SetWindowTextW(item, text.c_str());
}

[[noreturn]] void Bad_Value(CDataExchange* pDX, const wchar_t* message) {
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}

template <class T>
void Exchange_Integer(CDataExchange* pDX, int nIDC, T& value, bool is_signed) {
    if (!pDX->m_bSaveAndValidate) {
        Set_Item_Text(pDX, nIDC, is_signed ? std::to_wstring(static_cast<long long>(value))
                                           : std::to_wstring(static_cast<unsigned long long>(value)));
        return;
    }
    const std::wstring text = Trimmed(Item_Text(pDX, nIDC));
    wchar_t* end = nullptr;
    errno = 0;
    const long long v = text.empty() ? 0 : std::wcstoll(text.c_str(), &end, 10);
    const bool ok = !text.empty() && end && *end == 0 && errno == 0 && (is_signed || text[0] != L'-') &&
                    v >= static_cast<long long>(std::numeric_limits<T>::min()) &&
                    (v < 0 || static_cast<unsigned long long>(v) <= static_cast<unsigned long long>(std::numeric_limits<T>::max()));
    if (!ok) Bad_Value(pDX, kNeedInteger);
    value = static_cast<T>(v);
}

template <class T>
void Exchange_Real(CDataExchange* pDX, int nIDC, T& value, int digits) {
    if (!pDX->m_bSaveAndValidate) {
        wchar_t buffer[64];
        std::swprintf(buffer, 64, L"%.*g", digits, static_cast<double>(value));
        Set_Item_Text(pDX, nIDC, buffer);
        return;
    }
    const std::wstring text = Trimmed(Item_Text(pDX, nIDC));
    wchar_t* end = nullptr;
    const double v = text.empty() ? 0 : std::wcstod(text.c_str(), &end);
    if (text.empty() || !end || *end != 0 || !std::isfinite(v)) Bad_Value(pDX, kNeedNumber);
    value = static_cast<T>(v);
}

template <class T>
void Validate_Range(CDataExchange* pDX, T value, T minVal, T maxVal, const std::wstring& shown_min,
                    const std::wstring& shown_max, bool integer) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    const std::wstring text = L"请输入一个在 " + shown_min + L" 和 " + shown_max + L" 之间的" + (integer ? L"整数。" : L"数字。");
    AfxMessageBox(text.c_str(), MB_ICONEXCLAMATION);
    pDX->Fail();
}

std::wstring Real_Text(double v) {
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%.15g", v);
    return buffer;
}

}  // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND item = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    m_idLastControl = nIDC;
    m_idLastControl_hWnd = item;
    m_bEditLastControl = FALSE;
    return item;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND item = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return item;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_idLastControl_hWnd && ::IsWindow(m_idLastControl_hWnd)) {
        ::SetFocus(m_idLastControl_hWnd);
        if (m_bEditLastControl) ::SendMessageW(m_idLastControl_hWnd, EM_SETSEL, 0, -1);
    }
    throw CUserException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { Exchange_Integer(pDX, nIDC, value, true); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { Exchange_Integer(pDX, nIDC, value, false); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { Exchange_Integer(pDX, nIDC, value, true); }
void DDX_Text(CDataExchange* pDX, int nIDC, unsigned long& value) { Exchange_Integer(pDX, nIDC, value, false); }
void DDX_Text(CDataExchange* pDX, int nIDC, short& value) { Exchange_Integer(pDX, nIDC, value, true); }
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { Exchange_Real(pDX, nIDC, value, 15); }
void DDX_Text(CDataExchange* pDX, int nIDC, float& value) { Exchange_Real(pDX, nIDC, value, 6); }

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    if (pDX->m_bSaveAndValidate) value = Item_Text(pDX, nIDC).c_str();
    else Set_Item_Text(pDX, nIDC, static_cast<LPCTSTR>(value));
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND item = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) value = static_cast<int>(::SendMessageW(item, BM_GETCHECK, 0, 0));
    else ::SendMessageW(item, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value) {
    HWND item = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME t{};
    if (pDX->m_bSaveAndValidate) {
        if (::SendMessageW(item, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t)) == GDT_VALID) value = CTime(t);
    } else if (value.GetAsSystemTime(t)) {
        ::SendMessageW(item, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
    }
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, COleDateTime& value) {
    HWND item = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME t{};
    if (pDX->m_bSaveAndValidate) {
        if (::SendMessageW(item, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t)) == GDT_VALID) value = COleDateTime(t);
        else value.SetStatus(COleDateTime::null);
    } else if (value.GetStatus() == COleDateTime::null) {
        ::SendMessageW(item, DTM_SETSYSTEMTIME, GDT_NONE, 0);
    } else if (value.GetAsSystemTime(t)) {
        ::SendMessageW(item, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    // The group starts at nIDC and runs over the following radio buttons up to the next group.
    HWND first = pDX->PrepareCtrl(nIDC);
    platform::Window* w = platform::Find_Window(first);
    if (!w || !w->parent) return;
    auto& siblings = w->parent->children;
    auto it = std::find(siblings.begin(), siblings.end(), w);
    if (pDX->m_bSaveAndValidate) value = -1;
    int index = 0;
    for (auto i = it; i != siblings.end(); ++i) {
        if (i != it && ((*i)->style & WS_GROUP)) break;
        const UINT type = (*i)->style & BS_TYPEMASK;
        if ((*i)->class_name != L"Button" || (type != BS_RADIOBUTTON && type != BS_AUTORADIOBUTTON)) continue;
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessageW((*i)->handle(), BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
        } else {
            ::SendMessageW((*i)->handle(), BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND item = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) index = static_cast<int>(::SendMessageW(item, CB_GETCURSEL, 0, 0));
    else ::SendMessageW(item, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
    HWND item = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        CWnd::FromHandle(item)->GetWindowText(value);
        return;
    }
    const LRESULT i = ::SendMessageW(item, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value)));
    if (i == CB_ERR && (platform::Find_Window(item)->style & 3) != CBS_DROPDOWNLIST) ::SetWindowTextW(item, value);
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
    HWND item = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        CWnd::FromHandle(item)->GetWindowText(value);
        return;
    }
    const LRESULT i = ::SendMessageW(item, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value)));
    if (i != CB_ERR) ::SendMessageW(item, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    else if ((platform::Find_Window(item)->style & 3) != CBS_DROPDOWNLIST) ::SetWindowTextW(item, value);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND item = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) index = static_cast<int>(::SendMessageW(item, LB_GETCURSEL, 0, 0));
    else ::SendMessageW(item, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
    HWND item = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        const int i = static_cast<int>(::SendMessageW(item, LB_GETCURSEL, 0, 0));
        value.Empty();
        if (i >= 0) static_cast<CListBox*>(CWnd::FromHandle(item))->GetText(i, value);
        return;
    }
    ::SendMessageW(item, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value)));
}

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value) {
    HWND item = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) value = static_cast<int>(::SendMessageW(item, TBM_GETPOS, 0, 0));
    else ::SendMessageW(item, TBM_SETPOS, TRUE, value);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd) return;
    HWND item = pDX->PrepareCtrl(nIDC);
    if (!item || !rControl.SubclassWindow(item)) pDX->Fail();
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    Validate_Range(pDX, value, minVal, maxVal, std::to_wstring(minVal), std::to_wstring(maxVal), true);
}
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
    Validate_Range(pDX, value, minVal, maxVal, std::to_wstring(minVal), std::to_wstring(maxVal), true);
}
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
    Validate_Range(pDX, value, minVal, maxVal, std::to_wstring(minVal), std::to_wstring(maxVal), true);
}
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal) {
    Validate_Range(pDX, value, minVal, maxVal, Real_Text(minVal), Real_Text(maxVal), false);
}
void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal) {
    Validate_Range(pDX, value, minVal, maxVal, Real_Text(minVal), Real_Text(maxVal), false);
}
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->m_idLastControl_hWnd) ::SendMessageW(pDX->m_idLastControl_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
        return;
    }
    if (value.GetLength() <= nChars) return;
    const std::wstring text = L"请输入不超过 " + std::to_wstring(nChars) + L" 个字符。";
    AfxMessageBox(text.c_str(), MB_ICONEXCLAMATION);
    pDX->Fail();
}
