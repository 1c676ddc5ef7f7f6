#include "com/menu_source.h"

#include <cstdio>

#include "win/win_codepage.h"
#include "win/win_files.h"

namespace platform {

namespace {

bool Is_Blank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r'; }

std::wstring Trim(const std::wstring& text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && Is_Blank(text[begin]))
        ++begin;
    while (end > begin && Is_Blank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool Starts_With(const std::wstring& text, const wchar_t* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

std::string Line_Error(int line, const char* reason)
{
    return "line " + std::to_string(line) + ": " + reason;
}

// "[ID]  [label]macro": the tag, the label and the macro of one entry line.
bool Split_Entry_Line(const std::wstring& line, std::wstring& tag, std::wstring& label,
                      std::wstring& macro)
{
    size_t open = line.find(L'[');
    if (open == std::wstring::npos)
        return false;
    size_t close = line.find(L']', open + 1);
    if (close == std::wstring::npos)
        return false;
    tag = Trim(line.substr(0, open));
    if (tag.find_first_of(L" \t") != std::wstring::npos)
        return false;
    label = line.substr(open + 1, close - open - 1);
    macro = line.substr(close + 1);
    return true;
}

class Source_Builder {
public:
    explicit Source_Builder(Menu_Source& source) : m_Source(source) {}

    bool Line(int number, const std::wstring& raw, std::string& error)
    {
        std::wstring line = Trim(raw);
        if (line.empty() || Starts_With(line, L"//"))
            return true;
        if (Starts_With(line, L"***")) {
            if (!Close_Section(number, error))
                return false;
            if (Starts_With(line, L"***MENUGROUP=")) {
                m_Source.group_name = Trim(line.substr(13));
            } else if (Starts_With(line, L"***POP")) {
                m_Source.popups.emplace_back();
                m_In_Popup = true;
                m_Has_Title = false;
            }
            return true;
        }
        if (!m_In_Popup || Starts_With(line, L"**"))
            return true;
        std::wstring tag, label, macro;
        if (!Split_Entry_Line(line, tag, label, macro)) {
            error = Line_Error(number, "a pop-up entry needs a label in brackets");
            return false;
        }
        Menu_Source_Popup& popup = m_Source.popups.back();
        if (!m_Has_Title) {
            popup.tag = tag;
            popup.name = label;
            m_Has_Title = true;
            return true;
        }
        Menu_Source_Entry entry;
        entry.tag = tag;
        entry.macro = macro;
        if (label == L"--") {
            entry.kind = Menu_Source_Entry::Kind::Separator;
            Entries(popup).push_back(entry);
            return true;
        }
        if (Starts_With(label, L"->")) {
            entry.kind = Menu_Source_Entry::Kind::Sub_Menu;
            entry.label = label.substr(2);
            std::vector<Menu_Source_Entry>& list = Entries(popup);
            list.push_back(entry);
            m_Open.push_back(&list.back());
            return true;
        }
        int closes = 0;
        while (Starts_With(label, L"<-")) {
            label.erase(0, 2);
            ++closes;
        }
        entry.label = label;
        Entries(popup).push_back(entry);
        if (closes > static_cast<int>(m_Open.size())) {
            error = Line_Error(number, "\"<-\" closes a sub-menu that is not open");
            return false;
        }
        m_Open.resize(m_Open.size() - closes);
        return true;
    }

    bool Close_Section(int number, std::string& error)
    {
        if (m_In_Popup && !m_Open.empty()) {
            error = Line_Error(number, "a sub-menu is not closed with \"<-\"");
            return false;
        }
        if (m_In_Popup && !m_Has_Title) {
            error = Line_Error(number, "a ***POP section without a title line");
            return false;
        }
        m_In_Popup = false;
        return true;
    }

private:
    // The list new entries go to: the innermost open sub-menu, else the pop-up.
    std::vector<Menu_Source_Entry>& Entries(Menu_Source_Popup& popup)
    {
        return m_Open.empty() ? popup.entries : m_Open.back()->entries;
    }

    Menu_Source& m_Source;
    bool m_In_Popup = false;
    bool m_Has_Title = false;
    // Open sub-menus, outermost first. Entries are only appended to the innermost
    // list, so the pointers into the outer lists stay valid.
    std::vector<Menu_Source_Entry*> m_Open;
};

}  // namespace

bool Parse_Menu_Source(const std::wstring& text, Menu_Source& source, std::string& error)
{
    source = Menu_Source();
    Source_Builder builder(source);
    int number = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        if (!builder.Line(++number, text.substr(start, end - start), error))
            return false;
        start = end + 1;
    }
    if (!builder.Close_Section(number, error))
        return false;
    if (source.group_name.empty()) {
        error = "the file names no menu group (***MENUGROUP=)";
        return false;
    }
    return true;
}

bool Read_Menu_Source(const std::wstring& path, Menu_Source& source, std::string& error)
{
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr) {
        error = "cannot read the file";
        return false;
    }
    std::string bytes;
    char buffer[4096];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, count);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        error = "cannot read the file";
        return false;
    }
    std::wstring text;
    if (!bytes.empty()) {
        const int size = static_cast<int>(bytes.size());
        const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
        if (length <= 0) {
            error = "the file is not in the system code page";
            return false;
        }
        text.resize(length);
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), length);
    }
    return Parse_Menu_Source(text, source, error);
}

}  // namespace platform
