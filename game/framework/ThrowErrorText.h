// Fatal errors as the program's top-level handler takes them: a text thrown as a C string.
#pragma once

// Formats the text with the name into one process-wide buffer and throws the buffer. A name too
// long for the buffer is cut, never written past its end.
[[noreturn]] void ThrowErrorText(const char* format, const char* name);
// The same with two names, in the order the format takes them.
[[noreturn]] void ThrowErrorText(const char* format, const char* name, const char* second);
