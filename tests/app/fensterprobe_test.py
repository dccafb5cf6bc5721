#!/usr/bin/env python3
"""The built program contains its windows.

Lays out a program folder with a demo club (trevo-setup), copies the built trevo into it,
lists the windows it contains (--fenster) and opens every window through the main window's
menus (--fensterprobe), offscreen; windows without a menu item of the main window open
through their code; with the members window (5) the member import comes up on the
folder's KEGLER.DBF and is cancelled. Fails when one of the expected window codes is missing
from the program or cannot be opened from its menu item, when the import dialog does not
come up or imports anything, or when a message box appears.
Usage: fensterprobe_test.py TREVO TREVO_SETUP CODE...
"""
import os
import shutil
import subprocess
import sys
import tempfile


def run(args, cwd, env):
    r = subprocess.run(args, cwd=cwd, env=env, capture_output=True, text=True, timeout=180)
    print(f'$ {" ".join(args)} -> {r.returncode}')
    print(r.stdout, end='')
    print(r.stderr, end='', file=sys.stderr)
    return r


def main():
    trevo, setup, codes = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), sys.argv[3:]
    env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        folder += '/'
        for kind in ('programmordner', 'demo'):
            if run([setup, kind, folder], folder, env).returncode != 0:
                return f'trevo-setup {kind} ist gescheitert'
        with open(os.path.join(folder, 'KEGLER.DBF'), 'rb') as f:
            members = f.read()
        program = os.path.join(folder, 'trevo')
        shutil.copy(trevo, program)

        listed = run([program, '--fenster'], folder, env)
        contained = {line.split('\t')[0] for line in listed.stdout.splitlines() if '\t' in line}
        failures += [f'Fenster {c} fehlt im Programm' for c in codes if c not in contained]

        probe = run([program, '--fensterprobe', *codes], folder, env)
        opened = {line.split('\t')[0] for line in probe.stdout.splitlines()
                  if line.endswith('\tgeöffnet') or line.endswith('\tüber den Code geöffnet')}
        failures += [f'Fenster {c} ließ sich nicht öffnen' for c in codes if c not in opened]
        if '5' in codes:
            if 'Import\tDatenimport\tgeöffnet' not in probe.stdout.splitlines():
                failures.append('Der Datenimport ließ sich nicht öffnen')
            with open(os.path.join(folder, 'KEGLER.DBF'), 'rb') as f:
                after = f.read()
            if after != members:
                failures.append('Der abgebrochene Datenimport hat KEGLER.DBF verändert')
        if probe.returncode != 0:
            failures.append(f'--fensterprobe endete mit {probe.returncode}')
    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
