// urnarium-data: reads and writes the sealed precinct data files outside the
// program, for the receiving point and for support.
//
//   urnarium-data unseal FILE          the plain line to standard output
//   urnarium-data seal IN OUT          seals a plain line file with the data files' key
//   urnarium-data show FILE [--json]   the record's fields, readable or as JSON
//
// Exit status 0 on success, 1 for a bad or unreadable file, 2 for wrong
// arguments. See urnarium-data.h for adding subcommands.

#include "urnarium-data.h"

#include "core/Errors.h"
#include "store/PrecinctDataFile.h"
#include "store/RecordIO.h"
#include "store/Sealing.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <vector>

namespace urn::datatool {

namespace {

// The plain content of a data file is one line of about 31 KiB at most.
constexpr qint64 kMaxPlainContent = 1024 * 1024;

std::vector<Subcommand>& registered() {
    static std::vector<Subcommand> table;
    return table;
}

void writeTo(FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

// Messages keep "\r" between their lines for the program's message boxes.
QString forTerminal(QString text) {
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

QByteArray readLimited(const QString& path, qint64 limit) {
    const QFileInfo info(path);
    if (info.exists() && info.size() > limit)
        throw InOutError(QStringLiteral("Soubor %1 je příliš velký (%2 B).")
                             .arg(quotedPath(path))
                             .arg(info.size()));
    return readFileBytes(path);
}

QByteArray unsealFile(const QString& path) {
    const QByteArray key(kKlicDatovychSouboru);
    return unpackContainer(unsealBytes(readLimited(path, kMaxSealedFileSize), key, path), path,
                           kMaxPlainContent);
}

QByteArray firstLine(const QByteArray& content) {
    qsizetype end = content.size();
    for (char c : {'\r', '\n'}) {
        const qsizetype at = content.indexOf(c);
        if (at >= 0 && at < end)
            end = at;
    }
    return content.left(end);
}

} // namespace

// The kind is the first letter of a data file's name ("EE…", "OE…", "PE…");
// a file renamed otherwise is read like kind "E", with its member records.
char kindOfFile(const QString& path) {
    const QString name = QFileInfo(path).fileName().toUpper();
    if (name.size() >= 2 && name.at(1) == QLatin1Char('E')) {
        const char k = name.at(0).toLatin1();
        if (k == kKindE || k == kKindO || k == kKindP)
            return k;
    }
    return kKindE;
}

void readRecordFile(const QString& path, TPrecinctRecord& record) {
    lineToRecord(firstLine(unsealFile(path)), kindOfFile(path), record);
}

namespace {

QString fieldLabel(const LineFieldValue& f) {
    QString label = QString::fromLatin1(f.name);
    if (f.index > 0)
        label += QStringLiteral("[%1]").arg(f.index);
    return label;
}

QString valueText(const QVariant& v) {
    if (v.typeId() == QMetaType::QString)
        return QLatin1Char('"') + v.toString() + QLatin1Char('"');
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'f', 0);
    return QString::number(v.toLongLong());
}

QString readableFields(const QList<LineFieldValue>& fields) {
    QString out;
    QString prefs;
    for (const LineFieldValue& f : fields) {
        if (f.index > 0) {
            // The 28 preferential votes, seven to a line, numbered.
            prefs += QStringLiteral("%1:%2")
                         .arg(f.index)
                         .arg(f.value.toLongLong())
                         .leftJustified(9, QLatin1Char(' '));
            if (f.index % 7 == 0) {
                out += QStringLiteral("  %1 %2\n")
                           .arg(QLatin1String(f.index == 7 ? "PrefHlasy" : ""), -16)
                           .arg(prefs.trimmed());
                prefs.clear();
            }
            continue;
        }
        out += QStringLiteral("  %1 %2\n").arg(fieldLabel(f), -16).arg(valueText(f.value));
    }
    return out;
}

QJsonObject jsonFields(const QList<LineFieldValue>& fields) {
    QJsonObject o;
    QJsonArray prefs;
    for (const LineFieldValue& f : fields) {
        QJsonValue v;
        if (f.value.typeId() == QMetaType::QString)
            v = f.value.toString();
        else if (f.value.typeId() == QMetaType::Double)
            v = f.value.toDouble();
        else
            v = f.value.toLongLong();
        if (f.index > 0)
            prefs.append(v);
        else
            o.insert(QString::fromLatin1(f.name), v);
    }
    if (!prefs.isEmpty())
        o.insert(QStringLiteral("PrefHlasy"), prefs);
    return o;
}

int runUnseal(const QStringList& args) {
    if (args.size() != 1)
        return usage("unseal FILE");
    writeTo(stdout, unsealFile(args.at(0)));
    return kExitOk;
}

int runSeal(const QStringList& args) {
    if (args.size() != 2)
        return usage("seal IN OUT");
    const QByteArray content = readLimited(args.at(0), kMaxPlainContent);
    // Sealing whatever the file holds is allowed, but a line the program
    // cannot read deserves a word before it travels anywhere.
    try {
        TPrecinctRecord record;
        lineToRecord(firstLine(content), kindOfFile(args.at(1)), record);
    } catch (const UrnariumError& e) {
        printErr(QStringLiteral("urnarium-data: varování: obsah souboru %1 není čitelný datový "
                                "řádek (%2); zapečetěn přesto.\n")
                     .arg(quotedPath(args.at(0)), forTerminal(e.message())));
    }
    writeFileAtomically(args.at(1),
                        sealBytes(packContainer(content), QByteArray(kKlicDatovychSouboru)));
    return kExitOk;
}

int runShow(const QStringList& args) {
    const bool json = args.contains(QStringLiteral("--json"));
    QStringList files = args;
    files.removeAll(QStringLiteral("--json"));
    if (files.size() != 1 || (json && args.size() != 2))
        return usage("show FILE [--json]");
    const QString path = files.at(0);
    const char kind = kindOfFile(path);
    TPrecinctRecord record;
    readRecordFile(path, record);

    if (json) {
        QJsonObject strany;
        for (int i = 1; i <= kPocetStranVeZaznamu; ++i)
            if (record.T2.zaskrtnuta(i))
                strany.insert(QString::number(i), jsonFields(lineFields(record.VyslStran(i))));
        QJsonObject clenove;
        for (int k = 1; k <= kPocetClenu; ++k)
            if (!record.JmenaClenu(k).isEmpty())
                clenove.insert(QString::number(k), record.JmenaClenu(k));
        QJsonObject root;
        root.insert(QStringLiteral("T2"), jsonFields(lineFields(record.T2)));
        root.insert(QStringLiteral("VyslStran"), strany);
        root.insert(QStringLiteral("TS"), jsonFields(lineFields(record.TS)));
        root.insert(QStringLiteral("JmenaClenu"), clenove);
        writeTo(stdout, QJsonDocument(root).toJson(QJsonDocument::Indented));
        return kExitOk;
    }

    QString out = QStringLiteral("Soubor %1, druh %2\n\n").arg(path, QString(QLatin1Char(kind)));
    out += QStringLiteral("Záznam T/2 (T2, věta typu 1)\n") + readableFields(lineFields(record.T2));
    for (int i = 1; i <= kPocetStranVeZaznamu; ++i)
        if (record.T2.zaskrtnuta(i))
            out +=
                QStringLiteral("\nPříloha č. 1, strana %1 (VyslStran[%1], věta typu 2)\n").arg(i) +
                readableFields(lineFields(record.VyslStran(i)));
    out += QStringLiteral("\nUzavírací věta (TS, věta typu 3)\n") +
           readableFields(lineFields(record.TS));
    QString names;
    for (int k = 1; k <= kPocetClenu; ++k)
        if (!record.JmenaClenu(k).isEmpty())
            names += QStringLiteral("  %1 \"%2\"\n").arg(k, 2).arg(record.JmenaClenu(k));
    if (!names.isEmpty())
        out += QStringLiteral("\nJména členů (JmenaClenu, věty typu 6)\n") + names;
    printOut(out);
    return kExitOk;
}

const Subcommand kBuiltIn[] = {
    {"unseal", "unseal FILE", "vypíše prostý datový řádek zapečetěného souboru", &runUnseal},
    {"seal", "seal IN OUT", "zapečetí soubor s datovým řádkem klíčem datových souborů", &runSeal},
    {"show", "show FILE [--json]", "vypíše pole záznamu okrsku (s --json jako objekt JSON)",
     &runShow},
};

std::vector<Subcommand> allSubcommands() {
    std::vector<Subcommand> all(std::begin(kBuiltIn), std::end(kBuiltIn));
    all.insert(all.end(), registered().begin(), registered().end());
    return all;
}

QString helpText() {
    QString text = QStringLiteral("Použití: urnarium-data PŘÍKAZ [ARGUMENTY]\n\nPříkazy:\n");
    for (const Subcommand& c : allSubcommands())
        text += QStringLiteral("  %1 %2\n")
                    .arg(QString::fromUtf8(c.usage), -24)
                    .arg(QString::fromUtf8(c.summary));
    return text;
}

} // namespace

bool addSubcommand(const Subcommand& subcommand) {
    registered().push_back(subcommand);
    return true;
}

void printOut(const QString& text) {
    writeTo(stdout, text.toUtf8());
}

void printErr(const QString& text) {
    writeTo(stderr, text.toUtf8());
}

int fail(const QString& message) {
    printErr(QStringLiteral("urnarium-data: %1\n").arg(forTerminal(message)));
    return kExitFailure;
}

int usage(const char* subcommandUsage) {
    printErr(QStringLiteral("Použití: urnarium-data %1\n").arg(QString::fromUtf8(subcommandUsage)));
    return kExitUsage;
}

} // namespace urn::datatool

int main(int argc, char** argv) {
    using namespace urn::datatool;
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        printErr(helpText());
        return kExitUsage;
    }
    const QString& name = args.first();
    if (name == QLatin1String("help") || name == QLatin1String("--help") ||
        name == QLatin1String("-h")) {
        printOut(helpText());
        return kExitOk;
    }
    for (const Subcommand& c : allSubcommands()) {
        if (name != QLatin1String(c.name))
            continue;
        try {
            return c.run(args.mid(1));
        } catch (const urn::UrnariumError& e) {
            return fail(e.message());
        } catch (const std::exception& e) {
            return fail(QString::fromLocal8Bit(e.what()));
        }
    }
    printErr(QStringLiteral("urnarium-data: neznámý příkaz „%1“\n\n").arg(name) + helpText());
    return kExitUsage;
}
