#include "widget_controls.h"

#include <QItemSelectionModel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QString>
#include <QTextDocument>

WidgetControls::WidgetControls(QListWidget& names,
                               const std::array<QRadioButton*, OptionArraySize>& families,
                               QPlainTextEdit& infoBox)
    : names_(names), families_(families), infoBox_(infoBox) {}

std::int16_t WidgetControls::doNamesIndex() const {
    const QModelIndexList selected = names_.selectionModel()->selectedRows();
    return selected.isEmpty() ? std::int16_t{-1}
                              : static_cast<std::int16_t>(selected.first().row());
}

std::int16_t WidgetControls::doNamesCount() const {
    return static_cast<std::int16_t>(names_.count());
}

std::u16string WidgetControls::doName(std::int16_t p) const {
    return names_.item(p)->text().toStdU16String();
}

std::u16string WidgetControls::doOptionCaption(std::int16_t n) const {
    return families_[static_cast<std::size_t>(n)]->text().toStdU16String();
}

void WidgetControls::doSelectOption(std::int16_t n) {
    // Emits toggled() synchronously when the selection changes, which raises the family event.
    families_[static_cast<std::size_t>(n)]->setChecked(true);
}

// Raw, so that a no-break space stays one; the document's paragraph and line separators come back
// as CR LF through ControlServices.
std::u16string WidgetControls::doText() const {
    return infoBox_.document()->toRawText().toStdU16String();
}

void WidgetControls::doSetText(std::u16string_view text) {
    infoBox_.setPlainText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()))
                              .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}
