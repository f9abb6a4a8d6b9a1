// The protocol as text: what the command line prints.
#include "CheckFixture.h"
#include "checks/CheckSequence.h"

using namespace urn;
using urn::test::CheckTest;

TEST_F(CheckTest, ProtocolTextGroupsByParty) {
    TChybProt p(CisChyb());
    p.PridejChybu(5, 42, QString());
    p.PridejChybu(3, 18, QStringLiteral("(kand. č. 2)"));
    p.PridejChybu(0, 4, QString());
    p.PridejChybu(3, 19, QString());
    p.PridejChybu(0, 96, QStringLiteral(" 700"));
    rec().TS.KodyChyb = QStringLiteral("04181942");
    TStanice st;
    st.NazevObce = QStringLiteral("Bílá Lhota u Kamenice");
    const QString expected = QStringLiteral(
        "PROTOKOL O KONTROLÁCH ZA OKRSEK\n"
        "                          Obec      Okrsek  KČ1  Název obce\n"
        "Identifikace okrsku:     582786         3    1   Bílá Lhota u Kamenice\n"
        "--------------------------------------------------------------------------------\n"
        "\n"
        "4 - Text 4\n"
        "96 - Text 96  700\n"
        "\n"
        "Strana: 3\n"
        "  18 - Text 18 (kand. č. 2)\n"
        "  19 - Text 19\n"
        "\n"
        "Strana: 5\n"
        "  42 - Text 42\n"
        "\n"
        "--------------------------------------------------------------------------------\n"
        "KodyChyb: 04181942\n");
    EXPECT_EQ(protocolText(p, rec(), st), expected);
}

TEST_F(CheckTest, ProtocolTextWithoutFindings) {
    rec().TS.KodyChyb.clear();
    const QString text = protocolText(TChybProt(CisChyb()), rec(), TStanice{});
    EXPECT_TRUE(text.contains(QStringLiteral("\n\nNebyly zjištěny žádné chyby\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("KodyChyb: \n")));
    EXPECT_FALSE(text.contains(QStringLiteral("Strana:")));
}

TEST_F(CheckTest, ProtocolTextFirstPartyGetsItsHeading) {
    TChybProt p(CisChyb());
    p.PridejChybu(2, 20, QStringLiteral("(16)"));
    const QString text = protocolText(p, rec(), TStanice{});
    EXPECT_TRUE(text.contains(QStringLiteral("-\n\nStrana: 2\n  20 - Text 20 (16)\n")));
}
