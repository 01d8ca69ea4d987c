#include "site/ui/browserselection.h"

#include "platform/ui/webbrowser.h"

PageSelection PageSelectionText(WebBrowser* browser) {
    return PageSelectionFromText(browser ? browser->documentTextSync() : QString());
}
