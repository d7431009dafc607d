// Where everything sits in the main window's client area, in pixels. Every
// position and size of the squares, the counters, the face, the painted
// frame and the client area is worked out from these names.
#pragma once

#include <cstdint>

// The field: square (x, y) is squareSize by squareSize with its top-left
// corner at (fieldLeft + squareSize * x, fieldTop + squareSize * y).
constexpr int32_t squareSize = 16;
constexpr int32_t fieldLeft = 16;
constexpr int32_t fieldTop = 48;
// The squareSize is a power of two: pixel to square is a shift by this.
constexpr int32_t squareShift = 4;
static_assert(1 << squareShift == squareSize, "the pixel-to-square shift must match the square size");

// The client area around the field: fieldLeft at the left, fieldTop above,
// these margins at the right and below.
constexpr int32_t fieldRightMargin = 16;
constexpr int32_t fieldBottomMargin = 16;

constexpr int32_t ClientWidthFor(int32_t columns)
{
    return squareSize * columns + fieldLeft + fieldRightMargin;
}

constexpr int32_t ClientHeightFor(int32_t rows)
{
    return squareSize * rows + fieldTop + fieldBottomMargin;
}

// The right and bottom edges of the field (outside it).
constexpr int32_t FieldRight(int32_t columns)
{
    return fieldLeft + squareSize * columns;
}

constexpr int32_t FieldBottom(int32_t rows)
{
    return fieldTop + squareSize * rows;
}

// The face: faceSize square, centred on the client width, faceTop down.
constexpr int32_t faceSize = 26;
constexpr int32_t faceTop = 11;

constexpr int32_t FaceLeft(int32_t clientWidth)
{
    return clientWidth / 2 - faceSize / 2;
}

// The LED digits: three of digitWidth by digitHeight side by side, digitTop
// down; the mine counter starts counterLeft from the left edge, the timer
// timerFromRight from the right edge.
constexpr int32_t digitCount = 3;
constexpr int32_t digitWidth = 12;
constexpr int32_t digitHeight = 21;
constexpr int32_t digitTop = 13;
constexpr int32_t counterLeft = 15;
constexpr int32_t timerFromRight = 48;

constexpr int32_t TimerLeft(int32_t clientWidth)
{
    return clientWidth - timerFromRight;
}

// The painted frame. Its bevels are frameEdge wide: the white rim of the
// client area, the panel's edges and the edges around the field.
constexpr int32_t frameEdge = 2;
// The header panel above the field: its outer rectangle runs from
// (panelInset, panelInset) to (client width - panelInset, panelBottom).
constexpr int32_t panelInset = 6;
constexpr int32_t panelBottom = 42;
// The dark wells behind the digits reach frameEdge beyond the digits on
// every side but the counter's right, where the well ends one pixel past
// its last digit; the timer's well is frameEdge wider.
constexpr int32_t wellTop = digitTop - frameEdge;
constexpr int32_t wellBottom = digitTop + digitHeight + frameEdge;
constexpr int32_t counterWellLeft = counterLeft - frameEdge;
constexpr int32_t counterWellRight = counterLeft + digitCount * digitWidth + 1;

constexpr int32_t TimerWellLeft(int32_t clientWidth)
{
    return TimerLeft(clientWidth) - frameEdge;
}

constexpr int32_t TimerWellRight(int32_t clientWidth)
{
    return TimerLeft(clientWidth) + digitCount * digitWidth + frameEdge;
}
