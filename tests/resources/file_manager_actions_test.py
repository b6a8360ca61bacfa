# The "Erase with Fendry…" entries for Dolphin, Nemo and Nautilus: each names the action, and
# hands the selection to the real fendry, which passes exactly those names on to the running
# window. Nemo's command line is built and split with GLib's own functions, as Nemo does.
import configparser
import importlib
import os
import shlex
import socket
import struct
import subprocess
import sys
import tempfile
import types
import unittest
from unittest import mock

from gi.repository import GLib

FOLDER = sys.argv.pop(1)
FENDRY = sys.argv.pop(1)
LABEL = "Erase with Fendry…"
# Names that a command line could split, quote, take for an option, or spell as other bytes.
NAMES = [b"it's \"quoted\"", b"two  spaces", b"-y", b"line\nbreak", b"caf\xe9 $HOME `id` \\ %41 #x"]


def key_file(name, group):
    parser = configparser.ConfigParser(interpolation=None, strict=True)
    parser.optionxform = str  # keys are case-sensitive
    with open(os.path.join(FOLDER, name), encoding="utf-8") as f:
        parser.read_file(f)
    return parser[group]


DOLPHIN_ENTRY = key_file("co.morvel.Fendry.erase.desktop", "Desktop Entry")
DOLPHIN = key_file("co.morvel.Fendry.erase.desktop", "Desktop Action eraseWithFendry")
NEMO = key_file("fendry.nemo_action", "Nemo Action")


def receive(connection, size):
    data = connection.recv(size, socket.MSG_WAITALL)
    if len(data) != size:
        raise EOFError("fendry hung up")
    return data


# Runs the real fendry with argv's arguments as a later launch, and returns the paths it hands
# to the running window (a stand-in listening on the socket).
def handed_to_fendry(argv):
    with tempfile.TemporaryDirectory() as runtime, \
            socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as listener:
        listener.bind(os.path.join(runtime, "fendry.socket"))
        listener.listen(1)
        listener.settimeout(30)
        environment = dict(os.environ, XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="offscreen")
        launch = subprocess.Popen([FENDRY, *argv[1:]], env=environment)
        with listener.accept()[0] as connection:
            connection.settimeout(30)
            message = receive(connection, struct.unpack(">I", receive(connection, 4))[0])
            connection.sendall(b"\n")  # received
            still_there = receive(connection, 1)
        if launch.wait(30) != 0 or still_there != b"\n":
            raise AssertionError(f"fendry ended with {launch.returncode}")
        return message.split(b"\0")[:-1]


# What Nemo runs for the action: each selected file's URI in place of %U, between the quotes
# the action asks for, split as a shell would (g_spawn_command_line_async).
def nemo_command_line(paths):
    quote = {"single": "'", "double": '"', "backtick": "`"}.get(NEMO.get("Quote"), "")
    uris = [quote + GLib.filename_to_uri(path, None) + quote for path in paths]
    line = NEMO["Exec"].replace("%U", NEMO.get("Separator", " ").join(uris), 1)
    try:
        return GLib.shell_parse_argv(line)[1]
    except GLib.Error:
        return None  # Nemo runs nothing


# What Nautilus does when the user chooses the item (a mock made with its properties).
def activate(item):
    signal, handler, *data = item.connect.call_args.args
    if signal == "activate":
        handler(item, *data)


# The extension, imported with stand-ins for the modules it takes from Nautilus.
def nautilus_extension():
    repository = types.SimpleNamespace(
        GObject=types.SimpleNamespace(GObject=type("GObject", (), {})),
        Nautilus=types.SimpleNamespace(MenuProvider=type("MenuProvider", (), {}),
                                       MenuItem=mock.MagicMock))
    with mock.patch.dict(sys.modules, {"gi": types.SimpleNamespace(repository=repository),
                                       "gi.repository": repository}), \
            mock.patch.object(sys, "path", [FOLDER, *sys.path]):
        return importlib.import_module("fendry_erase")


# A file as GIO gives it; path None for one that is not local.
def local_file(path):
    return types.SimpleNamespace(get_location=lambda: types.SimpleNamespace(get_path=lambda: path))


class FileManagerActions(unittest.TestCase):
    def test_each_file_manager_lists_the_action_for_any_selection(self):
        application = key_file("../co.morvel.Fendry.desktop", "Desktop Entry")
        for entry, key, value in [
                (DOLPHIN_ENTRY, "Type", "Service"), (DOLPHIN_ENTRY, "MimeType", "all/all;"),
                (DOLPHIN_ENTRY, "X-KDE-ServiceTypes", "KonqPopupMenu/Plugin"),
                (DOLPHIN_ENTRY, "Actions", "eraseWithFendry;"),
                (DOLPHIN, "Name", LABEL), (NEMO, "Name", LABEL),
                (NEMO, "Selection", "notnone"), (NEMO, "Extensions", "any;"),
                # Whatever it claimed, a desktop could make it what opens folders or files.
                (application, "MimeType", None)]:
            self.assertEqual(entry.get(key) or None, value, key)

    def test_every_entry_hands_fendry_the_names_byte_for_byte(self):
        with tempfile.TemporaryDirectory() as folder:
            paths = [os.path.join(os.fsencode(folder), name) for name in NAMES]
            # Dolphin (KIO) puts each selected local file's path in place of %U, one argument
            # each, without a shell. (KIO reads names as UTF-8: a name that is not, it spells
            # with other bytes before any entry sees it.)
            words = shlex.split(DOLPHIN["Exec"])
            at = words.index("%U")
            self.assertEqual(handed_to_fendry(words[:at] + paths + words[at + 1:]), paths)
            self.assertEqual(handed_to_fendry(nemo_command_line(paths)), paths)
            # Nautilus 43, and older releases; a file that is not local is left out.
            extension = nautilus_extension()
            menu = extension.FendryEraseMenu()
            files = [local_file(os.fsdecode(path)) for path in paths] + [local_file(None)]
            for args in ((files,), (object(), files)):
                [item] = menu.get_file_items(*args)
                with mock.patch.object(extension.subprocess, "Popen") as popen:
                    activate(item)
                [call] = popen.call_args_list
                self.assertEqual(handed_to_fendry(call.args[0]), paths)
        self.assertEqual(menu.get_file_items([]), [])
        self.assertEqual(menu.get_file_items([local_file(None)]), [])

    def test_each_speaks_the_users_language(self):
        extension = nautilus_extension()
        languages = sorted(key[5:-1] for key in DOLPHIN if key.startswith("Name["))
        self.assertEqual(languages, ["de", "es", "fr"])
        for language in languages:
            label, tip = extension.texts_for_locale({"LANG": language + "_XX.UTF-8"})
            self.assertNotEqual(label, LABEL)
            self.assertEqual((DOLPHIN[f"Name[{language}]"], NEMO[f"Name[{language}]"],
                              NEMO[f"Comment[{language}]"]), (label, label, tip))
        for environment, label in [
                ({}, LABEL),
                ({"LANG": "it_IT.UTF-8"}, LABEL),
                ({"LANG": "de_AT.UTF-8@euro"}, "Mit Fendry löschen…"),
                ({"LC_ALL": "es_ES.UTF-8", "LANG": "de_DE.UTF-8"}, "Borrar con Fendry…"),
                ({"LANGUAGE": "it:fr:de", "LANG": "en_US.UTF-8"}, "Effacer avec Fendry…"),
                ({"LANGUAGE": "fr", "LANG": "C"}, LABEL)]:  # gettext ignores LANGUAGE under C
            with mock.patch.dict(os.environ, environment, clear=True):
                [item] = extension.FendryEraseMenu().get_file_items([local_file("/home/u/a")])
            self.assertEqual(item.label, label, environment)


if __name__ == "__main__":
    unittest.main(verbosity=2)
