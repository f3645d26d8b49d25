#pragma once
// The program's own look: fonts with CJK fallbacks, colours and the style
// sheet every window of the client shares.

#include <QColor>
#include <QFont>
#include <QString>

namespace plandesk {

// A font whose family list falls back through the common CJK faces of the
// platforms the client runs on, so Chinese texts never show as boxes.
QFont cjk_font(double point_size, bool bold = false);

namespace colours {
inline const QColor header_dark{0x0b, 0x3a, 0x6e};
inline const QColor header_light{0x16, 0x7a, 0xb8};
inline const QColor accent{0xe8, 0x4a, 0x3c};  // the drawn numbers
inline const QColor panel{0xf3, 0xf6, 0xfa};
inline const QColor border{0xb8, 0xc7, 0xd9};
inline const QColor text{0x22, 0x2b, 0x36};
}  // namespace colours

// Style sheet for the main window's pages and controls.
QString main_window_style();

}  // namespace plandesk
