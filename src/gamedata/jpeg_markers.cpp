// JPEG marker segments: the walk from SOI to the scan header, the trailer up to EOI, and the
// probe that only looks for the JFIF mark and the frame size.
#include "gamedata/jpeg_decoder.h"
#include "gamedata/jpeg_internal.h"

#include <cstring>

namespace {
constexpr int kMarkerSof0 = 0xC0;
constexpr int kMarkerDht = 0xC4;
constexpr int kMarkerRst0 = 0xD0;
constexpr int kMarkerRst7 = 0xD7;
constexpr int kMarkerSoi = 0xD8;
constexpr int kMarkerEoi = 0xD9;
constexpr int kMarkerSos = 0xDA;
constexpr int kMarkerDqt = 0xDB;
constexpr int kMarkerDri = 0xDD;
constexpr int kMarkerApp0 = 0xE0;
constexpr int kMarkerApp14 = 0xEE;
constexpr int kMarkerTem = 0x01;

constexpr size_t kLengthSize = 2;     // every segment starts with its 16-bit length, itself included
constexpr size_t kFrameFixedSize = 6; // precision, height, width, component count
constexpr size_t kFrameComponentSize = 3;
constexpr size_t kScanComponentSize = 2;
constexpr size_t kScanTailSize = 3; // Ss, Se, Ah/Al
constexpr size_t kJfifSize = 14;    // "JFIF\0", version, units, densities, thumbnail size
constexpr size_t kJfifMajorVersion = 5;
constexpr size_t kAdobeSize = 12; // "Adobe", version, flags0, flags1, transform
constexpr size_t kAdobeTransform = 11;
constexpr size_t kDriSize = 2;
constexpr int kPrecision = 8;

uint16_t be16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

bool isStandalone(int marker) {
    return marker == kMarkerSoi || marker == kMarkerEoi || marker == kMarkerTem ||
           (marker >= kMarkerRst0 && marker <= kMarkerRst7);
}

// Every SOF marker but SOF0 (and the DHT and JPG codes that sit among them).
bool isRefusedFrame(int marker) {
    return marker >= 0xC1 && marker <= 0xCF && marker != kMarkerDht && marker != 0xC8 && marker != 0xCC;
}

// The payload of the segment whose length field is at `pos`; advances `pos` past it. False when
// the length is below 2 or runs past the data.
bool readSegment(std::span<const uint8_t> data, size_t& pos, std::span<const uint8_t>& payload) {
    if (data.size() - pos < kLengthSize) return false;
    const size_t length = be16(data.data() + pos);
    if (length < kLengthSize || length > data.size() - pos) return false;
    payload = data.subspan(pos + kLengthSize, length - kLengthSize);
    pos += length;
    return true;
}

bool readQuantTables(std::span<const uint8_t> p, JpegHeaders& h) {
    size_t at = 0;
    while (at < p.size()) {
        const int precision = p[at] >> 4;
        const int id = p[at] & 15;
        ++at;
        if (precision > 1 || id >= kJpegTableCount) return false;
        const size_t entrySize = precision ? 2 : 1;
        if (p.size() - at < kJpegBlockSize * entrySize) return false;
        JpegQuantTable& table = h.quant[id];
        for (int k = 0; k < kJpegBlockSize; ++k) {
            const uint8_t* v = p.data() + at + k * entrySize;
            table.values[kJpegNaturalOrder[k]] = precision ? be16(v) : v[0];
        }
        table.defined = true;
        at += kJpegBlockSize * entrySize;
    }
    return true;
}

bool readHuffTables(std::span<const uint8_t> p, JpegHeaders& h) {
    size_t at = 0;
    while (at < p.size()) {
        const int tableClass = p[at] >> 4;
        const int id = p[at] & 15;
        ++at;
        if (tableClass > 1 || id >= kJpegTableCount) return false;
        if (p.size() - at < kJpegMaxCodeLength) return false;
        const uint8_t* counts = p.data() + at;
        at += kJpegMaxCodeLength;
        int total = 0;
        for (int i = 0; i < kJpegMaxCodeLength; ++i)
            total += counts[i];
        if (total > 256 || p.size() - at < static_cast<size_t>(total)) return false;
        JpegHuffTable& table = tableClass ? h.ac[id] : h.dc[id];
        if (!jpeg_BuildHuffTable(table, counts, p.data() + at, total)) return false;
        at += total;
    }
    return true;
}

bool readFrame(std::span<const uint8_t> p, JpegHeaders& h) {
    if (h.sawFrame || p.size() < kFrameFixedSize) return false;
    const int count = p[5];
    if (p[0] != kPrecision || count < 1 || count > kJpegMaxComponents ||
        p.size() != kFrameFixedSize + kFrameComponentSize * count)
        return false;
    h.height = be16(p.data() + 1);
    h.width = be16(p.data() + 3);
    if (h.width == 0 || h.height == 0 || h.width > kJpegMaxSide || h.height > kJpegMaxSide ||
        static_cast<uint64_t>(h.width) * static_cast<uint64_t>(h.height) > kJpegMaxPixels)
        return false;
    h.componentCount = count;
    for (int c = 0; c < count; ++c) {
        const uint8_t* e = p.data() + kFrameFixedSize + kFrameComponentSize * c;
        JpegComponent& comp = h.comp[c];
        comp.id = e[0];
        comp.h = static_cast<uint8_t>(e[1] >> 4);
        comp.v = static_cast<uint8_t>(e[1] & 15);
        comp.tq = e[2];
        if (comp.h < 1 || comp.h > 4 || comp.v < 1 || comp.v > 4 || comp.tq >= kJpegTableCount) return false;
    }
    h.sawFrame = true;
    return true;
}

// The scan must hold the frame's components in frame order; its tables must exist. The
// quantisation tables are latched here, as a later DQT may not change this scan.
bool readScan(std::span<const uint8_t> p, JpegHeaders& h) {
    if (!h.sawFrame || p.empty()) return false;
    const int count = p[0];
    if (count != h.componentCount || p.size() != 1 + kScanComponentSize * count + kScanTailSize) return false;
    for (int c = 0; c < count; ++c) {
        const uint8_t* e = p.data() + 1 + kScanComponentSize * c;
        JpegComponent& comp = h.comp[c];
        if (e[0] != comp.id) return false;
        comp.td = static_cast<uint8_t>(e[1] >> 4);
        comp.ta = static_cast<uint8_t>(e[1] & 15);
        if (comp.td >= kJpegTableCount || comp.ta >= kJpegTableCount) return false;
        if (!h.dc[comp.td].defined || !h.dc[comp.td].dcUsable || !h.ac[comp.ta].defined) return false;
        const JpegQuantTable& quant = h.quant[comp.tq];
        if (!quant.defined) return false;
        for (int k = 0; k < kJpegBlockSize; ++k)
            h.scanQuant[c][k] = quant.values[k];
    }
    // Ss, Se, Ah and Al are not checked: a baseline scan always covers 0-63, as the IJG decoder
    // assumes after a warning.
    return true;
}

// JFIF 1.x only: any other APP0 makes the file unusable for this reader.
bool readApp0(std::span<const uint8_t> p, JpegHeaders& h) {
    if (p.size() < kJfifSize || std::memcmp(p.data(), "JFIF", 4) != 0 || p[kJfifMajorVersion] != 1)
        return false;
    h.sawJfif = true; // units, densities and any thumbnail are of no use here
    return true;
}

void readApp14(std::span<const uint8_t> p, JpegHeaders& h) {
    if (p.size() >= kAdobeSize && std::memcmp(p.data(), "Adobe", 5) == 0) {
        h.sawAdobe = true;
        h.adobeTransform = p[kAdobeTransform];
    }
}

enum class SegmentsEnd { Scan, Eoi, Refused };

// Handles markers from `pos` on until a scan header or EOI.
SegmentsEnd readSegments(std::span<const uint8_t> data, size_t& pos, JpegHeaders& h) {
    for (;;) {
        const int marker = jpeg_NextMarker(data, pos);
        if (marker < 0 || marker == kMarkerSoi) return SegmentsEnd::Refused;
        if (marker == kMarkerEoi) return SegmentsEnd::Eoi;
        if (isStandalone(marker)) continue;
        if (isRefusedFrame(marker)) return SegmentsEnd::Refused;
        std::span<const uint8_t> p;
        if (!readSegment(data, pos, p)) return SegmentsEnd::Refused;
        bool ok = true;
        switch (marker) {
        case kMarkerSof0:
            ok = readFrame(p, h);
            break;
        case kMarkerDht:
            ok = readHuffTables(p, h);
            break;
        case kMarkerDqt:
            ok = readQuantTables(p, h);
            break;
        case kMarkerDri:
            ok = p.size() == kDriSize;
            if (ok) h.restartInterval = be16(p.data());
            break;
        case kMarkerApp0:
            ok = readApp0(p, h);
            break;
        case kMarkerApp14:
            readApp14(p, h);
            break;
        case kMarkerSos:
            if (!readScan(p, h)) return SegmentsEnd::Refused;
            h.scanData = pos;
            return SegmentsEnd::Scan;
        default:
            break; // other markers carry nothing this reader needs
        }
        if (!ok) return SegmentsEnd::Refused;
    }
}
} // namespace

int jpeg_NextMarker(std::span<const uint8_t> data, size_t& pos) {
    for (;;) {
        while (pos < data.size() && data[pos] != 0xFF)
            ++pos;
        while (pos < data.size() && data[pos] == 0xFF)
            ++pos;
        if (pos >= data.size()) return -1;
        const int code = data[pos++];
        if (code != 0) return code;
    }
}

bool jpeg_ReadHeaders(std::span<const uint8_t> data, JpegHeaders& headers) {
    if (data.size() < 2 || data[0] != 0xFF || data[1] != kMarkerSoi) return false;
    size_t pos = 2;
    return readSegments(data, pos, headers) == SegmentsEnd::Scan;
}

bool jpeg_ReadTrailer(std::span<const uint8_t> data, size_t pos, JpegHeaders& headers) {
    if (pos > data.size()) return false;
    return readSegments(data, pos, headers) == SegmentsEnd::Eoi;
}

JpegColor jpeg_ColorOf(const JpegHeaders& h) {
    switch (h.componentCount) {
    case 3:
        if (h.sawJfif) return JpegColor::Ycc;
        if (h.sawAdobe) return h.adobeTransform == 0 ? JpegColor::Rgb : JpegColor::Ycc;
        if (h.comp[0].id == 'R' && h.comp[1].id == 'G' && h.comp[2].id == 'B') return JpegColor::Rgb;
        return JpegColor::Ycc;
    case 4:
        if (h.sawAdobe && h.adobeTransform != 0) return JpegColor::Ycck;
        return JpegColor::Cmyk;
    default:
        return JpegColor::Grey;
    }
}

int jpeg_Probe(std::span<const uint8_t> data, int& width, int& height) {
    bool jfif = false;
    size_t pos = 0;
    for (;;) {
        const int marker = jpeg_NextMarker(data, pos);
        if (marker < 0 || marker == kMarkerEoi) return 0;
        if (isStandalone(marker)) continue;
        if (marker == kMarkerSos || isRefusedFrame(marker)) return 0;
        std::span<const uint8_t> p;
        if (!readSegment(data, pos, p)) return 0;
        if (marker == kMarkerApp0) {
            if (p.size() < 4 || std::memcmp(p.data(), "JFIF", 4) != 0) return 0;
            jfif = true;
        } else if (marker == kMarkerSof0) {
            if (!jfif || p.size() < 5) return 0;
            const int h = be16(p.data() + 1);
            const int w = be16(p.data() + 3);
            if (w == 0 || h == 0) return 0;
            width = w;
            height = h;
            return 1;
        }
    }
}

int jpeg_Probe(const void* data, size_t size, int* width, int* height) {
    if (!data || !width || !height) return 0;
    return jpeg_Probe(std::span<const uint8_t>(static_cast<const uint8_t*>(data), size), *width, *height);
}
