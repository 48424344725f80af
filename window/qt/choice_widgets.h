#pragma once

#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>

#include <functional>
#include <memory>

// The names list and the family buttons, with the behaviour users know from classic list boxes
// and option buttons where Qt's defaults differ.

// A single-selection list whose selection, once made, can be moved but never cleared; where, with
// nothing picked yet, every move key picks a name (the first Up or Down the one under the focus
// frame); and which reports a click on, or Space over, the name that is already picked (that
// changes no selection, so nothing else would).
class NamesList final : public QListWidget {
public:
    NamesList(QWidget* parent, std::function<void()> onSelectedNameClicked);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    std::function<void()> onSelectedNameClicked_;
    bool pressedOnSelected_ = false;
};

// In Qt, arrow keys in a group where no button is selected yet only move the focus. Here they
// select the button they move to, as they do once a family has been picked. And Tab enters the
// group at the selected button, even when code selected it; Qt would enter at the button that
// last had the focus.
//
// The gap between the circle and the caption is narrower than Qt's, as on classic option
// buttons: with Qt's gap the two longer family captions lose their last pixels at the widths the
// layout gives them.
class FamilyButton final : public QRadioButton {
public:
    FamilyButton(const QString& caption, QWidget* parent);
    ~FamilyButton() override;
    FamilyButton(const FamilyButton&) = delete;
    FamilyButton& operator=(const FamilyButton&) = delete;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<QStyle> style_;
};

// The family frame, drawn as a classic frame: a plain etched line with the caption standing on
// it, and nothing painted inside but its own colour. (Styles such as Fusion shade a group box's
// inside, which would change the frame's colour.)
class FamilyFrame final : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};
