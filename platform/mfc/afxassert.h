// Diagnostics of the framework: ASSERT, VERIFY, TRACE and the always-on checks
// that guard collection bounds and other preconditions.
//
// ASSERT(f) is checked unless NDEBUG is defined (Debug builds); VERIFY(f) always
// evaluates f and checks it like ASSERT. A failed check prints
// "<file>(<line>): assertion failed: <expression>" to standard error and aborts.
// AFX_CHECK(f) is checked in every build: the collections and CString use it for
// index and position arguments, where going on would corrupt memory.
// TRACE writes nothing.
#pragma once

namespace platform {

[[noreturn]] void Assert_Failed(const char* expression, const char* file, int line);

}  // namespace platform

#define AFX_CHECK(f) ((f) ? (void)0 : ::platform::Assert_Failed(#f, __FILE__, __LINE__))

#ifndef NDEBUG
#define ASSERT(f) AFX_CHECK(f)
#define VERIFY(f) AFX_CHECK(f)
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#endif

#define TRACE(...) ((void)0)
#define TRACE0(sz) ((void)0)
#define TRACE1(sz, p1) ((void)0)
#define TRACE2(sz, p1, p2) ((void)0)
#define TRACE3(sz, p1, p2, p3) ((void)0)
