#include "offer/offer.h"

// The question to the user is not built yet: without a runtime the launcher
// ends quietly.
int OfferRuntimeDownload() { return 0; }
