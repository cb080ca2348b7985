// What the launcher does when no Java runtime can be found: it asks the user,
// in French or English, whether to install Java, and on Yes opens the browser
// on the download page.

#ifndef LAUNCHER_OFFER_OFFER_H_
#define LAUNCHER_OFFER_OFFER_H_

// The download page, "http://<host>/j2se/downloads.html"; the host is chosen
// when the launcher is built.
extern const char kDownloadPage[];

// True when the user's country code setting (iCountry under
// HKEY_CURRENT_USER\Control Panel\International) is exactly "33" (France).
bool PrefersFrench();

// Asks whether Java should be installed; true only for a Yes. A box that
// cannot be shown counts as No.
bool AskToInstallRuntime();

// Runs the offer and returns the launcher's exit status: 0 when the user says
// No or the browser's folder is not registered, -1 when the browser cannot be
// started. When it starts, the launcher ends inside HandOver with status 0.
int OfferRuntimeDownload();

#endif  // LAUNCHER_OFFER_OFFER_H_
