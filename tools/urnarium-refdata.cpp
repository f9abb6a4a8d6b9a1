// Turns the readable text form of an installation's reference data (one record
// per line, fields separated by "|", "#" starts a comment line) into the
// binary record files the program reads. Every field is checked against its
// capacity and the code page, so a table that the program could misread is
// never written.
//
//   urnarium-refdata SOURCE_DIR OUTPUT_DIR

#include "checks/ErrorCatalogue.h"
#include "store/CodePage.h"
#include "store/RecordIO.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <stdexcept>

using namespace urn;

namespace {

struct Line {
    QString file;
    int lineNo = 0;
    QStringList fields;

    [[noreturn]] void fail(const QString& why) const {
        throw std::runtime_error(
            QStringLiteral("%1:%2: %3").arg(file).arg(lineNo).arg(why).toStdString());
    }
    QString text(int i, int capacity) const {
        const QString v = fields.at(i);
        if (!fitsCp1250(v))
            fail(QStringLiteral("field %1 holds characters outside Windows-1250: %2")
                     .arg(i + 1)
                     .arg(v));
        if (toCp1250(v).size() > capacity)
            fail(QStringLiteral("field %1 is longer than %2 characters: %3")
                     .arg(i + 1)
                     .arg(capacity)
                     .arg(v));
        return v;
    }
    QString numberText(int i, int capacity) const {
        const QString v = text(i, capacity);
        number(i);
        return v;
    }
    qint32 number(int i) const {
        qint32 v = 0;
        if (!tryStrToInt(fields.at(i), v))
            fail(QStringLiteral("field %1 is not a number: %2").arg(i + 1).arg(fields.at(i)));
        return v;
    }
};

QList<Line> readLines(const QString& path, int fieldCount) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error(QStringLiteral("cannot read %1").arg(path).toStdString());
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    QList<Line> lines;
    int n = 0;
    while (!in.atEnd()) {
        const QString raw = in.readLine();
        ++n;
        if (raw.trimmed().isEmpty() || raw.startsWith(QLatin1Char('#')))
            continue;
        Line l{QFileInfo(path).fileName(), n, raw.split(QLatin1Char('|'))};
        if (l.fields.size() != fieldCount)
            l.fail(QStringLiteral("expected %1 fields, found %2")
                       .arg(fieldCount)
                       .arg(l.fields.size()));
        lines.append(l);
    }
    return lines;
}

void writeFile(const QString& path, const QByteArray& content) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size() || !f.commit())
        throw std::runtime_error(QStringLiteral("cannot write %1").arg(path).toStdString());
}

using Converter = std::function<QByteArray(const Line&)>;

void convert(const QString& src, const QString& out, const char* input, const char* output,
             int fieldCount, const Converter& toRecord) {
    QByteArray content;
    const QList<Line> lines = readLines(src + QLatin1Char('/') + QLatin1String(input), fieldCount);
    for (const Line& l : lines)
        content.append(toRecord(l));
    writeFile(out + QLatin1Char('/') + QLatin1String(output), content);
    std::printf("%-12s %6lld records\n", output, static_cast<long long>(lines.size()));
}

QByteArray stationRecord(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error(QStringLiteral("cannot read %1").arg(path).toStdString());
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    QMap<QString, QString> values;
    int n = 0;
    while (!in.atEnd()) {
        const QString raw = in.readLine();
        ++n;
        if (raw.trimmed().isEmpty() || raw.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype eq = raw.indexOf(QLatin1Char('='));
        if (eq < 0)
            throw std::runtime_error(
                QStringLiteral("%1:%2: expected KEY=VALUE").arg(path).arg(n).toStdString());
        values.insert(raw.left(eq).trimmed(), raw.mid(eq + 1));
    }
    Line l{QFileInfo(path).fileName(), 0, {}};
    auto field = [&](const char* key, int capacity) {
        l.fields = {values.value(QLatin1String(key))};
        return l.text(0, capacity);
    };
    TStanice s;
    s.NazevObce = field("NazevObce", 40);
    s.Obec = field("Obec", 6);
    l.fields = {values.value(QStringLiteral("Okrsek"))};
    s.Okrsek = l.number(0);
    s.IdStanice = field("IdStanice", 10);
    s.PriponaPisma = field("PriponaPisma", 3);
    s.VerzeOS = field("VerzeOS", 2);
    s.Stav = field("Stav", 1);
    return s.toRecord();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: urnarium-refdata SOURCE_DIR OUTPUT_DIR\n");
        return 2;
    }
    const QString src = args.at(1);
    const QString out = args.at(2);
    try {
        QDir().mkpath(out);
        convert(src, out, "okrsky.txt", "OKRSKY.RCD", 6, [](const Line& l) {
            l.number(0);
            return TOkrsky{l.text(0, 6),       l.text(1, 40),      l.numberText(2, 5),
                           l.numberText(3, 5), l.numberText(4, 4), l.text(5, 20)}
                .toRecord();
        });
        convert(src, out, "strany.txt", "STRANY.RCD", 3, [](const Line& l) {
            if (l.number(0) < 1 || l.number(0) > kMaxStran || l.number(2) < 0 ||
                l.number(2) > kMaxKandidatu)
                l.fail(QStringLiteral("party or candidate count out of range"));
            return TStrana{l.numberText(0, 4), l.text(1, 81), l.numberText(2, 2)}.toRecord();
        });
        convert(src, out, "kandidat.txt", "KANDIDAT.RCD", 5, [](const Line& l) {
            if (l.number(0) < 1 || l.number(0) > kMaxStran || l.number(1) < 1 ||
                l.number(1) > kMaxKandidatu)
                l.fail(QStringLiteral("party or candidate number out of range"));
            return TKandidat{l.numberText(0, 4), l.numberText(1, 2), l.text(2, 40), l.text(3, 30),
                             l.text(4, 1)}
                .toRecord();
        });
        convert(src, out, "qzrvok.txt", "QZRVOK.RCD", 3, [](const Line& l) {
            return TOcekavani{l.text(0, 6), l.number(1), l.number(2)}.toRecord();
        });
        convert(src, out, "qzrzvo.txt", "QZRZVO.RCD", 4, [](const Line& l) {
            return TZvlastniOkrsek{l.text(0, 6), l.number(1), l.text(2, 25), l.text(3, 20)}
                .toRecord();
        });
        convert(src, out, "cischyb.txt", "CISCHYB.RCD", 3, [](const Line& l) {
            // Shown with a parameter, a text has room for 62 characters.
            return TChybaInfo{l.number(0), l.text(1, 1), l.text(2, 62)}.toRecord();
        });
        writeFile(out + QStringLiteral("/STANICE.RCD"),
                  stationRecord(src + QStringLiteral("/stanice.txt")));
        std::printf("%-12s %6d records\n", "STANICE.RCD", 1);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "urnarium-refdata: %s\n", e.what());
        return 1;
    }
    return 0;
}
