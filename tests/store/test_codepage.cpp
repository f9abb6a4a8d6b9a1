#include "store/CodePage.h"

#include <gtest/gtest.h>

using namespace urn;

TEST(CodePage, CzechLettersRoundTripThroughTheirSingleBytes) {
    struct Case {
        const char* text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"Příliš žluťoučký kůň", QByteArray("P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2")},
        {"ĚŠČŘŽÝÁÍÉÚŮĎŤŇ", QByteArray("\xCC\x8A\xC8\xD8\x8E\xDD\xC1\xCD\xC9\xDA\xD9\xCF\x8D\xD2")},
        {"„uvozovky“ – €", QByteArray("\x84uvozovky\x93 \x96 \x80")},
        {"plain ASCII 123", QByteArray("plain ASCII 123")},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(toCp1250(text), c.bytes) << c.text;
        EXPECT_EQ(fromCp1250(c.bytes), text) << c.text;
        EXPECT_TRUE(fitsCp1250(text)) << c.text;
    }
}

TEST(CodePage, EveryDefinedByteDecodesAndEncodesBack) {
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, char(b));
        const QString s = fromCp1250(one);
        if (s.at(0) == QChar(QChar::ReplacementCharacter))
            continue; // the five undefined bytes
        EXPECT_EQ(toCp1250(s), one) << b;
    }
}

TEST(CodePage, CharactersOutsideTheCodePageBecomeTheSubstitute) {
    const QString text = QString::fromUtf8("Łódź → 日本");
    EXPECT_FALSE(fitsCp1250(QString::fromUtf8("日本")));
    // Ł, ó and ź are in the code page, the rest is not.
    EXPECT_EQ(toCp1250(text), QByteArray("\xA3\xF3"
                                         "d\x9F ? ??"));
}
