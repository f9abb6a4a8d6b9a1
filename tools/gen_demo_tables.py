#!/usr/bin/env python3
"""Generates the synthetic reference tables of the demo installation.

The output is the readable text form kept in demo/tables/ (one record per
line, fields separated by "|"); urnarium-refdata turns it into the binary
record files. Run once; the text files are committed, so the demo data stay
stable. The data are invented but shaped like a national installation:
about 6,300 municipalities in 77 districts, 27 parties with their
candidates, and an expected number of voters for every precinct.
"""
import random
import sys
from pathlib import Path

rnd = random.Random(20261209)
out = Path(sys.argv[1] if len(sys.argv) > 1 else "demo/tables")

DISTRICTS = """Benešov Beroun Kladno Kolín Kutná_Hora Mělník Mladá_Boleslav Nymburk
Praha-východ Praha-západ Příbram Rakovník České_Budějovice Český_Krumlov Jindřichův_Hradec
Písek Prachatice Strakonice Tábor Domažlice Klatovy Plzeň-město Plzeň-jih Plzeň-sever
Rokycany Tachov Cheb Karlovy_Vary Sokolov Děčín Chomutov Litoměřice Louny Most Teplice
Ústí_nad_Labem Česká_Lípa Jablonec_nad_Nisou Liberec Semily Hradec_Králové Jičín Náchod
Rychnov_nad_Kněžnou Trutnov Chrudim Pardubice Svitavy Ústí_nad_Orlicí Havlíčkův_Brod
Jihlava Pelhřimov Třebíč Žďár_nad_Sázavou Blansko Brno-město Brno-venkov Břeclav Hodonín
Vyškov Znojmo Jeseník Olomouc Prostějov Přerov Šumperk Kroměříž Uherské_Hradiště Vsetín
Zlín Bruntál Frýdek-Místek Karviná Nový_Jičín Opava Ostrava-město Hlavní_město_Praha""".split()
DISTRICTS = [d.replace("_", " ") for d in DISTRICTS]
assert len(DISTRICTS) == 77

PREFIX = ["", "", "", "", "Horní ", "Dolní ", "Velká ", "Malá ", "Nová ", "Stará ", "Vysoká ",
          "Černá ", "Bílá ", "Zlatá ", "Červená "]
BASE = ["Lhota", "Ves", "Újezd", "Březová", "Lipová", "Dubí", "Olešnice", "Kamenice",
        "Bystřice", "Radostín", "Hořice", "Chlumec", "Kostelec", "Lázně", "Hrádek", "Ždánice",
        "Chotěboř", "Řečice", "Dvorce", "Studánka", "Lukov", "Petrovice", "Vrbice", "Skalice",
        "Jablonná", "Třešť", "Hluboká", "Zahrádky", "Pňovice", "Lešany", "Kněževes", "Sedlec",
        "Černovice", "Rožnov", "Úvaly", "Žernosek", "Šťáhlavy", "Čížkov", "Kyšice", "Bělá",
        "Mnichov", "Polná", "Roudnice", "Přibyslav", "Nedašov", "Hošťálková", "Vlčnov", "Bzenec",
        "Ořechov", "Jevíčko", "Zbraslav", "Dačice", "Slavonice", "Třebechovice", "Čistá",
        "Doubravice", "Hostěradice", "Kunštát", "Lomnice", "Tišnov", "Rájec", "Boskovice"]
RIVERS = ["Labem", "Vltavou", "Sázavou", "Oslavou", "Jihlavou", "Moravou", "Ohří", "Orlicí",
          "Svitavou", "Bečvou", "Odrou", "Nisou", "Metují", "Lužnicí", "Otavou", "Doubravou"]
NEAR = ["Brna", "Jihlavy", "Kamenice", "Olešnice", "Třebíče", "Boskovic", "Tábora", "Písku",
        "Kolína", "Rakovníka", "Chrudimi", "Vsetína", "Znojma", "Přerova", "Berouna"]
HILLS = ["Radhoštěm", "Ještědem", "Kletí", "Blaníkem", "Řípem", "Sněžkou", "Javorem"]


def municipality_name():
    base = rnd.choice(BASE)
    prefix = rnd.choice(PREFIX)
    # Only "Horní" and "Dolní" agree with every gender of the base name.
    if not base.endswith(("a", "e", "á")) and prefix not in ("", "Horní ", "Dolní "):
        prefix = rnd.choice(["Horní ", "Dolní "])
    name = prefix + base
    r = rnd.random()
    if r < 0.12:
        name += " nad " + rnd.choice(RIVERS)
    elif r < 0.16:
        name += " pod " + rnd.choice(HILLS)
    elif r < 0.24:
        name += " u " + rnd.choice(NEAR)
    return name[:40]


def precinct_count():
    r = rnd.random()
    if r < 0.70:
        return 1
    if r < 0.88:
        return rnd.randint(2, 4)
    if r < 0.97:
        return rnd.randint(5, 15)
    return rnd.randint(16, 60)


def okres_code(district):
    i = DISTRICTS.index(district)
    return str(3101 + i * 10 + (i % 7))


okrsky, qzrvok = [], []
code = 500003
station = None
for d_index, district in enumerate(DISTRICTS):
    okres = okres_code(district)
    n_mun = 82 if d_index < 62 else 83
    for m in range(n_mun):
        code += rnd.randint(7, 12)
        name = municipality_name()
        n = precinct_count()
        first = 1
        if district == "Hlavní město Praha" and m < 10:
            first, n = 1000 * (m + 1) + 1, rnd.randint(40, 120)
        okrsky.append((str(code), name, first, first + n - 1, okres, district[:20]))
        for k in range(first, first + n):
            qzrvok.append((str(code), k, rnd.randint(120, 1900)))

# The demo station's own municipality: three precincts, the station serves 2.
station = ("582786", "Bílá Lhota u Kamenice", 1, 3, okres_code("Blansko"), "Blansko")
okrsky.insert(len(okrsky) // 3, station)
for k, v in ((1, 812), (2, 655), (3, 1034)):
    qzrvok.append((station[0], k, v))

# A municipality listed twice: only the first record's range counts, so its
# precincts 6 to 9 are not found.
twice = ("596221", "Stará Ves nad Ondřejnicí", 1, 5, okres_code("Frýdek-Místek"),
         "Frýdek-Místek")
okrsky.insert(len(okrsky) // 2, twice)
okrsky.insert(len(okrsky) // 2 + 40, (twice[0], twice[1], 6, 9, twice[4], twice[5]))
for k in range(1, 10):
    qzrvok.append((twice[0], k, rnd.randint(300, 900)))

# Special precincts abroad: the municipality code stands in the precinct
# list once, their precincts are described in QZRZVO.RCD.
okrsky.append(("999997", "Zvláštní okrsky v zahraničí", 1, 999, "9999", "Zahraničí"))
embassies = ["ZÚ Vídeň", "ZÚ Berlín", "ZÚ Bratislava", "ZÚ Varšava", "ZÚ Budapešť",
             "ZÚ Paříž", "ZÚ Londýn", "ZÚ Řím", "ZÚ Madrid", "ZÚ Brusel", "ZÚ Haag",
             "ZÚ Kodaň", "ZÚ Stockholm", "ZÚ Helsinky", "ZÚ Dublin", "ZÚ Lisabon",
             "ZÚ Atény", "ZÚ Lublaň", "ZÚ Záhřeb", "GK Mnichov", "GK Drážďany", "GK Katovice"]
qzrzvo = []
for i, e in enumerate(embassies, start=1):
    qzrzvo.append(("999997", i, e, "Zahraničí"))
    qzrvok.append(("999997", i, rnd.randint(40, 600)))
# A record with precinct 5 of another code before the real one: precinct 5
# of 999997 is therefore not found.
qzrzvo.insert(2, ("999996", 5, "Zkušební okrsek", "Zahraničí"))

# One precinct listed twice with different numbers: the later record wins.
qzrvok.append((station[0], 2, 661))

PARTY_WORDS = ["Strana", "Hnutí", "Unie", "Aliance", "Koalice", "Sdružení", "Iniciativa",
               "Fórum", "Spolek", "Platforma"]
PARTY_ADJ = ["zelené Evropy", "pro venkov", "svobodných občanů", "moravských měst",
             "rozumné politiky", "pro vzdělání", "českých řemeslníků", "poctivé práce",
             "nezávislých starostů regionů", "za čistou krajinu", "pro zdravou Evropu",
             "mladých voličů", "seniorů a rodin", "pro digitální stát", "cyklistů a chodců",
             "za nízké daně", "sociální soudržnosti", "pro malé podniky", "přátel přírody",
             "za bezpečnou Evropu", "vinařů a sadařů", "pro zdravotnictví", "Slezska a Moravy",
             "za otevřenou radnici", "dobrých sousedů", "pro kulturu a sport",
             "evropské spolupráce"]
FIRST_M = ["Jan", "Petr", "Tomáš", "Martin", "Jiří", "Pavel", "Lukáš", "Ondřej", "Michal",
           "Jakub", "Václav", "Miroslav", "Zdeněk", "Radek", "Štěpán", "Vojtěch"]
FIRST_F = ["Jana", "Eva", "Hana", "Lucie", "Kateřina", "Tereza", "Markéta", "Veronika",
           "Zuzana", "Alena", "Božena", "Ludmila", "Šárka", "Iveta", "Dagmar", "Radka"]
SURN = [("Novák", "Nováková"), ("Dvořák", "Dvořáková"), ("Černý", "Černá"),
        ("Procházka", "Procházková"), ("Kučera", "Kučerová"), ("Veselý", "Veselá"),
        ("Horák", "Horáková"), ("Němec", "Němcová"), ("Pokorný", "Pokorná"),
        ("Marek", "Marková"), ("Pospíšil", "Pospíšilová"), ("Hájek", "Hájková"),
        ("Jelínek", "Jelínková"), ("Král", "Králová"), ("Růžička", "Růžičková"),
        ("Beneš", "Benešová"), ("Fiala", "Fialová"), ("Sedláček", "Sedláčková"),
        ("Doležal", "Doležalová"), ("Zeman", "Zemanová"), ("Kolář", "Kolářová"),
        ("Navrátil", "Navrátilová"), ("Čermák", "Čermáková"), ("Vaněk", "Vaňková"),
        ("Urban", "Urbanová"), ("Blažek", "Blažková"), ("Kříž", "Křížová"),
        ("Kovář", "Kovářová"), ("Bartoš", "Bartošová"), ("Vlček", "Vlčková"),
        ("Šimek", "Šimková"), ("Říha", "Říhová"), ("Holub", "Holubová"),
        ("Skála", "Skálová"), ("Šťastný", "Šťastná"), ("Žák", "Žáková")]
TITLES_BEFORE = ["", "", "", "Ing. ", "Mgr. ", "MUDr. ", "JUDr. ", "Bc. ", "PhDr. ", "doc. Ing. "]
TITLES_AFTER = ["", "", "", "", "Ph.D.", "CSc.", "MBA", "DiS."]

strany, kandidati = [], []
for p in range(1, 28):
    name = f"{PARTY_WORDS[p % len(PARTY_WORDS)]} {PARTY_ADJ[p - 1]}"
    count = 28 if p % 4 else rnd.randint(4, 20)
    if p == 27:
        count = 5
    strany.append((p, name, count))
    for c in range(1, count + 1):
        female = rnd.random() < 0.45
        first = rnd.choice(FIRST_F if female else FIRST_M)
        sur = rnd.choice(SURN)[1 if female else 0]
        j1 = (rnd.choice(TITLES_BEFORE) + first + " " + sur)[:40]
        j2 = rnd.choice(TITLES_AFTER)
        flag = "N" if rnd.random() < 0.04 else "A"
        kandidati.append((p, c, j1, j2, flag))
# Party 27 lists five candidates but the table has only four of them, so the
# fifth keeps the dashes of a missing candidate.
kandidati = [k for k in kandidati if not (k[0] == 27 and k[1] == 5)]


def write(name, header, rows):
    path = out / name
    with open(path, "w", encoding="utf-8") as f:
        f.write(header)
        for r in rows:
            f.write("|".join(str(x) for x in r) + "\n")


out.mkdir(parents=True, exist_ok=True)
write("okrsky.txt", "# Obec|NazevObce|OkrsekOd|OkrsekDo|Okres|NazevOkresu\n", okrsky)
write("strany.txt", "# CisloStrany|NazevStrany|PocetKand\n", strany)
write("kandidat.txt", "# CisloStrany|CisloKand|KandJmeno1|KandJmeno2|KandPriznak\n", kandidati)
write("qzrvok.txt", "# Obec|Okrsek|PocetVolicu\n", qzrvok)
write("qzrzvo.txt", "# Obec|Okrsek|NazevObce|NazevOkresu\n", qzrzvo)
print(len(okrsky), "municipality records,", len(qzrvok), "precincts,",
      len(strany), "parties,", len(kandidati), "candidates")
