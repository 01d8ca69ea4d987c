#include "imaging/reducedjpeg.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using Huffman = ReducedJpeg::Huffman;
constexpr int kFast = Huffman::kFastBits;

// Zigzag position k to the natural (row-major) position in the block, with room for a run that
// overshoots: such a file is refused before anything is stored there.
constexpr std::array<uint8_t, 64> kNatural = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

int BigEndian16(const uchar* p) { return (p[0] << 8) | p[1]; }

int Extend(int extra, int size) { return extra < (1 << (size - 1)) ? extra - (1 << size) + 1 : extra; }

// Builds the canonical codes of a table (counts of each length, then the symbols); false for a
// table whose codes overflow their lengths or a DC symbol beyond 15, as libjpeg refuses them.
bool BuildHuffman(const std::array<uint8_t, 16>& counts, const std::array<uint8_t, 256>& values, bool dc,
                  Huffman& t) {
    t = Huffman();
    int code = 0, k = 0;
    std::array<int, 256> codes{}, lengths{};
    for (int l = 1; l <= 16; ++l) {
        t.valueOffset[l] = k - code;
        for (int i = 0; i < counts[l - 1]; ++i) {
            if (k >= 256) return false;
            codes[k] = code++;
            lengths[k++] = l;
        }
        t.maxCode[l] = counts[l - 1] ? code - 1 : -1;
        if (code >= (1 << l)) return false;
        code <<= 1;
    }
    t.maxCode[17] = 0x7FFFFFFF;  // never reached: lengths stop at 16
    t.values = values;
    for (int i = 0; i < k; ++i) {
        const int l = lengths[i];
        const int symbol = values[i];
        if (dc && symbol > 15) return false;
        if (l > kFast) continue;
        const int run = dc ? 0 : symbol >> 4, size = dc ? symbol : symbol & 15;
        const int prefix = codes[i] << (kFast - l);
        for (int fill = 0; fill < (1 << (kFast - l)); ++fill) {
            const int index = prefix | fill;
            Huffman::Entry& e = t.fast[size_t(index)];
            if (size == 0) {
                e.length = uint8_t(l);
                if (dc) e.kind = Huffman::Whole, e.value = 0;
                else e.kind = run == 0 ? Huffman::EndOfBlock : run == 15 ? Huffman::SixteenZeros : Huffman::Bad;
            } else if (l + size <= kFast) {
                const int extra = (index >> (kFast - l - size)) & ((1 << size) - 1);
                e.value = int16_t(Extend(extra, size));
                e.length = uint8_t(l + size);
                e.kind = uint8_t(Huffman::Whole | (run << 4));
            } else {
                e.value = int16_t(symbol);
                e.length = uint8_t(l);
                e.kind = Huffman::Symbol;
            }
        }
    }
    if (!dc) {
        // The next symbol, when the first one's bits leave room for all of its own.
        for (int index = 0; index < (1 << kFast); ++index) {
            Huffman::Entry& e = t.fast[size_t(index)];
            if ((e.kind & 15) != Huffman::Whole) continue;
            e.bothLength = e.length;
            if (e.length >= kFast) continue;
            const Huffman::Entry& n = t.fast[size_t((index << e.length) & ((1 << kFast) - 1))];
            const int kind = n.kind & 15;
            if ((kind != Huffman::Whole && kind != Huffman::EndOfBlock) || e.length + n.length > kFast) continue;
            if (kind == Huffman::Whole) e.nextValue = n.value, e.nextRun = uint8_t(n.kind >> 4), e.nextStep = 1;
            else e.nextStep = 64;
            e.bothLength = uint8_t(e.length + n.length);
        }
    }
    t.defined = true;
    return true;
}

// The end of the data a reader takes: the end of the file, until the marker that stops its
// segment is met (the reader then stands on it), and the zero bytes fed past that end.
struct DataEnd {
    const uint8_t* end;
    int padding = 0;
};

const uint8_t* NextFF(const uint8_t* at, const uint8_t* end) {
    const auto* ff = static_cast<const uint8_t*>(std::memchr(at, 0xFF, size_t(end - at)));
    return ff ? ff : end;
}

struct BitReader;
BitReader RefillNearFF(BitReader in);

// The bits of the entropy-coded data, first bit highest in a 64-bit word kept at least 56 bits
// full. Where the next eight bytes hold no 0xFF the refill is one unaligned load; near a 0xFF it
// takes byte by byte, dropping the zero stuffed after a data 0xFF and stopping at a marker, past
// which it feeds zeros. So the data is read where it lies, with no cleaned copy.
struct BitReader {
    const uint8_t* next;   // the byte after the last one taken into the word
    const uint8_t* limit;  // the next 0xFF, or the data's end: whole loads stop short of it
    uint64_t word = 0;
    int count = 0;         // valid bits in word
    DataEnd* data;
    BitReader(const uint8_t* at, DataEnd* end) : next(at), limit(NextFF(at, end->end)), data(end) { refill(); }
    void refill() {
        if (limit - next >= 8) [[likely]] {
            uint64_t bytes;
            std::memcpy(&bytes, next, 8);
            word |= __builtin_bswap64(bytes) >> count;
            next += (63 - count) >> 3;
            count |= 56;
        } else {
            *this = RefillNearFF(*this);
        }
    }
    void skip(int bits) {
        word <<= bits;
        count -= bits;
    }
    // Whether bits fed past the data's end were taken: the fed zeros are the word's lowest bits.
    bool overran() const { return data->padding * 8 > count; }
};

// Taken and given back by value, so that a reader stays in registers where it is used.
[[gnu::noinline]] BitReader RefillNearFF(BitReader in) {
    // A whole load before this one may have put these bytes' bits in already: they are ORed again.
    auto& [next, limit, word, count, data] = in;
    while (count < 56) {
        uint64_t byte = 0;
        if (next < data->end) {
            byte = *next;
            if (byte != 0xFF) {
                ++next;
            } else {
                // 0xFF, any fill bytes, then a stuffed zero for data, else a marker's code.
                const uint8_t* q = next + 1;
                while (q < data->end && *q == 0xFF) ++q;
                if (q < data->end && *q == 0x00) {
                    next = q + 1;
                    limit = NextFF(next, data->end);
                } else {
                    data->end = limit = next;
                    byte = 0;
                    ++data->padding;
                }
            }
        } else {
            ++data->padding;
        }
        word |= byte << (56 - count);
        count += 8;
    }
    return in;
}

// The marker the reader stopped at or comes to next, skipping data; its code, and where the data
// after it starts. -1 when the file ends first.
int NextMarker(const uint8_t* at, const uint8_t* end, const uint8_t** after) {
    while (true) {
        const uint8_t* ff = NextFF(at, end);
        if (ff == end) return -1;
        const uint8_t* q = ff + 1;
        while (q < end && *q == 0xFF) ++q;
        if (q >= end) return -1;
        if (*q != 0x00) {
            *after = q + 1;
            return *q;
        }
        at = q + 1;
    }
}

// A symbol whose code is longer than the fast table's bits; false for no code at all.
inline bool DecodeLong(const Huffman& t, uint64_t bits, int& symbol, int& length) {
    for (int l = kFast + 1; l <= 16; ++l) {
        const int32_t code = int32_t(bits >> (64 - l));
        if (code <= t.maxCode[l]) {
            const int at = code + t.valueOffset[l];
            if (at < 0 || at > 255) return false;
            symbol = t.values[size_t(at)];
            length = l;
            return true;
        }
    }
    return false;
}

// What an n-sample side takes from the 8 coefficients along it: row j of M_n holds, for every
// frequency u, C(u)/2 times the mean of cos((2x+1)uπ/16) over the j-th n-th of the block, so that
// the box averages of the block are M_n F M_nᵀ.
struct Means {
    double m[4][8][8]{};  // by log2 n (1, 2, 4, 8 samples), then sample, then frequency
    Means() {
        for (int log = 0; log < 4; ++log) {
            const int n = 1 << log, width = 8 / n;
            for (int j = 0; j < n; ++j)
                for (int u = 0; u < 8; ++u) {
                    double sum = 0;
                    for (int x = j * width; x < (j + 1) * width; ++x) sum += std::cos((2 * x + 1) * u * M_PI / 16);
                    m[log][j][u] = (u == 0 ? M_SQRT1_2 : 1.0) / 2 * sum / width;
                }
        }
    }
};
const Means kMeans;

int Log2(int n) { return n == 1 ? 0 : n == 2 ? 1 : n == 4 ? 2 : 3; }

typedef float Floats __attribute__((vector_size(16)));  // four samples at once
typedef int32_t Ints __attribute__((vector_size(16)));
typedef uint8_t Bytes __attribute__((vector_size(4)));

// What one quantised coefficient adds to each box average of its block: for zigzag position k,
// G groups of four samples (row by row, nx a row), the quantiser folded in.
std::vector<Floats> BlockWeights(int nx, int ny, const uint16_t* quant) {
    const int groups = std::max(1, nx * ny / 4);
    std::vector<Floats> weights(size_t(64 * groups));
    const auto& mx = kMeans.m[Log2(nx)];
    const auto& my = kMeans.m[Log2(ny)];
    for (int k = 0; k < 64; ++k) {
        const int at = kNatural[size_t(k)], v = at >> 3, u = at & 7;
        for (int i = 0; i < ny; ++i)
            for (int j = 0; j < nx; ++j) {
                const int o = i * nx + j;
                weights[size_t(k * groups + o / 4)][o % 4] = float(my[i][v] * mx[j][u] * quant[k]);
            }
    }
    return weights;
}

// One block: its coefficients decoded and each added at once, weighted, into the box averages
// (acc, G groups), so no block of coefficients is stored or transformed. A refill leaves at least
// 56 bits, enough for four entries of the fast table; a longer code refills for itself and ends the
// round. So at least 12 bits are held whenever a round or a block begins, more than a lookup needs:
// its first lookup reads the bits held before the refill, which then adds only lower bits, and it
// need not wait for the refill's load. False for a code no table holds or a run past the block's
// end.
// The reader is the caller's local, kept in registers: through a reference to memory every step
// would be a store and a load on the path from one symbol to the next.
template <int NX, int NY>
[[gnu::always_inline]] inline bool DecodeBlock(BitReader& in, const Huffman& dc, const Huffman& ac, const Floats* w,
                                               int& prediction, uint8_t* out, ptrdiff_t stride) {
    static_assert(4 * Huffman::kFastBits <= 56);
    constexpr int G = NX * NY < 4 ? 1 : NX * NY / 4;
    Floats sum[G];
    const Huffman::Entry& d = dc.fast[size_t(in.word >> (64 - kFast))];
    in.refill();
    int diff;
    if ((d.kind & 15) == Huffman::Whole) {
        diff = d.value;
        in.skip(d.length);
    } else {
        int symbol, length;
        if (d.kind == Huffman::Symbol) symbol = d.value, length = d.length;
        else if (!DecodeLong(dc, in.word, symbol, length)) return false;
        diff = symbol ? Extend(int((in.word << length) >> (64 - symbol)), symbol) : 0;
        in.skip(length + symbol);
    }
    prediction += diff;
    const float first = float(prediction);
    for (int g = 0; g < G; ++g) sum[g] = first * w[g];
    int k = 1;
    while (k < 64) {
        size_t index = size_t(in.word >> (64 - kFast));
        in.refill();
        for (int round = 0; round < 4; ++round, index = size_t(in.word >> (64 - kFast))) {
            const Huffman::Entry& e = ac.fast[index];
            const int kind = e.kind & 15;
            if (kind == Huffman::Whole) {
                k += e.kind >> 4;
                if (k > 63) return false;
                const float c = e.value;
                const Floats* wk = w + k * G;
                for (int g = 0; g < G; ++g) sum[g] += c * wk[g];
                // The next symbol in the same entry (nothing when there is none), unless the block
                // is full: its bits are then the next block's.
                if (++k == 64) {
                    in.skip(e.length);
                    break;
                }
                k += e.nextRun;
                if (k > 63) return false;
                const float c2 = e.nextValue;
                const Floats* wk2 = w + k * G;
                for (int g = 0; g < G; ++g) sum[g] += c2 * wk2[g];
                k += e.nextStep;
                in.skip(e.bothLength);
                if (k >= 64) break;
                continue;
            }
            if (kind == Huffman::EndOfBlock) {
                in.skip(e.length);
                k = 64;
                break;
            }
            if (kind == Huffman::SixteenZeros) {
                in.skip(e.length);
                k += 16;
                if (k >= 64) break;
                continue;
            }
            int symbol, length;
            if (kind == Huffman::Symbol) symbol = e.value, length = e.length;
            else if (kind != Huffman::Long || !DecodeLong(ac, in.word, symbol, length)) return false;
            const int run = symbol >> 4, size = symbol & 15;
            in.refill();
            if (size == 0) {
                if (run != 0 && run != 15) return false;
                in.skip(length);
                k = run == 0 ? 64 : k + 16;
                break;
            }
            k += run;
            if (k > 63) return false;
            const float c = float(Extend(int((in.word << length) >> (64 - size)), size));
            in.skip(length + size);
            const Floats* wk = w + k * G;
            for (int g = 0; g < G; ++g) sum[g] += c * wk[g];
            ++k;
            break;
        }
    }
    // Level-shifted and rounded half up; below zero it is clamped, so truncation is harmless.
    Ints samples[G];
    for (int g = 0; g < G; ++g) {
        Ints i = __builtin_convertvector(sum[g] + 128.5f, Ints);
        i = i < 0 ? 0 : i;
        samples[g] = i > 255 ? 255 : i;
    }
    if constexpr (NX >= 4) {
        // A group is four samples of one row.
        for (int g = 0; g < G; ++g) {
            const Bytes bytes = __builtin_convertvector(samples[g], Bytes);
            std::memcpy(out + (g * 4 / NX) * stride + (g * 4) % NX, &bytes, sizeof bytes);
        }
    } else {
        for (int i = 0; i < NY; ++i)
            for (int j = 0; j < NX; ++j) out[i * stride + j] = uint8_t(samples[(i * NX + j) / 4][(i * NX + j) % 4]);
    }
    return true;
}

using BlockDecoder = bool (*)(BitReader&, const Huffman&, const Huffman&, const Floats*, int&, uint8_t*, ptrdiff_t);

template <int NX, int NY>
bool DecodeBlockAlone(BitReader& reader, const Huffman& dc, const Huffman& ac, const Floats* w, int& prediction,
                      uint8_t* out, ptrdiff_t stride) {
    BitReader in = reader;
    const bool decoded = DecodeBlock<NX, NY>(in, dc, ac, w, prediction, out, stride);
    reader = in;
    return decoded;
}

template <int NX>
BlockDecoder DecoderFor(int ny) {
    switch (ny) {
    case 1: return DecodeBlockAlone<NX, 1>;
    case 2: return DecodeBlockAlone<NX, 2>;
    case 4: return DecodeBlockAlone<NX, 4>;
    case 8: return DecodeBlockAlone<NX, 8>;
    default: return nullptr;
    }
}

BlockDecoder DecoderFor(int nx, int ny) {
    switch (nx) {
    case 1: return DecoderFor<1>(ny);
    case 2: return DecoderFor<2>(ny);
    case 4: return DecoderFor<4>(ny);
    case 8: return DecoderFor<8>(ny);
    default: return nullptr;
    }
}

// One block of a unit: its tables and weights, its component, and where its samples go in the
// band of planes.
struct Block {
    const Huffman* dc;
    const Huffman* ac;
    const Floats* weights;
    BlockDecoder decode;  // for the layouts DecodeUnits has no copy for
    int component;
    size_t offset;  // of the block's first sample, in the unit at the left
    int step;       // samples from one unit's block to the next one's
};

// count units from mx on, their blocks decoded into the band one after the other; false for
// damage or bits taken past the data's end.
using UnitsDecoder = bool (*)(BitReader&, const Block*, int, int*, uint8_t*, int, int, ptrdiff_t);

bool DecodeUnitsAnyLayout(BitReader& in, const Block* blocks, int blockCount, int* predictions, uint8_t* band, int mx,
                          int count, ptrdiff_t stride) {
    for (; count > 0; --count, ++mx) {
        for (const Block* b = blocks; b != blocks + blockCount; ++b)
            if (!b->decode(in, *b->dc, *b->ac, b->weights, predictions[b->component],
                           band + b->offset + size_t(mx) * size_t(b->step), stride))
                return false;
        if (in.overran()) return false;
    }
    return true;
}

// The usual layouts, whose brightness blocks give LX × LY samples and whose colour blocks CX × CY:
// the whole run in one call, the reader in registers throughout.
template <int LX, int LY, int CX, int CY>
bool DecodeUnits(BitReader& reader, const Block* blocks, int blockCount, int* predictions, uint8_t* band, int mx,
                 int count, ptrdiff_t stride) {
    BitReader in = reader;
    for (; count > 0; --count, ++mx) {
        for (const Block* b = blocks; b != blocks + blockCount; ++b) {
            uint8_t* out = band + b->offset + size_t(mx) * size_t(b->step);
            const bool decoded =
                b->component == 0
                    ? DecodeBlock<LX, LY>(in, *b->dc, *b->ac, b->weights, predictions[0], out, stride)
                    : DecodeBlock<CX, CY>(in, *b->dc, *b->ac, b->weights, predictions[b->component], out, stride);
            if (!decoded) return false;
        }
        if (in.overran()) return false;
    }
    reader = in;
    return true;
}

template <int N>
UnitsDecoder UnitsDecoderFor(int colourX, int colourY) {
    if (colourX == N && colourY == N) return DecodeUnits<N, N, N, N>;
    if (colourX == 2 * N && colourY == N) return DecodeUnits<N, N, 2 * N, N>;
    if (colourX == N && colourY == 2 * N) return DecodeUnits<N, N, N, 2 * N>;
    if (colourX == 2 * N && colourY == 2 * N) return DecodeUnits<N, N, 2 * N, 2 * N>;
    return DecodeUnitsAnyLayout;
}

// For blocks of the brightness giving x × y samples and those of the colours cx × cy.
UnitsDecoder UnitsDecoderFor(int x, int y, int cx, int cy) {
    if (x != y) return DecodeUnitsAnyLayout;
    switch (x) {
    case 1: return UnitsDecoderFor<1>(cx, cy);
    case 2: return UnitsDecoderFor<2>(cx, cy);
    case 4: return UnitsDecoderFor<4>(cx, cy);
    default: return DecodeUnitsAnyLayout;
    }
}

// Box averaging along one side from `extent` samples' worth of picture (the last sample may be
// partly beyond the picture's edge, as the blocks pad it) to `to` samples: for each sample made,
// the first sample read and the weights of those it reads, each the share of it the box covers.
struct BoxWeights {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<float> weights;  // count[i] of them for each i, one after the other
    BoxWeights(double extent, int from, int to) {
        const double scale = extent / to;
        for (int i = 0; i < to; ++i) {
            const double start = i * scale, end = (i + 1) * scale;
            const int a = int(std::floor(start));
            const int b = std::min(from, int(std::ceil(end)));
            first.push_back(a);
            count.push_back(b - a);
            for (int k = a; k < b; ++k)
                weights.push_back(float((std::min(end, double(k + 1)) - std::max(start, double(k))) / scale));
        }
    }
};

// The planes box-averaged to the wanted size row by row as their rows are decoded, top to bottom,
// so that no whole plane is kept: each plane row is added, weighted, into the sums of the rows
// made from it (a few at most), and a made row is averaged across once its last plane row is in.
// The sums are those a whole-plane pass would make, in the same order.
class RowAverager {
public:
    RowAverager(int components, int w, int h, double extentW, double extentH, int tw, int th)
        : m_components(components), m_w(w), m_tw(tw), m_th(th), m_across(extentW, w, tw), m_down(extentH, h, th) {
        // Where each made row's weights start, and how many made rows one plane row feeds at most.
        std::vector<int> open(size_t(h) + 1, 0);
        size_t at = 0;
        for (int y = 0; y < th; ++y) {
            m_weightAt.push_back(at);
            at += size_t(m_down.count[size_t(y)]);
            ++open[size_t(m_down.first[size_t(y)])];
            --open[size_t(m_down.first[size_t(y)] + m_down.count[size_t(y)])];
        }
        int running = 0;
        for (const int change : open) m_slots = std::max(m_slots, running += change);
        m_sums.resize(size_t(m_slots) * size_t(components) * size_t(w));
        m_made.resize(size_t(components) * size_t(tw) + 4);
        // Across, four made samples at once: for each group its taps, a tap reading one sample for
        // each, those beyond a sample's own count weighing nothing.
        const float* weight = m_across.weights.data();
        for (int x = 0; x < tw; x += 4) {
            int taps = 0;
            for (int lane = 0; lane < 4 && x + lane < tw; ++lane) taps = std::max(taps, m_across.count[size_t(x + lane)]);
            m_groupTaps.push_back(taps);
            const size_t at = m_tapFrom.size();
            m_tapFrom.resize(at + size_t(taps), Ints{0, 0, 0, 0});
            m_tapWeight.resize(at + size_t(taps), Floats{0, 0, 0, 0});
            for (int lane = 0; lane < 4 && x + lane < tw; ++lane) {
                const int first = m_across.first[size_t(x + lane)], count = m_across.count[size_t(x + lane)];
                for (int t = 0; t < taps; ++t) {
                    m_tapFrom[at + size_t(t)][lane] = first + std::max(0, std::min(t, count - 1));
                    if (t < count) m_tapWeight[at + size_t(t)][lane] = *weight++;
                }
            }
        }
    }
    bool done() const { return m_nextY >= m_th; }
    // Plane row r of every component (rows[c]); made(y, samples) for each row y it completes, with
    // the component's tw samples at samples + c * tw.
    template <class Made>
    void add(int r, const uint8_t* const* rows, Made&& made) {
        for (int y = m_nextY; y < m_th && m_down.first[size_t(y)] <= r; ++y) {
            const int k = r - m_down.first[size_t(y)];
            const float weight = m_down.weights[m_weightAt[size_t(y)] + size_t(k)];
            for (int c = 0; c < m_components; ++c) {
                float* sums = sumsOf(y, c);
                if (k == 0) std::fill(sums, sums + m_w, 0.0f);
                AddWeighted(sums, rows[c], weight, m_w);
            }
            if (k + 1 == m_down.count[size_t(y)]) {
                for (int c = 0; c < m_components; ++c) across(sumsOf(y, c), m_made.data() + size_t(c) * size_t(m_tw));
                made(y, m_made.data());
                m_nextY = y + 1;
            }
        }
    }

private:
    float* sumsOf(int y, int c) {
        return m_sums.data() + (size_t(y % m_slots) * size_t(m_components) + size_t(c)) * size_t(m_w);
    }
    static void AddWeighted(float* sums, const uint8_t* row, float weight, int w) {
        // Four samples at once, each worked out as alone.
        int x = 0;
        for (; x + 4 <= w; x += 4) {
            Bytes bytes;
            std::memcpy(&bytes, row + x, sizeof bytes);
            Floats add, sum;
            add = weight * __builtin_convertvector(__builtin_convertvector(bytes, Ints), Floats);
            std::memcpy(&sum, sums + x, sizeof sum);
            sum += add;
            std::memcpy(sums + x, &sum, sizeof sum);
        }
        for (; x < w; ++x) sums[x] += weight * row[x];
    }
    // Writes whole groups of four: target has room for three samples more.
    void across(const float* column, uint8_t* target) const {
        const Ints* from = m_tapFrom.data();
        const Floats* weight = m_tapWeight.data();
        for (size_t g = 0; g < m_groupTaps.size(); ++g) {
            Floats sum = {0, 0, 0, 0};
            for (int t = 0; t < m_groupTaps[g]; ++t, ++from, ++weight) {
                const Ints i = *from;
                const Floats samples = {column[i[0]], column[i[1]], column[i[2]], column[i[3]]};
                sum += *weight * samples;
            }
            Ints rounded = __builtin_convertvector(sum + 0.5f, Ints);
            rounded = rounded < 0 ? 0 : rounded;
            rounded = rounded > 255 ? 255 : rounded;
            const Bytes bytes = __builtin_convertvector(rounded, Bytes);
            std::memcpy(target + 4 * g, &bytes, sizeof bytes);
        }
    }

    int m_components, m_w, m_tw, m_th;
    BoxWeights m_across, m_down;
    std::vector<size_t> m_weightAt;
    int m_slots = 1;
    std::vector<float> m_sums;    // m_slots made rows' sums, for every component
    std::vector<int> m_groupTaps;
    std::vector<Ints> m_tapFrom;
    std::vector<Floats> m_tapWeight;
    std::vector<uint8_t> m_made;  // the row just made, component after component
    int m_nextY = 0;              // the first row not made yet
};

// YCbCr samples to blue-green-red pixels, four at once, each worked out as alone.
void ToRgb(const uint8_t* luma, const uint8_t* cb, const uint8_t* cr, QRgb* out, int w) {
    const auto channel = [](float v) { return std::clamp(int(v + 0.5f), 0, 255); };
    int x = 0;
    for (; x + 4 <= w; x += 4) {
        Bytes y4, b4, r4;
        std::memcpy(&y4, luma + x, 4);
        std::memcpy(&b4, cb + x, 4);
        std::memcpy(&r4, cr + x, 4);
        const Floats yy = __builtin_convertvector(__builtin_convertvector(y4, Ints), Floats);
        const Floats b = __builtin_convertvector(__builtin_convertvector(b4, Ints), Floats) - 128.0f;
        const Floats r = __builtin_convertvector(__builtin_convertvector(r4, Ints), Floats) - 128.0f;
        const auto clamped = [](Floats v) {
            Ints i = __builtin_convertvector(v + 0.5f, Ints);
            i = i < 0 ? 0 : i;
            return i > 255 ? 255 : i;
        };
        const Ints red = clamped(yy + 1.402f * r), green = clamped(yy - 0.344136f * b - 0.714136f * r),
                   blue = clamped(yy + 1.772f * b);
        const Ints pixels = int32_t(0xFF000000u) | (red << 16) | (green << 8) | blue;
        std::memcpy(out + x, &pixels, sizeof pixels);
    }
    for (; x < w; ++x) {
        const float yy = luma[x], b = cb[x] - 128.0f, r = cr[x] - 128.0f;
        out[x] = qRgb(channel(yy + 1.402f * r), channel(yy - 0.344136f * b - 0.714136f * r), channel(yy + 1.772f * b));
    }
}

}  // namespace

bool ReducedJpeg::open(const uchar* data, size_t size) {
    *this = ReducedJpeg();
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) return false;
    size_t at = 2;
    bool jfif = false, adobe = false, frame = false;
    int adobeTransform = -1;
    while (true) {
        // A marker: 0xFF, any fill bytes, the code.
        if (at >= size || data[at] != 0xFF) return false;
        while (at < size && data[at] == 0xFF) ++at;
        if (at >= size) return false;
        const int marker = data[at++];
        if (marker == 0xD8 || marker == 0xD9 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) return false;
        if (at + 2 > size) return false;
        const int length = BigEndian16(data + at);
        if (length < 2 || at + size_t(length) > size) return false;
        const uchar* p = data + at + 2;
        const int n = length - 2;
        switch (marker) {
        case 0xC0:
        case 0xC1: {  // baseline and extended sequential, Huffman coded
            if (frame || n < 6 || p[0] != 8) return false;
            frame = true;
            m_height = BigEndian16(p + 1);
            m_width = BigEndian16(p + 3);
            const int count = p[5];
            if (m_width == 0 || m_height == 0 || (count != 1 && count != 3) || n < 6 + 3 * count) return false;
            for (int i = 0; i < count; ++i) {
                Component c;
                c.id = p[6 + 3 * i];
                c.h = p[7 + 3 * i] >> 4;
                c.v = p[7 + 3 * i] & 15;
                c.quant = p[8 + 3 * i];
                if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4 || c.quant > 3) return false;
                // A single component is coded block by block whatever its factors say.
                if (count == 1) c.h = c.v = 1;
                m_components.push_back(c);
            }
            break;
        }
        case 0xC4: {  // Huffman tables
            int i = 0;
            while (i < n) {
                if (i + 17 > n) return false;
                const int tableClass = p[i] >> 4, id = p[i] & 15;
                if (tableClass > 1 || id > 3) return false;
                RawTable& raw = tableClass == 0 ? m_rawDc[size_t(id)] : m_rawAc[size_t(id)];
                int total = 0;
                for (int l = 0; l < 16; ++l) total += raw.counts[size_t(l)] = p[i + 1 + l];
                if (total > 256 || i + 17 + total > n) return false;
                raw.values.fill(0);
                std::memcpy(raw.values.data(), p + i + 17, size_t(total));
                raw.defined = true;
                i += 17 + total;
            }
            break;
        }
        case 0xDB: {  // quantisation tables
            int i = 0;
            while (i < n) {
                const int precision = p[i] >> 4, id = p[i] & 15;
                const int bytes = precision ? 128 : 64;
                if (precision > 1 || id > 3 || i + 1 + bytes > n) return false;
                for (int k = 0; k < 64; ++k)
                    m_quant[size_t(id)][size_t(k)] =
                        uint16_t(precision ? BigEndian16(p + i + 1 + 2 * k) : p[i + 1 + k]);
                m_quantDefined[size_t(id)] = true;
                i += 1 + bytes;
            }
            break;
        }
        case 0xDD:  // restart interval
            if (n < 2) return false;
            m_restartInterval = BigEndian16(p);
            break;
        case 0xE0:
            if (n >= 5 && std::memcmp(p, "JFIF\0", 5) == 0) jfif = true;
            break;
        case 0xEE:
            if (n >= 12 && std::memcmp(p, "Adobe", 5) == 0) adobe = true, adobeTransform = p[11];
            break;
        case 0xDA: {  // the scan: one, holding every component
            if (!frame || n < 1) return false;
            const int count = p[0];
            if (count != int(m_components.size()) || n < 4 + 2 * count) return false;
            if (p[1 + 2 * count] != 0 || p[2 + 2 * count] != 63 || p[3 + 2 * count] != 0) return false;
            std::vector<Component> ordered;
            for (int i = 0; i < count; ++i) {
                auto c = std::find_if(m_components.begin(), m_components.end(),
                                      [&](const Component& x) { return x.id == p[1 + 2 * i]; });
                if (c == m_components.end()) return false;
                c->dc = p[2 + 2 * i] >> 4;
                c->ac = p[2 + 2 * i] & 15;
                if (c->dc > 3 || c->ac > 3 || !m_quantDefined[size_t(c->quant)]) return false;
            }
            // The colours as libjpeg would read them: only YCbCr (or grey) is taken here.
            if (m_components.size() == 3) {
                const bool rgbIds = m_components[0].id == 'R' && m_components[1].id == 'G' && m_components[2].id == 'B';
                if (!jfif && adobe && adobeTransform != 1) return false;
                if (!jfif && !adobe && rgbIds) return false;
                // The scan must list the components in the frame's order, as the planes are laid.
                for (int i = 0; i < count; ++i)
                    if (m_components[size_t(i)].id != p[1 + 2 * i]) return false;
            }
            int blocksInUnit = 0;
            for (const Component& c : m_components) {
                m_hMax = std::max(m_hMax, c.h);
                m_vMax = std::max(m_vMax, c.v);
                blocksInUnit += c.h * c.v;
            }
            // The standard's bound, which also bounds how far one unit may read past its data.
            if (blocksInUnit > 10) return false;
            for (const Component& c : m_components) {
                const int across = m_hMax / c.h, down = m_vMax / c.v;
                if (m_hMax % c.h || m_vMax % c.v || (across & (across - 1)) || (down & (down - 1))) return false;
                if (!m_rawDc[size_t(c.dc)].defined || !m_rawAc[size_t(c.ac)].defined) return false;
                if (!BuildHuffman(m_rawDc[size_t(c.dc)].counts, m_rawDc[size_t(c.dc)].values, true,
                                  m_dc[size_t(c.dc)]) ||
                    !BuildHuffman(m_rawAc[size_t(c.ac)].counts, m_rawAc[size_t(c.ac)].values, false,
                                  m_ac[size_t(c.ac)]))
                    return false;
            }
            m_scan = p + n;
            m_scanSize = size - size_t(m_scan - data);
            return true;
        }
        default:
            // Other kinds of frame (progressive, lossless, arithmetic coding) are libjpeg's.
            if ((marker >= 0xC2 && marker <= 0xCF) || marker == 0xDC || marker == 0xDE || marker == 0xDF)
                return false;
            break;
        }
        at += size_t(length);
    }
}

QSize ReducedJpeg::planeSize(QSize wanted) const {
    if (m_width <= 0 || wanted.isEmpty()) return QSize();
    for (int n = 1; n <= 4; n *= 2) {
        const QSize plane(int((qint64(m_width) * n + 7) / 8), int((qint64(m_height) * n + 7) / 8));
        if (plane.width() >= wanted.width() && plane.height() >= wanted.height()) return plane;
    }
    return QSize();
}

QImage ReducedJpeg::decode(QSize wanted) const {
    const QSize plane = planeSize(wanted);
    if (plane.isEmpty() || !m_scan) return QImage();
    int scale = 1;
    while (int((qint64(m_width) * scale + 7) / 8) != plane.width() ||
           int((qint64(m_height) * scale + 7) / 8) != plane.height())
        scale *= 2;

    const int mcuWidth = 8 * m_hMax, mcuHeight = 8 * m_vMax;
    const int mcusAcross = (m_width + mcuWidth - 1) / mcuWidth;
    const int mcusDown = (m_height + mcuHeight - 1) / mcuHeight;
    const qint64 mcuCount = qint64(mcusAcross) * mcusDown;
    const qint64 interval = m_restartInterval ? m_restartInterval : mcuCount;
    // Every block takes two bits at least (its DC and its end codes): a header that promises more
    // blocks than the data can hold is refused before anything is made for it.
    qint64 blocksPerUnit = 0;
    for (const Component& comp : m_components) blocksPerUnit += comp.h * comp.v;
    if (qint64(m_scanSize) * 8 < mcuCount * blocksPerUnit * 2) return QImage();

    // One row of units at a time, in planes at scale eighths, every component at the same size.
    const int planeWidth = mcusAcross * m_hMax * scale, bandHeight = m_vMax * scale;
    const size_t componentCount = m_components.size();
    std::vector<uint8_t> band(componentCount * size_t(planeWidth) * size_t(bandHeight));
    // The samples a block of each component gives, across and down.
    const auto samplesOf = [&](size_t c) {
        return QSize(scale * m_hMax / m_components[c].h, scale * m_vMax / m_components[c].v);
    };
    std::vector<Block> blocks;
    std::vector<std::vector<Floats>> weights(componentCount);
    for (size_t c = 0; c < componentCount; ++c) {
        const Component& comp = m_components[c];
        const int nx = samplesOf(c).width(), ny = samplesOf(c).height();
        if (nx > 8 || ny > 8) return QImage();
        weights[c] = BlockWeights(nx, ny, m_quant[size_t(comp.quant)].data());
        if (!DecoderFor(nx, ny)) return QImage();
        for (int by = 0; by < comp.v; ++by)
            for (int bx = 0; bx < comp.h; ++bx)
                blocks.push_back({&m_dc[size_t(comp.dc)], &m_ac[size_t(comp.ac)], weights[c].data(),
                                  DecoderFor(nx, ny), int(c),
                                  (c * size_t(bandHeight) + size_t(by * ny)) * size_t(planeWidth) + size_t(bx * nx),
                                  comp.h * nx});
    }

    const int w = wanted.width(), h = wanted.height();
    QImage picture(w, h, QImage::Format_RGB32);
    if (picture.isNull()) return QImage();
    RowAverager averager(int(componentCount), plane.width(), plane.height(), m_width * scale / 8.0,
                         m_height * scale / 8.0, w, h);
    // Each made row's colours turned into blue-green-red.
    const auto made = [&](int y, const uint8_t* samples) {
        auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
        if (componentCount == 1) {
            for (int x = 0; x < w; ++x) out[x] = qRgb(samples[x], samples[x], samples[x]);
            return;
        }
        ToRgb(samples, samples + w, samples + 2 * w, out, w);
    };

    // The colour components share one shape of block where a layout is usual.
    const QSize luma = samplesOf(0), colour = componentCount == 3 ? samplesOf(1) : luma;
    const UnitsDecoder decodeUnits = componentCount == 3 && samplesOf(2) != colour
                                         ? DecodeUnitsAnyLayout
                                         : UnitsDecoderFor(luma.width(), luma.height(), colour.width(), colour.height());

    const uint8_t* const fileEnd = m_scan + m_scanSize;
    DataEnd data{fileEnd};
    BitReader in(m_scan, &data);
    int predictions[3] = {0, 0, 0};
    qint64 untilRestart = interval;
    int restarts = 0;
    for (int my = 0; my < mcusDown; ++my) {
        for (int mx = 0; mx < mcusAcross;) {
            if (untilRestart == 0) {
                // A restart: the marker of the right number, the next segment after it, the
                // predictions from zero.
                const uint8_t* after = nullptr;
                if (NextMarker(in.next, fileEnd, &after) != 0xD0 + (restarts++ & 7)) return QImage();
                untilRestart = interval;
                data = DataEnd{fileEnd};
                in = BitReader(after, &data);
                predictions[0] = predictions[1] = predictions[2] = 0;
            }
            const int run = int(std::min<qint64>(mcusAcross - mx, untilRestart));
            if (!decodeUnits(in, blocks.data(), int(blocks.size()), predictions, band.data(), mx, run, planeWidth))
                return QImage();
            mx += run;
            untilRestart -= run;
        }
        const uint8_t* rows[3];
        for (int i = 0; i < bandHeight && my * bandHeight + i < plane.height(); ++i) {
            for (size_t c = 0; c < componentCount; ++c)
                rows[c] = band.data() + (c * size_t(bandHeight) + size_t(i)) * size_t(planeWidth);
            averager.add(my * bandHeight + i, rows, made);
        }
    }
    // The scan ends in the end-of-picture marker.
    const uint8_t* after = nullptr;
    if (NextMarker(in.next, fileEnd, &after) != 0xD9 || !averager.done()) return QImage();
    return picture;
}
