#!/usr/bin/env python3
"""Checks the generated content set: the generator writes the same bytes on every run, every ".qel"
opens with Python's zipfile and holds exactly its folder's members (sounds and movies stay files
beside it), the archive-only form keeps only sounds and movies in the folders, and the manifest
names only files that are there.

usage: check_content.py <fixture-content> <content folder (--form both)> <scratch folder>
"""
import json
import os
import shutil
import subprocess
import sys
import zipfile

PLAIN = ('.wav', '.bik')


def files_of(root):
    found = {}
    for folder, _, names in os.walk(root):
        for name in names:
            path = os.path.join(folder, name)
            with open(path, 'rb') as f:
                found[os.path.relpath(path, root)] = f.read()
    return found


def generate(program, out, form):
    shutil.rmtree(out, ignore_errors=True)
    subprocess.run([program, '--out', out, '--form', form, '--voice', 'tone'], check=True)


def main():
    program, content, scratch = sys.argv[1:4]
    failures = []
    first = files_of(content)

    again = os.path.join(scratch, 'again')
    generate(program, again, 'both')
    second = files_of(again)
    if first.keys() != second.keys():
        failures.append('the second run wrote other files: %s' % sorted(first.keys() ^ second.keys())[:10])
    failures += ['%s differs between runs' % name for name in sorted(first.keys() & second.keys())
                 if first[name] != second[name]]

    archives = [name for name in first if name.endswith('.qel')]
    if not archives:
        failures.append('no archive was written')
    for name in archives:
        folder = name[:-len('.qel')]
        try:
            with zipfile.ZipFile(os.path.join(content, name)) as archive:
                bad = archive.testzip()
                if bad:
                    failures.append('%s: member %s is damaged' % (name, bad))
                members = {info.filename: archive.read(info) for info in archive.infolist()}
        except zipfile.BadZipFile as error:
            failures.append('%s does not open: %s' % (name, error))
            continue
        expected = {os.path.relpath(path, folder): data for path, data in first.items()
                    if os.path.dirname(path) == folder and not path.endswith(PLAIN)}
        if members.keys() != expected.keys():
            failures.append('%s holds %s, its folder %s' % (name, sorted(members), sorted(expected)))
        failures += ['%s: %s differs from the folder\'s file' % (name, member)
                     for member in sorted(members.keys() & expected.keys()) if members[member] != expected[member]]

    archived = os.path.join(scratch, 'qel')
    generate(program, archived, 'qel')
    third = files_of(archived)
    for name, data in third.items():
        if name.endswith('.qel') and first.get(name) != data:
            failures.append('%s of the archive form differs from that of both forms' % name)
        in_database = name.startswith(('universal' + os.sep, 'eng_usa' + os.sep)) and not name.endswith('.qel')
        if in_database and not name.endswith(PLAIN):
            failures.append('%s is a loose file of the archive form' % name)
        if name.endswith(PLAIN) and first.get(name) != data:
            failures.append('%s of the archive form differs' % name)
    if {n for n in first if n.endswith('.qel')} != {n for n in third if n.endswith('.qel')}:
        failures.append('the archive form writes other archives')

    strings = first.get('PiloStr.txt', b'')
    if not strings.startswith(b'\xff\xfe') or strings[2:].decode('utf-16-le').split('\r\n')[0] != 'Pilo':
        failures.append('PiloStr.txt is not UTF-16 with its mark and the caption "Pilo"')

    manifest = json.loads(first['manifest.json'])
    for key, database in manifest['databases'].items():
        for kind, extension in (('sprites', '.qela'), ('objectFiles', '.txt'), ('sounds', '.wav'),
                                ('movies', '.bik')):
            for name in database[kind]:
                if os.path.join(*key.split('/'), name + extension) not in first:
                    failures.append('the manifest names %s%s of %s, which is not there' % (name, extension, key))

    for failure in failures:
        print('FAIL:', failure)
    print('%d files, %d archives checked' % (len(first), len(archives)))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
