// What the launcher does when no Java runtime can be found.

#ifndef LAUNCHER_OFFER_OFFER_H_
#define LAUNCHER_OFFER_OFFER_H_

// Runs the missing-runtime offer and returns the launcher's exit status.
int OfferRuntimeDownload();

#endif  // LAUNCHER_OFFER_OFFER_H_
