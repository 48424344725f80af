#pragma once

#include <QGroupBox>
#include <QListWidget>
#include <QProxyStyle>
#include <QRadioButton>

#include <memory>

// The names list and the family buttons, with the behaviour users know from classic list boxes
// and option buttons where Qt's defaults differ.
//
// A click on, or Space over, what is already picked changes no selection, so Qt reports nothing
// for it; both widgets report it as reclicked(), so that the form can show it again.

// A single-selection list whose selection, once made, can be moved but never cleared; and where,
// with nothing picked yet, every move key picks a name (the first Up or Down the one under the
// focus frame).
class NamesList final : public QListWidget {
    Q_OBJECT

public:
    explicit NamesList(QWidget* parent);

signals:
    void reclicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    bool pressedOnPicked_ = false;
};

class FamilyFrame;

// In Qt, arrow keys in a group where no button is selected yet only move the focus. Here they
// select the button they move to, as they do once a family has been picked. And Tab enters the
// group at the selected button, even when code selected it; Qt would enter at the button that
// last had the focus.
class FamilyButton final : public QRadioButton {
    Q_OBJECT

public:
    // Drawn in the frame's style for family buttons.
    FamilyButton(const QString& caption, FamilyFrame* frame);

signals:
    void reclicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool pressedOnPicked_ = false;
};

// The family frame, drawn as a classic frame: a plain etched line with the caption standing on
// it, and nothing painted inside but its own colour. (Styles such as Fusion shade a group box's
// inside, which would change the frame's colour.)
//
// It keeps the one style its family buttons share: the application's, with the gap between the
// circle and the caption narrower than Qt's, as on classic option buttons (with Qt's gap the two
// longer family captions lose their last pixels at the widths the layout gives them). When the
// application's style changes, so does theirs.
class FamilyFrame final : public QGroupBox {
public:
    FamilyFrame(const QString& title, QWidget* parent);
    ~FamilyFrame() override;
    FamilyFrame(const FamilyFrame&) = delete;
    FamilyFrame& operator=(const FamilyFrame&) = delete;

    QStyle* buttonStyle() const { return buttonStyle_.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<QProxyStyle> buttonStyle_;
};
