"""The "Erase with Fendry…" entries for Dolphin, Nemo and Nautilus: each names the action, and
hands the selection to the real fendry, which passes exactly those names on to the running
window. Nemo's command line is built and split with GLib's own functions, as Nemo does."""
import configparser
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


def read_key_file(name):
    parser = configparser.ConfigParser(interpolation=None, strict=True)
    parser.optionxform = str  # keys are case-sensitive
    with open(os.path.join(FOLDER, name), encoding="utf-8") as f:
        parser.read_file(f)
    return parser


def receive(connection, size):
    data = b""
    while len(data) < size:
        chunk = connection.recv(size - len(data))
        if not chunk:
            raise EOFError("fendry hung up")
        data += chunk
    return data


def handed_to_fendry(argv):
    """Runs the real fendry with argv's arguments as a later launch, and returns the paths it
    hands to the running window (a stand-in listening on the socket)."""
    with tempfile.TemporaryDirectory() as runtime:
        listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
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


def nemo_command_line(action, paths):
    """What Nemo runs for the action: each selected file's URI in place of %U, between the
    quotes the action asks for, split as a shell would (g_spawn_command_line_async)."""
    quote = {"single": "'", "double": '"', "backtick": "`"}.get(action.get("Quote"), "")
    uris = [quote + GLib.filename_to_uri(path, None) + quote for path in paths]
    line = action["Exec"].replace("%U", action.get("Separator", " ").join(uris), 1)
    try:
        return GLib.shell_parse_argv(line)[1]
    except GLib.Error:
        return None  # Nemo runs nothing


class ServiceMenus(unittest.TestCase):
    def test_dolphin_service_menu(self):
        name = "co.morvel.Fendry.erase.desktop"
        entry = read_key_file(name)
        main = entry["Desktop Entry"]
        self.assertEqual(main["Type"], "Service")
        self.assertIn("KonqPopupMenu/Plugin", main["X-KDE-ServiceTypes"].split(","))
        self.assertIn("all/all", main["MimeType"].split(";"))
        actions = [a for a in main["Actions"].split(";") if a]
        self.assertEqual(len(actions), 1)
        action = entry["Desktop Action " + actions[0]]
        self.assertEqual(action["Name"], LABEL)
        self.assertEqual(action["Exec"], "fendry %U")

    def test_nemo_action(self):
        action = read_key_file("fendry.nemo_action")["Nemo Action"]
        self.assertEqual(action["Name"], LABEL)
        self.assertEqual(action["Selection"], "notnone")
        self.assertIn("any", action["Extensions"].split(";"))

    def test_every_entry_hands_fendry_the_names_byte_for_byte(self):
        with tempfile.TemporaryDirectory() as folder:
            paths = [os.path.join(os.fsencode(folder), name) for name in NAMES]
            # Dolphin (KIO) puts each selected local file's path in place of %U, one argument
            # each, without a shell. (KIO reads names as UTF-8: a name that is not, it spells
            # with other bytes before any entry sees it.)
            dolphin = read_key_file("co.morvel.Fendry.erase.desktop")["Desktop Action eraseWithFendry"]
            words = shlex.split(dolphin["Exec"])
            at = words.index("%U")
            self.assertEqual(handed_to_fendry(words[:at] + paths + words[at + 1:]), paths)

            nemo = nemo_command_line(read_key_file("fendry.nemo_action")["Nemo Action"], paths)
            self.assertIsNotNone(nemo, "Nemo could not split its command line")
            self.assertEqual(handed_to_fendry(nemo), paths)

            with mock.patch.dict(sys.modules, fake_nautilus()):
                sys.path.insert(0, FOLDER)
                import fendry_erase
                sys.path.remove(FOLDER)
            files = [FakeFile(os.fsdecode(path)) for path in paths]  # as GIO gives them
            with mock.patch.object(fendry_erase.subprocess, "Popen") as popen:
                fendry_erase.FendryEraseMenu().get_file_items(files)[0].activate()
            self.assertEqual(handed_to_fendry(popen.call_args.args[0]), paths)

    def test_the_application_claims_no_file_type(self):
        # Whatever it claimed, a desktop could make it what opens folders or files by default.
        parser = configparser.ConfigParser(interpolation=None, strict=True)
        parser.optionxform = str
        with open(os.path.join(FOLDER, "..", "co.morvel.Fendry.desktop"), encoding="utf-8") as f:
            parser.read_file(f)
        self.assertEqual(parser["Desktop Entry"].get("MimeType", ""), "")


class FakeLocation:
    def __init__(self, path):
        self.path = path

    def get_path(self):
        return self.path


class FakeFile:
    def __init__(self, path):
        self.location = FakeLocation(path)

    def get_location(self):
        return self.location


class FakeMenuItem:
    def __init__(self, **properties):
        self.properties = properties
        self.handlers = []

    def connect(self, signal, handler, *data):
        self.handlers.append((signal, handler, data))

    def activate(self):
        for signal, handler, data in self.handlers:
            if signal == "activate":
                handler(self, *data)


def fake_nautilus():
    """Stand-ins for the modules the extension imports from Nautilus."""
    gi = types.ModuleType("gi")
    repository = types.ModuleType("gi.repository")
    repository.GObject = types.SimpleNamespace(GObject=type("GObject", (), {}))
    repository.Nautilus = types.SimpleNamespace(
        MenuProvider=type("MenuProvider", (), {}), MenuItem=FakeMenuItem)
    gi.repository = repository
    return {"gi": gi, "gi.repository": repository}


class NautilusExtension(unittest.TestCase):
    def setUp(self):
        self.modules = mock.patch.dict(sys.modules, fake_nautilus())
        self.modules.start()
        sys.path.insert(0, FOLDER)
        import fendry_erase

        self.extension = fendry_erase
        self.menu = fendry_erase.FendryEraseMenu()

    def tearDown(self):
        sys.path.remove(FOLDER)
        sys.modules.pop("fendry_erase", None)
        self.modules.stop()

    def test_hands_the_selection_to_fendry(self):
        files = [FakeFile("/home/u/a file.txt"), FakeFile("/home/u/-starts-with-dash"),
                 FakeFile(None)]
        for args in ((files,), (object(), files)):  # Nautilus 43, and older releases
            items = self.menu.get_file_items(*args)
            self.assertEqual(len(items), 1)
            self.assertEqual(items[0].properties["label"], LABEL)
            with mock.patch.object(self.extension.subprocess, "Popen") as popen:
                items[0].activate()
            popen.assert_called_once()
            self.assertEqual(popen.call_args.args[0],
                             ["fendry", "--", "/home/u/a file.txt", "/home/u/-starts-with-dash"])

    def test_speaks_the_users_language_as_the_other_file_managers_do(self):
        dolphin = read_key_file("co.morvel.Fendry.erase.desktop")["Desktop Action eraseWithFendry"]
        nemo = read_key_file("fendry.nemo_action")["Nemo Action"]
        languages = sorted(key[5:-1] for key in dolphin if key.startswith("Name["))
        self.assertEqual(languages, ["de", "es", "fr"])
        for language in languages:
            label, tip = self.extension.texts_for_locale({"LANG": language + "_XX.UTF-8"})
            self.assertNotEqual(label, LABEL)
            self.assertEqual(dolphin[f"Name[{language}]"], label)
            self.assertEqual(nemo[f"Name[{language}]"], label)
            self.assertEqual(nemo[f"Comment[{language}]"], tip)
        cases = [
            ({}, LABEL),
            ({"LANG": "it_IT.UTF-8"}, LABEL),
            ({"LANG": "de_AT.UTF-8@euro"}, "Mit Fendry löschen…"),
            ({"LC_ALL": "es_ES.UTF-8", "LANG": "de_DE.UTF-8"}, "Borrar con Fendry…"),
            ({"LANGUAGE": "it:fr:de", "LANG": "en_US.UTF-8"}, "Effacer avec Fendry…"),
            ({"LANGUAGE": "fr", "LANG": "C"}, LABEL),  # gettext ignores LANGUAGE under C
        ]
        for environment, label in cases:
            self.assertEqual(self.extension.texts_for_locale(environment)[0], label, environment)
        with mock.patch.dict(os.environ, {"LANG": "fr_FR.UTF-8"}, clear=True):
            items = self.menu.get_file_items([FakeFile("/home/u/a")])
        self.assertEqual(items[0].properties["label"], "Effacer avec Fendry…")

    def test_offers_nothing_without_local_files(self):
        self.assertEqual(self.menu.get_file_items([]), [])
        self.assertEqual(self.menu.get_file_items([FakeFile(None)]), [])


if __name__ == "__main__":
    unittest.main(verbosity=2)
