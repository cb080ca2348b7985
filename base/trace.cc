#include "base/trace.h"

namespace {

Text* trace_sink = nullptr;

}  // namespace

void SetTrace(Text* sink) { trace_sink = sink; }

bool Tracing() { return trace_sink != nullptr; }

void Trace(const char* a, const char* b, const char* c, const char* d,
           const char* e, const char* f, const char* g, const char* h,
           const char* i) {
  if (!trace_sink) return;
  const char* const parts[] = {a, b, c, d, e, f, g, h, i};
  for (const char* part : parts) TextAppendString(trace_sink, part);
  TextAppendByte(trace_sink, '\n');
}
