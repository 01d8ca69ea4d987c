#include "albums/homealbumframe.h"

#include "foundation/table.h"

#include <utility>

const QColor HomeAlbumFrame::kNormalColor = QColor(255, 255, 242);
const QColor HomeAlbumFrame::kFilledColor = QColor(192, 255, 192);

void HomeAlbumFrame::load(const Table& homeAlbums) {
    *this = HomeAlbumFrame{};
    if (homeAlbums.isNull()) return;
    for (int k = 0; k < kSlots; ++k) m_captions[size_t(k)] = homeAlbums.value(0, k);
}

QStringList HomeAlbumFrame::captions() const { return QStringList(m_captions.begin(), m_captions.end()); }

QStringList HomeAlbumFrame::albums() const {
    QStringList out;
    for (const QString& c : m_captions)
        if (!c.isEmpty()) out << c;
    return out;
}

int HomeAlbumFrame::firstEmptySlot() const {
    for (int k = 0; k < kSlots; ++k)
        if (m_captions[size_t(k)].isEmpty()) return k;
    return -1;
}

bool HomeAlbumFrame::moveDown(int k) {
    if (!valid(k) || !valid(k + 1) || m_captions[size_t(k + 1)].isEmpty()) return false;
    std::swap(m_captions[size_t(k)], m_captions[size_t(k + 1)]);
    markFilled(k + 1);
    return true;
}

bool HomeAlbumFrame::moveUp(int k) {
    if (!valid(k) || k == 0) return false;
    std::swap(m_captions[size_t(k - 1)], m_captions[size_t(k)]);
    markFilled(k - 1);
    return true;
}

void HomeAlbumFrame::moveOut(int k) {
    if (!valid(k)) return;
    m_captions[size_t(k)].clear();
    for (int j = k + 1; j < kSlots; ++j) std::swap(m_captions[size_t(j - 1)], m_captions[size_t(j)]);
    ResetAlbumSlotColors();
}
