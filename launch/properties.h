// The properties file reader's core: raw file bytes in, settings out.
//
// The file is read the way a C runtime reads a file opened in text mode, but
// done here so that the launcher behaves the same whatever runtime it is
// linked with: a carriage return + line feed pair reads as one line feed, a
// Ctrl-Z byte ends the file, and one read takes at most 1022 bytes, a longer
// line continuing as a line of its own.

#ifndef LAUNCHER_LAUNCH_PROPERTIES_H_
#define LAUNCHER_LAUNCH_PROPERTIES_H_

#include <stddef.h>

#include "launch/launch.h"

// The most bytes one line read takes.
const size_t kLinePieceBytes = 1022;

// Where a reading stands. Plain data: set it up with StartProperties.
struct PropertiesReader {
  LaunchProperties* properties;
  char line[kLinePieceBytes + 1];
  size_t line_length;
  bool carriage_return_pending;  // a CR whose next byte is not known yet
  bool ended;  // a Ctrl-Z was read, or all four settings are present
};

// Starts reading into `properties`, whose fields may already be set.
void StartProperties(PropertiesReader* reader, LaunchProperties* properties);

// Takes the next `count` raw bytes of the file. Returns false once no more
// bytes are wanted (the file ended with Ctrl-Z, or every setting is present).
bool FeedProperties(PropertiesReader* reader, const char* bytes, size_t count);

// Ends the reading at the end of the file: a last line without a line feed
// still counts. After a read error, pass `file_complete` false: the cut-off
// line is then dropped rather than taken as a shorter setting.
void FinishProperties(PropertiesReader* reader, bool file_complete);

#endif  // LAUNCHER_LAUNCH_PROPERTIES_H_
