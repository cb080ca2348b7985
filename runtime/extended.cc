// The runtime search beyond the classic registry keys: what Java 9 and later,
// the OpenJDK installers and the other registry view hold.

#include <stdlib.h>
#include <string.h>

#include "base/trace.h"
#include "launch/launch.h"
#include "runtime/runtime.h"

namespace {

const char* const kModernProducts[] = {"JRE", "JDK"};
const char* const kInstallerKeys[] = {"SOFTWARE\\Eclipse Adoptium\\JRE",
                                      "SOFTWARE\\Eclipse Adoptium\\JDK",
                                      "SOFTWARE\\Microsoft\\JDK"};
const char kInstallerHomeKey[] = "\\hotspot\\MSI";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Compares two runs of decimal digits as numbers of any size.
int CompareDigits(const char* a, size_t a_length, const char* b,
                  size_t b_length) {
  while (a_length > 0 && *a == '0') ++a, --a_length;
  while (b_length > 0 && *b == '0') ++b, --b_length;
  if (a_length != b_length) return a_length < b_length ? -1 : 1;
  return memcmp(a, b, a_length);
}

// The home as stored, when its expansion holds bin\javaw.exe; else null (and
// `home` is released). Stale entries are common among installers.
char* Usable(char* home) {
  if (!home) return nullptr;
  Text expanded = {};
  ExpandPercentRefs(home, &expanded);
  bool usable = !expanded.failed && HasJavaw(TextString(&expanded));
  TextFree(&expanded);
  if (usable) return home;
  Trace("  passed over: no bin\\javaw.exe under ", home);
  free(home);
  return nullptr;
}

// Higher versions first; equal ones in a fixed order.
bool ComesBefore(const char* a, const char* b) {
  int order = CompareVersions(a, b);
  return order != 0 ? order > 0 : strcmp(a, b) < 0;
}

// The highest version under an installer key (matching the pin, if any)
// whose "hotspot\MSI" subkey names a usable Java home in "Path".
char* FindInstalledRuntime(RegistryRoot root, RegistryView view,
                           const char* key, const char* pin) {
  Text names = {};
  if (!PlatformListRegistrySubkeys(root, view, key, &names) || names.failed) {
    Trace("  ", RootName(root), key, ViewNote(view), " absent");
    TextFree(&names);
    return nullptr;
  }
  size_t count = 0;
  for (size_t at = 0; at < names.length; at += strlen(names.bytes + at) + 1) {
    ++count;
  }
  const char** versions = (const char**)malloc((count + 1) * sizeof(char*));
  char* home = nullptr;
  if (versions) {
    size_t kept = 0;
    for (size_t at = 0; at < names.length; at += strlen(names.bytes + at) + 1) {
      const char* version = names.bytes + at;
      if (pin && !VersionMatchesPin(version, pin)) continue;
      // Insertion sort: a key holds a handful of versions.
      size_t slot = kept++;
      while (slot > 0 && ComesBefore(version, versions[slot - 1])) {
        versions[slot] = versions[slot - 1];
        --slot;
      }
      versions[slot] = version;
    }
    if (Tracing()) {
      Text list = {};
      for (size_t i = 0; i < kept; ++i) {
        TextAppendString(&list, i ? ", " : "");
        TextAppendString(&list, versions[i]);
      }
      Trace("  ", RootName(root), key, ViewNote(view), ": versions ",
            kept ? TextString(&list) : "(none that fit)");
      TextFree(&list);
    }
    Text path = {};
    for (size_t i = 0; i < kept && !home; ++i) {
      TextClear(&path);
      TextAppendString(&path, key);
      TextAppendByte(&path, '\\');
      TextAppendString(&path, versions[i]);
      TextAppendString(&path, kInstallerHomeKey);
      if (path.failed) break;
      home = Usable(ReadRegistryStringInView(root, view, TextString(&path), "Path"));
    }
    TextFree(&path);
    free(versions);
  }
  TextFree(&names);
  return home;
}

}  // namespace

int CompareVersions(const char* a, const char* b) {
  // Each run of digits is a part; anything else (".", but also the "_" of
  // 1.8.0_392 or the "+" of 17.0.8+7) only separates parts.
  for (;;) {
    while (*a && !IsDigit(*a)) ++a;
    while (*b && !IsDigit(*b)) ++b;
    if (*a == '\0' || *b == '\0') {
      if (*a == *b) return 0;
      return *a == '\0' ? -1 : 1;
    }
    size_t a_digits = 0;
    size_t b_digits = 0;
    while (IsDigit(a[a_digits])) ++a_digits;
    while (IsDigit(b[b_digits])) ++b_digits;
    int order = CompareDigits(a, a_digits, b, b_digits);
    if (order != 0) return order;
    a += a_digits;
    b += b_digits;
  }
}

bool VersionMatchesPin(const char* version, const char* pin) {
  size_t length = strlen(pin);
  return strncmp(version, pin, length) == 0 &&
         (version[length] == '\0' || version[length] == '.');
}

char* FindExtendedRuntime(const LaunchProperties* properties) {
  char* home = nullptr;
  for (const char* product : kClassicProducts) {
    home = Usable(FindJavaSoftRuntime(kOtherView, product, properties));
    if (home) return home;
  }
  const RegistryView kViews[] = {kOwnView, kOtherView};
  for (RegistryView view : kViews) {
    for (const char* product : kModernProducts) {
      home = Usable(FindJavaSoftRuntime(view, product, properties));
      if (home) return home;
    }
  }
  const char* pin = properties ? properties->jreVersion : nullptr;
  const struct {
    RegistryRoot root;
    RegistryView view;
  } places[] = {{kMachineRoot, kOwnView}, {kMachineRoot, kOtherView},
                {kUserRoot, kOwnView}};
  for (const auto& place : places) {
    for (const char* key : kInstallerKeys) {
      home = FindInstalledRuntime(place.root, place.view, key, pin);
      if (home) return home;
    }
  }
  return nullptr;
}
