// What the fuzz targets share: a check that stops the run with a message, so
// that libFuzzer keeps the input that broke a property.

#ifndef LAUNCHER_FUZZ_FUZZ_CHECK_H_
#define LAUNCHER_FUZZ_FUZZ_CHECK_H_

#include <stdio.h>
#include <stdlib.h>

#define FUZZ_CHECK(condition)                                              \
  do {                                                                     \
    if (!(condition)) {                                                    \
      fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__,  \
              #condition);                                                 \
      abort();                                                             \
    }                                                                      \
  } while (0)

#endif  // LAUNCHER_FUZZ_FUZZ_CHECK_H_
