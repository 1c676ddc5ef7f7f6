// Reading and writing the fields of a settings record in one declared order. A record
// lists its fields once, as calls on a visitor (Visit_Fields); the visitors below
// read or write them as file tokens or as a result-buffer chain. Each field carries
// the date it was introduced: a reader takes fields while the stamp reaches their
// dates and stops at the first field it may not take, or that is missing.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>

#include "mfc/afxstr.h"
#include "rx/zcadstrc.h"
#include "rx/zcarray.h"

// Bound of every count read from a file.
constexpr int32_t Max_File_List_Count = 10000;

// Whether a stamp reaches a field's date: at least the date, or later than it.
enum class Stamp_Gate { At_Least, Later_Than };

class Token_Field_Reader {
public:
    Token_Field_Reader(std::istream& in, int32_t stamp, Stamp_Gate gate) : m_In(in), m_Stamp(stamp), m_Gate(gate) {}

    void Int(int& value, int32_t since);
    void Real(double& value, int32_t since);
    void Text(CString& value, int32_t since, int max_chars = 0);
    void Ints(int* values, int count, int32_t since);
    // A count, then that many name and value strings; a pair is taken when both are set.
    void Pairs(ZcArray<CString>& names, ZcArray<CString>& values, int32_t since);
    // False once a field was not taken: every later one is skipped.
    bool Reading() const { return !m_Stopped; }
    // True when a field that the stamp reaches was missing or unreadable: the file
    // was cut short or damaged.
    bool Cut_Short() const { return m_Cut_Short; }

private:
    bool Take(int32_t since);
    void Stop_Cut_Short();
    std::istream& m_In;
    int32_t m_Stamp;
    Stamp_Gate m_Gate;
    bool m_Stopped = false;
    bool m_Cut_Short = false;
};

class Token_Field_Writer {
public:
    explicit Token_Field_Writer(std::ostream& out) : m_Out(out) {}

    void Int(const int& value, int32_t since);
    void Real(const double& value, int32_t since);
    void Text(const CString& value, int32_t since, int max_chars = 0);
    void Ints(const int* values, int count, int32_t since);
    void Pairs(const ZcArray<CString>& names, const ZcArray<CString>& values, int32_t since);

private:
    std::ostream& m_Out;
};

// Reads the items of a chain: 90 ints, 40 reals, 1 strings (escaped).
class Chain_Field_Reader {
public:
    Chain_Field_Reader(const resbuf* chain, int32_t stamp) : m_Item(chain), m_Stamp(stamp) {}

    void Int(int& value, int32_t since);
    void Real(double& value, int32_t since);
    void Text(CString& value, int32_t since, int max_chars = 0);

private:
    const resbuf* Next(int32_t since, short type);
    const resbuf* m_Item;
    int32_t m_Stamp;
    bool m_Stopped = false;
};

// Builds a chain: 90 ints, 40 reals, 1 strings escaped and cut to max_chars.
class Chain_Field_Writer {
public:
    Chain_Field_Writer() = default;
    ~Chain_Field_Writer();
    Chain_Field_Writer(const Chain_Field_Writer&) = delete;
    Chain_Field_Writer& operator=(const Chain_Field_Writer&) = delete;

    void Int(const int& value, int32_t since);
    void Real(const double& value, int32_t since);
    void Text(const CString& value, int32_t since, int max_chars = 0);
    const resbuf* Chain() const { return m_Head; }

private:
    void Append(resbuf* item);
    resbuf* m_Head = nullptr;
    resbuf* m_Tail = nullptr;
};

// Sets the value to the fallback when it lies outside low..high.
inline void Keep_In_Range(int& value, int low, int high, int fallback)
{
    if (value < low || value > high)
        value = fallback;
}

// The escaped text cut to at most max_chars characters without splitting an escape;
// no cut for max_chars 0.
CString Escape_Cut(const CString& value, int max_chars);
