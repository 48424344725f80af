#include "catalogue.h"
#include "check.h"
#include "expected.h"

#include <algorithm>
#include <array>
#include <vector>

CASE(familiesAreNumberedByButtonAndCaptioned) {
    for (std::size_t n = 0; n < catalogue::FamilyCount; ++n) {
        CHECK_EQ(catalogue::Families[n].number, static_cast<std::int16_t>(n));
        CHECK_EQ(catalogue::Families[n].caption, expected::FamilyCaptions[n]);
    }
}

// The odd spaces of positions 0 and 14 and the missing parenthesis of position 7 are part of
// the data; a tidy-up would silently change what the user sees. The lengths pin them even against
// a tidy-up of the expectations too.
CASE(namesAreExactCharacterForCharacter) {
    CHECK_EQ(catalogue::Names.size(), expected::Birds.size());
    for (std::size_t p = 0; p < catalogue::BirdCount; ++p) {
        CHECK_EQ(catalogue::Names[p], expected::Birds[p].name);
        CHECK_EQ(catalogue::Names[p].size(), expected::Birds[p].nameLength);
    }
}

// Each code is one digit naming a family that has a button, and the families' members, read from
// the codes, are the ones the program lists.
CASE(codesPutEachBirdInItsFamily) {
    std::array<std::vector<std::size_t>, catalogue::FamilyCount> members;
    for (std::size_t p = 0; p < catalogue::BirdCount; ++p) {
        const std::u16string_view code = catalogue::FamilyCodes[p];
        const auto family =
            code.size() == 1 ? static_cast<std::size_t>(code[0] - u'0') : members.size();
        if (CHECK(family < members.size()))
            members[family].push_back(p);
    }
    CHECK((members[0] == std::vector<std::size_t>{2, 3, 4, 8, 15}));
    CHECK((members[1] == std::vector<std::size_t>{0, 6, 7, 12, 13, 14}));
    CHECK((members[2] == std::vector<std::size_t>{1, 5, 9, 10, 11}));
}

CASE(descriptionsKeepTheirOpeningLengthAndOneParagraph) {
    for (std::size_t p = 0; p < catalogue::BirdCount; ++p) {
        const std::u16string_view text = catalogue::Descriptions[p];
        const expected::Bird& bird = expected::Birds[p];
        CHECK_EQ(text.substr(0, bird.descriptionOpening.size()), bird.descriptionOpening);
        CHECK_EQ(text.size(), bird.descriptionLength);
        CHECK_EQ(text.find_first_of(u"\r\n\t\u2028\u2029"), std::u16string_view::npos);
        CHECK_EQ(text.find(u"  "), std::u16string_view::npos);
    }
}

int main(int argc, char** argv) {
    return check::runAll(argc, argv);
}
