#pragma once

#include "control_services.h"

#include <array>

class QListWidget;
class QPlainTextEdit;
class QRadioButton;

// The control operations over the real widgets: the names list, the family buttons and the info
// box.
class WidgetControls final : public presentation::ControlServices {
public:
    WidgetControls(QListWidget& names, const std::array<QRadioButton*, OptionArraySize>& families,
                   QPlainTextEdit& infoBox);

private:
    std::int16_t doNamesIndex() const override;
    std::int16_t doNamesCount() const override;
    std::u16string doName(std::int16_t p) const override;
    std::u16string doOptionCaption(std::int16_t n) const override;
    void doSelectOption(std::int16_t n) override;
    std::u16string doText() const override;
    void doSetText(std::u16string_view text) override;

    QListWidget& names_;
    std::array<QRadioButton*, OptionArraySize> families_;
    QPlainTextEdit& infoBox_;
};
