#include "store/SecondEntryState.h"

#include "store/InstallDirs.h"
#include "store/RecordIO.h"
#include "store/Sealing.h"

#include <QFileInfo>

#include <algorithm>

namespace urn {

namespace {

constexpr const char* kMagic = "URNARIUM KONTROLNI ZADANI 1";
constexpr const char* kEnd = "KONEC";
// Ours is some 150 bytes; anything much bigger is not ours.
constexpr qint64 kMaxContent = 4096;

[[noreturn]] void damaged(const QString& source, qsizetype line) {
    throw InOutError(QStringLiteral("Soubor %1 nelze přečíst: je poškozen nebo neúplný "
                                    "(řádek %2).")
                         .arg(quotedPath(source))
                         .arg(line));
}

// A decimal number of at most nine digits, a minus before it allowed;
// nothing else.
bool number(const QByteArray& text, qint32& out) {
    const QByteArray digits = text.startsWith('-') ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > 9)
        return false;
    for (const char c : digits)
        if (c < '0' || c > '9')
            return false;
    out = qint32(text.toLong());
    return true;
}

} // namespace

QByteArray secondEntryContent(const SecondEntryState& s) {
    QByteArray out = QByteArray(kMagic) + '\n';
    out += "Obec=" + s.okrsek.Obec.toUtf8() + '\n';
    out += "Okrsek=" + QByteArray::number(s.okrsek.Okrsek) + '\n';
    out += "Rozdilu=" + QByteArray::number(s.rozdilu) + '\n';
    out += "Otisk=" + s.otisk.toHex() + '\n';
    out += QByteArray(kEnd) + '\n';
    return out;
}

SecondEntryState parseSecondEntryContent(const QByteArray& content, const QString& source) {
    // Every line in its place: the file is only ever written whole by us.
    const QList<QByteArray> lines = content.split('\n');
    const char* const keys[] = {"Obec=", "Okrsek=", "Rozdilu=", "Otisk="};
    if (lines.size() != 7 || lines[0] != kMagic)
        damaged(source, 1);
    QByteArray values[4];
    for (int i = 0; i < 4; ++i) {
        if (!lines[i + 1].startsWith(keys[i]))
            damaged(source, i + 2);
        values[i] = lines[i + 1].mid(qsizetype(qstrlen(keys[i])));
    }
    if (lines[5] != kEnd || !lines[6].isEmpty())
        damaged(source, 6);
    SecondEntryState s;
    // The municipality as the station configuration holds it: a short
    // string of at most six characters.
    s.okrsek.Obec = QString::fromUtf8(values[0]);
    if (s.okrsek.Obec.size() > 6 || s.okrsek.Obec.contains(QChar::ReplacementCharacter) ||
        s.okrsek.Obec.contains(QLatin1Char('\r')))
        damaged(source, 2);
    if (!number(values[1], s.okrsek.Okrsek))
        damaged(source, 3);
    if (!number(values[2], s.rozdilu))
        damaged(source, 4);
    const QByteArray& hex = values[3];
    const bool hexDigits = std::all_of(hex.begin(), hex.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    });
    if (hex.size() != 2 * kSecondEntryDigestSize || !hexDigits)
        damaged(source, 5);
    s.otisk = QByteArray::fromHex(hex);
    return s;
}

QString secondEntryStatePath() {
    return configFile(QString::fromLatin1(kSecondEntryFileName));
}

bool secondEntryStateExists() {
    return QFileInfo::exists(secondEntryStatePath());
}

void writeSecondEntryState(const SecondEntryState& state) {
    storeSealed(installDirs().config, secondEntryStatePath(), secondEntryContent(state),
                QByteArray(kKlicDatovychSouboru));
}

SecondEntryState readSecondEntryState() {
    const QString path = secondEntryStatePath();
    const QByteArray content =
        loadSealed(installDirs().config, path, QByteArray(kKlicDatovychSouboru), kMaxContent);
    return parseSecondEntryContent(content, path);
}

void removeSecondEntryState() {
    removeFileDurablyOrFail(secondEntryStatePath());
}

} // namespace urn
