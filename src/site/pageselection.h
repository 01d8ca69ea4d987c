#pragma once
// How a service gallery page hands a choice to the program: in its visible text, between "{{{"
// and "}}}"; "[[[]]]" while nothing is chosen. The template chooser and the materials library
// read it the same way (from a browser: site/ui/browserselection.h).
#include <QString>

struct PageSelection {
    enum Kind {
        Selected,       // the page names a choice: text holds it
        NothingChosen,  // the page is a gallery, but nothing is chosen yet
        NoSelection,    // not a gallery page, or it did not load
    };
    Kind kind = NoSelection;
    QString text;
};

// The choice in the visible text of a page: the text between the last "{{{" and the last "}}}"
// when the text holds "}}}"; otherwise nothing chosen when it holds "[[[]]]"; otherwise no
// selection. Exact, case-sensitive searches.
PageSelection PageSelectionFromText(const QString& pageText);
