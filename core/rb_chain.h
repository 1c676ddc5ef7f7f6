// Result-buffer chains the program builds and reads one typed value at a time: 90
// 32-bit integers, 40 reals, 1 texts of at most 299 characters. Chains the program
// builds are allocated here and freed with Rb_Free_Chain, never with the host's
// release function; chains the host hands out (from an XRecord) are only read.
#pragma once

#include <cstdint>

#include "mfc/afxstr.h"
#include "rx/zcadstrc.h"

// Longest text a type-1 buffer holds (its buffer has one more character for the end).
constexpr int Rb_Text_Max = 299;

// A new buffer of the type with a zero value (a type-1 buffer gets an empty text);
// nullptr when it cannot be made.
resbuf* Rb_New(short type);
// Frees a chain made with Rb_New and the writers below.
void Rb_Free_Chain(resbuf* chain);

// Readers: the value of the buffer at the position (its type is not checked), then the
// position moves to the next buffer. A null position reads nothing and leaves the value.
void Rb_Read_Int(const resbuf*& position, int32_t& value);
void Rb_Read_Long(const resbuf*& position, int32_t& value);
void Rb_Read_Real(const resbuf*& position, double& value);
void Rb_Read_Text(const resbuf*& position, CString& value);

// Writers: a new buffer with the value linked after the tail; it becomes the tail and is
// returned (nullptr, tail unchanged, when it cannot be made). A text longer than 299
// characters keeps its first 299.
resbuf* Rb_Append_Int(resbuf*& tail, int32_t value);
resbuf* Rb_Append_Long(resbuf*& tail, int32_t value);
resbuf* Rb_Append_Real(resbuf*& tail, double value);
resbuf* Rb_Append_Text(resbuf*& tail, const wchar_t* value);
