#pragma once
// The published enumerations of BrennavikBtn, members and values as the control's
// stored designs and callers know them (misspellings included). Kept apart from the
// widget so that the painters can include them without the widget.
//
// The enums have a fixed underlying type: a stored design may hold a value outside the
// listed members (a style that paints nothing, a symbol drawn by its character).

#include <cstdint>

namespace BrennavikBtn
{

enum enumButtonStlyes : int {
    eStandard = 0,
    eFlat = 1,
    eWindowsXP = 2,
    eVistaAero = 3,
    eOfficeXP = 4,
    eOffice2003 = 5,
    eXPToolbar = 6,
    eVistaToolbar = 7,
    eOutlook2007 = 8,
    eInstallShield = 9,
    eGelButton = 10,
    e3DHover = 11,
    eFlatHover = 12,
    eWindowsTheme = 13,
};

enum enumButtonModes : int {
    ebmCommandButton = 0,
    ebmCheckBox = 1,
    ebmOptionButton = 2,
};

enum enumButtonStates : int {
    eStateNormal = 0,
    eStateOver = 1,
    eStateDown = 2,
};

enum enumCaptionAlign : int {
    ecLeftAlign = 0,
    ecCenterAlign = 1,
    ecRightAlign = 2,
};

enum enumPictureAlign : int {
    epLeftEdge = 0,
    epLeftOfCaption = 1,
    epRightEdge = 2,
    epRightOfCaption = 3,
    epBackGround = 4,
    epTopEdge = 5,
    epTopOfCaption = 6,
    epBottomEdge = 7,
    epBottomOfCaption = 8,
};

enum enumIconType : int {
    TTNoIcon = 0,
    TTIconInfo = 1,
    TTIconWarning = 2,
    TTIconError = 3,
};

enum enumTooltipStyle : int {
    TooltipStandard = 0,
    TooltipBalloon = 1,
};

enum enumCaptionEffects : int {
    eseNone = 0,
    eseEmbossed = 1,
    eseEngraved = 2,
    eseShadowed = 3,
    eseOutline = 4,
    eseCover = 5,
};

enum enumPicEffect : int {
    epeNone = 0,
    epeLighter = 1,
    epeDarker = 2,
};

// The values are the glyphs of the symbol font that draw the arrows.
enum enumSymbol : int {
    ebsNone = 0,
    ebsArrowUp = 5,
    ebsArrowDown = 6,
    ebsArrowRight = 4,
};

enum enumXPThemeColors : int {
    ecsBlue = 0,
    ecsOliveGreen = 1,
    ecsSilver = 2,
    ecsCustom = 3,
};

enum enumDisabledPicMode : int {
    edpBlended = 0,
    edpGrayed = 1,
};

enum GradientDirectionCts : int {
    gdHorizontal = 0,
    gdVertical = 1,
    gdDownwardDiagonal = 2,
    gdUpwardDiagonal = 3,
};

enum enumMenuAlign : int {
    edaBottom = 0,
    edaTop = 1,
    edaLeft = 2,
    edaRight = 3,
    edaTopLeft = 4,
    edaBottomLeft = 5,
    edaTopRight = 6,
    edaBottomRight = 7,
};

// Colours are OLE colours: 0x00BBGGRR, or 0x80000000 + n for system colour n.
using OleColor = std::int32_t;

constexpr OleColor kSystemColorFlag = OleColor(0x80000000u);

// System colour indexes the control uses.
enum SystemColorIndex : int {
    COLOR_WINDOW = 5,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
};

// The system colours as 0x00BBGGRR. One fixed table (the classic desktop defaults) so that
// a button looks and persists the same on every desktop and in offscreen tests.
constexpr OleColor sysColor(int index)
{
    constexpr OleColor table[] = {
        0xC8C8C8, // 0 scroll bar
        0x000000, // 1 desktop
        0xD1B499, // 2 active caption
        0xDBCDBF, // 3 inactive caption
        0xF0F0F0, // 4 menu
        0xFFFFFF, // 5 window
        0x646464, // 6 window frame
        0x000000, // 7 menu text
        0x000000, // 8 window text
        0x000000, // 9 caption text
        0xB4B4B4, // 10 active border
        0xFCF7F4, // 11 inactive border
        0xABABAB, // 12 application workspace
        0xFF9933, // 13 highlight
        0xFFFFFF, // 14 highlight text
        0xF0F0F0, // 15 button face
        0xA0A0A0, // 16 button shadow
        0x6D6D6D, // 17 grey text
        0x000000, // 18 button text
        0x544E43, // 19 inactive caption text
        0xFFFFFF, // 20 button highlight
        0x696969, // 21 3D dark shadow
        0xE3E3E3, // 22 3D light
        0x000000, // 23 tooltip text
        0xE1FFFF, // 24 tooltip background
        0x000000, // 25
        0xCC6600, // 26 hot-tracked item
        0xEAD1B9, // 27 active caption gradient
        0xF2E4D7, // 28 inactive caption gradient
        0xFF9933, // 29 menu highlight
        0xF0F0F0, // 30 menu bar
    };
    return index >= 0 && index < int(sizeof table / sizeof table[0]) ? table[index] : 0;
}

// A system colour reference resolved to its value; other colours come back unchanged.
constexpr OleColor translateSystemColor(OleColor c)
{
    return (c & kSystemColorFlag) ? sysColor(int(c & 0x7FFFFFFF)) : c;
}

} // namespace BrennavikBtn
