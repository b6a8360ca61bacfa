# "Erase with Fendry…" in Nautilus's context menu: hands the selected files and folders to the
# running Fendry window (or starts it), as "Open With" does.
import os
import subprocess

from gi.repository import GObject, Nautilus

# The label and tip in each language Fendry speaks; English for the others.
TEXTS = {
    "en": ("Erase with Fendry…", "Erase the selected files and folders beyond recovery"),
    "de": ("Mit Fendry löschen…", "Die ausgewählten Dateien und Ordner unwiederbringlich löschen"),
    "es": ("Borrar con Fendry…",
           "Borrar sin posibilidad de recuperación los archivos y carpetas seleccionados"),
    "fr": ("Effacer avec Fendry…", "Effacer définitivement les fichiers et dossiers sélectionnés"),
}


def texts_for_locale(environ=os.environ):
    """The texts for the user's language, looked up as gettext does: LANGUAGE (a list) unless
    the locale is C, then the first of LC_ALL, LC_MESSAGES and LANG that is set."""
    locale = next((environ[v] for v in ("LC_ALL", "LC_MESSAGES", "LANG") if environ.get(v)), "C")
    preferred = environ.get("LANGUAGE", "").split(":")
    if locale.split(".")[0] in ("C", "POSIX"):
        preferred = []
    for name in preferred + [locale]:
        language = name.split(".")[0].split("@")[0].split("_")[0]
        if language in TEXTS:
            return TEXTS[language]
    return TEXTS["en"]


class FendryEraseMenu(GObject.GObject, Nautilus.MenuProvider):
    def _erase(self, _menu, files):
        paths = [f.get_location().get_path() for f in files]
        paths = [p for p in paths if p]  # only local files have a path
        if paths:
            # "--": a name that starts with "-" is an item, never an option.
            subprocess.Popen(["fendry", "--", *paths], start_new_session=True)

    # Nautilus 43 passes (files); older releases passed (window, files).
    def get_file_items(self, *args):
        files = args[-1]
        if not files or not any(f.get_location().get_path() for f in files):
            return []
        label, tip = texts_for_locale()
        item = Nautilus.MenuItem(
            name="FendryEraseMenu::Erase",
            label=label,
            tip=tip,
            icon="co.morvel.Fendry",
        )
        item.connect("activate", self._erase, files)
        return [item]
