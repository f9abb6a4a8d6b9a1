#!/usr/bin/env python3
"""The user's guide as an installation holds it: lays out the demo
installation, then checks that the guide is beside the program under the name
"Nápověda" opens, that every picture and page it links to is there and every
picture in its folder is used, that its in-page links lead somewhere, and that
every text it quotes from the program (<samp>) is the program's text.

  check_guide.py SOURCE_DIR BUILD_DIR
"""
import html.parser
import os
import re
import subprocess
import sys
import tempfile

PICTURES = "obrazky"


class Guide(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.links, self.ids, self.quotes, self.no_alt = [], set(), [], []
        self._samp = 0
        self._var = False
        self._text = ""

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if "id" in a:
            self.ids.add(a["id"])
        if tag == "img":
            self.links.append(a.get("src", ""))
            if not a.get("alt"):
                self.no_alt.append(a.get("src", ""))
        if tag == "a" and "href" in a:
            self.links.append(a["href"])
        if tag == "samp":
            self._samp += 1
            if self._samp == 1:
                self._text = ""
        elif self._samp and tag == "br":
            self._text += "\n"
        elif self._samp and tag == "var":
            self._var = True
            self._text += "\0"  # the place of a value the program fills in

    def handle_endtag(self, tag):
        if tag == "var":
            self._var = False
        if tag == "samp":
            self._samp -= 1
            if self._samp == 0:
                self.quotes.append(self._text)

    def handle_data(self, data):
        if self._samp and not self._var:
            self._text += data


def program_texts(src):
    """Every text of the program's string literals, cut into its lines;
    literals that follow one another with only blanks between are one text,
    and menu accelerators ("K&onec") are read as shown ("Konec")."""
    # String literals, with the comments and character literals that could
    # hide or fake one.
    token = re.compile(r'"((?:[^"\\\n]|\\.)*)"|\'(?:[^\'\\\n]|\\.)*\'|//[^\n]*|/\*.*?\*/', re.S)
    escapes = {"r": "\n", "n": "\n", "t": "\t", '"': '"', "\\": "\\", "'": "'"}
    pieces = set()
    for folder, _, files in os.walk(os.path.join(src, "src")):
        for name in files:
            if not name.endswith((".cpp", ".h")):
                continue
            code = open(os.path.join(folder, name), encoding="utf-8").read()
            joined, end = [], None
            for m in token.finditer(code):
                if m.group(1) is None:
                    end = None
                    continue
                text = re.sub(r"\\(.)", lambda e: escapes.get(e.group(1), e.group(0)), m.group(1))
                if end is not None and code[end:m.start()].strip() == "":
                    joined[-1] += text
                else:
                    joined.append(text)
                end = m.end()
            for text in joined:
                pieces.update(text.replace("&", "").split("\n") + text.split("\n"))
    return {re.sub(r"\s+", " ", p) for p in pieces if p.strip()}


def quoted_correctly(segment, texts, prefixes, suffixes):
    """A segment of a quoted line is one program text or a part of one, or
    texts the program puts one after another: the end of one, whole ones,
    the start of the last."""
    if any(segment in t for t in texts):
        return True
    n = len(segment)
    reach = [False] * (n + 1)
    for i in range(1, n):
        reach[i] = segment[:i] in suffixes
    for i in range(1, n):
        if reach[i]:
            if segment[i:] in prefixes:
                return True
            for j in range(i + 1, n):
                if not reach[j] and segment[i:j] in texts:
                    reach[j] = True
    return False


def main():
    src, build = sys.argv[1], sys.argv[2]
    # The name under which "Nápověda" looks for the guide beside the program.
    header = open(os.path.join(src, "src", "app", "MainWindow.h"), encoding="utf-8").read()
    guide_name = re.search(r'kHelpFileName = "([^"]+)"', header).group(1)
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        inst = os.path.join(tmp, "inst")
        subprocess.run([os.path.join(src, "scripts", "lay-out-demo.sh"), build, inst],
                       cwd=src, check=True, stdout=subprocess.DEVNULL)
        path = os.path.join(inst, guide_name)
        if not os.path.isfile(path):
            sys.exit("%s is not beside the program in the demo installation" % guide_name)
        guide = Guide()
        guide.feed(open(path, encoding="utf-8").read())

        used = set()
        for link in guide.links:
            if re.match(r"^[a-z]+:", link):
                continue
            target, _, anchor = link.partition("#")
            if target:
                used.add(os.path.normpath(target))
                if not os.path.isfile(os.path.join(inst, target)):
                    failures.append("missing in the installation: " + target)
            elif anchor not in guide.ids:
                failures.append("no place for the link #" + anchor)
        folder = os.path.join(inst, PICTURES)
        for name in sorted(os.listdir(folder)) if os.path.isdir(folder) else []:
            if os.path.join(PICTURES, name) not in used:
                failures.append("picture not used by the guide: " + name)
        failures += ["picture without a description (alt): " + s for s in guide.no_alt]

    texts = program_texts(src)
    prefixes = {t[:i] for t in texts for i in range(1, len(t) + 1)}
    suffixes = {t[i:] for t in texts for i in range(len(t))}
    for quote in guide.quotes:
        for line in quote.split("\n"):
            for segment in re.sub(r"\s+", " ", line).split("\0"):
                segment = segment.strip()
                if segment and not quoted_correctly(segment, texts, prefixes, suffixes):
                    failures.append("not the program's text: \"%s\"" % segment)

    for f in dict.fromkeys(failures):
        print(f)
    print("%d links, %d quotes checked" % (len(guide.links), len(guide.quotes)))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
