#!/usr/bin/env python3
"""Checks the direction of the layers in every include line of src/.

An include names its layer ("engine/dataset/data_set.h"); a file may include headers of
its own layer and of the layers below it, never of a layer above or of a sibling window
layer. The engine includes no Qt header at all; common and data only those of Qt Core
(texts, dates), never widgets or painting.
Exit code 0 when every include keeps the rule; otherwise one line per offence.
"""
import glob
import os
import re
import sys

# Rank of each layer, bottom up; the window layers share one rank and do not use each other.
RANK = {
    'engine': 0, 'common': 1, 'data': 2, 'dbcontrols': 3, 'shell': 4,
    'masterdata': 5, 'evenings': 5, 'cashbook': 5, 'evaluation': 5, 'reports': 5, 'sqlwindow': 5,
    'app': 6,
}
WITHOUT_QT = {'engine'}
QT_CORE_ONLY = {'common', 'data'}
QT_CORE_DIRS = glob.glob('/usr/include/*/qt6/QtCore') + glob.glob('/usr/include/qt6/QtCore')


def is_qt_core(header):
    name = header.split('/')[-1]
    if header.startswith('QtCore/'):
        return True
    return any(os.path.exists(os.path.join(d, name)) for d in QT_CORE_DIRS)
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def offences(src):
    for folder, dirs, files in os.walk(src):
        dirs.sort()
        for name in sorted(files):
            if not name.endswith(('.h', '.cpp')):
                continue
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, src)
            layer = rel.split(os.sep)[0]
            if layer not in RANK:
                yield f'{rel}: liegt in keiner bekannten Schicht'
                continue
            with open(path, encoding='utf-8') as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    bracket, header = m.groups()
                    if bracket == '<':
                        if not re.match(r'Q[A-Za-z]', header):
                            continue
                        if layer in WITHOUT_QT:
                            yield f'{rel}:{number}: Qt-Header <{header}> in der Schicht {layer}'
                        elif layer in QT_CORE_ONLY and not is_qt_core(header):
                            yield f'{rel}:{number}: <{header}> gehört nicht zu Qt Core (Schicht {layer})'
                        continue
                    target = header.split('/')[0]
                    if target not in RANK or '/' not in header:
                        yield f'{rel}:{number}: "{header}" nennt keine Schicht'
                    elif target != layer and RANK[target] >= RANK[layer]:
                        yield f'{rel}:{number}: {layer} darf "{header}" nicht einbinden'


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', '..', 'src')
    found = list(offences(os.path.normpath(src)))
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main())
