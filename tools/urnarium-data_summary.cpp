// urnarium-data summary DIR... [--tables DIR] [--json|--csv] [--jobs N]
//
// The receiving point's summary of the precinct data files brought in on the
// night. Every file under the directories is looked at: the files of kind "O"
// are read exactly as the program reads them and run through the program's
// own checks that need nothing of the station (section III stays with the
// station; the reference tables take part when --tables names them). Each
// file gets one line: the precinct, the kind and whether it was accepted,
// accepted with warnings or refused, and why. The accepted precincts are
// summed; with the tables, the expected precincts that have not arrived are
// listed. A bad file never stops the run and never enters the totals.
//
// The same precinct in two files counts once when the files hold the same
// data line; when they differ, neither counts and both are refused, because
// nothing here can tell which of them the commission meant.

#include "WorkerProcesses.h"
#include "checks/CheckRules.h"
#include "checks/ControlNumbers.h"
#include "checks/ErrorCatalogue.h"
#include "core/Errors.h"
#include "store/InstallDirs.h"
#include "store/PrecinctDataFile.h"
#include "store/RecordIO.h"
#include "store/ReferenceTables.h"
#include "urnarium-data.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <type_traits>

namespace urn::datatool {

namespace {

constexpr const char* kUsage = "summary DIR... [--tables DIR] [--json|--csv] [--jobs N]";
constexpr int kMaxJobs = 256;
// The country has some fifteen thousand precincts; tables that list far more
// are damaged.
constexpr qsizetype kMaxExpected = 1000000;

enum class Status : quint8 { Accepted, Warnings, Refused };

// The name of a status in JSON and CSV, and in the readable summary.
struct StatusNames {
    const char* key;
    const char* text;
};
constexpr StatusNames kStatusNames[] = {
    {"accepted", "přijat"},
    {"warnings", "přijat s upozorněním"},
    {"refused", "odmítnut"},
};

QString statusKey(Status s) {
    return QLatin1String(kStatusNames[int(s)].key);
}

QString statusText(Status s) {
    return QString::fromUtf8(kStatusNames[int(s)].text);
}

// ---- what one file of kind "O" gives ----

struct PartyVotes {
    qint32 strana = 0;
    qint32 hlasy = 0;
    std::array<quint16, kPocetPrefHlasu> pref{};
};

// A precinct's part of the totals.
struct Contribution {
    qint32 ZapsOsoby = 0;
    qint32 VydObalky = 0;
    qint32 OdevzdObalky = 0;
    qint32 PlatneHlasy = 0;
    QList<PartyVotes> strany;
};

struct Finding {
    qint32 strana = 0;
    qint32 chyba = 0;
    QString param;
};

struct Examined {
    Status status = Status::Refused;
    bool read = false; // the data line was read; obec and okrsek are its own
    qint32 obec = 0;
    qint32 okrsek = 0;
    QString reason;
    QList<Finding> findings;
    // The data line of a file with copies whose data are the precinct its
    // name gives: copies count once only when their lines are the same.
    QByteArray line;
    Contribution contribution;
};

// Results travel from a worker as plain bytes: numbers in native order (both
// ends are the same program), texts as their length and UTF-16 units.
class Packer {
public:
    explicit Packer(QByteArray& bytes) : m_bytes(bytes) {}
    template <typename T> void put(const T& v) {
        static_assert(std::is_trivially_copyable_v<T>);
        m_bytes.append(reinterpret_cast<const char*>(&v), qsizetype(sizeof v));
    }
    void put(const QString& text) {
        put(qint32(text.size()));
        m_bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
    void put(const QByteArray& bytes) {
        put(qint32(bytes.size()));
        m_bytes.append(bytes);
    }

private:
    QByteArray& m_bytes;
};

class Unpacker {
public:
    explicit Unpacker(QByteArrayView bytes) : m_rest(bytes) {}
    bool ok() const { return m_ok; }
    template <typename T> void get(T& v) {
        static_assert(std::is_trivially_copyable_v<T>);
        if (take(sizeof v))
            std::memcpy(&v, m_taken.data(), sizeof v);
    }
    void get(QString& text) {
        qint32 n = 0;
        get(n);
        if (n >= 0 && take(qsizetype(n) * 2))
            text = QString(reinterpret_cast<const QChar*>(m_taken.data()), n);
    }
    void get(QByteArray& bytes) {
        qint32 n = 0;
        get(n);
        if (n >= 0 && take(n))
            bytes = m_taken.toByteArray();
    }

private:
    bool take(qsizetype n) {
        if (!m_ok || n < 0 || n > m_rest.size())
            return m_ok = false;
        m_taken = m_rest.first(n);
        m_rest = m_rest.sliced(n);
        return true;
    }
    QByteArrayView m_rest;
    QByteArrayView m_taken;
    bool m_ok = true;
};

QByteArray pack(const Examined& e) {
    QByteArray bytes;
    Packer p(bytes);
    p.put(quint8(e.status));
    p.put(quint8(e.read));
    p.put(e.obec);
    p.put(e.okrsek);
    p.put(e.reason);
    p.put(e.line);
    p.put(qint32(e.findings.size()));
    for (const Finding& f : e.findings) {
        p.put(f.strana);
        p.put(f.chyba);
        p.put(f.param);
    }
    const Contribution& c = e.contribution;
    p.put(c.ZapsOsoby);
    p.put(c.VydObalky);
    p.put(c.OdevzdObalky);
    p.put(c.PlatneHlasy);
    p.put(qint32(c.strany.size()));
    for (const PartyVotes& v : c.strany)
        p.put(v);
    return bytes;
}

std::optional<Examined> unpack(QByteArrayView bytes) {
    Examined e;
    Unpacker u(bytes);
    quint8 status = 0, read = 0;
    qint32 n = 0;
    u.get(status);
    u.get(read);
    u.get(e.obec);
    u.get(e.okrsek);
    u.get(e.reason);
    u.get(e.line);
    u.get(n);
    for (qint32 i = 0; i < n && u.ok(); ++i) {
        Finding f;
        u.get(f.strana);
        u.get(f.chyba);
        u.get(f.param);
        e.findings.append(f);
    }
    Contribution& c = e.contribution;
    u.get(c.ZapsOsoby);
    u.get(c.VydObalky);
    u.get(c.OdevzdObalky);
    u.get(c.PlatneHlasy);
    u.get(n);
    for (qint32 i = 0; i < n && u.ok(); ++i) {
        PartyVotes v;
        u.get(v);
        c.strany.append(v);
    }
    if (!u.ok() || status > quint8(Status::Refused))
        return std::nullopt;
    e.status = Status(status);
    e.read = read != 0;
    return e;
}

QString findingText(const Finding& f) {
    QString text = f.strana != 0 ? QStringLiteral("strana %1: ").arg(f.strana) : QString();
    text += QString::number(f.chyba);
    const TChybaInfo info = CisChyb().NajdiChybu(f.chyba);
    if (info.Chyba != CisChyb().NenalezenaChyba().Chyba)
        text += QStringLiteral(" - ") + info.ZkrText;
    const QString param = f.param.trimmed();
    if (!param.isEmpty())
        text += QLatin1Char(' ') + param;
    return text;
}

Contribution contributionOf(const TPrecinctRecord& r) {
    Contribution c;
    c.ZapsOsoby = r.T2.ZapsOsoby;
    c.VydObalky = r.T2.VydObalky;
    c.OdevzdObalky = r.T2.OdevzdObalky;
    c.PlatneHlasy = r.T2.PlatneHlasy;
    for (int p = 1; p <= kPocetStranVeZaznamu; ++p) {
        if (!r.T2.zaskrtnuta(p))
            continue;
        PartyVotes v;
        v.strana = p;
        v.hlasy = r.VyslStran(p).PocHl;
        for (int k = 1; k <= kPocetPrefHlasu; ++k)
            v.pref[size_t(k - 1)] = r.VyslStran(p).pref(k);
        c.strany.append(v);
    }
    return c;
}

// Reads and checks one file of kind "O" in the worker as the export's check
// does: the record's error flags stay as the station saved them. `strany` is
// the party list of the tables (empty without them).
Examined examine(const QString& path, const TSeznamStran& strany, bool withTables, bool hasCopies) {
    Examined e;
    TPrecinctRecord r;
    QByteArray line;
    try {
        line = readDataFile(path, kKindO, r);
    } catch (const ConvertError& err) {
        e.reason = QStringLiteral("Datový řádek souboru je poškozen: ") + err.message();
        return e;
    }
    e.read = true;
    e.obec = r.T2.Obec;
    e.okrsek = r.T2.Okrsek;
    // The program loads a data file only for the precinct its name gives; a
    // file renamed to another precinct's name must not count for it.
    const QString own = dataFileName(kKindO, {QString::number(e.obec), e.okrsek});
    if (own.compare(QFileInfo(path).fileName(), Qt::CaseInsensitive) != 0) {
        e.reason = QStringLiteral("Soubor obsahuje data okrsku %1/%2, jeho jméno patří jinému "
                                  "okrsku (soubor toho okrsku by se jmenoval %3).")
                       .arg(e.obec)
                       .arg(e.okrsek)
                       .arg(own);
        return e;
    }
    if (hasCopies)
        e.line = line;
    // Section III stays at the station: no names of the commission.
    const QList<TKomise> bezJmen;
    const TVysledekKontrol v = ProvedKontroly({r, strany, bezJmen}, CisChyb(), kVybranoExport,
                                              TRozsahKontrol{withTables, false});
    const TChybProt& prot = v.ChybProt;
    QStringList texts;
    for (int i = 0; i < prot.count(); ++i) {
        const TChyba& ch = prot.VratChybu(i);
        e.findings.append({ch.EStrana, ch.Chyba, ch.Param});
        texts.append(findingText(e.findings.last()));
    }
    e.reason = texts.join(QStringLiteral("; "));
    const TStavKontrol& stav = v.StavKontrol;
    e.status = stav.JsouChyby                                  ? Status::Refused
               : stav.JsouPropustitelne || stav.JsouUpozorneni ? Status::Warnings
                                                               : Status::Accepted;
    if (e.status != Status::Refused)
        e.contribution = contributionOf(r);
    return e;
}

QByteArray examineInWorker(const QString& path, const TSeznamStran& strany, bool withTables,
                           bool hasCopies) {
    Examined e;
    try {
        e = examine(path, strany, withTables, hasCopies);
    } catch (const UrnariumError& err) {
        e = Examined{};
        e.reason = err.message();
    } catch (const std::exception& err) {
        e = Examined{};
        e.reason =
            QStringLiteral("Soubor nelze zpracovat: %1").arg(QString::fromLocal8Bit(err.what()));
    }
    e.reason.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return pack(e);
}

// ---- the files ----

struct FileEntry {
    QString path;
    char kind = 0; // 'O', 'E' or 'P' after the name; 0 for a file that is not a data file
    QString nameObec;
    qint32 nameOkrsek = 0;

    Status status = Status::Refused;
    bool read = false;
    qint32 obec = 0;
    qint32 okrsek = 0;
    QString reason;
    QList<Finding> findings;
    QByteArray line; // of a file with copies
    bool counted = false;
    // Output order: the precinct (from the line, else from the name), then the path.
    qint64 sortObec = 0;

    bool identified() const { return read || kind != 0; }
    qint64 idObec() const { return read ? obec : nameObec.toLongLong(); }
    qint32 idOkrsek() const { return read ? okrsek : nameOkrsek; }
};

// The name the program gives a data file: kind, "E", the municipality code,
// a dot and the precinct number in five digits; any case.
const QRegularExpression& dataFileNamePattern() {
    static const QRegularExpression re(QStringLiteral("^([OEP])E([0-9]{1,6})\\.([0-9]{5})$"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

FileEntry entryFor(const QString& path) {
    FileEntry f;
    f.path = path;
    const QRegularExpressionMatch m = dataFileNamePattern().match(QFileInfo(path).fileName());
    if (!m.hasMatch()) {
        f.reason = QStringLiteral("Není datový soubor okrsku (jméno neodpovídá tvaru "
                                  "OE<obec>.<okrsek>).");
        return f;
    }
    f.kind = m.captured(1).toUpper().at(0).toLatin1();
    f.nameObec = m.captured(2);
    f.nameOkrsek = m.captured(3).toInt();
    if (f.kind == kKindE)
        f.reason = QStringLiteral("Soubor druhu E (data uložená, ale nezkontrolovaná nebo "
                                  "s chybami, které brání exportu) se nepřijímá; přijímá se "
                                  "jen soubor druhu O.");
    else if (f.kind == kKindP)
        f.reason = QStringLiteral("Soubor druhu P se nepřijímá; přijímá se jen soubor druhu O.");
    return f;
}

// Every file under the directories, sorted. A directory inside another one
// given (or the same one twice) is walked once, so that no file meets itself
// as a copy. Only regular files: reading a pipe or a device found on a disk
// could wait for ever.
QStringList filesUnder(const QStringList& dirs) {
    QStringList roots;
    QStringList canonical;
    for (const QString& d : dirs) {
        const QString c = QFileInfo(d).canonicalFilePath();
        const bool inside = std::any_of(canonical.begin(), canonical.end(), [&](const QString& o) {
            return c == o || c.startsWith(o + QLatin1Char('/'));
        });
        if (inside)
            continue;
        for (qsizetype i = canonical.size() - 1; i >= 0; --i)
            if (canonical.at(i).startsWith(c + QLatin1Char('/'))) {
                canonical.removeAt(i);
                roots.removeAt(i);
            }
        canonical.append(c);
        roots.append(d);
    }
    QStringList files;
    for (const QString& root : roots) {
        QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(it.next());
    }
    files.sort();
    return files;
}

// ---- the totals ----

struct PartyTotal {
    qint64 hlasy = 0;
    std::array<qint64, kPocetPrefHlasu> pref{};
};

struct Totals {
    qint64 precincts = 0;
    qint64 ZapsOsoby = 0;
    qint64 VydObalky = 0;
    qint64 OdevzdObalky = 0;
    qint64 PlatneHlasy = 0;
    std::map<qint32, PartyTotal> strany;

    void add(const Contribution& c) {
        ++precincts;
        ZapsOsoby += c.ZapsOsoby;
        VydObalky += c.VydObalky;
        OdevzdObalky += c.OdevzdObalky;
        PlatneHlasy += c.PlatneHlasy;
        for (const PartyVotes& p : c.strany) {
            PartyTotal& t = strany[p.strana];
            t.hlasy += p.hlasy;
            for (size_t k = 0; k < t.pref.size(); ++k)
                t.pref[k] += p.pref[k];
        }
    }
};

struct Summary {
    QList<FileEntry> files; // in output order
    QList<TAktOkrsek> missing;
    std::optional<qsizetype> expected; // with the tables
    Totals totals;
    QHash<qint32, QString> partyNames; // with the tables
};

// A precinct as one number: municipality codes have six digits, precinct
// numbers in file names five.
quint64 precinctKey(quint64 obec, qint32 okrsek) {
    return obec * 1000000 + quint64(okrsek);
}

// Copies of one precinct: the same data line counts once (the first file);
// different lines make every copy refused. Only the files that hold this
// precinct's data take part: a damaged file or another precinct's data under
// this name is refused on its own and cannot spoil a good copy.
void resolveCopies(Summary& sum, const QList<qsizetype>& copies,
                   const QHash<qsizetype, Contribution>& held) {
    QList<qsizetype> readable;
    for (qsizetype i : copies)
        if (!sum.files.at(i).line.isEmpty())
            readable.append(i);
    if (readable.isEmpty())
        return;
    const QByteArray& first = sum.files.at(readable.first()).line;
    const bool same = std::all_of(readable.begin(), readable.end(),
                                  [&](qsizetype i) { return sum.files.at(i).line == first; });
    auto also = [&](qsizetype self) {
        QStringList others;
        for (qsizetype i : readable)
            if (i != self)
                others.append(sum.files.at(i).path);
        return others.join(QStringLiteral(", "));
    };
    for (qsizetype i : readable) {
        FileEntry& f = sum.files[i];
        QString note;
        if (!same) {
            f.status = Status::Refused;
            note = QStringLiteral("Okrsek je dodán vícekrát s různým obsahem (také %1); "
                                  "nezapočten žádný ze souborů.")
                       .arg(also(i));
        } else if (i == readable.first()) {
            if (f.status != Status::Refused) {
                sum.totals.add(held.value(i));
                f.counted = true;
            }
        } else {
            note = QStringLiteral("Totožná kopie souboru %1; okrsek započten jen jednou.")
                       .arg(sum.files.at(readable.first()).path);
        }
        if (!note.isEmpty())
            f.reason = f.reason.isEmpty() ? note : note + QStringLiteral(" ") + f.reason;
    }
}

// What the tables add: the expected precincts that no file has arrived for,
// and every party of their list in the totals, with its name.
void compareWithTables(Summary& sum, const QList<TAktOkrsek>& expected,
                       const TSeznamStran& strany) {
    QSet<quint64> arrived;
    for (const FileEntry& f : sum.files)
        if (f.kind != 0)
            arrived.insert(precinctKey(f.nameObec.toULongLong(), f.nameOkrsek));
    sum.expected = expected.size();
    // In numeric order; a precinct that no file name can give (a code that
    // is not a number) never arrives and goes last.
    QList<std::pair<quint64, qsizetype>> missing;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const TAktOkrsek& o = expected.at(i);
        bool numeric = false;
        const quint64 obec = o.Obec.toULongLong(&numeric);
        numeric = numeric && obec < 1000000 && o.Okrsek >= 0 && o.Okrsek < 1000000;
        const quint64 key =
            numeric ? precinctKey(obec, o.Okrsek) : std::numeric_limits<quint64>::max();
        if (!numeric || !arrived.contains(key))
            missing.append({key, i});
    }
    std::stable_sort(missing.begin(), missing.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [key, i] : missing)
        sum.missing.append(expected.at(i));
    for (const TStrana& s : strany.strany) {
        const int p = cisloStrany(s);
        if (p >= 1 && p <= kPocetStranVeZaznamu) {
            sum.totals.strany[p];
            sum.partyNames.insert(p, s.NazevStrany);
        }
    }
}

// The lines by precinct, then by file; files that are no precinct's at the
// end.
void sortLines(Summary& sum) {
    for (FileEntry& f : sum.files)
        f.sortObec = f.identified() ? f.idObec() : std::numeric_limits<qint64>::max();
    std::sort(sum.files.begin(), sum.files.end(), [](const FileEntry& a, const FileEntry& b) {
        if (a.sortObec != b.sortObec)
            return a.sortObec < b.sortObec;
        if (a.idOkrsek() != b.idOkrsek())
            return a.idOkrsek() < b.idOkrsek();
        return a.path < b.path;
    });
}

// `expected` are the precincts the tables expect and `strany` their party
// list; without the tables, none.
Summary summarise(const QStringList& dirs, const std::optional<QList<TAktOkrsek>>& expected,
                  const TSeznamStran& strany, int jobs) {
    const bool withTables = expected.has_value();
    Summary sum;
    for (const QString& path : filesUnder(dirs))
        sum.files.append(entryFor(path));

    // Files of kind "O" named for the same precinct are copies to compare;
    // their shares are held until all of them are read. Every other
    // accepted precinct is summed as it arrives and forgotten.
    QList<qsizetype> kindO;
    QHash<QString, QList<qsizetype>> byName;
    for (qsizetype i = 0; i < sum.files.size(); ++i)
        if (sum.files.at(i).kind == kKindO) {
            kindO.append(i);
            byName[QFileInfo(sum.files.at(i).path).fileName().toUpper()].append(i);
        }
    QSet<qsizetype> inCopies;
    for (const QList<qsizetype>& group : std::as_const(byName))
        if (group.size() > 1)
            for (qsizetype i : group)
                inCopies.insert(i);
    QHash<qsizetype, Contribution> held;

    WorkerCallbacks cb;
    cb.work = [&](qsizetype k) {
        const qsizetype i = kindO.at(k);
        return examineInWorker(sum.files.at(i).path, strany, withTables, inCopies.contains(i));
    };
    cb.take = [&](qsizetype k, QByteArrayView bytes) {
        const qsizetype i = kindO.at(k);
        FileEntry& f = sum.files[i];
        std::optional<Examined> examined = unpack(bytes);
        if (!examined) {
            f.reason = QStringLiteral("Výsledek čtení souboru se ztratil; nezapočten.");
            return;
        }
        Examined& e = *examined;
        f.status = e.status;
        f.read = e.read;
        f.obec = e.obec;
        f.okrsek = e.okrsek;
        f.reason = e.reason;
        f.findings = std::move(e.findings);
        f.line = std::move(e.line);
        if (f.status == Status::Refused)
            return;
        if (inCopies.contains(i)) {
            held.insert(i, e.contribution);
        } else {
            sum.totals.add(e.contribution);
            f.counted = true;
        }
    };
    cb.lost = [&](qsizetype k, const QString& why) {
        sum.files[kindO.at(k)].reason =
            QStringLiteral("Soubor se nepodařilo zpracovat: %1; nezapočten.").arg(why);
    };
    runInWorkers(kindO.size(), jobs, cb);

    for (const QList<qsizetype>& group : std::as_const(byName))
        if (group.size() > 1)
            resolveCopies(sum, group, held);

    if (withTables)
        compareWithTables(sum, *expected, strany);
    sortLines(sum);
    return sum;
}

// ---- output ----

// The output goes out as it is made, a piece at a time, so that its size
// never has to fit in memory twice over.
class Output {
public:
    Output() = default;
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    ~Output() { flush(); }
    Output& operator<<(const QString& text) {
        m_text += text;
        if (m_text.size() >= 64 * 1024)
            flush();
        return *this;
    }
    void flush() {
        printOut(m_text);
        m_text.clear();
    }

private:
    QString m_text;
};

QString compact(const QJsonObject& o) {
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

// One object; each file, missing precinct and party on a line of its own.
void jsonOutput(const Summary& sum, Output& out) {
    out << QStringLiteral("{\n\"precincts\": [");
    QString separator = QStringLiteral("\n");
    for (const FileEntry& f : sum.files) {
        QJsonArray findings;
        for (const Finding& n : f.findings)
            findings.append(QJsonObject{{QStringLiteral("EStrana"), n.strana},
                                        {QStringLiteral("Chyba"), n.chyba},
                                        {QStringLiteral("Param"), n.param}});
        out << separator
            << compact(QJsonObject{
                   {QStringLiteral("file"), f.path},
                   {QStringLiteral("Obec"), f.identified() ? QJsonValue(f.idObec()) : QJsonValue()},
                   {QStringLiteral("Okrsek"),
                    f.identified() ? QJsonValue(f.idOkrsek()) : QJsonValue()},
                   {QStringLiteral("kind"), f.kind ? QString(QLatin1Char(f.kind)) : QString()},
                   {QStringLiteral("status"), statusKey(f.status)},
                   {QStringLiteral("reason"), f.reason},
                   {QStringLiteral("counted"), f.counted},
                   {QStringLiteral("findings"), findings},
               });
        separator = QStringLiteral(",\n");
    }
    out << QStringLiteral("\n],\n\"missing\": [");
    separator = QStringLiteral("\n");
    for (const TAktOkrsek& o : sum.missing) {
        // Thousands of these when few files have come in: written directly.
        bool numeric = false;
        const qint64 obec = o.Obec.toLongLong(&numeric);
        out << separator << QStringLiteral("{\"Obec\":")
            << (numeric ? QString::number(obec)
                        : QString::fromUtf8(
                              QJsonDocument(QJsonArray{o.Obec}).toJson(QJsonDocument::Compact))
                              .mid(1)
                              .chopped(1))
            << QStringLiteral(",\"Okrsek\":%1}").arg(o.Okrsek);
        separator = QStringLiteral(",\n");
    }
    const Totals& t = sum.totals;
    out << QStringLiteral("\n],\n\"totals\": ")
        << compact(QJsonObject{{QStringLiteral("precincts"), t.precincts},
                               {QStringLiteral("ZapsOsoby"), t.ZapsOsoby},
                               {QStringLiteral("VydObalky"), t.VydObalky},
                               {QStringLiteral("OdevzdObalky"), t.OdevzdObalky},
                               {QStringLiteral("PlatneHlasy"), t.PlatneHlasy}})
               .chopped(1)
        << QStringLiteral(",\"parties\": {");
    separator = QStringLiteral("\n");
    for (const auto& [p, party] : t.strany) {
        QJsonArray pref;
        for (qint64 v : party.pref)
            pref.append(v);
        out << separator << QStringLiteral("\"%1\": ").arg(p)
            << compact(QJsonObject{{QStringLiteral("votes"), party.hlasy},
                                   {QStringLiteral("preferential"), pref}});
        separator = QStringLiteral(",\n");
    }
    out << QStringLiteral("\n}}");
    if (sum.expected)
        out << QStringLiteral(",\n\"expected\": ") << QString::number(*sum.expected);
    out << QStringLiteral("\n}\n");
}

QString csvField(const QString& v) {
    if (!v.contains(QLatin1Char(',')) && !v.contains(QLatin1Char('"')) &&
        !v.contains(QLatin1Char('\n')))
        return v;
    return QLatin1Char('"') + QString(v).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QString csvRow(const QStringList& fields) {
    QStringList quoted;
    for (const QString& f : fields)
        quoted.append(csvField(f));
    return quoted.join(QLatin1Char(',')) + QLatin1Char('\n');
}

// Two tables, one empty line between them: the files (and the expected
// precincts that have not arrived, with status "missing"), then the totals
// one number a row.
void csvOutput(const Summary& sum, Output& out) {
    out << csvRow({QStringLiteral("file"), QStringLiteral("Obec"), QStringLiteral("Okrsek"),
                   QStringLiteral("kind"), QStringLiteral("status"), QStringLiteral("reason"),
                   QStringLiteral("counted")});
    for (const FileEntry& f : sum.files)
        out << csvRow({f.path, f.identified() ? QString::number(f.idObec()) : QString(),
                       f.identified() ? QString::number(f.idOkrsek()) : QString(),
                       f.kind ? QString(QLatin1Char(f.kind)) : QString(), statusKey(f.status),
                       f.reason, f.counted ? QStringLiteral("1") : QStringLiteral("0")});
    for (const TAktOkrsek& o : sum.missing)
        out << csvRow({QString(), o.Obec, QString::number(o.Okrsek), QString(),
                       QStringLiteral("missing"), QString(), QStringLiteral("0")});
    out << QStringLiteral("\n");
    out << csvRow({QStringLiteral("key"), QStringLiteral("party"), QStringLiteral("candidate"),
                   QStringLiteral("value")});
    const Totals& t = sum.totals;
    auto row = [&](const char* key, const QString& party, const QString& candidate, qint64 v) {
        out << csvRow({QLatin1String(key), party, candidate, QString::number(v)});
    };
    row("precincts", {}, {}, t.precincts);
    if (sum.expected)
        row("expected", {}, {}, *sum.expected);
    row("ZapsOsoby", {}, {}, t.ZapsOsoby);
    row("VydObalky", {}, {}, t.VydObalky);
    row("OdevzdObalky", {}, {}, t.OdevzdObalky);
    row("PlatneHlasy", {}, {}, t.PlatneHlasy);
    for (const auto& [p, party] : t.strany) {
        row("votes", QString::number(p), {}, party.hlasy);
        for (int k = 1; k <= kPocetPrefHlasu; ++k)
            row("preferential", QString::number(p), QString::number(k), party.pref[size_t(k - 1)]);
    }
}

void textOutput(const Summary& sum, Output& out) {
    out << QStringLiteral("Souhrn datových souborů okrsků\n\n")
        << QStringLiteral("  Obec  Okrsek  Druh  Stav                  Soubor\n");
    int counts[3] = {0, 0, 0};
    for (const FileEntry& f : sum.files) {
        ++counts[int(f.status)];
        out << QStringLiteral("%1 %2  %3     %4  %5\n")
                   .arg(f.identified() ? QString::number(f.idObec()) : QStringLiteral("-"), 6)
                   .arg(f.identified() ? QString::number(f.idOkrsek()) : QStringLiteral("-"), 7)
                   .arg(f.kind ? QChar(QLatin1Char(f.kind)) : QLatin1Char('-'))
                   .arg(statusText(f.status), -20)
                   .arg(f.path);
        if (!f.reason.isEmpty())
            out << QStringLiteral("                                    %1\n").arg(f.reason);
    }
    const Totals& t = sum.totals;
    out << QStringLiteral("\nSouborů %1: přijato %2, s upozorněním %3, odmítnuto %4.\n")
               .arg(sum.files.size())
               .arg(counts[int(Status::Accepted)])
               .arg(counts[int(Status::Warnings)])
               .arg(counts[int(Status::Refused)]);
    out << QStringLiteral("\nSoučty za započtené okrsky (%1):\n").arg(t.precincts);
    auto line = [&](const char* label, qint64 v) {
        out << QStringLiteral("  %1 %2\n").arg(QString::fromUtf8(label), -32).arg(v, 10);
    };
    line("Voliči v seznamu (ZapsOsoby)", t.ZapsOsoby);
    line("Vydané obálky (VydObalky)", t.VydObalky);
    line("Odevzdané obálky (OdevzdObalky)", t.OdevzdObalky);
    line("Platné hlasy (PlatneHlasy)", t.PlatneHlasy);
    if (!t.strany.empty())
        out << QStringLiteral("\n  Strana      Hlasy  Název\n");
    for (const auto& [p, party] : t.strany) {
        out << QStringLiteral("  %1 %2  %3\n")
                   .arg(p, 6)
                   .arg(party.hlasy, 10)
                   .arg(sum.partyNames.value(p));
        QStringList prefs;
        for (int k = 1; k <= kPocetPrefHlasu; ++k)
            if (party.pref[size_t(k - 1)] != 0)
                prefs.append(QStringLiteral("%1: %2").arg(k).arg(party.pref[size_t(k - 1)]));
        if (!prefs.isEmpty())
            out << QStringLiteral("         přednostní hlasy: %1\n")
                       .arg(prefs.join(QStringLiteral(", ")));
    }
    if (sum.expected) {
        out << QStringLiteral("\nOčekávaných okrsků %1, z nich nedorazilo %2")
                   .arg(*sum.expected)
                   .arg(sum.missing.size())
            << (sum.missing.isEmpty() ? QStringLiteral(".\n") : QStringLiteral(":\n"));
        for (const TAktOkrsek& o : sum.missing)
            out << QStringLiteral("  %1/%2\n").arg(o.Obec).arg(o.Okrsek);
    }
}

// ---- the command ----

int runSummary(const QStringList& args) {
    QStringList dirs;
    QString tables;
    bool json = false;
    bool csv = false;
    int jobs = std::clamp(QThread::idealThreadCount(), 1, kMaxJobs);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--json")) {
            json = true;
        } else if (a == QLatin1String("--csv")) {
            csv = true;
        } else if (a == QLatin1String("--tables") && i + 1 < args.size() && tables.isEmpty()) {
            tables = args.at(++i);
        } else if (a == QLatin1String("--jobs") && i + 1 < args.size()) {
            bool ok = false;
            jobs = args.at(++i).toInt(&ok);
            if (!ok || jobs < 1 || jobs > kMaxJobs)
                return usage(kUsage);
        } else if (a.startsWith(QLatin1String("--"))) {
            return usage(kUsage);
        } else {
            dirs.append(a);
        }
    }
    if (dirs.isEmpty() || (json && csv))
        return usage(kUsage);
    for (const QString& d : dirs)
        if (!QFileInfo(d).isDir())
            return fail(QStringLiteral("%1 není adresář.").arg(d));

    // The tables are read once and kept for every file; the workers inherit
    // them with the catalogue.
    std::unique_ptr<ReferenceTablesInMemory> inMemory;
    std::optional<QList<TAktOkrsek>> expected;
    TSeznamStran strany;
    if (!tables.isEmpty()) {
        if (!QFileInfo(tables).isDir())
            return fail(QStringLiteral("%1 není adresář.").arg(tables));
        QString program = QDir(tables).absolutePath();
        if (!program.endsWith(QLatin1Char('/')))
            program += QLatin1Char('/');
        setInstallDirs({program, program, program});
        inMemory = std::make_unique<ReferenceTablesInMemory>();
        NactiStrany(strany);
        expected = expectedPrecincts(kMaxExpected);
        if (QFileInfo::exists(programFile(QStringLiteral("CISCHYB.RCD"))))
            createErrorCatalogue();
        else
            createErrorCatalogue(QList<TChybaInfo>{});
    } else {
        createErrorCatalogue(QList<TChybaInfo>{});
    }

    const Summary sum = summarise(dirs, expected, strany, jobs);
    Output out;
    if (json)
        jsonOutput(sum, out);
    else if (csv)
        csvOutput(sum, out);
    else
        textOutput(sum, out);
    return kExitOk;
}

const bool registered = addSubcommand(
    {"summary", kUsage,
     "přehled a součty datových souborů okrsků v adresářích: každý soubor přečte a zkontroluje, "
     "přijaté okrsky sečte; s --tables i proti číselníkům a s výčtem chybějících okrsků",
     &runSummary});

} // namespace

} // namespace urn::datatool
