#pragma once

#include <QString>

#include <string_view>

// Qt Test prints QStrings readably when a comparison fails; UTF-16 views it does not.
inline QString q(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
