#pragma once

#include <QGroupBox>
#include <QListWidget>
#include <QProxyStyle>
#include <QRadioButton>

#include <memory>

// The names list and the family buttons. What their keys pick, and when a pick shows its bird or
// family again, is the interaction rules' to say; these widgets report what they hold, do what the
// rules answer, and leave to Qt only what it already does the same way.
//
// A click on, or Space over, what is already picked changes no selection, so Qt reports nothing
// for it; both widgets report it as reclicked(), so that the form can show it again.

// A single-selection list whose selection, once made, can be moved but never cleared.
class NamesList final : public QListWidget {
    Q_OBJECT

public:
    explicit NamesList(QWidget* parent);

signals:
    void reclicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    void tellFocus();

    bool pressedOnPicked_ = false;
};

class FamilyFrame;

// A family button. Its arrow keys pick the next or previous family (Qt would only move the focus
// while none is selected, stop at the ends, and aim Left and Right at the nearest centre).
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
