#include "store/RecoveryCopy.h"

#include "store/InstallDirs.h"
#include "store/PrecinctDataFile.h"
#include "store/RecordIO.h"
#include "store/Sealing.h"
#include "store/SectionsFile.h"

#include <QFileInfo>

namespace urn {

namespace {

constexpr const char* kMagic = "URNARIUM OBNOVA 1";
constexpr const char* kEnd = "KONEC";
// A full record with every name is some 40 KiB; a copy bigger than this is
// not one of ours.
constexpr qint64 kMaxRecoveryContent = 1024 * 1024;

QByteArray escaped(const QString& value) {
    QByteArray out;
    for (const char c : value.toUtf8()) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

bool unescaped(QByteArrayView value, QString& out) {
    QByteArray bytes;
    for (qsizetype i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == '\\') {
            if (++i == value.size())
                return false;
            c = value[i] == 'n' ? '\n' : value[i] == 'r' ? '\r' : value[i];
            if (c != '\n' && c != '\r' && c != '\\')
                return false;
        }
        bytes += c;
    }
    out = QString::fromUtf8(bytes);
    return true;
}

void appendFields(QByteArray& out, const QByteArray& prefix, const QList<LineFieldValue>& fields) {
    for (const LineFieldValue& f : fields) {
        out += prefix + f.name;
        if (f.index > 0)
            out += '.' + QByteArray::number(f.index);
        out += '=' + escaped(f.value.toString()) + '\n';
    }
}

[[noreturn]] void damaged(const QString& source, qsizetype line) {
    throw InOutError(QStringLiteral("Soubor %1 nelze přečíst: je poškozen nebo neúplný "
                                    "(řádek %2).")
                         .arg(quotedPath(source))
                         .arg(line));
}

// "PrefHlasy.3" → name "PrefHlasy", index 3; other names have index 0.
bool splitField(QByteArrayView key, QByteArrayView& name, int& index) {
    const qsizetype dot = key.indexOf('.');
    name = dot < 0 ? key : key.first(dot);
    index = 0;
    if (dot < 0)
        return true;
    bool ok = false;
    index = key.sliced(dot + 1).toInt(&ok);
    return ok && index > 0;
}

} // namespace

QByteArray recoveryContent(const TAktOkrsek& okrsek, const TPrecinctRecord& record,
                           const QStringList& jmenaKomise) {
    QByteArray out = QByteArray(kMagic) + '\n';
    out += "Obec=" + escaped(okrsek.Obec) + '\n';
    out += "Okrsek=" + QByteArray::number(okrsek.Okrsek) + '\n';
    appendFields(out, "T2.", lineFields(record.T2));
    for (int p = 1; p <= kPocetStranVeZaznamu; ++p)
        if (record.VyslStran(p) != TStranaVysl{})
            appendFields(out, 'S' + QByteArray::number(p) + '.', lineFields(record.VyslStran(p)));
    for (int k = 1; k <= kPocetClenu; ++k)
        if (!record.JmenaClenu(k).isEmpty())
            out += 'C' + QByteArray::number(k) + '=' + escaped(record.JmenaClenu(k)) + '\n';
    out += "HLASO=" + hlasoToBytes(record.Hlaso).toBase64() + '\n';
    for (const QString& jmeno : jmenaKomise)
        out += "K=" + escaped(jmeno) + '\n';
    out += QByteArray(kEnd) + '\n';
    return out;
}

RecoveryCopy parseRecoveryContent(const QByteArray& content, const QString& source) {
    const QList<QByteArray> lines = content.split('\n');
    // The magic line, at least the key and the sections, the end line and
    // the empty rest after its line break.
    if (lines.size() < 6 || lines.first() != kMagic)
        damaged(source, 1);
    RecoveryCopy copy;
    bool obec = false, okrsek = false, hlaso = false, end = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines.at(i);
        const qsizetype n = i + 1;
        if (end) {
            // Only the line break of the end line may follow it.
            if (!line.isEmpty() || i + 1 != lines.size())
                damaged(source, n);
            continue;
        }
        if (line == kEnd) {
            end = true;
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq < 1)
            damaged(source, n);
        const QByteArrayView key = QByteArrayView(line).first(eq);
        const QByteArrayView raw = QByteArrayView(line).sliced(eq + 1);
        QString value;
        if (!unescaped(raw, value))
            damaged(source, n);
        bool ok = true;
        if (key == "Obec") {
            copy.okrsek.Obec = value;
            obec = true;
        } else if (key == "Okrsek") {
            copy.okrsek.Okrsek = value.toInt(&ok);
            okrsek = true;
        } else if (key == "HLASO") {
            const auto decoded = QByteArray::fromBase64Encoding(
                raw.toByteArray(), QByteArray::AbortOnBase64DecodingErrors);
            ok = decoded && decoded.decoded.size() == kHlasoSize;
            if (ok)
                copy.record.Hlaso = hlasoFromBytes(decoded.decoded);
            hlaso = true;
        } else if (key == "K") {
            copy.jmenaKomise.append(value);
        } else if (key.startsWith("T2.")) {
            QByteArrayView name;
            int index = 0;
            ok = splitField(key.sliced(3), name, index) &&
                 setLineField(copy.record.T2, name, index, value);
        } else if (key.startsWith('S') && key.indexOf('.') > 1) {
            const qsizetype dot = key.indexOf('.');
            const int p = key.sliced(1, dot - 1).toInt(&ok);
            QByteArrayView name;
            int index = 0;
            ok = ok && p >= 1 && p <= kPocetStranVeZaznamu &&
                 splitField(key.sliced(dot + 1), name, index) &&
                 setLineField(copy.record.VyslStran(p), name, index, value);
        } else if (key.startsWith('C')) {
            const int k = key.sliced(1).toInt(&ok);
            ok = ok && k >= 1 && k <= kPocetClenu;
            if (ok)
                copy.record.JmenaClenu(k) = value;
        } else {
            ok = false;
        }
        if (!ok)
            damaged(source, n);
    }
    if (!end || !obec || !okrsek || !hlaso)
        damaged(source, lines.size());
    return copy;
}

QString recoveryCopyPath() {
    return configFile(QString::fromLatin1(kRecoveryFileName));
}

bool recoveryCopyExists() {
    return QFileInfo::exists(recoveryCopyPath());
}

void writeRecoveryCopy(const QByteArray& content) {
    storeSealed(installDirs().config, recoveryCopyPath(), content,
                QByteArray(kKlicDatovychSouboru));
}

RecoveryCopy readRecoveryCopy() {
    const QString path = recoveryCopyPath();
    const QByteArray content = loadSealed(installDirs().config, path,
                                          QByteArray(kKlicDatovychSouboru), kMaxRecoveryContent);
    return parseRecoveryContent(content, path);
}

void removeRecoveryCopy() {
    removeFileDurablyOrFail(recoveryCopyPath());
}

QDateTime recoveryCopyTime() {
    const QFileInfo info(recoveryCopyPath());
    return info.exists() ? info.lastModified() : QDateTime();
}

std::optional<QDateTime> newestDataFileTime(const TAktOkrsek& okrsek) {
    std::optional<QDateTime> newest;
    for (const char kind : {kKindO, kKindE, kKindP}) {
        const QFileInfo info(dataFilePath(kind, okrsek));
        if (info.exists() && (!newest || info.lastModified() > *newest))
            newest = info.lastModified();
    }
    return newest;
}

bool isNewerThanData(const QDateTime& copy, const std::optional<QDateTime>& data) {
    return copy.isValid() && (!data || copy > *data);
}

} // namespace urn
