#pragma once
// The choice of a service gallery page shown in a browser.
#include "site/pageselection.h"

class WebBrowser;

// The choice of the page the browser shows (the innerText of its HTML element; the empty text
// when it shows no document). Waits for the page's answer in a local event loop.
PageSelection PageSelectionText(WebBrowser* browser);
