"""The "Erase with Fendry…" entries for Dolphin, Nemo and Nautilus: each names the action, runs
fendry with the selection, and the Nautilus extension really hands over the paths."""
import configparser
import os
import sys
import types
import unittest
from unittest import mock

FOLDER = sys.argv.pop(1)
LABEL = "Erase with Fendry…"


def read_key_file(name):
    parser = configparser.ConfigParser(interpolation=None, strict=True)
    parser.optionxform = str  # keys are case-sensitive
    with open(os.path.join(FOLDER, name), encoding="utf-8") as f:
        parser.read_file(f)
    return parser


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
        # KDE runs service menus only when they are executable.
        self.assertTrue(os.access(os.path.join(FOLDER, name), os.X_OK))

    def test_nemo_action(self):
        action = read_key_file("fendry.nemo_action")["Nemo Action"]
        self.assertEqual(action["Name"], LABEL)
        self.assertEqual(action["Exec"], "fendry %U")
        self.assertEqual(action["Selection"], "notnone")
        self.assertIn("any", action["Extensions"].split(";"))


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


class NautilusExtension(unittest.TestCase):
    def setUp(self):
        gi = types.ModuleType("gi")
        repository = types.ModuleType("gi.repository")
        repository.GObject = types.SimpleNamespace(GObject=type("GObject", (), {}))
        repository.Nautilus = types.SimpleNamespace(
            MenuProvider=type("MenuProvider", (), {}), MenuItem=FakeMenuItem)
        gi.repository = repository
        self.modules = mock.patch.dict(sys.modules, {"gi": gi, "gi.repository": repository})
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
