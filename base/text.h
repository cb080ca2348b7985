// Growing byte strings for the launcher.
//
// The launcher works on zero-terminated byte strings in the ANSI code page.
// std::string would pull libstdc++'s exception and demangler machinery into a
// static MinGW build (about 180 KB); this is the small, bounds-checked
// replacement: a plain struct and free functions over malloc/realloc/free.

#ifndef LAUNCHER_BASE_TEXT_H_
#define LAUNCHER_BASE_TEXT_H_

#include <stddef.h>

// A growing, zero-terminated byte string. Plain data: start it zeroed
// (Text t = {};) and release it with TextFree. `bytes` is null until something
// has been stored; TextString never returns null.
struct Text {
  char* bytes;
  size_t length;
  size_t capacity;
  // Set when an allocation failed: the contents are then incomplete and must
  // not be used for anything that matters. Stays set until TextFree.
  bool failed;
};

// Appends `count` bytes from `bytes` (which may be null when `count` is 0).
// Returns false, and marks the text failed, when memory runs out.
bool TextAppend(Text* text, const char* bytes, size_t count);

// Appends the zero-terminated `string` (its terminator excluded).
bool TextAppendString(Text* text, const char* string);

// Appends one byte.
bool TextAppendByte(Text* text, char byte);

// Empties the text, keeping its memory and its failed mark.
void TextClear(Text* text);

// The contents as a zero-terminated string; "" when nothing was stored.
const char* TextString(const Text* text);

// Releases the memory; the text is empty and usable again afterwards.
void TextFree(Text* text);

// A heap copy of the first `count` bytes of `bytes`, zero-terminated, or null
// when memory runs out. Release it with free().
char* CopyBytes(const char* bytes, size_t count);

// A heap copy of the zero-terminated `string`, or null when memory runs out.
char* CopyString(const char* string);

// True when the two strings are equal, ignoring the case of A-Z only.
bool EqualsIgnoringAsciiCase(const char* a, const char* b);

// True when the first `count` bytes of `a` and `b` are equal, ignoring the
// case of A-Z only. Neither string is read past its terminator.
bool PrefixEqualsIgnoringAsciiCase(const char* a, const char* b, size_t count);

#endif  // LAUNCHER_BASE_TEXT_H_
