#include "choice_widgets.h"

#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <qdrawutil.h>

#include <utility>

NamesList::NamesList(QWidget* parent, std::function<void()> onSelectedNameClicked)
    : QListWidget(parent), onSelectedNameClicked_(std::move(onSelectedNameClicked)) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QAbstractItemView::clicked, this, [this] {
        // clicked() follows a press and a release on one item; a press that selected the item
        // has already been reported as a selection change.
        if (std::exchange(pressedOnSelected_, false))
            onSelectedNameClicked_();
    });
}

void NamesList::mousePressEvent(QMouseEvent* event) {
    const QListWidgetItem* item = itemAt(event->position().toPoint());
    pressedOnSelected_ = event->button() == Qt::LeftButton && item && item->isSelected();
    QListWidget::mousePressEvent(event);
}

void NamesList::keyPressEvent(QKeyEvent* event) {
    // Focus arriving by Tab puts the focus frame on the first name without picking it; Qt's
    // Down would then pick the second.
    const bool upOrDown = event->key() == Qt::Key_Down || event->key() == Qt::Key_Up;
    if (upOrDown && event->modifiers() == Qt::NoModifier && selectedItems().isEmpty() &&
        currentItem()) {
        currentItem()->setSelected(true);
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
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
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_RadioButtonLabelSpacing)
            return 3;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

FamilyButton::FamilyButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent), style_(std::make_unique<NarrowCaptionGap>()) {
    setStyle(style_.get());
    connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
        if (!checked || !group())
            return;
        for (QAbstractButton* button : group()->buttons())
            button->setFocusPolicy(button == this ? Qt::StrongFocus : Qt::ClickFocus);
    });
}

// The style must not outlive its use: hand the button back to the application's style before
// ours goes.
FamilyButton::~FamilyButton() {
    setStyle(nullptr);
}

void FamilyButton::keyPressEvent(QKeyEvent* event) {
    const bool nothingSelected = group() && !group()->checkedButton();
    QRadioButton::keyPressEvent(event);
    auto* movedTo = qobject_cast<QRadioButton*>(QApplication::focusWidget());
    if (nothingSelected && movedTo && movedTo != this && movedTo->group() == group())
        movedTo->click();
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
