#pragma once

#include "form_definition.h"
#include "form_state.h"
#include "widget_controls.h"

#include <QWidget>

#include <array>
#include <memory>

class Announcer;
class FamilyButton;
class NamesList;
class QGroupBox;
class QLabel;
class QListWidgetItem;
class QPlainTextEdit;

// Makes screen readers announce the form as the program's window rather than as a bare client
// area. Once per application, before the first form is made.
void installAccessibility();

// The program's one window, drawn from the form's definition. Its layout is fixed (the same at
// every window size), and it handles exactly two events: a name picked in the names list and a
// family button picked.
//
// Controls carry their names as object names ("List1(0)", "Option1(2)", "Text1(0)", ...).
class MainForm final : public QWidget {
public:
    MainForm();
    ~MainForm() override;

    const presentation::FormState& formState() const { return state_; }

protected:
    bool focusNextPrevChild(bool next) override;

private:
    void wireEvents();
    void tellAnswer(QListWidgetItem& name, bool focusStays);
    void tellAnswer(FamilyButton& family);

    std::array<QLabel*, form::Label1.size()> Label1_{};
    QGroupBox* Frame1_ = nullptr;
    std::array<FamilyButton*, catalogue::FamilyCount> Option1_{};
    NamesList* List1_ = nullptr;
    QPlainTextEdit* Text1_ = nullptr;
    Announcer* announcer_ = nullptr;

    presentation::FormState state_;
    std::unique_ptr<WidgetControls> controls_;
};
