#pragma once

#include "form_state.h"
#include "widget_controls.h"

#include <QWidget>

#include <array>
#include <memory>

class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;

// The program's one window. Its layout is fixed (positions in twips at 15 per pixel, the same at
// every window size), and it handles exactly two events: a name picked in the names list and a
// family button picked.
//
// Controls carry their names as object names ("List1(0)", "Option1(2)", "Text1(0)", ...).
class MainForm final : public QWidget {
public:
    MainForm();
    ~MainForm() override;

    const presentation::FormState& formState() const { return state_; }

private:
    void wireEvents();

    std::array<QLabel*, 2> Label1_{};
    QGroupBox* Frame1_ = nullptr;
    std::array<QRadioButton*, presentation::ControlServices::OptionArraySize> Option1_{};
    QListWidget* List1_ = nullptr;
    QPlainTextEdit* Text1_ = nullptr;

    int pressedCheckedFamily_ = -1; // the family button pressed while already selected

    presentation::FormState state_;
    std::unique_ptr<WidgetControls> controls_;
};
