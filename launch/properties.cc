#include <stdlib.h>

#include "launch/launch.h"

// The properties file is not read yet: the launch always uses its defaults.
LaunchProperties* ReadLaunchProperties(const char* program_directory,
                                       const char* base_name) {
  (void)program_directory;
  (void)base_name;
  return nullptr;
}

void FreeLaunchProperties(LaunchProperties* properties) {
  if (!properties) return;
  free(properties->jreVersion);
  free(properties->personalClasspath);
  free(properties->mainArgs);
  free(properties->mainClass);
  free(properties);
}
