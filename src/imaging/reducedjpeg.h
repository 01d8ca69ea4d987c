#pragma once
// A decoder of our own for the JPEG a camera or a program writes most often (baseline, Huffman
// coded, 8-bit samples, one interleaved scan, greyscale or YCbCr with the colour sampled whole or
// halved), for pictures shown much smaller than they are. Each 8 × 8 block gives only the box
// averages the wanted size needs (1, 2 or 4 a side, straight from its DCT coefficients), the planes
// are box-averaged to the exact size, and the colours are converted last, on the few pixels left.
// Everything else, and any damage or a file cut short, is left to libjpeg: open() or decode() then
// refuses, and the caller reads the file the usual way.
#include <QImage>
#include <QSize>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class ReducedJpeg {
public:
    // Reads the headers up to the scan; false when the file is not of the kind taken here.
    bool open(const uchar* data, size_t size);
    QSize size() const { return QSize(m_width, m_height); }
    // The size of the planes decoded for wanted (n samples for every 8 pixels, n the smallest of 1, 2
    // and 4 that covers wanted); empty when only a larger scale covers it.
    QSize planeSize(QSize wanted) const;
    // The picture box-averaged to exactly wanted, as Format_RGB32; null when the data is damaged or
    // cut short or wanted needs a larger scale.
    QImage decode(QSize wanted) const;

    struct Huffman {
        // Looked up by the next kFastBits bits: a whole symbol with its extra bits when both fit,
        // else the symbol alone, else nothing (a longer code, decoded bit length by bit length).
        // In an AC table a whole coefficient whose bits leave room for the next symbol also holds
        // that one when it is whole too (a coefficient or the end of the block), so that the two
        // common short codes cost one lookup.
        struct Entry {
            int16_t value = 0;  // the coefficient, or the symbol when kind is Symbol
            uint8_t length = 0; // bits taken: the code and, for Whole, its extra bits
            uint8_t kind = 0;   // Kind, with the run of zeros before the coefficient in bits 4..7
            // For a Whole AC entry: the next coefficient and its run (both 0 for none or the end of
            // the block), how far it moves the position past them (1, 0 for none, 64 for the end of
            // the block) and the bits taken by both (the first's alone for none).
            int16_t nextValue = 0;
            uint8_t nextRun = 0;
            uint8_t nextStep = 0;
            uint8_t bothLength = 0;
        };
        enum Kind : uint8_t { Long = 0, Whole = 1, Symbol = 2, EndOfBlock = 3, SixteenZeros = 4, Bad = 5 };
        static constexpr int kFastBits = 11;
        std::array<Entry, 1 << kFastBits> fast{};
        std::array<int32_t, 18> maxCode{};  // the largest code of each length, -1 for none
        std::array<int32_t, 17> valueOffset{};
        std::array<uint8_t, 256> values{};
        bool defined = false;
    };

private:
    struct Component {
        int id = 0;
        int h = 1, v = 1;  // sampling factors
        int quant = 0;     // table number
        int dc = 0, ac = 0;
    };
    bool buildTables(int dcCount, const int* dcTables, int acCount, const int* acTables);

    int m_width = 0, m_height = 0;
    int m_hMax = 1, m_vMax = 1;
    int m_restartInterval = 0;
    std::vector<Component> m_components;
    std::array<std::array<uint16_t, 64>, 4> m_quant{};  // in zigzag order
    std::array<bool, 4> m_quantDefined{};
    std::array<Huffman, 4> m_dc, m_ac;
    // The raw table definitions, built into m_dc and m_ac once the scan names them.
    struct RawTable {
        std::array<uint8_t, 16> counts{};
        std::array<uint8_t, 256> values{};
        bool defined = false;
    };
    std::array<RawTable, 4> m_rawDc, m_rawAc;
    const uchar* m_scan = nullptr;  // the entropy-coded data after the scan header, to the file's end
    size_t m_scanSize = 0;
};
