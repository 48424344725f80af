#include "main_form.h"

#include "catalogue.h"
#include "choice_widgets.h"
#include "handlers.h"
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

#include <utility>

namespace {

// The layout is drawn in twips; at 96 dots per inch a pixel is 15 twips. Qt scales these
// device-independent pixels as a whole on high-DPI screens.
constexpr int px(int twips) {
    return twips / 15;
}

QRect twipRect(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

QString qs(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

void setColour(QWidget& widget, QPalette::ColorRole role, QColor colour) {
    QPalette palette = widget.palette();
    palette.setColor(role, colour);
    widget.setPalette(palette);
}

// Fills the widget's background with the colour, whatever role its style paints it with.
void fillBackground(QWidget& widget, QColor colour) {
    setColour(widget, widget.backgroundRole(), colour);
    widget.setAutoFillBackground(true);
}

const QColor FormColour(192, 192, 255);
const QColor LabelColour(255, 192, 128);
const QColor FrameColour(128, 255, 128);

// The info box before the first event: what the project is and which birds it presents.
constexpr std::u16string_view StartupText =
    u"Грабливи птици е несистематично, сборно название за семействата: Совови (Strigidae), "
    u"Соколови (Falconidae) и Ястребови (Accipitridae).\r\n"
    u"Да се реализира проект, представящ междупредметни връзки Биология и Информатика.\r\n"
    u"Тема на проекта: Кривоклюн.\r\n"
    u"Чрез две отделни група радиобутони да се представят познати видове семейства и родове "
    u"грабливи птици. Двете групи имат различен брой елементи. При събитие On-Click върху елемент "
    u"от първата група да се извежда в текстово поле названията на родовете грабливи птици, а при "
    u"събитие On-Click върху елемент от втората група да се извежда кратко описание за "
    u"съответния род.\r\n"
    u"Имената и в двете групи да са подредени по азбучен ред.\r\n"
    u"В реализирания проект са представени следните грабливи птици: Белошипа ветрушка, Блатар, "
    u"Бухал, Горска улулица, Горска ушата сова, Каня, Керкенез, Ловен сокол, Малка кукумявка, "
    u"Мишелов, Морски орел, Орел змияр, Планинска каракара, Сокол орко, Торхъл и Чухал\r\n"
    u"Съберете допълнителен материал за познати семейства и родове грабливи птици.\r\n";

// A plain top-level widget would be announced as a mere client area; this one is the program's
// window.
QAccessibleInterface* accessibleMainForm(const QString& /*className*/, QObject* object) {
    auto* form = dynamic_cast<MainForm*>(object);
    return form ? new QAccessibleWidget(form, QAccessible::Window) : nullptr;
}

} // namespace

MainForm::MainForm() {
    [[maybe_unused]] static const bool accessibleAsWindow =
        (QAccessible::installFactory(accessibleMainForm), true);
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("www.example.org - Биология, семейство и род грабливи птици"));
    setWindowIcon(QIcon(QPixmap(krivoklyun_xpm)));
    // The layout does not adapt to another size, so the window keeps the one it was drawn for.
    setFixedSize(px(8700), px(5175));
    fillBackground(*this, FormColour);
    QFont font(QStringLiteral("Times New Roman"), 12, QFont::Normal);
    font.setStyleHint(QFont::Serif);
    setFont(font);

    Label1_[0] = new QLabel(QStringLiteral("Кривоклюн"), this);
    Label1_[0]->setGeometry(twipRect(960, 0, 4575, 375));

    Frame1_ = new FamilyFrame(QStringLiteral("сем. Грабливи птици"), this);
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    Frame1_->setGeometry(twipRect(120, 600, 3015, 1215));
    fillBackground(*Frame1_, FrameColour);

    auto* familyGroup = new QButtonGroup(this);
    const std::array<int, 3> optionTops = {360, 600, 840};
    const std::array<int, 3> optionWidths = {2535, 2535, 2775};
    for (std::size_t n = 0; n < Option1_.size(); ++n) {
        Option1_[n] = new FamilyButton(qs(catalogue::Families[n].caption), Frame1_);
        Option1_[n]->setObjectName(QStringLiteral("Option1(%1)").arg(n));
        Option1_[n]->setGeometry(twipRect(120, optionTops[n], optionWidths[n], 285));
        // The buttons are 19 px tall but 16 px apart, so each overlaps the next by 3 px. They
        // take the frame's colour and leave their background unpainted, so that no button paints
        // over the descenders of the one above it.
        setColour(*Option1_[n], Option1_[n]->backgroundRole(), FrameColour);
        familyGroup->addButton(Option1_[n], catalogue::Families[n].number);
    }

    Label1_[1] = new QLabel(QStringLiteral("род грабливи птици"), this);
    Label1_[1]->setGeometry(twipRect(3240, 600, 5295, 300));

    for (std::size_t i = 0; i < Label1_.size(); ++i) {
        Label1_[i]->setObjectName(QStringLiteral("Label1(%1)").arg(i));
        Label1_[i]->setAlignment(Qt::AlignCenter);
        fillBackground(*Label1_[i], LabelColour);
    }

    List1_ = new NamesList(this, [this] { presentation::List1_Click(state_, *controls_, 0); });
    List1_->setObjectName(QStringLiteral("List1(0)"));
    List1_->setGeometry(twipRect(3240, 900, 5295, 1770));
    List1_->setSortingEnabled(false); // position ties a name to its code and description
    List1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1_->setUniformItemSizes(true); // one line each: no need to measure every row at start-up
    setColour(*List1_, QPalette::Base, LabelColour);
    for (const std::u16string_view name : catalogue::Names)
        List1_->addItem(qs(name));

    Text1_ = new QPlainTextEdit(this);
    Text1_->setObjectName(QStringLiteral("Text1(0)"));
    Text1_->setGeometry(twipRect(120, 2880, 8415, 2175));
    Text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Tab moves on to the next control, as in every other field of the window.
    Text1_->setTabChangesFocus(true);

    controls_ = std::make_unique<WidgetControls>(*List1_, Option1_, *Text1_);
    controls_->setText(StartupText);

    // What a screen reader announces: the list by its heading, the info box by a name of its own
    // (its whole text is read through the text interface), the family buttons inside a group
    // named by the frame's caption.
    Label1_[1]->setBuddy(List1_);
    List1_->setAccessibleName(Label1_[1]->text());
    Text1_->setAccessibleName(QStringLiteral("Информация"));

    setTabOrder(Text1_, Option1_[0]);
    setTabOrder(Option1_[0], Option1_[1]);
    setTabOrder(Option1_[1], Option1_[2]);
    setTabOrder(Option1_[2], List1_);
    Text1_->setFocus();

    wireEvents();
}

MainForm::~MainForm() = default;

void MainForm::wireEvents() {
    connect(List1_, &QListWidget::itemSelectionChanged, this,
            [this] { presentation::List1_Click(state_, *controls_, 0); });

    auto* group = Option1_[0]->group();
    // Raised for every change of family, whether by mouse, keyboard or code.
    connect(group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            presentation::Option1_Click(state_, *controls_, static_cast<std::int16_t>(id));
    });
    // A click on the family that is already selected changes nothing, so it raises no toggle;
    // raise the event for it here, so the user can return from a bird to its family's listing.
    connect(group, &QButtonGroup::idPressed, this, [this](int id) {
        pressedCheckedFamily_ = Option1_[static_cast<std::size_t>(id)]->isChecked() ? id : -1;
    });
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        if (std::exchange(pressedCheckedFamily_, -1) == id)
            presentation::Option1_Click(state_, *controls_, static_cast<std::int16_t>(id));
    });
}
