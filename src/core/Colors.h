// Colours as the databases store them: a colour name (clRed) or "$00BBGGRR".
#pragma once

#include <QString>

#include <cstdint>

// A colour as 00BBGGRR (blue, green, red bytes).
using TColor = std::uint32_t;

// The name of one of the twenty named colours, else "$" and eight upper-case hex digits.
QString ColorToText(TColor color);
// Reads a colour name (case-insensitive), "$" + hex digits or a decimal number;
// an empty or unreadable text is black (0).
TColor ColorFromText(const QString& text);
// 0xAARRGGBB for drawing with Qt (opaque).
std::uint32_t ColorToRgb(TColor color);
TColor ColorFromRgb(std::uint32_t rgb);
