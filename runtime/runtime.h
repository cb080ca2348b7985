// Finding the Java runtime: a private copy beside the launcher or one
// registered in the Windows registry, and the expansion of %NAME% references
// in the paths found.

#ifndef LAUNCHER_RUNTIME_RUNTIME_H_
#define LAUNCHER_RUNTIME_RUNTIME_H_

#include "base/text.h"
#include "platform/platform.h"

struct LaunchProperties;

// The launcher file under a Java home.
extern const char kJavawFile[];  // "bin\javaw.exe"

// The products the classic Java installers register under SOFTWARE\JavaSoft,
// in the order they are tried: "Java Runtime Environment", then "Java
// Development Kit".
extern const char* const kClassicProducts[2];

// How the launch's account names a registry root ("HKEY_LOCAL_MACHINE\" or
// "HKEY_CURRENT_USER\") and a view ("" for the own one, " (other view)").
const char* RootName(RegistryRoot root);
const char* ViewNote(RegistryView view);

// Size of the buffer a registry value is read into; longer values count as
// missing.
const size_t kRegistryValueCapacity = 1024;

// True when "<runtime_directory>\bin\javaw.exe" opens for reading.
bool HasJavaw(const char* runtime_directory);

// "<program_directory>\jre", else "<program_directory>\resource\jre", the
// first that holds bin\javaw.exe, as a heap string (release with free()); null
// when neither does. The path is returned as formed, relative or not.
char* FindPrivateRuntime(const char* program_directory);

// The "JavaHome" registered for `product_name` (for example "Java Runtime
// Environment") under HKEY_LOCAL_MACHINE\SOFTWARE\JavaSoft, for the version
// pinned by `properties` (may be null) or else the product's
// "CurrentVersion". A heap string as stored, %NAME% references unexpanded; null
// when anything along the way is missing. A pinned version never falls back to
// "CurrentVersion".
char* FindRegisteredRuntime(const char* product_name,
                            const LaunchProperties* properties);

// FindRegisteredRuntime in the given registry view, for any product name
// under SOFTWARE\JavaSoft (such as "JRE" or "JDK", which Java 9 and later
// register).
char* FindJavaSoftRuntime(RegistryView view, const char* product_name,
                          const LaunchProperties* properties);

// Where Java runtimes are looked for once the private runtime and the two
// classic products of the launcher's own registry view are all absent: the
// classic products in the other view, then "JRE" and "JDK" under
// SOFTWARE\JavaSoft (own view, then the other), then the installer keys of the
// common OpenJDK builds (machine-wide in both views, then the user's). The
// first Java home whose expansion holds bin\javaw.exe, as a heap string as
// stored (unexpanded); null when there is none.
char* FindExtendedRuntime(const LaunchProperties* properties);

// Compares two version texts part by part as numbers, a part being a run of
// digits (9 < 17 < 17.0.10, 1.8 < 9, 1.8.0_41 < 1.8.0_392), a version with
// more parts after equal ones being the higher. Returns <0, 0 or >0.
int CompareVersions(const char* a, const char* b);

// True when `version` is the pinned version `pin` or begins with it and a dot
// (17 matches 17.0.8.7, not 170.1).
bool VersionMatchesPin(const char* version, const char* pin);

// The text of the value `value_name` of the key `key_path` under `root`, as a
// heap string; null when the key or value is missing or its data is longer
// than kRegistryValueCapacity bytes. The value's type is not examined: its
// bytes up to the first zero byte are the text.
char* ReadRegistryString(RegistryRoot root, const char* key_path,
                         const char* value_name);

// ReadRegistryString in the given registry view.
char* ReadRegistryStringInView(RegistryRoot root, RegistryView view,
                               const char* key_path, const char* value_name);

// ReadRegistryString under the machine-wide root.
char* ReadMachineString(const char* key_path, const char* value_name);

// Replaces `output` by `source` with every %NAME% reference replaced by the
// value of the environment variable NAME (letter case ignored). A reference
// to an undefined variable disappears; an unmatched "%" and everything after
// it is copied as it stands. Values are not scanned again.
void ExpandPercentRefs(const char* source, Text* output);

#endif  // LAUNCHER_RUNTIME_RUNTIME_H_
