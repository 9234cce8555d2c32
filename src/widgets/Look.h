#pragma once

#include <QColor>
#include <QFont>

namespace vocarin::look {

inline const QColor claDarkseagreen{0x8F, 0xBC, 0x8F};
inline const QColor claBlue{0x00, 0x00, 0xFF};
inline const QColor claRed{0xFF, 0x00, 0x00};
inline const QColor claDarkorchid{0x99, 0x32, 0xCC};
inline const QColor claBlack{0x00, 0x00, 0x00};

// Text size in design units when a control keeps the standard size.
constexpr int kDefaultTextSize = 12;

// A font whose family list starts with a Japanese face, so kanji always get
// Japanese glyph shapes. gothic stands for "MS Gothic", which Linux lacks.
QFont designFont(bool gothic, int pixelSize, bool bold);

// Puts a Japanese face first in the application's default font.
void applyJapaneseDefaultFont();

} // namespace vocarin::look
