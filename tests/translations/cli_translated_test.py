#!/usr/bin/env python3
"""Fails when fendry-cli says something in English to a user of a shipped language: each
command is run in English and in the language, over the same items, and a line found in both
that has words in it fails.

Usage: cli_translated_test.py FENDRY_CLI"""

import os
import re
import subprocess
import sys
import tempfile

LANGUAGES = {'de': 'de_DE.UTF-8', 'fr': 'fr_FR.UTF-8', 'es': 'es_ES.UTF-8'}


def make_items(root):
    """A file, a folder, a link, a file with a name outside the run and a FIFO."""
    def write(path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'wb') as f:
            f.write(b'x' * 1500)
    write(f'{root}/1')
    write(f'{root}/2/3')
    os.symlink(f'{root}/1', f'{root}/4')
    write(f'{root}/5')
    os.link(f'{root}/5', f'{root}/6')
    os.mkfifo(f'{root}/7')
    return [f'{root}/{name}' for name in ('1', '2', '4', '5', '7')]


COMMANDS = {
    'help': lambda items: ['--help'],
    'dry run': lambda items: ['--dry-run', *items, '/'],
    'erase': lambda items: ['--yes', *items],
    'quiet': lambda items: ['--quiet', '--yes', *items],
    'unknown method': lambda items: ['--method', 'none', *items],
    'unknown option': lambda items: ['--none'],
    'no path': lambda items: ['--yes'],
    'refused': lambda items: ['--yes', '/'],
    'no terminal': lambda items: items,
    'wipe refused': lambda items: ['--wipe-free-space', '/proc', '--yes'],
    'wipe unanswered': lambda items: ['--wipe-free-space', os.path.dirname(items[0])],
}


def run(cli, command, locale):
    env = {k: v for k, v in os.environ.items() if not k.startswith(('LC_', 'LANG'))}
    env['LANG'] = locale
    # strerror's words come from the C library, which speaks the language only where the locale
    # is installed: the check is on our words.
    env['LC_MESSAGES'] = locale
    with tempfile.TemporaryDirectory() as root, tempfile.TemporaryDirectory() as config:
        env['XDG_CONFIG_HOME'] = config
        args = COMMANDS[command](make_items(root))
        done = subprocess.run([cli, *args], env=env, stdin=subprocess.DEVNULL,
                              capture_output=True, text=True)
        output = (done.stdout + done.stderr).replace(root, 'ROOT')
    return done.returncode, [line for line in output.splitlines() if not line.startswith('Detected locale')]


def main():
    cli = sys.argv[1]
    letter = re.compile(r'[^\W\d_]')
    failures = []
    for command in COMMANDS:
        english_status, english = run(cli, command, 'C.UTF-8')
        for language, locale in LANGUAGES.items():
            status, lines = run(cli, command, locale)
            where = f'{language}, {command}'
            # Help is wrapped to the terminal's width, so its translation may take more lines.
            if status != english_status or (command != 'help' and len(lines) != len(english)):
                failures.append(f'{where}: exit {status} and {len(lines)} lines, in English '
                                f'exit {english_status} and {len(english)} lines')
            for line in lines:
                words = line.replace('ROOT', '').replace('fendry-cli', '')
                if line in english and letter.search(words):
                    failures.append(f'{where}: "{line}" is not translated')
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
