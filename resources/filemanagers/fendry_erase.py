# "Erase with Fendry…" in Nautilus's context menu: hands the selected files and folders to the
# running Fendry window (or starts it), as "Open With" does.
import subprocess

from gi.repository import GObject, Nautilus


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
        item = Nautilus.MenuItem(
            name="FendryEraseMenu::Erase",
            label="Erase with Fendry…",
            tip="Erase the selected files and folders beyond recovery",
            icon="co.morvel.Fendry",
        )
        item.connect("activate", self._erase, files)
        return [item]
