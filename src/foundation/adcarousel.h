#pragma once
// A strip of ten advertisement pages that a browser holds side by side (or one under another) and
// the strip shows one at a time: the timer turns it one page on and wraps after the tenth, the
// member's arrows turn it either way without wrapping. Offsets are the browser's left (or top) in
// twips; the window places the browser and shows the arrows from this state.
#include <QString>

struct AdCarousel {
    static constexpr int kPages = 10;

    AdCarousel(int pageSize, int restOffset) : pageSize(pageSize), restOffset(restOffset), offset(restOffset) {}

    int pageSize;    // one page's width or height
    int restOffset;  // the browser's offset while page 1 shows
    int offset;
    QString page = QStringLiteral("1");  // labADPage: "1" to "11", from the offset
    bool previousVisible = false;
    bool nextVisible = true;

    // The timer: one page on; past the tenth page back to the first.
    void tick();
    // An arrow: forward true for the next page. No wrap: the arrows hide at either end.
    void step(bool forward);

private:
    void updatePage();
    void showArrows();
};
