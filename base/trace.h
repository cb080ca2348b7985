// A plain account of what a launch looked at and decided, written by the
// launch code itself when someone asks for it (the explainer does; the
// launcher never does, and then nothing is written at all).

#ifndef LAUNCHER_BASE_TRACE_H_
#define LAUNCHER_BASE_TRACE_H_

#include "base/text.h"

// Sends the account to `sink` (appended, one line per step), or stops it when
// `sink` is null.
void SetTrace(Text* sink);

// True while an account is being written.
bool Tracing();

// Appends one line made of the given parts, when an account is being written.
void Trace(const char* a, const char* b = "", const char* c = "",
           const char* d = "", const char* e = "", const char* f = "",
           const char* g = "", const char* h = "", const char* i = "");

#endif  // LAUNCHER_BASE_TRACE_H_
