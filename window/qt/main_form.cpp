#include "main_form.h"

#include "catalogue.h"
#include "choice_widgets.h"
#include "handlers.h"
#include "interaction_rules.h"
#include "krivoklyun.xpm"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QButtonGroup>
#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QString>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>

// Says a line through a screen reader without moving the focus: an empty widget that assistive
// technology knows as a notification, shown anew with each line. (Qt 6.4 has no announcement, and
// tells a changed description without the text, which Orca then cannot say.)
class Announcer final : public QWidget {
public:
    explicit Announcer(QWidget* parent) : QWidget(parent) {
        setFixedSize(0, 0);
        hide();
    }

    // Once the control's own news has been told (Space has checked a family, say), so that the
    // line is not cut short by it.
    void announce(const QString& line) {
        QTimer::singleShot(0, this, [this, line] {
            hide();
            setAccessibleName(line);
            show();
        });
    }
};

namespace {

// Device-independent pixels, which Qt scales as a whole on high-DPI screens.
QRect pixels(form::Twips twips) {
    return {form::toPixels(twips.left), form::toPixels(twips.top), form::toPixels(twips.width),
            form::toPixels(twips.height)};
}

QString qs(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QColor qColour(form::Colour colour) {
    return {colour.red, colour.green, colour.blue};
}

void setColour(QWidget& widget, QPalette::ColorRole role, form::Colour colour) {
    QPalette palette = widget.palette();
    palette.setColor(role, qColour(colour));
    widget.setPalette(palette);
}

// Fills the widget's background with the colour, whatever role its style paints it with.
void fillBackground(QWidget& widget, form::Colour colour) {
    setColour(widget, widget.backgroundRole(), colour);
    widget.setAutoFillBackground(true);
}

// A plain top-level widget would be announced as a mere client area; this one is the program's
// window.
QAccessibleInterface* accessibleMainForm(const QString& /*className*/, QObject* object) {
    if (auto* announcer = dynamic_cast<Announcer*>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    auto* form = dynamic_cast<MainForm*>(object);
    return form ? new QAccessibleWidget(form, QAccessible::Window) : nullptr;
}

} // namespace

void installAccessibility() {
    QAccessible::installFactory(accessibleMainForm);
}

MainForm::MainForm() {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(qs(form::Caption));
    setWindowIcon(QIcon(QPixmap(krivoklyun_xpm)));
    // The layout does not adapt to another size, so the window keeps the one it was drawn for.
    setFixedSize(form::toPixels(form::ClientWidth), form::toPixels(form::ClientHeight));
    fillBackground(*this, form::FormBackground);
    // Qt picks a font by its writing systems rather than by a character set, and a serif face
    // with Cyrillic is what the hint asks for where Times New Roman is missing.
    QFont font(qs(form::FormFont.face), form::FormFont.points, form::FormFont.weight);
    font.setStyleHint(QFont::Serif);
    setFont(font);

    for (std::size_t i = 0; i < Label1_.size(); ++i) {
        Label1_[i] = new QLabel(qs(form::Label1[i].text), this);
        Label1_[i]->setObjectName(qs(form::Label1[i].name));
        Label1_[i]->setGeometry(pixels(form::Label1[i].place));
        Label1_[i]->setAlignment(Qt::AlignCenter);
        fillBackground(*Label1_[i], form::Label1Background);
    }

    auto* frame = new FamilyFrame(qs(form::Frame1Caption), this);
    Frame1_ = frame;
    Frame1_->setObjectName(qs(form::Frame1Name));
    Frame1_->setGeometry(pixels(form::Frame1Place));
    fillBackground(*Frame1_, form::Frame1Background);

    auto* familyGroup = new QButtonGroup(this);
    std::array<QRadioButton*, catalogue::FamilyCount> buttons{};
    for (std::size_t n = 0; n < catalogue::FamilyCount; ++n) {
        Option1_[n] = new FamilyButton(qs(catalogue::Families[n].caption), frame);
        Option1_[n]->setObjectName(qs(form::option1Name(n)));
        Option1_[n]->setGeometry(pixels(form::Option1Places[n]));
        // The buttons are 19 px tall but 16 px apart, so each overlaps the next by 3 px. They
        // take the frame's colour and leave their background unpainted, so that no button paints
        // over the descenders of the one above it.
        setColour(*Option1_[n], Option1_[n]->backgroundRole(), form::Option1Background);
        familyGroup->addButton(Option1_[n], catalogue::Families[n].number);
        buttons[n] = Option1_[n];
    }

    List1_ = new NamesList(this);
    List1_->setObjectName(qs(form::List1Name));
    List1_->setGeometry(pixels(form::List1Place));
    List1_->setSortingEnabled(false); // position ties a name to its code and description
    List1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1_->setUniformItemSizes(true); // one line each: no need to measure every row at start-up
    setColour(*List1_, QPalette::Base, form::List1Background);
    for (const std::u16string_view name : catalogue::Names)
        List1_->addItem(qs(name));

    Text1_ = new QPlainTextEdit(this);
    Text1_->setObjectName(qs(form::Text1Name));
    Text1_->setGeometry(pixels(form::Text1Place));
    Text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Tab moves on to the next control, as in every other field of the window.
    Text1_->setTabChangesFocus(true);

    controls_ = std::make_unique<WidgetControls>(*List1_, buttons, *Text1_);
    controls_->setText(form::StartupText);

    // What a screen reader announces: the list by its heading, the info box by a name of its own
    // (its whole text is read through the text interface), the family buttons inside a group
    // named by the frame's caption.
    Label1_[1]->setBuddy(List1_);
    List1_->setAccessibleName(Label1_[1]->text());
    Text1_->setAccessibleName(qs(form::Text1AccessibleName));

    announcer_ = new Announcer(this);

    Text1_->setFocus(); // the first stop of the tab order has the focus when the window opens

    wireEvents();
}

MainForm::~MainForm() = default;

// Tab and Shift+Tab, from whichever control has the focus, go where the interaction rules say.
bool MainForm::focusNextPrevChild(bool next) {
    QWidget* const from = focusWidget();
    const bool inGroup = std::find(Option1_.begin(), Option1_.end(), from) != Option1_.end();
    const form::Stop stop = from == List1_ ? form::Stop::List1
                            : inGroup      ? form::Stop::Option1
                                           : form::Stop::Text1;
    const QButtonGroup* group = Option1_[0]->group();
    const interaction::Focus to =
        interaction::afterTab(stop, !next, group->checkedId()); // -1 when none is checked
    QWidget* target = Text1_;
    if (to.stop == form::Stop::List1)
        target = List1_;
    else if (to.stop == form::Stop::Option1)
        target = Option1_[static_cast<std::size_t>(to.family)];
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

// A screen reader says a picked name or family as the focus reaches it, and with it the control's
// description: here the first line of the answer the pick has shown. Where the focus is on it
// already (Space on a family, a click on one, a pick shown again), that line is announced.
void MainForm::tellAnswer(QListWidgetItem& name, bool focusStays) {
    const QString line = Text1_->document()->firstBlock().text();
    if (name.data(Qt::AccessibleDescriptionRole).toString() != line) {
        name.setData(Qt::AccessibleDescriptionRole, line);
        // Qt tells nothing of an item's changed data, and a screen reader would keep the old.
        QAccessibleEvent changed(List1_, QAccessible::DescriptionChanged);
        changed.setChild(List1_->row(&name));
        QAccessible::updateAccessibility(&changed);
    }
    if (focusStays)
        announcer_->announce(line);
}

void MainForm::tellAnswer(FamilyButton& family) {
    const QString line = Text1_->document()->firstBlock().text();
    family.setAccessibleDescription(line);
    if (family.hasFocus())
        announcer_->announce(line);
}

// The only two events the window handles, each raised however the user picks: a changed
// selection, or a re-click on what is already picked.
void MainForm::wireEvents() {
    // A changed pick moves the focus to the name; one shown again leaves it where it is.
    const auto nameClick = [this](bool focusStays) {
        presentation::List1_Click(state_, *controls_, 0);
        const QList<QListWidgetItem*> picked = List1_->selectedItems();
        if (!picked.isEmpty())
            tellAnswer(*picked.first(), focusStays);
    };
    connect(List1_, &QListWidget::itemSelectionChanged, this, [nameClick] { nameClick(false); });
    connect(List1_, &NamesList::reclicked, this, [nameClick] { nameClick(true); });

    const auto familyClick = [this](int n) {
        const bool raisedByNamePick = state_.Busy > 0; // the handler returns at once
        presentation::Option1_Click(state_, *controls_, static_cast<std::int16_t>(n));
        if (!raisedByNamePick)
            tellAnswer(*Option1_[static_cast<std::size_t>(n)]);
    };
    // Raised for every change of family, whether by mouse, keyboard or code.
    connect(Option1_[0]->group(), &QButtonGroup::idToggled, this,
            [familyClick](int id, bool checked) {
                if (checked)
                    familyClick(id);
            });
    for (FamilyButton* button : Option1_)
        connect(button, &FamilyButton::reclicked, this,
                [familyClick, id = Option1_[0]->group()->id(button)] { familyClick(id); });
}
