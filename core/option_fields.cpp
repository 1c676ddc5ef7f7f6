#include "core/option_fields.h"

#include "core/text_tokens.h"

bool Token_Field_Reader::Take(int32_t since)
{
    if (m_Stopped)
        return false;
    const bool reached = m_Gate == Stamp_Gate::At_Least ? m_Stamp >= since : m_Stamp > since;
    if (!reached)
        m_Stopped = true;
    else if (!m_In)
        Stop_Cut_Short();
    return !m_Stopped;
}

void Token_Field_Reader::Stop_Cut_Short()
{
    m_Stopped = true;
    m_Cut_Short = true;
}

void Token_Field_Reader::Int(int& value, int32_t since)
{
    if (Take(since) && !Read_Token_Int(m_In, value))
        Stop_Cut_Short();
}

void Token_Field_Reader::Real(double& value, int32_t since)
{
    if (Take(since) && !Read_Token_Real(m_In, value))
        Stop_Cut_Short();
}

void Token_Field_Reader::Text(CString& value, int32_t since, int /*max_chars*/)
{
    if (Take(since) && !Read_Token_Escaped(m_In, value))
        Stop_Cut_Short();
}

void Token_Field_Reader::Ints(int* values, int count, int32_t since)
{
    if (!Take(since))
        return;
    // All or nothing: a group cut short leaves every value as it was.
    int read[16] = {};
    for (int i = 0; i < count && i < 16; ++i)
        if (!Read_Token_Int(m_In, read[i])) {
            Stop_Cut_Short();
            return;
        }
    for (int i = 0; i < count && i < 16; ++i)
        values[i] = read[i];
}

void Token_Field_Reader::Pairs(ZcArray<CString>& names, ZcArray<CString>& values, int32_t since)
{
    int32_t count = 0;
    if (!Take(since))
        return;
    if (!Read_Token_Int(m_In, count) || count < 0 || count > Max_File_List_Count) {
        Stop_Cut_Short();
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        CString name, value;
        if (!Read_Token_Escaped(m_In, name) || !Read_Token_Escaped(m_In, value)) {
            Stop_Cut_Short();
            return;
        }
        if (!name.IsEmpty() && !value.IsEmpty()) {
            names.append(name);
            values.append(value);
        }
    }
}

void Token_Field_Writer::Int(const int& value, int32_t) { Write_Int_Line(m_Out, value); }
void Token_Field_Writer::Real(const double& value, int32_t) { Write_Real_Line(m_Out, value); }
void Token_Field_Writer::Text(const CString& value, int32_t, int) { Write_Escaped_Line(m_Out, value); }

void Token_Field_Writer::Ints(const int* values, int count, int32_t)
{
    for (int i = 0; i < count; ++i)
        Write_Int_Line(m_Out, values[i]);
}

void Token_Field_Writer::Pairs(const ZcArray<CString>& names, const ZcArray<CString>& values, int32_t)
{
    const int count = names.length() < values.length() ? names.length() : values.length();
    Write_Int_Line(m_Out, count);
    for (int i = 0; i < count; ++i) {
        Write_Escaped_Line(m_Out, names[i]);
        Write_Escaped_Line(m_Out, values[i]);
    }
}

const resbuf* Chain_Field_Reader::Next(int32_t since, short type)
{
    if (m_Stopped || m_Stamp < since || m_Item == nullptr || m_Item->restype != type) {
        m_Stopped = true;
        return nullptr;
    }
    const resbuf* item = m_Item;
    m_Item = m_Item->rbnext;
    return item;
}

void Chain_Field_Reader::Int(int& value, int32_t since)
{
    if (const resbuf* item = Next(since, 90))
        value = item->resval.rlong;
}

void Chain_Field_Reader::Real(double& value, int32_t since)
{
    if (const resbuf* item = Next(since, 40))
        value = item->resval.rreal;
}

void Chain_Field_Reader::Text(CString& value, int32_t since, int /*max_chars*/)
{
    if (const resbuf* item = Next(since, 1)) {
        value = item->resval.rstring;
        Unescape_Cfg_String(value);
    }
}

Chain_Field_Writer::~Chain_Field_Writer()
{
    if (m_Head != nullptr)
        zcutRelRb(m_Head);
}

void Chain_Field_Writer::Append(resbuf* item)
{
    if (item == nullptr)
        return;
    if (m_Tail == nullptr)
        m_Head = item;
    else
        m_Tail->rbnext = item;
    m_Tail = item;
}

void Chain_Field_Writer::Int(const int& value, int32_t)
{
    resbuf* item = zcutNewRb(90);
    if (item != nullptr)
        item->resval.rlong = value;
    Append(item);
}

void Chain_Field_Writer::Real(const double& value, int32_t)
{
    resbuf* item = zcutNewRb(40);
    if (item != nullptr)
        item->resval.rreal = value;
    Append(item);
}

void Chain_Field_Writer::Text(const CString& value, int32_t, int max_chars)
{
    resbuf* item = zcutNewRb(1);
    if (item != nullptr)
        zcutNewString(Escape_Cut(value, max_chars).GetString(), item->resval.rstring);
    Append(item);
}

CString Escape_Cut(const CString& value, int max_chars)
{
    CString escaped = Escape_Cfg_String(value);
    if (max_chars <= 0 || escaped.GetLength() <= max_chars)
        return escaped;
    CString raw = value.Left(max_chars);  // escaping only lengthens a text
    escaped = Escape_Cfg_String(raw);
    while (!raw.IsEmpty() && escaped.GetLength() > max_chars) {
        raw.Truncate(raw.GetLength() - 1);
        escaped = Escape_Cfg_String(raw);
    }
    return escaped.GetLength() <= max_chars ? escaped : CString();
}
