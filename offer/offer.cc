#include "offer/offer.h"

#include <stdlib.h>
#include <string.h>

#include "base/text.h"
#include "base/trace.h"
#include "launch/launch.h"
#include "platform/platform.h"
#include "runtime/runtime.h"

#ifndef LAUNCHER_DOWNLOAD_HOST
#define LAUNCHER_DOWNLOAD_HOST "www.java.com"
#endif

const char kDownloadPage[] =
    "http://" LAUNCHER_DOWNLOAD_HOST "/j2se/downloads.html";

namespace {

const char kCaption[] = "Java Runtime Environment (JRE)";
const char kEnglishText[] = "Java isn't installed !\n\nDo you want install it ?";
// In the ANSI code page (Windows-1252): 0xE9 is the e with an acute accent.
const char kFrenchText[] =
    "Java n'est pas install\xE9 !\n\nVoulez-vous l'installer ?";

}  // namespace

bool PrefersFrench() {
  char* country = ReadRegistryString(kUserRoot, "Control Panel\\International",
                                     "iCountry");
  bool french = country && strcmp(country, "33") == 0;
  free(country);
  return french;
}

bool AskToInstallRuntime() {
  bool french = PrefersFrench();
  const char* text = french ? kFrenchText : kEnglishText;
  Trace("no Java found: the launcher asks, in ", french ? "French" : "English",
        ", in a box titled \"", kCaption, "\":");
  Trace(text);
  QuestionAnswer answer = PlatformAskYesNo(kCaption, text);
  Trace(answer == kAnsweredYes ? "answer: Yes"
        : answer == kAnsweredNo ? "answer: No"
                                : "the box could not be shown: taken as No");
  return answer == kAnsweredYes;
}

int OfferRuntimeDownload() {
  if (!AskToInstallRuntime()) {
    Trace("the launcher ends with 0");
    return 0;
  }
  char* folder =
      ReadMachineString("SOFTWARE\\Microsoft\\IE Setup\\Setup", "Path");
  if (!folder) {
    Trace("no browser folder registered: the launcher ends with 0");
    return 0;
  }
  Text browser = {};
  ExpandPercentRefs(folder, &browser);
  free(folder);
  // A folder ending in a backslash gives a doubled one, which Windows accepts.
  TextAppendString(&browser, "\\iexplore.exe");
  int status = -1;
  if (!browser.failed) {
    // The current directory stays as it was when the launcher started.
    const char* const arguments[] = {"iexplore", kDownloadPage};
    status = HandOver(TextString(&browser), arguments, 2);
  }
  TextFree(&browser);
  return status;
}
