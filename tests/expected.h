#pragma once

// What the window must show, written out independently of the catalogue's source so that a
// drifted text fails a test instead of passing through it.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace expected {

struct Bird {
    std::u16string_view name;
    std::size_t nameLength;
    int family;
    std::size_t descriptionLength;
    std::u16string_view descriptionOpening;
};

inline constexpr std::array<std::u16string_view, 3> FamilyCaptions = {
    u"Совови (Strigidae)",
    u"Соколови (Falconidae)",
    u"Ястребови (Accipitridae)",
};

// The window's own texts: the end of its caption (the start is a web address), the title label,
// the names list's heading (also the list's accessible name), the family frame's caption and the
// info box's accessible name.
inline constexpr std::u16string_view CaptionEnding = u" - Биология, семейство и род грабливи птици";
inline constexpr std::u16string_view TitleLabel = u"Кривоклюн";
inline constexpr std::u16string_view ListHeading = u"род грабливи птици";
inline constexpr std::u16string_view FrameCaption = u"сем. Грабливи птици";
inline constexpr std::u16string_view InfoBoxName = u"Информация";

inline constexpr std::array<Bird, 16> Birds = {{
    {u"Белошипа ветрушка  (Falco naumanni)", 35, 1, 51,
     u"птица от семейство Соколови. Среща се и в България."},
    {u"Блатар (Circus)", 15, 2, 118,
     u"род средно големи дневни грабливи птици от семейство Ястребови"},
    {u"Бухал (Bubo bubo)", 17, 0, 57, u"е най-едрата нощна граблива птица, срещаща се в България."},
    {u"Горска улулица (Strix aluco)", 28, 0, 125,
     u"е птица от семейство Совови. Средно голяма по размер."},
    {u"Горска ушата сова (Asio otus)", 29, 0, 692,
     u"е птица от семейство Совови. Среща се и в България."},
    {u"Каня (Milvus)", 13, 2, 49, u"род дневни грабливи птици, срещащ се и в България"},
    {u"Керкенез (Falco tinnunculus)", 28, 1, 299,
     u"наричан още и черношипа ветрушка, е птица от семейство Соколови,"},
    {u"Ловен сокол (Falco cherrug", 26, 1, 223,
     u"известен също и със старинните наименования Крагуй и Барак,"},
    {u"Малка кукумявка", 15, 0, 267, u"Най-малката сова в Европа."},
    {u"Мишелов (Buteo)", 15, 2, 78,
     u"род средно големи дневни грабливи птици от семейство Ястребови (Accipitridae)."},
    {u"Морски орел (Haliaeetus)", 24, 2, 179,
     u"род едри дневни грабливи птици които имат и представител в България."},
    {u"Орел змияр (Circaetus)", 22, 2, 73,
     u"средно големи дневни грабливи птици от семейство Ястребови (Accipitridae)"},
    {u"Планинска каракара (Phalcoboenus megalopterus)", 46, 1, 231,
     u"е вид хищна птица от семейство Соколови. Разпространена е в Андите,"},
    {u"Сокол орко (Falco subbuteo)", 27, 1, 114,
     u"наричан също и лястовичер, лестовичар, наричан и само „орко“ е птица"},
    {u"Торхъл (Falco peregrinus)  ", 27, 1, 109,
     u"Соколът скитник е по-слабо известен с наименованието Торхъл"},
    {u"Чухал (Otus scops)", 18, 0, 122,
     u"или Евразийски чухал (Otus scops) (малка ушата сова, кюхало) е"},
}};

// The info box after bird p is picked: its family, its name, then its description. Here the
// descriptions are known only by their opening and length, so the caller supplies the text.
inline std::u16string birdText(std::size_t p, std::u16string_view description) {
    const Bird& bird = Birds[p];
    return std::u16string(u"Семейство ")
        .append(FamilyCaptions[static_cast<std::size_t>(bird.family)])
        .append(u"\r\nРод: ")
        .append(bird.name)
        .append(u"\r\n")
        .append(description);
}

// Family listings, written out whole: heading, then the members in catalogue order, each line
// ending in CR LF. Position 14 keeps its two trailing spaces.
inline constexpr std::array<std::u16string_view, 3> FamilyListings = {
    u"Семейство Совови (Strigidae) включва:\r\n"
    u"Бухал (Bubo bubo)\r\n"
    u"Горска улулица (Strix aluco)\r\n"
    u"Горска ушата сова (Asio otus)\r\n"
    u"Малка кукумявка\r\n"
    u"Чухал (Otus scops)\r\n",

    u"Семейство Соколови (Falconidae) включва:\r\n"
    u"Белошипа ветрушка  (Falco naumanni)\r\n"
    u"Керкенез (Falco tinnunculus)\r\n"
    u"Ловен сокол (Falco cherrug\r\n"
    u"Планинска каракара (Phalcoboenus megalopterus)\r\n"
    u"Сокол орко (Falco subbuteo)\r\n"
    u"Торхъл (Falco peregrinus)  \r\n",

    u"Семейство Ястребови (Accipitridae) включва:\r\n"
    u"Блатар (Circus)\r\n"
    u"Каня (Milvus)\r\n"
    u"Мишелов (Buteo)\r\n"
    u"Морски орел (Haliaeetus)\r\n"
    u"Орел змияр (Circaetus)\r\n",
};

// The window at 96 dpi, in pixels: its client area, and each control's place in its container's
// client area (the family buttons stand in the frame, everything else on the form).
inline constexpr int ClientWidth = 580;
inline constexpr int ClientHeight = 345;

struct Place {
    std::string_view control;
    int left, top, width, height;
};

inline constexpr std::array<Place, 8> Places = {{
    {"Label1(0)", 64, 0, 305, 25},
    {"Frame1", 8, 40, 201, 81},
    {"Option1(0)", 8, 24, 169, 19},
    {"Option1(1)", 8, 40, 169, 19},
    {"Option1(2)", 8, 56, 185, 19},
    {"Label1(1)", 216, 40, 353, 20},
    {"List1(0)", 216, 60, 353, 118},
    {"Text1(0)", 8, 192, 561, 145},
}};

// How many names the names list shows wholly: a page, for its Page keys.
inline constexpr int NamesInView = 6;

// One session by keyboard from start-up, which every version of the program must play alike: each
// key, then the name picked and the family checked (-1: none yet) and what the info box shows.
enum class Press { Tab, ShiftTab, Up, Down, Left, Right, Home, End, PageUp, PageDown, Space };
enum class Shows { StartupText, Bird, Listing };
struct KeyStep {
    Press key;
    int name, family;
    Shows shows;
};
inline constexpr std::array<KeyStep, 17> KeySession = {{
    {Press::Tab, -1, -1, Shows::StartupText}, // into the family group, picking nothing
    {Press::Up, -1, 2, Shows::Listing},       // round the ends, before any family is picked
    {Press::Down, -1, 0, Shows::Listing},
    {Press::Right, -1, 1, Shows::Listing},
    {Press::Tab, -1, 1, Shows::Listing},   // into the names list, picking nothing
    {Press::PageDown, 5, 2, Shows::Bird},  // the last name in view
    {Press::PageDown, 10, 2, Shows::Bird}, // a page on
    {Press::PageUp, 5, 2, Shows::Bird},    // the first name in view
    {Press::End, 15, 0, Shows::Bird},
    {Press::Up, 14, 1, Shows::Bird},
    {Press::Home, 0, 1, Shows::Bird},
    {Press::Left, 0, 1, Shows::Bird},     // nowhere to go: nothing happens
    {Press::ShiftTab, 0, 1, Shows::Bird}, // into the group at the checked family
    {Press::Space, 0, 1, Shows::Listing}, // the checked family again
    {Press::Tab, 0, 1, Shows::Listing},
    {Press::Space, 0, 1, Shows::Bird}, // the picked name again
    {Press::Down, 1, 2, Shows::Bird},
}};

// Background colours; the info box and every foreground keep the platform's.
struct Rgb {
    int red, green, blue;
};
inline constexpr Rgb FormColour{192, 192, 255};
inline constexpr Rgb LabelColour{255, 192, 128}; // both labels and the names list
inline constexpr Rgb FrameColour{128, 255, 128}; // the frame and the family buttons

// The info box before the first event.
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

} // namespace expected
