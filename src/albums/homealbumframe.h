#pragma once
// The home-page album frame of the album settings window without its widgets: fifteen slots in
// order, each an album name or empty, and the one slot shown in the filled colour (the slot the
// last action filled or moved).
#include <QColor>
#include <QString>
#include <QStringList>

#include <array>

class Table;

class HomeAlbumFrame {
public:
    static constexpr int kSlots = 15;
    static const QColor kNormalColor;  // &HF2FFFF
    static const QColor kFilledColor;  // &HC0FFC0

    // The slots of a HomeAlbum table's first row; a "null" table leaves every slot empty.
    void load(const Table& homeAlbums);

    QString caption(int k) const { return valid(k) ? m_captions[size_t(k)] : QString(); }
    void setCaption(int k, const QString& name) {
        if (valid(k)) m_captions[size_t(k)] = name;
    }
    QStringList captions() const;
    // The slots' names that are not empty.
    QStringList albums() const;
    QColor color(int k) const { return k == m_filled ? kFilledColor : kNormalColor; }
    // Every slot back to the normal colour.
    void ResetAlbumSlotColors() { m_filled = -1; }
    // The normal colours, and slot k in the filled one.
    void markFilled(int k) { m_filled = valid(k) ? k : -1; }

    // The lowest empty slot; -1 when none.
    int firstEmptySlot() const;
    // The last slot holds an album: nothing more is let in.
    bool full() const { return !m_captions[kSlots - 1].isEmpty(); }

    // Slots k and k+1 swap when k+1 holds an album, and k+1 shows filled; false (nothing
    // changes) for an empty slot below or for the last slot.
    bool moveDown(int k);
    // Slots k-1 and k swap, whether either is empty or not, and k-1 shows filled; false for
    // slot 0.
    bool moveUp(int k);
    // Empties slot k and moves every later slot one up, so the albums stay packed and the last
    // slot ends empty; all slots normal.
    void moveOut(int k);

    bool operator==(const HomeAlbumFrame& o) const = default;

private:
    static bool valid(int k) { return k >= 0 && k < kSlots; }
    std::array<QString, kSlots> m_captions{};
    int m_filled = -1;
};
