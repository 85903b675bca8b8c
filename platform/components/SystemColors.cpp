#include "platform/components/SystemColors.h"

#include <iterator>

namespace pv
{

namespace
{

constexpr quint32 kSystemColors[] = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x3399FF, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0,
};

} // namespace

quint32 systemColor(quint32 index)
{
    return index < std::size(kSystemColors) ? kSystemColors[index] : 0;
}

quint32 translateOleColor(quint32 color)
{
    if (!(color & 0x80000000u))
        return color;
    const quint32 rgb = systemColor(color & 0x7FFFFFFFu);
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

} // namespace pv
