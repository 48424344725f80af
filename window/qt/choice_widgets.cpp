#include "choice_widgets.h"

#include "interaction_rules.h"

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTimer>
#include <qdrawutil.h>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// The key as the interaction rules know it. Ctrl, Shift and the keypad do not change its meaning
// (in a single-selection list they change nothing); Alt and Meta make it another key.
std::optional<interaction::Key> ruleKey(const QKeyEvent& event) {
    const auto sameKey = Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier;
    if ((event.modifiers() & ~sameKey) != 0)
        return std::nullopt;
    switch (event.key()) {
    case Qt::Key_Up:
        return interaction::Key::Up;
    case Qt::Key_Down:
        return interaction::Key::Down;
    case Qt::Key_Left:
        return interaction::Key::Left;
    case Qt::Key_Right:
        return interaction::Key::Right;
    case Qt::Key_Home:
        return interaction::Key::Home;
    case Qt::Key_End:
        return interaction::Key::End;
    case Qt::Key_PageUp:
        return interaction::Key::PageUp;
    case Qt::Key_PageDown:
        return interaction::Key::PageDown;
    case Qt::Key_Space:
        return interaction::Key::Space;
    default:
        return std::nullopt;
    }
}

} // namespace

NamesList::NamesList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QAbstractItemView::clicked, this, [this] {
        // clicked() follows a press and a release on one item; a press that selected the item
        // has already been reported as a selection change.
        if (std::exchange(pressedOnPicked_, false) &&
            interaction::raisesEvent(interaction::Cause::Click, false))
            emit reclicked();
    });
}

void NamesList::mousePressEvent(QMouseEvent* event) {
    const QListWidgetItem* item = itemAt(event->position().toPoint());
    pressedOnPicked_ = event->button() == Qt::LeftButton && item && item->isSelected();
    QListWidget::mousePressEvent(event);
}

void NamesList::keyPressEvent(QKeyEvent* event) {
    const std::optional<interaction::Key> key = ruleKey(*event);
    const QModelIndex top = indexAt(QPoint(0, 0));
    const QModelIndexList picked = selectionModel()->selectedRows();
    // Rows scroll whole, so the first row in view is wholly in view.
    const interaction::NamesList list{
        count(), std::max(currentRow(), 0), picked.isEmpty() ? -1 : picked.first().row(),
        top.isValid() ? top.row() : 0, std::max(viewport()->height() / sizeHintForRow(0), 1)};
    const std::optional<int> to = key ? interaction::nameAfterKey(*key, list) : std::nullopt;
    if (!to) {
        QListWidget::keyPressEvent(event); // type-ahead and the like stay Qt's
        return;
    }
    event->accept();
    const QModelIndex target = model()->index(*to, 0);
    scrollTo(target);
    if (*to != list.picked) {
        // Raises the selection change, and with it the name's event.
        const bool moves = target != currentIndex();
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
        if (!moves)
            tellFocus();
    } else if (interaction::raisesEvent(*key == interaction::Key::Space
                                            ? interaction::Cause::Space
                                            : interaction::Cause::MoveKey,
                                        false)) {
        emit reclicked();
    }
}

// Qt tells assistive technology of the list alone, and of an item only when the focus frame moves
// to it; a screen reader would say neither the picked name on entering the list nor a first pick,
// made where the frame already is.
void NamesList::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    if (currentItem() && currentItem()->isSelected())
        QTimer::singleShot(0, this, &NamesList::tellFocus); // after Qt tells of the list
}

void NamesList::tellFocus() {
    QAccessibleEvent focused(this, QAccessible::Focus);
    focused.setChild(currentRow());
    QAccessible::updateAccessibility(&focused);
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
        if (std::exchange(pressedOnPicked_, false) &&
            interaction::raisesEvent(interaction::Cause::Click, false))
            emit reclicked();
    });
    connect(this, &QAbstractButton::toggled, this, [this] { pressedOnPicked_ = false; });
}

void FamilyButton::keyPressEvent(QKeyEvent* event) {
    const std::optional<interaction::Key> key = ruleKey(*event);
    // Space presses the button and picks it on release, as Qt does; only the arrows move.
    const std::optional<int> to = key && *key != interaction::Key::Space && group()
                                      ? interaction::familyAfterKey(*key, group()->id(this))
                                      : std::nullopt;
    if (!to) {
        QRadioButton::keyPressEvent(event);
        return;
    }
    event->accept();
    QAbstractButton* next = group()->button(*to);
    // Raises the family's event through the group's toggle, the one way every pick takes.
    next->setChecked(true);
    next->setFocus(Qt::TabFocusReason);
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
