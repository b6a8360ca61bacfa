#!/usr/bin/env python3
"""Fails when a shipped translation lacks a text: lupdate is run over copies of the .ts files
with the sources as they are now, so a text added, changed or removed since the last update
shows up as unfinished or vanished. Also checks that each translation keeps the source's
placeholders and line breaks.

Usage: ts_complete_test.py LUPDATE TS_FILE... -- SOURCE..."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PLACEHOLDER = re.compile(r'%(?:\d+|n)')


def problems_in(ts_path):
    problems = []
    for context in ET.parse(ts_path).getroot().iter('context'):
        name = context.findtext('name')
        for message in context.iter('message'):
            source = message.findtext('source')
            where = f'{name}: "{source}"'
            translation = message.find('translation')
            kind = translation.get('type')
            if kind in ('unfinished', 'vanished', 'obsolete'):
                problems.append(f'{where} is {kind}')
                continue
            forms = ([form.text or '' for form in translation.iter('numerusform')]
                     if message.get('numerus') == 'yes' else [translation.text or ''])
            for form in forms:
                if not form.strip():
                    problems.append(f'{where} has an empty translation')
                elif sorted(set(PLACEHOLDER.findall(form))) != sorted(set(PLACEHOLDER.findall(source))):
                    problems.append(f'{where}: "{form}" does not keep the placeholders')
                elif form.count('\n') != source.count('\n'):
                    problems.append(f'{where}: "{form}" does not keep the line breaks')
    return problems


def main():
    args = sys.argv[1:]
    split = args.index('--')
    lupdate, ts_files, sources = args[0], args[1:split], args[split + 1:]
    failures = []
    with tempfile.TemporaryDirectory() as scratch:
        for ts_file in ts_files:
            copy = os.path.join(scratch, os.path.basename(ts_file))
            shutil.copyfile(ts_file, copy)
            subprocess.run([lupdate, '-silent', '-locations', 'none', *sources, '-ts', copy],
                           check=True, stdout=subprocess.DEVNULL)
            language = ET.parse(copy).getroot().get('language', '')
            if not os.path.basename(ts_file).startswith(f'fendry_{language}.'):
                failures.append(f'{ts_file}: says it is in "{language}"')
            failures += [f'{os.path.basename(ts_file)}: {p}' for p in problems_in(copy)]
    for failure in failures:
        print(failure)
    if failures:
        print('Run `cmake --build build --target update_translations` and translate what is '
              'marked unfinished.')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
