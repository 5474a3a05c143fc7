// Fatal errors as the program's top-level handler takes them: a text thrown as a C string.
#pragma once

// Formats the text with the name into one process-wide buffer and throws the buffer. A name too
// long for the buffer is cut, never written past its end.
[[noreturn]] void ThrowErrorText(const char* format, const char* name);
