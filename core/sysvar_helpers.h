// Host system variables.
#pragma once

#include <cstddef>
#include <cstdint>

// Sets a short (RTSHORT) value; true when the host accepts it.
bool Set_Var_Int(const wchar_t* name, int value);
// The variable's short value; false (value unchanged) when the host has none.
bool Get_Var_Int(const wchar_t* name, int16_t& value);
// The variable's real value; the host's result code (RTNORM on success).
int Get_Var_Real(const wchar_t* name, double& value);
// Copies the variable's text into the buffer of `size` characters, cut to fit, always
// terminated; false (buffer emptied) when the host has no text value.
bool Get_Var_String(const wchar_t* name, wchar_t* buffer, size_t size);
template <size_t N>
bool Get_Var_String(const wchar_t* name, wchar_t (&buffer)[N])
{
    return Get_Var_String(name, buffer, N);
}
