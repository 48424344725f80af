#pragma once

// What the info box shows after each kind of event, built from expected.h and the catalogue's
// descriptions, with paragraphs separated by \n as the box keeps them.

#include "catalogue.h"
#include "expected.h"
#include "qt_text.h"

#include <QString>

namespace shown {

inline QString asShown(std::u16string_view crLfText) {
    return q(crLfText).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

inline QString bird(int p) {
    const auto position = static_cast<std::size_t>(p);
    return asShown(expected::birdText(position, catalogue::Descriptions[position]));
}

inline QString family(int n) {
    return asShown(expected::FamilyListings[static_cast<std::size_t>(n)]);
}

} // namespace shown
