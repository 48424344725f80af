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
    const expected::Bird& entry = expected::Birds[static_cast<std::size_t>(p)];
    return QStringLiteral("Семейство ") +
           q(expected::FamilyCaptions[static_cast<std::size_t>(entry.family)]) +
           QStringLiteral("\nРод: ") + q(entry.name) + QStringLiteral("\n") +
           q(catalogue::Descriptions[static_cast<std::size_t>(p)]);
}

inline QString family(int n) {
    return asShown(expected::FamilyListings[static_cast<std::size_t>(n)]);
}

} // namespace shown
