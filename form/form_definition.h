#pragma once

// The program's one window as data: every control's name, place, size, colour and contents, the
// font, the captions, the focus order and the info box's start-up text. Both front-ends draw the
// window from this and nothing else, so the two cannot drift apart.
//
// Places and sizes are in twips (1/1440 inch), relative to the container's client area. At
// 96 dots per inch a pixel is 15 twips; toPixels scales them for any other density.

#include "catalogue.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace form {

struct Colour {
    std::uint8_t red, green, blue;
    friend constexpr bool operator==(Colour, Colour) = default;
};

struct Twips {
    int left, top, width, height;
};

struct Font {
    std::u16string_view face;
    int points;
    int weight;  // 400 is regular
    int charset; // 204 is Cyrillic
};

inline constexpr int TwipsPerInch = 1440;

// Truncates as the layout was designed to: at 96 dpi every place and size is a whole pixel.
constexpr int toPixels(int twips, int dpi = 96) {
    return twips * dpi / TwipsPerInch;
}

// Foreground colours are the platform's everywhere; so is the info box's background.
inline constexpr Colour FormBackground{192, 192, 255};
inline constexpr Colour Label1Background{255, 192, 128}; // also the names list's
inline constexpr Colour Frame1Background{128, 255, 128}; // also the family buttons'
inline constexpr Colour List1Background = Label1Background;
inline constexpr Colour Option1Background = Frame1Background;

// Every control takes the form's font; none sets one of its own.
inline constexpr Font FormFont{u"Times New Roman", 12, 400, 204};

inline constexpr std::u16string_view Caption =
    u"www.example.org - Биология, семейство и род грабливи птици";
// The client area. The layout does not adapt to another size, so the window keeps this one.
inline constexpr int ClientWidth = 8700;
inline constexpr int ClientHeight = 5175;

// Centred text. Label1(1) is the names list's heading, and so also the name
// a screen reader gives the list.
struct Label {
    std::u16string_view name;
    Twips place;
    std::u16string_view text;
};
inline constexpr std::array<Label, 2> Label1 = {{
    {u"Label1(0)", {960, 0, 4575, 375}, u"Кривоклюн"},
    {u"Label1(1)", {3240, 600, 5295, 300}, u"род грабливи птици"},
}};

// Holds the family buttons, which are placed relative to its client area.
inline constexpr std::u16string_view Frame1Name = u"Frame1";
inline constexpr Twips Frame1Place{120, 600, 3015, 1215};
inline constexpr std::u16string_view Frame1Caption = u"сем. Грабливи птици";

// One button per family, top to bottom in family-number order; the captions are the catalogue's.
inline constexpr std::array<Twips, catalogue::FamilyCount> Option1Places = {{
    {120, 360, 2535, 285},
    {120, 600, 2535, 285},
    {120, 840, 2775, 285},
}};
inline constexpr std::u16string_view Option1Name = u"Option1";
// Element n's name, "Option1(n)".
inline std::u16string option1Name(std::size_t n) {
    return std::u16string(Option1Name) + u"(" + static_cast<char16_t>(u'0' + n) + u")";
}

// The names list: the catalogue's names in catalogue order, never sorted, single selection. The
// family codes and the descriptions are never shown.
inline constexpr std::u16string_view List1Name = u"List1(0)";
inline constexpr Twips List1Place{3240, 900, 5295, 1770};

// The info box: multi-line, a vertical scroll bar always shown, long lines wrapped at its width.
inline constexpr std::u16string_view Text1Name = u"Text1(0)";
inline constexpr Twips Text1Place{120, 2880, 8415, 2175};
inline constexpr std::u16string_view Text1AccessibleName = u"Информация";

// Focus order. The family buttons are one stop, entered at the selected family; the labels and
// the frame never take the focus. The info box comes first, so it has the focus at start-up.
enum class Stop { Text1, Option1, List1 };
inline constexpr std::array<Stop, 3> TabOrder = {Stop::Text1, Stop::Option1, Stop::List1};

// The info box before the first event: what the project is and which birds it presents.
inline constexpr std::u16string_view StartupText =
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

} // namespace form
