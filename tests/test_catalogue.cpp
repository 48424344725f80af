#include "catalogue.h"
#include "expected.h"
#include "qt_text.h"

#include <QTest>

#include <algorithm>
#include <vector>

class CatalogueTest : public QObject {
    Q_OBJECT

private slots:
    void familiesAreNumberedByButtonAndCaptioned() {
        for (std::size_t n = 0; n < catalogue::FamilyCount; ++n) {
            QCOMPARE(catalogue::Families[n].number, static_cast<std::int16_t>(n));
            QCOMPARE(q(catalogue::Families[n].caption), q(expected::FamilyCaptions[n]));
        }
    }

    // The odd spaces of positions 0 and 14 and the missing parenthesis of position 7 are part of
    // the data; a tidy-up would silently change what the user sees.
    void namesAreExactCharacterForCharacter() {
        QCOMPARE(catalogue::Names.size(), expected::Birds.size());
        for (std::size_t p = 0; p < catalogue::BirdCount; ++p) {
            QCOMPARE(q(catalogue::Names[p]), q(expected::Birds[p].name));
            QCOMPARE(catalogue::Names[p].size(), expected::Birds[p].nameLength);
        }
    }

    void codesPutEachBirdInItsFamily() {
        std::array<std::vector<std::size_t>, 3> members;
        for (std::size_t p = 0; p < catalogue::BirdCount; ++p) {
            const std::u16string code(1, static_cast<char16_t>(u'0' + expected::Birds[p].family));
            QCOMPARE(q(catalogue::FamilyCodes[p]), q(code));
            members[static_cast<std::size_t>(expected::Birds[p].family)].push_back(p);
        }
        QCOMPARE(members[0], (std::vector<std::size_t>{2, 3, 4, 8, 15}));
        QCOMPARE(members[1], (std::vector<std::size_t>{0, 6, 7, 12, 13, 14}));
        QCOMPARE(members[2], (std::vector<std::size_t>{1, 5, 9, 10, 11}));
    }

    void descriptionsKeepTheirOpeningLengthAndOneParagraph() {
        for (std::size_t p = 0; p < catalogue::BirdCount; ++p) {
            const std::u16string_view text = catalogue::Descriptions[p];
            const expected::Bird& bird = expected::Birds[p];
            QVERIFY2(text.starts_with(bird.descriptionOpening), qPrintable(q(text)));
            QCOMPARE(text.size(), bird.descriptionLength);
            QVERIFY2(text.find_first_of(u"\r\n\t\u2028\u2029") == std::u16string_view::npos,
                     qPrintable(q(text)));
            QVERIFY2(text.find(u"  ") == std::u16string_view::npos, qPrintable(q(text)));
        }
    }
};

QTEST_APPLESS_MAIN(CatalogueTest)
#include "test_catalogue.moc"
