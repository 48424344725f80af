#pragma once

#include "control_services.h"

#include <array>

class QListWidget;
class QPlainTextEdit;
class QRadioButton;

// The control operations over the real widgets. The names list is a widget; the family codes and
// descriptions are never shown, so they are read straight from the catalogue instead of from
// hidden list widgets.
class WidgetControls final : public presentation::ControlServices {
public:
    WidgetControls(QListWidget& names, const std::array<QRadioButton*, OptionArraySize>& families,
                   QPlainTextEdit& infoBox);

private:
    std::int16_t doListIndex(std::int16_t k) const override;
    std::int16_t doListCount(std::int16_t k) const override;
    std::u16string doListItem(std::int16_t k, std::int16_t p) const override;
    std::u16string doOptionCaption(std::int16_t n) const override;
    void doSelectOption(std::int16_t n) override;
    std::u16string doText() const override;
    void doSetText(std::u16string_view text) override;

    QListWidget& names_;
    std::array<QRadioButton*, OptionArraySize> families_;
    QPlainTextEdit& infoBox_;
};
