#include "base/text.h"

#include <stdlib.h>
#include <string.h>

namespace {

bool Reserve(Text* text, size_t extra) {
  if (text->failed) return false;
  // One more byte for the terminator; refuse sizes that would wrap around.
  if (extra > (size_t)-1 / 2 - text->length - 1) {
    text->failed = true;
    return false;
  }
  size_t needed = text->length + extra + 1;
  if (needed <= text->capacity) return true;
  size_t capacity = text->capacity ? text->capacity : 64;
  while (capacity < needed) capacity *= 2;
  char* grown = (char*)realloc(text->bytes, capacity);
  if (!grown) {
    text->failed = true;
    return false;
  }
  text->bytes = grown;
  text->capacity = capacity;
  return true;
}

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
}

}  // namespace

bool TextAppend(Text* text, const char* bytes, size_t count) {
  if (!Reserve(text, count)) return false;
  if (count) memcpy(text->bytes + text->length, bytes, count);
  text->length += count;
  text->bytes[text->length] = '\0';
  return true;
}

bool TextAppendString(Text* text, const char* string) {
  return TextAppend(text, string, strlen(string));
}

bool TextAppendByte(Text* text, char byte) {
  return TextAppend(text, &byte, 1);
}

void TextClear(Text* text) {
  text->length = 0;
  if (text->bytes) text->bytes[0] = '\0';
}

const char* TextString(const Text* text) {
  return text->bytes ? text->bytes : "";
}

void TextFree(Text* text) {
  free(text->bytes);
  text->bytes = nullptr;
  text->length = 0;
  text->capacity = 0;
  text->failed = false;
}

char* CopyBytes(const char* bytes, size_t count) {
  if (count == (size_t)-1) return nullptr;
  char* copy = (char*)malloc(count + 1);
  if (!copy) return nullptr;
  if (count) memcpy(copy, bytes, count);
  copy[count] = '\0';
  return copy;
}

char* CopyString(const char* string) {
  return CopyBytes(string, strlen(string));
}

bool EqualsIgnoringAsciiCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    if (LowerAscii(*a) != LowerAscii(*b)) return false;
    if (*a == '\0') return true;
  }
}

bool PrefixEqualsIgnoringAsciiCase(const char* a, const char* b,
                                   size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    if (a[i] == '\0') return true;
  }
  return true;
}
