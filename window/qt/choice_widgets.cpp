#include "choice_widgets.h"

#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <qdrawutil.h>

#include <utility>

NamesList::NamesList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QAbstractItemView::clicked, this, [this] {
        // clicked() follows a press and a release on one item; a press that selected the item
        // has already been reported as a selection change.
        if (std::exchange(pressedOnPicked_, false))
            emit reclicked();
    });
}

void NamesList::mousePressEvent(QMouseEvent* event) {
    const QListWidgetItem* item = itemAt(event->position().toPoint());
    pressedOnPicked_ = event->button() == Qt::LeftButton && item && item->isSelected();
    QListWidget::mousePressEvent(event);
}

void NamesList::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool nothingPicked = selectedItems().isEmpty();
    // Focus arriving by Tab puts the focus frame on the first name without picking it; Qt's Down
    // would then pick the second (with Shift, the third). In a single-selection list Ctrl and
    // Shift change nothing, and the keypad's Down is Down.
    const auto plainMove = Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier;
    if ((key == Qt::Key_Down || key == Qt::Key_Up) && (event->modifiers() & ~plainMove) == 0 &&
        nothingPicked && currentItem()) {
        currentItem()->setSelected(true);
        event->accept();
        return;
    }
    // Space on the picked name changes no selection; like a click on it, it shows the bird again.
    const bool spaceOnPicked = key == Qt::Key_Space && currentItem() && currentItem()->isSelected();
    QListWidget::keyPressEvent(event);
    if (spaceOnPicked) {
        emit reclicked();
    } else if (nothingPicked && selectedItems().isEmpty() && currentItem() &&
               (key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_PageUp ||
                key == Qt::Key_PageDown)) {
        // Qt picks nothing when the key leaves the focus frame where it is (Home on the first
        // name); the key still means "go to that name".
        currentItem()->setSelected(true);
    }
}

QItemSelectionModel::SelectionFlags NamesList::selectionCommand(const QModelIndex& index,
                                                                const QEvent* event) const {
    const auto command = QListWidget::selectionCommand(index, event);
    return command.testFlag(QItemSelectionModel::Deselect) ? QItemSelectionModel::NoUpdate
                                                           : command;
}

namespace {

class NarrowCaptionGap final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_RadioButtonLabelSpacing)
            return 3;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// A proxy takes ownership of its base, so it gets its own instance of the application's style.
QStyle* copyOfApplicationStyle() {
    return QStyleFactory::create(QApplication::style()->name());
}

} // namespace

FamilyButton::FamilyButton(const QString& caption, FamilyFrame* frame)
    : QRadioButton(caption, frame) {
    setStyle(frame->buttonStyle());
    // A press on the picked family, by mouse or Space, that ends in a click is a re-click.
    connect(this, &QAbstractButton::pressed, this, [this] { pressedOnPicked_ = isChecked(); });
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (std::exchange(pressedOnPicked_, false))
            emit reclicked();
    });
    connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
        pressedOnPicked_ = false;
        if (!checked || !group())
            return;
        for (QAbstractButton* button : group()->buttons())
            button->setFocusPolicy(button == this ? Qt::StrongFocus : Qt::ClickFocus);
    });
}

void FamilyButton::keyPressEvent(QKeyEvent* event) {
    // The buttons stand in a column: Left and Right step through them like Up and Down. (Qt would
    // aim at the nearest centre that way, which skips a narrower button and stops at wider ones.)
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        QKeyEvent vertical(event->type(), event->key() == Qt::Key_Left ? Qt::Key_Up : Qt::Key_Down,
                           event->modifiers(), event->text(), event->isAutoRepeat(),
                           static_cast<ushort>(event->count()));
        keyPressEvent(&vertical);
        event->setAccepted(vertical.isAccepted());
        return;
    }
    const bool nothingSelected = group() && !group()->checkedButton();
    QRadioButton::keyPressEvent(event);
    auto* movedTo = qobject_cast<QRadioButton*>(QApplication::focusWidget());
    if (nothingSelected && movedTo && movedTo != this && movedTo->group() == group())
        movedTo->click();
}

FamilyFrame::FamilyFrame(const QString& title, QWidget* parent)
    : QGroupBox(title, parent),
      buttonStyle_(std::make_unique<NarrowCaptionGap>(copyOfApplicationStyle())) {}

// The buttons go back to the application's style before theirs goes.
FamilyFrame::~FamilyFrame() {
    for (auto* button : findChildren<FamilyButton*>(Qt::FindDirectChildrenOnly))
        button->setStyle(nullptr);
}

// The frame follows the application's style by itself; the buttons, having a style of their own,
// are told nothing, so the frame moves them over.
void FamilyFrame::changeEvent(QEvent* event) {
    QGroupBox::changeEvent(event);
    if (event->type() != QEvent::StyleChange)
        return;
    const auto buttons = findChildren<FamilyButton*>(Qt::FindDirectChildrenOnly);
    for (auto* button : buttons)
        button->setStyle(nullptr); // unpolished by the style that polished them
    buttonStyle_->setBaseStyle(copyOfApplicationStyle());
    for (auto* button : buttons)
        button->setStyle(buttonStyle_.get());
}

void FamilyFrame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int lineY = metrics.height() / 2;
    qDrawShadeRect(&painter, QRect(0, lineY, width(), height() - lineY), palette(), true);
    const QRect caption(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    painter.fillRect(caption, palette().window());
    painter.drawText(caption, Qt::AlignCenter, title());
}
