#include "render/map_render.h"

uint32_t ListColour(int32_t index) {
    static constexpr uint32_t kPalette[16] = {
        0x000000, 0xF1E800, 0xFF0000, 0x00FF00, 0x0069A9, 0xB4B4B4, 0xDCDCDC, 0x7C0065,
        0x4BAADF, 0xBB7106, 0x009186, 0xB2006A, 0xF4AC35, 0x008E64, 0xC7002A, 0xFFFFFF,
    };
    if (index < 1 || index > 16) return kListColourDefault;
    return kPalette[index - 1];
}
