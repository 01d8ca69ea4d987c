#include "foundation/adcarousel.h"

#include <cstdlib>

void AdCarousel::tick() {
    offset -= pageSize;
    updatePage();
    if (page == QLatin1String("11")) {
        page = QStringLiteral("1");
        offset = restOffset;
        nextVisible = true;
    }
    showArrows();
}

void AdCarousel::step(bool forward) {
    offset += forward ? -pageSize : pageSize;
    updatePage();
    showArrows();
}

void AdCarousel::updatePage() { page = QString::number(std::abs(offset) / pageSize + 1); }

// Page 1 hides the previous arrow and page 10 the next one, each leaving the other as it was.
void AdCarousel::showArrows() {
    if (page == QLatin1String("1")) {
        previousVisible = false;
    } else if (page == QLatin1String("10")) {
        nextVisible = false;
    } else {
        previousVisible = true;
        nextVisible = true;
    }
}
