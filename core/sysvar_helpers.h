// Host system variables.
#pragma once

// Sets a short (RTSHORT) value; true when the host accepts it.
bool Set_Var_Int(const wchar_t* name, int value);
