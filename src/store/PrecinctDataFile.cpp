// The precinct record's data file: the line format, the file names of the
// kinds, and loading and storing through the sealing chain.

#include "store/PrecinctDataFile.h"

#include "store/CodePage.h"
#include "store/InstallDirs.h"
#include "store/RecordIO.h"
#include "store/Sealing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <charconv>
#include <cmath>
#include <limits>
#include <variant>
#include <vector>

namespace urn {

namespace {

using PrefArray = std::array<quint16, kPocetPrefHlasu>;

// One field of a record type in line order: its name, its width in the line
// and where it lives in memory.
template <class R> struct Field {
    const char* name;
    int width;
    std::variant<quint16 R::*, qint32 R::*, double R::*, QString R::*, PrefArray R::*> member;
    int index = 0; // candidate 1..28 of PrefHlasy
};

const std::vector<Field<TVetaT2>>& t2Fields() {
    using R = TVetaT2;
    static const std::vector<Field<R>> fields = {
        {"TypVety", 1, &R::TypVety},
        {"T2Oprava", 1, &R::T2Oprava},
        {"T2Chyba", 1, &R::T2Chyba},
        {"Okres", 4, &R::Okres},
        {"Obec", 6, &R::Obec},
        {"Okrsek", 5, &R::Okrsek},
        {"T2KC_1", 1, &R::T2KC_1},
        {"ZapsOsoby", 5, &R::ZapsOsoby},
        {"VydObalky", 4, &R::VydObalky},
        {"OdevzdObalky", 4, &R::OdevzdObalky},
        {"PlatneHlasy", 4, &R::PlatneHlasy},
        {"T2KC_2", 5, &R::T2KC_2},
        {"ZaskrtStrany", kPocetStranVeZaznamu, &R::ZaskrtStrany},
    };
    return fields;
}

const std::vector<Field<TStranaVysl>>& stranaFields() {
    using R = TStranaVysl;
    static const std::vector<Field<R>> fields = [] {
        std::vector<Field<R>> f = {
            {"TypVety", 1, &R::TypVety},   {"T2POprava", 1, &R::T2POprava},
            {"T2PChyba", 1, &R::T2PChyba}, {"Okres", 4, &R::Okres},
            {"Obec", 6, &R::Obec},         {"Okrsek", 5, &R::Okrsek},
            {"T2PKC1", 1, &R::T2PKC1},     {"CisStr", 2, &R::CisStr},
            {"PocHl", 4, &R::PocHl},       {"T2PKC2", 4, &R::T2PKC2},
        };
        for (int k = 1; k <= kPocetPrefHlasu; ++k)
            f.push_back({"PrefHlasy", 4, &R::PrefHlasy, k});
        f.push_back({"T2PKC3", 8, &R::T2PKC3});
        f.push_back({"T2PKC4", 8, &R::T2PKC4});
        f.push_back({"T2PPoslKand", 2, &R::T2PPoslKand});
        f.push_back({"T2PKontrSoucet", 9, &R::T2PKontrSoucet});
        return f;
    }();
    return fields;
}

const std::vector<Field<TVetaTS>>& tsFields() {
    using R = TVetaTS;
    static const std::vector<Field<R>> fields = {
        {"TypVety", 1, &R::TypVety},
        {"TSOprava", 1, &R::TSOprava},
        {"TSChyba", 1, &R::TSChyba},
        {"Okres", 4, &R::Okres},
        {"Obec", 6, &R::Obec},
        {"Okrsek", 5, &R::Okrsek},
        {"TSKC1", 1, &R::TSKC1},
        {"KodyChyb", 50, &R::KodyChyb},
        {"DatumKontr", 8, &R::DatumKontr},
        {"CasKontr", 6, &R::CasKontr},
        {"IdStanice", 10, &R::IdStanice},
        {"T2ZapisTN", 1, &R::T2ZapisTN},
        {"VerzeOS", 2, &R::VerzeOS},
        {"Rezerva1", 1, &R::Rezerva1},
        {"Rezerva2", 2, &R::Rezerva2},
        {"Rezerva3", 15, &R::Rezerva3},
        {"Rezerva4", 8, &R::Rezerva4},
        {"Rezerva5", 6, &R::Rezerva5},
        {"Rezerva6", 10, &R::Rezerva6},
        {"Rezerva7", 2, &R::Rezerva7},
        {"Rezerva8", 15, &R::Rezerva8},
        {"Rezerva9", 8, &R::Rezerva9},
        {"Rezerva10", 6, &R::Rezerva10},
        {"Rezerva11", 10, &R::Rezerva11},
        {"SoucetKC1", 3, &R::SoucetKC1},
        {"SoucetKC2", 8, &R::SoucetKC2},
        {"SoucetKC3", 10, &R::SoucetKC3},
        {"SoucetKC4", 10, &R::SoucetKC4},
        {"NahodneCislo", 6, &R::NahodneCislo},
        {"Rezerva12", 6, &R::Rezerva12},
        {"Rezerva13", 6, &R::Rezerva13},
        {"SoucetKontr", 11, &R::SoucetKontr},
        {"KontrSoucetTS", 12, &R::KontrSoucetTS},
        {"Rezerva14", 12, &R::Rezerva14},
        {"Rezerva15", 13, &R::Rezerva15},
    };
    return fields;
}

// The most a data file may unpack to. Our longest line is about 31 KiB; the
// margin admits a file from another writer with extra member records.
constexpr qint64 kMaxDataContent = 1024 * 1024;

// Reals hold whole numbers; they are written rounded. Beyond this a double no
// longer holds every whole number exactly, and no field is that wide anyway.
constexpr double kMaxWholeReal = 9007199254740992.0; // 2^53

// The text a number field is written with, without the padding; empty when
// the value cannot be written as a whole number at all. Kept on the stack:
// a full record writes some two thousand of them.
struct NumberText {
    char digits[24];
    int size = 0;
    QByteArrayView view() const { return QByteArrayView(digits, size); }
};
NumberText numberText(qint64 v) {
    NumberText t;
    t.size = int(std::to_chars(t.digits, t.digits + sizeof t.digits, v).ptr - t.digits);
    return t;
}
NumberText realText(double v) {
    if (!std::isfinite(v) || std::fabs(v) > kMaxWholeReal)
        return NumberText{};
    return numberText(std::llround(v));
}

// A text field's bytes: cut to the field's capacity like the short string
// that holds it. A line break inside would end the line for the reader, so
// it becomes a blank.
QByteArray textBytes(const QString& text, int width) {
    QByteArray b = toCp1250(text).left(width);
    for (char& c : b)
        if (c == '\r' || c == '\n')
            c = ' ';
    return b;
}

struct FieldText {
    QByteArray text;   // a text field
    NumberText number; // a number field
    bool isNumber = false;
};

template <class R> FieldText fieldText(const R& rec, const Field<R>& f) {
    return std::visit(
        [&](auto member) -> FieldText {
            using M = std::remove_cvref_t<decltype(rec.*member)>;
            if constexpr (std::is_same_v<M, QString>)
                return {textBytes(rec.*member, f.width), {}, false};
            else if constexpr (std::is_same_v<M, double>)
                return {{}, realText(rec.*member), true};
            else if constexpr (std::is_same_v<M, PrefArray>)
                return {{}, numberText((rec.*member).at(size_t(f.index - 1))), true};
            else
                return {{}, numberText(rec.*member), true};
        },
        f.member);
}

QString fieldLabel(const char* name, int index) {
    QString label = QLatin1String(name);
    if (index > 0)
        label += QStringLiteral("[%1]").arg(index);
    return label;
}

// Where a record lies in the line, for the message about values that do not
// fit: named only when one does not.
QString recordName(int party) {
    if (party > 0)
        return QStringLiteral("strana %1").arg(party);
    return party == 0 ? QStringLiteral("záznam T/2") : QStringLiteral("uzavírací věta");
}
constexpr int kT2Where = 0;
constexpr int kTSWhere = -1;

// Appends the fields of one record to the line; values that do not fit are
// collected instead (the line is then useless and not written).
template <class R>
void appendFields(QByteArray& line, const R& rec, const std::vector<Field<R>>& fields, int where,
                  QList<OverWideField>& tooWide) {
    for (const Field<R>& f : fields) {
        const FieldText t = fieldText(rec, f);
        if (t.isNumber) {
            const int size = t.number.size;
            if (size == 0 || size > f.width) {
                tooWide.append(
                    {recordName(where), fieldLabel(f.name, f.index),
                     size == 0 ? QStringLiteral("?") : QString::fromLatin1(t.number.view()),
                     f.width});
                continue;
            }
            line.append(f.width - size, ' ').append(t.number.view());
        } else {
            line.append(t.text).append(f.width - t.text.size(), ' ');
        }
    }
}

QByteArray paddedNumber(qint64 v, int width) {
    const NumberText t = numberText(v);
    return QByteArray(std::max(0, width - t.size), ' ') + t.view().toByteArray();
}

QByteArray buildLine(const TPrecinctRecord& rec, char kind, QList<OverWideField>& tooWide) {
    QByteArray line;
    line.reserve(kMaxLine);
    appendFields(line, rec.T2, t2Fields(), kT2Where, tooWide);
    for (int i = 1; i <= kPocetStranVeZaznamu; ++i)
        if (rec.T2.zaskrtnuta(i))
            appendFields(line, rec.VyslStran(i), stranaFields(), i, tooWide);
    appendFields(line, rec.TS, tsFields(), kTSWhere, tooWide);
    if (kind != kKindO) {
        // Obec and Okrsek of record type 1 were checked with it.
        const QByteArray obec = paddedNumber(rec.T2.Obec, 6).right(6);
        const QByteArray okrsek = paddedNumber(rec.T2.Okrsek, 5).right(5);
        for (int k = 1; k <= kPocetClenu; ++k) {
            const QString& jmeno = rec.JmenaClenu(k);
            if (jmeno.isEmpty())
                continue;
            const QByteArray name = textBytes(jmeno, kJmenoClenaWidth);
            line.append('6').append(obec).append(okrsek).append(paddedNumber(k, 2));
            line.append(name).append(kJmenoClenaWidth - name.size(), ' ');
        }
    }
    return line;
}

QString describeTooWide(const QList<OverWideField>& tooWide) {
    QString text = QStringLiteral("Data okrsku nelze uložit: tyto hodnoty se nevejdou do "
                                  "datového souboru:");
    const int shown = std::min<int>(int(tooWide.size()), 10);
    for (int i = 0; i < shown; ++i) {
        const OverWideField& f = tooWide.at(i);
        text += QStringLiteral("\r%1, pole %2: %3 (nejvýše %4 znaků)")
                    .arg(f.where, f.field, f.value)
                    .arg(f.width);
    }
    if (tooWide.size() > shown)
        text += QStringLiteral("\r… a dalších %1.").arg(tooWide.size() - shown);
    text += QStringLiteral("\rOpravte je a uložte znovu. Dříve uložená data zůstala beze změny.");
    return text;
}

// ---- parsing ----

bool tryStrToReal(const QString& text, double& value) {
    // Leading blanks, an optional sign, digits and an optional fraction.
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    const qsizetype start = i;
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        ++i;
    int digits = 0;
    QString normal = text.mid(start, i - start);
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            ++digits;
            normal += c;
        } else if ((c == QLatin1Char('.') || c == QLatin1Char(',')) &&
                   !normal.contains(QLatin1Char('.'))) {
            normal += QLatin1Char('.');
        } else {
            return false;
        }
    }
    if (digits == 0)
        return false;
    bool ok = false;
    value = normal.toDouble(&ok);
    return ok;
}

double strToReal(const QString& text) {
    double v = 0;
    if (!tryStrToReal(text, v))
        throw ConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return v;
}

// The common case of a number field, read straight from the bytes: blanks, an
// optional minus and at most nine digits. Everything else goes through
// strToInt, which accepts the rest of what it should and words the error.
bool tryPlainInt(QByteArrayView text, qint32& value) {
    const char* p = text.data();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && p[i] == ' ')
        ++i;
    const bool negative = i < n && p[i] == '-';
    if (negative)
        ++i;
    if (i == n || n - i > 9)
        return false;
    qint32 acc = 0;
    for (; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return false;
        acc = acc * 10 + (p[i] - '0');
    }
    value = negative ? -acc : acc;
    return true;
}

qint32 intField(QByteArrayView text) {
    qint32 v = 0;
    return tryPlainInt(text, v) ? v : strToInt(QString::fromLatin1(text));
}

double realField(QByteArrayView text) {
    qint32 v = 0;
    return tryPlainInt(text, v) ? double(v) : strToReal(QString::fromLatin1(text));
}

// The field at a 1-based position, viewed in the line: shorter (or empty)
// past the line's end.
QByteArrayView at(const QByteArray& line, qsizetype pos, int width) {
    if (pos < 1 || pos > line.size())
        return {};
    return QByteArrayView(line).sliced(pos - 1, std::min<qsizetype>(width, line.size() - pos + 1));
}

template <class R>
void parseFields(const QByteArray& line, qsizetype start, R& rec,
                 const std::vector<Field<R>>& fields) {
    qsizetype pos = start;
    for (const Field<R>& f : fields) {
        const QByteArrayView sub = at(line, pos, f.width);
        std::visit(
            [&](auto member) {
                using M = std::remove_cvref_t<decltype(rec.*member)>;
                if constexpr (std::is_same_v<M, QString>)
                    rec.*member = fromCp1250(sub.data(), sub.size());
                else if constexpr (std::is_same_v<M, double>)
                    rec.*member = realField(sub);
                else if constexpr (std::is_same_v<M, PrefArray>)
                    (rec.*member).at(size_t(f.index - 1)) = static_cast<quint16>(intField(sub));
                else
                    rec.*member = static_cast<M>(intField(sub));
            },
            f.member);
        pos += f.width;
    }
}

template <class R>
QList<LineFieldValue> valuesOf(const R& rec, const std::vector<Field<R>>& fields) {
    QList<LineFieldValue> values;
    values.reserve(qsizetype(fields.size()));
    for (const Field<R>& f : fields) {
        QVariant v = std::visit(
            [&](auto member) -> QVariant {
                using M = std::remove_cvref_t<decltype(rec.*member)>;
                if constexpr (std::is_same_v<M, QString> || std::is_same_v<M, double>)
                    return QVariant(rec.*member);
                else if constexpr (std::is_same_v<M, PrefArray>)
                    return QVariant(qint64((rec.*member).at(size_t(f.index - 1))));
                else
                    return QVariant(qint64(rec.*member));
            },
            f.member);
        values.append({f.name, f.index, f.width, std::move(v)});
    }
    return values;
}

template <class R>
bool setField(R& rec, const std::vector<Field<R>>& fields, QByteArrayView name, int index,
              const QString& text) {
    for (const Field<R>& f : fields) {
        if (f.index != index || name != QByteArrayView(f.name))
            continue;
        return std::visit(
            [&](auto member) -> bool {
                using M = std::remove_cvref_t<decltype(rec.*member)>;
                bool ok = false;
                if constexpr (std::is_same_v<M, QString>) {
                    rec.*member = text;
                    return true;
                } else if constexpr (std::is_same_v<M, double>) {
                    const double v = text.toDouble(&ok);
                    if (ok)
                        rec.*member = v;
                    return ok;
                } else {
                    using V = std::conditional_t<std::is_same_v<M, PrefArray>, quint16, M>;
                    const qint64 v = text.toLongLong(&ok);
                    if (!ok || v < std::numeric_limits<V>::min() ||
                        v > std::numeric_limits<V>::max())
                        return false;
                    if constexpr (std::is_same_v<M, PrefArray>)
                        (rec.*member).at(size_t(f.index - 1)) = V(v);
                    else
                        rec.*member = V(v);
                    return true;
                }
            },
            f.member);
    }
    return false;
}

bool isSafeFileNamePart(const QString& s) {
    return !s.contains(QLatin1Char('/')) && !s.contains(QLatin1Char('\\')) &&
           !s.contains(QChar(0)) && !s.contains(QLatin1String(".."));
}

} // namespace

// ---- the line ----

QList<OverWideField> overWideFields(const TPrecinctRecord& record, char kind) {
    QList<OverWideField> tooWide;
    buildLine(record, kind, tooWide);
    return tooWide;
}

QByteArray recordToLine(const TPrecinctRecord& record, char kind) {
    QList<OverWideField> tooWide;
    QByteArray line = buildLine(record, kind, tooWide);
    if (!tooWide.isEmpty())
        throw FieldWidthError(describeTooWide(tooWide));
    return line;
}

void lineToRecord(const QByteArray& line, char kind, TPrecinctRecord& record) {
    parseFields(line, 1, record.T2, t2Fields());
    qsizetype h = kLineT2;
    for (int i = 1; i <= kPocetStranVeZaznamu; ++i) {
        if (record.T2.zaskrtnuta(i)) {
            parseFields(line, h + 1, record.VyslStran(i), stranaFields());
            h += kLineStrana;
        }
    }
    parseFields(line, h + 1, record.TS, tsFields());
    if (kind == kKindO)
        return;
    const qsizetype n = std::max<qsizetype>(0, (line.size() - h - kLineTS) / kLineClen);
    VyprazdniCleny(record);
    h += kLineTS;
    for (qsizetype r = 0; r < n; ++r, h += kLineClen) {
        const qint32 k = intField(at(line, h + 13, 2));
        // The record has no place for other numbers; we never write them.
        if (k < 1 || k > kPocetClenu)
            continue;
        QByteArrayView name = at(line, h + 15, kJmenoClenaWidth);
        while (name.endsWith(' '))
            name.chop(1);
        record.JmenaClenu(k) = fromCp1250(name.data(), name.size());
    }
}

QList<LineFieldValue> lineFields(const TVetaT2& t2) {
    return valuesOf(t2, t2Fields());
}
QList<LineFieldValue> lineFields(const TStranaVysl& strana) {
    return valuesOf(strana, stranaFields());
}
QList<LineFieldValue> lineFields(const TVetaTS& ts) {
    return valuesOf(ts, tsFields());
}

bool setLineField(TVetaT2& t2, QByteArrayView name, int index, const QString& text) {
    return setField(t2, t2Fields(), name, index, text);
}
bool setLineField(TStranaVysl& strana, QByteArrayView name, int index, const QString& text) {
    return setField(strana, stranaFields(), name, index, text);
}

// ---- the files ----

QString dataFileName(char kind, const TAktOkrsek& okrsek) {
    if (!isSafeFileNamePart(okrsek.Obec))
        throw InOutError(QStringLiteral("Kód obce „%1“ nelze použít v názvu datového souboru.")
                             .arg(okrsek.Obec));
    // Characters 2 to 6 of the number + 100000: five digits, zero-padded.
    const QString p5 = QString::number(qint64(okrsek.Okrsek) + 100000).mid(1, 5);
    return QString(QLatin1Char(kind)) + QLatin1Char('E') + okrsek.Obec + QLatin1Char('.') + p5;
}

QString dataFilePath(char kind, const TAktOkrsek& okrsek) {
    return dataFile(dataFileName(kind, okrsek));
}

bool dataFileExists(char kind, const TAktOkrsek& okrsek) {
    return QFileInfo::exists(dataFilePath(kind, okrsek));
}

void removeDataFile(char kind, const TAktOkrsek& okrsek) {
    const QString name = dataFileName(kind, okrsek);
    const QString dir = installDirs().data;
    const QDir d(dir.isEmpty() ? QStringLiteral(".") : dir);
    const QStringList entries = d.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& e : entries) {
        if (e.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        removeFileDurablyOrFail(d.filePath(e));
    }
}

QByteArray readDataFile(const QString& path, char kind, TPrecinctRecord& rec) {
    VyprazdniT2(rec);
    VyprazdniStrany(rec);
    VyprazdniTS(rec);
    QByteArray line =
        loadSealed(QString(), path, QByteArray(kKlicDatovychSouboru), kMaxDataContent);
    // The content is one line; whatever follows a line break is not ours.
    const qsizetype eol = line.indexOf('\n');
    const qsizetype eolCr = line.indexOf('\r');
    const qsizetype cut = eol < 0 ? eolCr : (eolCr < 0 ? eol : std::min(eol, eolCr));
    if (cut >= 0)
        line.truncate(cut);
    // Parsed into a copy, so that a damaged line leaves the record cleared
    // (and the member names as they were) rather than half filled.
    TPrecinctRecord parsed = rec;
    lineToRecord(line, kind, parsed);
    rec = std::move(parsed);
    return line;
}

void NactiData(char kind, const TAktOkrsek& okrsek, TPrecinctRecord& rec) {
    VyprazdniT2(rec);
    VyprazdniStrany(rec);
    VyprazdniTS(rec);
    const QString path = dataFilePath(kind, okrsek);
    // Intermediate files left by an interrupted chain of an older version.
    removeChainTemporaries(installDirs().config);
    if (QFileInfo::exists(path))
        readDataFile(path, kind, rec);
}

void storeDataFileOfKind(char kind, const TAktOkrsek& okrsek, const TPrecinctRecord& record) {
    UlozData(kind, okrsek, record);
    if (kind != kKindO)
        removeDataFile(kKindO, okrsek);
}

void UlozData(char kind, const TAktOkrsek& okrsek, const TPrecinctRecord& record) {
    const QByteArray line = recordToLine(record, kind);
    storeSealed(installDirs().config, dataFilePath(kind, okrsek), line,
                QByteArray(kKlicDatovychSouboru));
    // Only now, with the new file safely on disk, do the other kinds go.
    for (char other : {kKindP, kKindE})
        if (other != kind)
            removeDataFile(other, okrsek);
}

} // namespace urn
