<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Fendry</source>
        <translation>Über Fendry</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Erases files and folders beyond recovery by overwriting them with random data before removing them.</source>
        <translation>Löscht Dateien und Ordner unwiederbringlich, indem es sie vor dem Entfernen mit Zufallsdaten überschreibt.</translation>
    </message>
    <message>
        <source>Licensed under the GNU General Public License, version 3 or later.</source>
        <translation>Lizenziert unter der GNU General Public License, Version 3 oder neuer.</translation>
    </message>
    <message>
        <source>Overwriting in place cannot reach copies that the storage keeps elsewhere: copy-on-write file systems, snapshots, backups and the spare blocks of SSDs.</source>
        <translation>Überschreiben an Ort und Stelle erreicht keine Kopien, die der Speicher anderswo aufbewahrt: Copy-on-Write-Dateisysteme, Snapshots, Sicherungen und die Reserveblöcke von SSDs.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CheckForUpdatesMenuItem</name>
    <message>
        <source>Check for &amp;Updates…</source>
        <translation>Nach &amp;Updates suchen…</translation>
    </message>
</context>
<context>
    <name>CircularProgressView</name>
    <message>
        <source>%1%</source>
        <translation>%1&#x202f;%</translation>
    </message>
    <message>
        <source>Pass %1/%2</source>
        <translation>Durchgang %1/%2</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Verifying</source>
        <translation>Prüfen</translation>
    </message>
</context>
<context>
    <name>CompletionView</name>
    <message>
        <source>All set!</source>
        <translation>Alles erledigt!</translation>
    </message>
    <message>
        <source>Done, with issues</source>
        <translation>Fertig, mit Problemen</translation>
    </message>
    <message numerus="yes">
        <source>%n files securely erased</source>
        <translation>
            <numerusform>%n Datei sicher gelöscht</numerusform>
            <numerusform>%n Dateien sicher gelöscht</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of data deleted from disk</source>
        <translation>%1 an Daten vom Datenträger gelöscht</translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) and special file(s) removed, none followed</source>
        <translation>
            <numerusform>%n Link oder Spezialdatei entfernt, nicht verfolgt</numerusform>
            <numerusform>%n Links und Spezialdateien entfernt, nicht verfolgt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) could not be erased</source>
        <translation>
            <numerusform>%n Datei konnte nicht gelöscht werden</numerusform>
            <numerusform>%n Dateien konnten nicht gelöscht werden</numerusform>
        </translation>
    </message>
    <message>
        <source>Start Again</source>
        <translation>Neu beginnen</translation>
    </message>
    <message>
        <source>Show Details</source>
        <translation>Details anzeigen</translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s) not removed</source>
        <translation>
            <numerusform>%n Ordner nicht entfernt</numerusform>
            <numerusform>%n Ordner nicht entfernt</numerusform>
        </translation>
    </message>
    <message>
        <source>Save Report…</source>
        <translation>Bericht sichern …</translation>
    </message>
    <message>
        <source>The report lists the names of everything erased. It is saved only where you choose and sent nowhere.</source>
        <translation>Der Bericht nennt alles Gelöschte mit Namen. Er wird nur dort gesichert, wo Sie es wählen, und nirgendwohin gesendet.</translation>
    </message>
</context>
<context>
    <name>ConfirmationAlert</name>
    <message>
        <source>Are you sure?</source>
        <translation>Sind Sie sicher?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Erase now</source>
        <translation>Jetzt löschen</translation>
    </message>
    <message>
        <source>Counting…</source>
        <translation>Wird gezählt…</translation>
    </message>
    <message numerus="yes">
        <source>This will permanently delete %n item(s) (%1). This action cannot be undone.</source>
        <extracomment>%1 is the count of files, as in &quot;(4 files)&quot;</extracomment>
        <translation>
            <numerusform>Dadurch wird %n Element (%1) endgültig gelöscht. Dies kann nicht rückgängig gemacht werden.</numerusform>
            <numerusform>Dadurch werden %n Elemente (%1) endgültig gelöscht. Dies kann nicht rückgängig gemacht werden.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n Datei</numerusform>
            <numerusform>%n Dateien</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>PDF-Dokument (*.pdf)</translation>
    </message>
    <message>
        <source>JSON file (*.json)</source>
        <translation>JSON-Datei (*.json)</translation>
    </message>
    <message>
        <source>Save Report: it lists every erased name</source>
        <translation>Bericht sichern: er nennt jeden gelöschten Namen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Sichern</translation>
    </message>
</context>
<context>
    <name>FailureDetails</name>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Show in Folder</source>
        <translation>Im Ordner anzeigen</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Kopiert</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) could not be erased</source>
        <translation>
            <numerusform>%n Datei konnte nicht gelöscht werden</numerusform>
            <numerusform>%n Dateien konnten nicht gelöscht werden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s) not removed</source>
        <translation>
            <numerusform>%n Ordner nicht entfernt</numerusform>
            <numerusform>%n Ordner nicht entfernt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Fendry</name>
    <message>
        <source>Usage: fendry [PATH|FILE-URL]...
Opens Fendry with the given files and folders waiting to be erased.</source>
        <translation>Aufruf: fendry [PFAD|DATEI-URL]...
Öffnet Fendry mit den angegebenen Dateien und Ordnern, bereit zum Löschen.</translation>
    </message>
    <message>
        <source>the running Fendry did not answer; try again.</source>
        <translation>das laufende Fendry hat nicht geantwortet; bitte erneut versuchen.</translation>
    </message>
    <message>
        <source>the running Fendry&apos;s socket belongs to another user; it was told nothing, and this launch takes its place.</source>
        <translation>der Socket des laufenden Fendry gehört einem anderen Benutzer; ihm wurde nichts mitgeteilt, und dieser Start tritt an seine Stelle.</translation>
    </message>
    <message>
        <source>later launches cannot reach this one; items opened with it will start a second window.</source>
        <translation>spätere Starts erreichen diese Instanz nicht; damit geöffnete Elemente öffnen ein zweites Fenster.</translation>
    </message>
    <message>
        <source>more than %1 items cannot be handed to the running Fendry at once; nothing was handed over.</source>
        <translation>mehr als %1 Elemente können dem laufenden Fendry nicht auf einmal übergeben werden; nichts wurde übergeben.</translation>
    </message>
</context>
<context>
    <name>FendryCli</name>
    <message>
        <source>refused:</source>
        <translation>abgelehnt:</translation>
    </message>
    <message>
        <source>left:</source>
        <translation>bleibt:</translation>
    </message>
    <message>
        <source>remove:</source>
        <translation>entfernen:</translation>
    </message>
    <message>
        <source>erase:</source>
        <translation>löschen:</translation>
    </message>
    <message>
        <source>(a link or special file, not followed)</source>
        <translation>(ein Link oder eine Spezialdatei, wird nicht verfolgt)</translation>
    </message>
    <message>
        <source>(another name of a file erased above)</source>
        <translation>(ein weiterer Name einer oben gelöschten Datei)</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) would be erased (%1)</source>
        <translation>
            <numerusform>%n Datei würde gelöscht (%1)</numerusform>
            <numerusform>%n Dateien würden gelöscht (%1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) and special file(s) would be removed</source>
        <translation>
            <numerusform>%n Link oder Spezialdatei würde entfernt</numerusform>
            <numerusform>%n Links und Spezialdateien würden entfernt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) would be refused or left</source>
        <translation>
            <numerusform>%n Element würde abgelehnt oder belassen</numerusform>
            <numerusform>%n Elemente würden abgelehnt oder belassen</numerusform>
        </translation>
    </message>
    <message>
        <source>Processing file %1 of %2</source>
        <translation>Datei %1 von %2 wird verarbeitet</translation>
    </message>
    <message>
        <source>Pass %1/%2</source>
        <translation>Durchgang %1/%2</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1&#x202f;%</translation>
    </message>
    <message>
        <source>Time remaining:</source>
        <translation>Verbleibende Zeit:</translation>
    </message>
    <message>
        <source>Calculating...</source>
        <translation>Wird berechnet…</translation>
    </message>
    <message>
        <source>Stopped before the end.</source>
        <translation>Vor dem Ende angehalten.</translation>
    </message>
    <message>
        <source>All set!</source>
        <translation>Alles erledigt!</translation>
    </message>
    <message>
        <source>Done, with issues</source>
        <translation>Fertig, mit Problemen</translation>
    </message>
    <message numerus="yes">
        <source>%n files securely erased</source>
        <translation>
            <numerusform>%n Datei sicher gelöscht</numerusform>
            <numerusform>%n Dateien sicher gelöscht</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of data deleted from disk</source>
        <translation>%1 an Daten vom Datenträger gelöscht</translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) and special file(s) removed, none followed</source>
        <translation>
            <numerusform>%n Link oder Spezialdatei entfernt, nicht verfolgt</numerusform>
            <numerusform>%n Links und Spezialdateien entfernt, nicht verfolgt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) not reached, left as they were</source>
        <translation>
            <numerusform>%n Element nicht erreicht, unverändert belassen</numerusform>
            <numerusform>%n Elemente nicht erreicht, unverändert belassen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) could not be erased</source>
        <translation>
            <numerusform>%n Datei konnte nicht gelöscht werden</numerusform>
            <numerusform>%n Dateien konnten nicht gelöscht werden</numerusform>
        </translation>
    </message>
    <message>
        <source>Try &apos;fendry-cli --help&apos; for more information.</source>
        <translation>„fendry-cli --help“ liefert weitere Informationen.</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Sind Sie sicher?</translation>
    </message>
    <message numerus="yes">
        <source>This will permanently delete %n item(s). This action cannot be undone.</source>
        <translation>
            <numerusform>Dadurch wird %n Element endgültig gelöscht. Dies kann nicht rückgängig gemacht werden.</numerusform>
            <numerusform>Dadurch werden %n Elemente endgültig gelöscht. Dies kann nicht rückgängig gemacht werden.</numerusform>
        </translation>
    </message>
    <message>
        <source>Erase now? [y/N] </source>
        <translation>Jetzt löschen? [j/N] </translation>
    </message>
    <message>
        <source>y,yes</source>
        <comment>the answers to [y/N] that mean yes, in lower case</comment>
        <translation>j,ja</translation>
    </message>
    <message>
        <source>argument %1 is not valid text in this locale&apos;s encoding; nothing was erased.</source>
        <translation>Argument %1 ist in der Zeichenkodierung dieser Locale kein gültiger Text; es wurde nichts gelöscht.</translation>
    </message>
    <message>
        <source>Erase method: quick (1 pass), safe (7) or stealth (35). Default: the method last chosen in Fendry, or quick.</source>
        <translation>Löschmethode: quick (1 Durchgang), safe (7) oder stealth (35). Standard: die zuletzt in Fendry gewählte Methode, sonst quick.</translation>
    </message>
    <message>
        <source>method</source>
        <translation>Methode</translation>
    </message>
    <message>
        <source>Erase without asking for confirmation.</source>
        <translation>Ohne Rückfrage löschen.</translation>
    </message>
    <message>
        <source>Change nothing: list what would be erased, removed, refused or left, and why.</source>
        <translation>Nichts ändern: auflisten, was gelöscht, entfernt, abgelehnt oder belassen würde, und warum.</translation>
    </message>
    <message>
        <source>Print only the lines of items that could not be erased; the exit status tells the rest.</source>
        <translation>Nur die Zeilen der Elemente ausgeben, die nicht gelöscht werden konnten; den Rest sagt der Exit-Status.</translation>
    </message>
    <message>
        <source>PATH</source>
        <translation>PFAD</translation>
    </message>
    <message>
        <source>Files and folders to erase.</source>
        <translation>Zu löschende Dateien und Ordner.</translation>
    </message>
    <message>
        <source>PATH...</source>
        <translation>PFAD...</translation>
    </message>
    <message>
        <source>unknown method &apos;%1&apos;; choose quick, safe or stealth</source>
        <translation>unbekannte Methode „%1“; wählen Sie quick, safe oder stealth</translation>
    </message>
    <message>
        <source>no PATH to erase</source>
        <translation>kein PFAD zum Löschen angegeben</translation>
    </message>
    <message>
        <source>refusing to erase &apos;%1&apos;: %2; nothing was erased.</source>
        <translation>„%1“ wird nicht gelöscht: %2; es wurde nichts gelöscht.</translation>
    </message>
    <message>
        <source>nothing was erased: there is no terminal to ask for confirmation on; pass --yes to erase without asking.</source>
        <translation>es wurde nichts gelöscht: Es gibt kein Terminal für die Rückfrage; mit --yes wird ohne Rückfrage gelöscht.</translation>
    </message>
    <message>
        <source>Nothing was erased.</source>
        <translation>Es wurde nichts gelöscht.</translation>
    </message>
    <message>
        <source>Erases files and folders beyond recovery: every file is overwritten in place with fresh
random data, pass after pass, synced to the device, and removed after its last pass;
each folder that the run emptied is removed at the end.</source>
        <translation>Löscht Dateien und Ordner unwiederbringlich: Jede Datei wird an Ort und Stelle Durchgang für
Durchgang mit frischen Zufallsdaten überschrieben, auf das Gerät synchronisiert und nach ihrem
letzten Durchgang entfernt; am Ende wird jeder Ordner entfernt, den der Lauf geleert hat.</translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s) not removed</source>
        <translation>
            <numerusform>%n Ordner nicht entfernt</numerusform>
            <numerusform>%n Ordner nicht entfernt</numerusform>
        </translation>
    </message>
    <message>
        <source>Verifying</source>
        <translation>Prüfen</translation>
    </message>
    <message>
        <source>Read each file back from the device after its last pass, and leave it where it does not read as written.</source>
        <translation>Jede Datei nach ihrem letzten Durchgang vom Gerät zurücklesen und belassen, wo sie nicht wie geschrieben gelesen wird.</translation>
    </message>
    <message>
        <source>Wipe the free space of %1?</source>
        <translation>Freien Speicherplatz von %1 bereinigen?</translation>
    </message>
    <message>
        <source>Wipe now? [y/N] </source>
        <translation>Jetzt bereinigen? [j/N] </translation>
    </message>
    <message>
        <source>refusing to wipe the free space under &apos;%1&apos;: %2; nothing was written.</source>
        <translation>der freie Speicherplatz unter „%1“ wird nicht bereinigt: %2; es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>nothing was written: there is no terminal to ask for confirmation on; pass --yes to wipe without asking.</source>
        <translation>es wurde nichts geschrieben: Es gibt kein Terminal für die Rückfrage; mit --yes wird ohne Rückfrage bereinigt.</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Wipe the free space of the file system that holds PATH instead: fill it with random data in files without a name, then let them go.</source>
        <translation>Stattdessen den freien Speicherplatz des Dateisystems bereinigen, das PFAD enthält: ihn mit Zufallsdaten in Dateien ohne Namen füllen und diese dann freigeben.</translation>
    </message>
    <message>
        <source>the report&apos;s name must end in .pdf or .json: &apos;%1&apos;</source>
        <translation>der Name des Berichts muss auf .pdf oder .json enden: „%1“</translation>
    </message>
    <message>
        <source>the report&apos;s folder does not exist: &apos;%1&apos;</source>
        <translation>der Ordner des Berichts existiert nicht: „%1“</translation>
    </message>
    <message>
        <source>the report&apos;s name is a folder: &apos;%1&apos;</source>
        <translation>der Name des Berichts ist ein Ordner: „%1“</translation>
    </message>
    <message>
        <source>the report&apos;s folder is not writable: &apos;%1&apos;</source>
        <translation>in den Ordner des Berichts kann nicht geschrieben werden: „%1“</translation>
    </message>
    <message>
        <source>the report &apos;%1&apos; would lie inside what is to be erased</source>
        <translation>der Bericht „%1“ läge in dem, was gelöscht werden soll</translation>
    </message>
    <message>
        <source>the report could not be written to &apos;%1&apos;: %2</source>
        <translation>der Bericht konnte nicht nach „%1“ geschrieben werden: %2</translation>
    </message>
    <message>
        <source>At the end, write a report of the run to FILE: PDF for a name ending in .pdf, JSON for .json. It lists the names of what was erased.</source>
        <translation>Am Ende einen Bericht über den Lauf in DATEI schreiben: PDF für einen Namen auf .pdf, JSON für .json. Er nennt die Namen dessen, was gelöscht wurde.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>--report has nothing to report on a dry run</source>
        <translation>--report hat bei einem Probelauf nichts zu berichten</translation>
    </message>
    <message>
        <source>%1; nothing was erased.</source>
        <translation>%1; nichts wurde gelöscht.</translation>
    </message>
    <message>
        <source>--wipe-free-space takes one PATH and no --method, --verify, --report, --dry-run or items to erase</source>
        <translation>--wipe-free-space nimmt genau einen PFAD und weder --method, --verify, --report, --dry-run noch zu löschende Elemente</translation>
    </message>
</context>
<context>
    <name>FileRow</name>
    <message numerus="yes">
        <source>%n items</source>
        <translation>
            <numerusform>%n Element</numerusform>
            <numerusform>%n Elemente</numerusform>
        </translation>
    </message>
    <message>
        <source>Show in Folder</source>
        <translation>Im Ordner anzeigen</translation>
    </message>
    <message>
        <source>Remove from List</source>
        <translation>Aus der Liste entfernen</translation>
    </message>
    <message>
        <source>Link to %1</source>
        <translation>Link auf %1</translation>
    </message>
    <message>
        <source>Counting…</source>
        <translation>Wird gezählt…</translation>
    </message>
    <message>
        <source>%1, link to %2</source>
        <translation>%1, Link auf %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>Format</name>
    <message>
        <source>%1 bytes</source>
        <translation>%1&#xa0;Bytes</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1&#xa0;KB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1&#xa0;MB</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1&#xa0;GB</translation>
    </message>
    <message>
        <source>%1 TB</source>
        <translation>%1&#xa0;TB</translation>
    </message>
</context>
<context>
    <name>FreeSpaceWipe</name>
    <message>
        <source>the folder cannot be opened: %1</source>
        <translation>der Ordner kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>es ist kein Ordner</translation>
    </message>
    <message>
        <source>it belongs to the system (a pseudo file system such as /proc, /sys or /dev)</source>
        <translation>es gehört zum System (ein Pseudo-Dateisystem wie /proc, /sys oder /dev)</translation>
    </message>
    <message>
        <source>it lives in memory (%1): nothing of it is kept on a disk, and filling it would fill the memory</source>
        <translation>es liegt im Arbeitsspeicher (%1): Nichts davon wird auf einem Datenträger gespeichert, und es zu füllen würde den Arbeitsspeicher füllen</translation>
    </message>
    <message>
        <source>it is mounted read-only</source>
        <translation>es ist schreibgeschützt eingehängt</translation>
    </message>
    <message>
        <source>it is a network file system (%1): its free space is on the server, out of reach from here</source>
        <translation>es ist ein Netzwerkdateisystem (%1): Sein freier Speicherplatz liegt auf dem Server, von hier aus unerreichbar</translation>
    </message>
    <message>
        <source>it is a FUSE file system (%1): a program stands between it and the storage, so what the wipe writes may never reach the free space</source>
        <translation>es ist ein FUSE-Dateisystem (%1): Zwischen ihm und dem Speicher steht ein Programm, daher erreicht das Geschriebene den freien Speicherplatz womöglich nie</translation>
    </message>
    <message>
        <source>it is a layered file system (%1): wipe the file system that holds its writable layer instead</source>
        <translation>es ist ein geschichtetes Dateisystem (%1): Bereinigen Sie stattdessen das Dateisystem, das seine beschreibbare Schicht enthält</translation>
    </message>
    <message>
        <source>this file system (%1) cannot hold files without a name, which the wipe needs so that nothing is left behind if it is interrupted</source>
        <translation>dieses Dateisystem (%1) kann keine Dateien ohne Namen aufnehmen; die Bereinigung braucht sie, damit bei einer Unterbrechung nichts zurückbleibt</translation>
    </message>
    <message>
        <source>files cannot be made in this folder, nor at the top of its file system: %1</source>
        <translation>weder in diesem Ordner noch an der Wurzel seines Dateisystems können Dateien angelegt werden: %1</translation>
    </message>
    <message>
        <source>%1 (%2, %3)</source>
        <extracomment>%1 is where the file system is mounted, %2 its device, %3 its type: &quot;/home (/dev/sda2, ext4)&quot;</extracomment>
        <translation>%1 (%2, %3)</translation>
    </message>
    <message>
        <source>About %1 of free space will be overwritten with random data.</source>
        <translation>Etwa %1 freier Speicherplatz wird mit Zufallsdaten überschrieben.</translation>
    </message>
    <message>
        <source>Estimated time: %1 to %2, depending on the device.</source>
        <translation>Geschätzte Dauer: %1 bis %2, je nach Gerät.</translation>
    </message>
    <message>
        <source>While the free space is being filled, other programs see a full disk; the space comes back the moment the fill ends, or if the wipe is stopped or interrupted.</source>
        <translation>Solange der freie Speicherplatz gefüllt wird, sehen andere Programme einen vollen Datenträger; der Platz wird wieder frei, sobald das Füllen endet oder die Bereinigung angehalten oder unterbrochen wird.</translation>
    </message>
    <message>
        <source>%1 reserved for the administrator cannot be reached without root.</source>
        <translation>%1, die dem Administrator vorbehalten sind, sind ohne Root-Rechte nicht erreichbar.</translation>
    </message>
    <message>
        <source>Writing random data into the free space…</source>
        <translation>Zufallsdaten werden in den freien Speicherplatz geschrieben…</translation>
    </message>
    <message>
        <source>Overwriting free inodes…</source>
        <translation>Freie Inodes werden überschrieben…</translation>
    </message>
    <message>
        <source>Overwriting the journal…</source>
        <translation>Das Journal wird überschrieben…</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>how much of the free space has been written so far: &quot;1.2 GB of 4.0 GB&quot;</extracomment>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>Stopped before the end</source>
        <translation>Vor dem Ende angehalten</translation>
    </message>
    <message>
        <source>Free space wiped</source>
        <translation>Freier Speicherplatz bereinigt</translation>
    </message>
    <message>
        <source>Done, with issues</source>
        <translation>Fertig, mit Problemen</translation>
    </message>
    <message>
        <source>%1 of free space overwritten with random data</source>
        <translation>%1 freier Speicherplatz mit Zufallsdaten überschrieben</translation>
    </message>
    <message numerus="yes">
        <source>%n free inode(s) overwritten</source>
        <translation>
            <numerusform>%n freier Inode überschrieben</numerusform>
            <numerusform>%n freie Inodes überschrieben</numerusform>
        </translation>
    </message>
    <message>
        <source>The journal was emptied and zeroed</source>
        <translation>Das Journal wurde geleert und mit Nullen überschrieben</translation>
    </message>
    <message>
        <source>The journal was written through from end to end</source>
        <translation>Das Journal wurde von Anfang bis Ende überschrieben</translation>
    </message>
    <message>
        <source>The folder is no longer on the file system that was shown; nothing was written</source>
        <translation>Der Ordner liegt nicht mehr auf dem angezeigten Dateisystem; es wurde nichts geschrieben</translation>
    </message>
    <message>
        <source>A file could not be made for the wipe: %1</source>
        <translation>Für die Bereinigung konnte keine Datei angelegt werden: %1</translation>
    </message>
    <message>
        <source>Writing failed: %1</source>
        <translation>Schreiben fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>What was written could not be synced to the device: %1</source>
        <translation>Das Geschriebene konnte nicht auf das Gerät synchronisiert werden: %1</translation>
    </message>
    <message>
        <source>The random generator failed; nothing more was written</source>
        <translation>Der Zufallsgenerator ist ausgefallen; es wurde nichts mehr geschrieben</translation>
    </message>
    <message>
        <source>%1 reserved for the administrator was not overwritten; run as root to reach it</source>
        <translation>%1, die dem Administrator vorbehalten sind, wurden nicht überschrieben; als Root ausgeführt wird auch das erreicht</translation>
    </message>
    <message>
        <source>%1 beyond your disk quota was not overwritten</source>
        <translation>%1 jenseits Ihres Speicherkontingents wurden nicht überschrieben</translation>
    </message>
    <message>
        <source>%1 of free space could not be written</source>
        <translation>%1 freier Speicherplatz konnte nicht beschrieben werden</translation>
    </message>
    <message>
        <source>The file system&apos;s journal was not overwritten</source>
        <translation>Das Journal des Dateisystems wurde nicht überschrieben</translation>
    </message>
</context>
<context>
    <name>HeaderRow</name>
    <message>
        <source>Total Files: %1</source>
        <translation>Dateien insgesamt: %1</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Alle entfernen</translation>
    </message>
    <message>
        <source>Counting…</source>
        <translation>Wird gezählt…</translation>
    </message>
</context>
<context>
    <name>IntakeArea</name>
    <message>
        <source>Erase Files</source>
        <translation>Dateien löschen</translation>
    </message>
</context>
<context>
    <name>MailingListPromptView</name>
    <message>
        <source>Stay in the loop</source>
        <translation>Bleiben Sie auf dem Laufenden</translation>
    </message>
    <message>
        <source>Occasional offers, news, and updates about new features.
No spam — I absolutely promise.</source>
        <translation>Gelegentlich Angebote, Neuigkeiten und Infos zu neuen Funktionen.
Kein Spam – ganz fest versprochen.</translation>
    </message>
    <message>
        <source>name@example.com</source>
        <translation>name@beispiel.de</translation>
    </message>
    <message>
        <source>Email address</source>
        <translation>E-Mail-Adresse</translation>
    </message>
    <message>
        <source>Don&apos;t ask again</source>
        <translation>Nicht mehr fragen</translation>
    </message>
    <message>
        <source>Maybe later</source>
        <translation>Vielleicht später</translation>
    </message>
    <message>
        <source>Subscribe</source>
        <translation>Abonnieren</translation>
    </message>
    <message>
        <source>Subscribing</source>
        <translation>Wird abonniert</translation>
    </message>
    <message>
        <source>You&apos;re in!</source>
        <translation>Sie sind dabei!</translation>
    </message>
    <message>
        <source>Thanks for subscribing.</source>
        <translation>Danke für Ihr Abonnement.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Privacy policy</source>
        <translation>Datenschutzerklärung</translation>
    </message>
    <message>
        <source>You can unsubscribe any time.</source>
        <translation>Sie können sich jederzeit abmelden.</translation>
    </message>
</context>
<context>
    <name>MailingListSheet</name>
    <message>
        <source>Stay in the loop</source>
        <translation>Bleiben Sie auf dem Laufenden</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Contact Support</source>
        <translation>&amp;Support kontaktieren</translation>
    </message>
    <message>
        <source>&amp;Subscribe to Newsletter…</source>
        <translation>&amp;Newsletter abonnieren…</translation>
    </message>
    <message>
        <source>&amp;About Fendry</source>
        <translation>Ü&amp;ber Fendry</translation>
    </message>
    <message>
        <source>&amp;Quit Fendry</source>
        <translation>Fendry b&amp;eenden</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Wipe &amp;Free Space…</source>
        <translation>&amp;Freien Speicherplatz bereinigen…</translation>
    </message>
</context>
<context>
    <name>MethodSection</name>
    <message>
        <source>Mode</source>
        <translation>Modus</translation>
    </message>
    <message>
        <source>Verify after the last pass</source>
        <translation>Nach dem letzten Durchgang prüfen</translation>
    </message>
    <message>
        <source>Each file is read back from the disk and kept if it differs from what was written.</source>
        <translation>Jede Datei wird vom Datenträger zurückgelesen und behalten, wenn sie vom Geschriebenen abweicht.</translation>
    </message>
</context>
<context>
    <name>PassFailure</name>
    <message>
        <source>is a folder, not a regular file, so it was not overwritten</source>
        <translation>ist ein Ordner und keine reguläre Datei und wurde daher nicht überschrieben</translation>
    </message>
    <message>
        <source>is a symbolic link, not a regular file, so it was not overwritten</source>
        <translation>ist ein symbolischer Link und keine reguläre Datei und wurde daher nicht überschrieben</translation>
    </message>
    <message>
        <source>is a named pipe, not a regular file, so it was not overwritten</source>
        <translation>ist eine benannte Pipe und keine reguläre Datei und wurde daher nicht überschrieben</translation>
    </message>
    <message>
        <source>is a socket, not a regular file, so it was not overwritten</source>
        <translation>ist ein Socket und keine reguläre Datei und wurde daher nicht überschrieben</translation>
    </message>
    <message>
        <source>is a character device, not a regular file, so it was not overwritten</source>
        <translation>ist ein zeichenorientiertes Gerät und keine reguläre Datei und wurde daher nicht überschrieben</translation>
    </message>
    <message>
        <source>is a block device, not a regular file, so it was not overwritten</source>
        <translation>ist ein blockorientiertes Gerät und keine reguläre Datei und wurde daher nicht überschrieben</translation>
    </message>
    <message>
        <source>is a special file, not a regular file, so it was not overwritten</source>
        <translation>ist eine Spezialdatei und keine reguläre Datei und wurde daher nicht überschrieben</translation>
    </message>
    <message>
        <source>could not be read: %1</source>
        <translation>konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>could not be opened for writing: %1</source>
        <translation>konnte nicht zum Schreiben geöffnet werden: %1</translation>
    </message>
    <message>
        <source>its size could not be read: %1</source>
        <translation>die Größe konnte nicht ermittelt werden: %1</translation>
    </message>
    <message>
        <source>the random generator failed; nothing more was written</source>
        <translation>der Zufallsgenerator ist ausgefallen; es wurde nichts weiter geschrieben</translation>
    </message>
    <message>
        <source>writing failed at byte %1: %2</source>
        <translation>Schreiben bei Byte %1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>could not be synced to the device: %1</source>
        <translation>konnte nicht auf das Gerät synchronisiert werden: %1</translation>
    </message>
    <message>
        <source>could not be closed: %1</source>
        <translation>konnte nicht geschlossen werden: %1</translation>
    </message>
    <message>
        <source>was overwritten but could not be removed: %1</source>
        <translation>wurde überschrieben, konnte aber nicht entfernt werden: %1</translation>
    </message>
    <message>
        <source>was removed, but the removal could not be synced to the device: %1</source>
        <translation>wurde entfernt, aber das Entfernen konnte nicht auf das Gerät synchronisiert werden: %1</translation>
    </message>
    <message>
        <source>changed while it was being erased; it was left as it is</source>
        <translation>hat sich während des Löschens verändert; es wurde so belassen, wie es ist</translation>
    </message>
    <message numerus="yes">
        <source>has %n other name(s) outside what was chosen, which would lose their content; it was left as it is</source>
        <translation>
            <numerusform>hat %n weiteren Namen außerhalb der Auswahl, der seinen Inhalt verlieren würde; es wurde so belassen, wie es ist</numerusform>
            <numerusform>hat %n weitere Namen außerhalb der Auswahl, die ihren Inhalt verlieren würden; es wurde so belassen, wie es ist</numerusform>
        </translation>
    </message>
    <message>
        <source>shares its content with a file that could not be erased; it was left as it is</source>
        <translation>teilt seinen Inhalt mit einer Datei, die nicht gelöscht werden konnte; es wurde so belassen, wie es ist</translation>
    </message>
    <message>
        <source>the run was stopped while it was being overwritten; it was left partly overwritten</source>
        <translation>der Vorgang wurde während des Überschreibens angehalten; es blieb teilweise überschrieben zurück</translation>
    </message>
    <message>
        <source>could not be read: %1; nothing inside it was erased</source>
        <translation>konnte nicht gelesen werden: %1; darin wurde nichts gelöscht</translation>
    </message>
    <message>
        <source>is where another file system is mounted; it was not entered</source>
        <translation>ist Einhängepunkt eines anderen Dateisystems; er wurde nicht betreten</translation>
    </message>
    <message>
        <source>could not be reached: %1; it was left as it is</source>
        <translation>konnte nicht erreicht werden: %1; es wurde so belassen, wie es ist</translation>
    </message>
    <message>
        <source>was not removed: it still holds items that were not erased</source>
        <translation>wurde nicht entfernt: Er enthält noch Elemente, die nicht gelöscht wurden</translation>
    </message>
    <message>
        <source>was not removed: entries appeared in it during the run and were left as they are</source>
        <translation>wurde nicht entfernt: Während des Vorgangs sind darin Einträge entstanden, die belassen wurden</translation>
    </message>
    <message>
        <source>could not be removed: %1</source>
        <translation>konnte nicht entfernt werden: %1</translation>
    </message>
    <message>
        <source>could not be found</source>
        <translation>wurde nicht gefunden</translation>
    </message>
    <message>
        <source>changed since it was chosen; it was left as it is</source>
        <translation>hat sich seit der Auswahl verändert; es wurde so belassen</translation>
    </message>
    <message>
        <source>belongs to the system (a pseudo file system such as /proc, /sys or /dev); it was left as it is</source>
        <translation>gehört zum System (ein Pseudo-Dateisystem wie /proc, /sys oder /dev); es wurde so belassen</translation>
    </message>
    <message>
        <source>another file took its name just before removal and was removed unerased</source>
        <translation>eine andere Datei hat kurz vor dem Entfernen ihren Namen übernommen und wurde ungelöscht entfernt</translation>
    </message>
    <message>
        <source>its name could not be overwritten: %1; it was left as it is</source>
        <translation>sein Name konnte nicht überschrieben werden: %1; es wurde so belassen</translation>
    </message>
    <message>
        <source>could not be read back: %1; it was left as it is</source>
        <translation>konnte nicht zurückgelesen werden: %1; es wurde so belassen</translation>
    </message>
    <message>
        <source>did not read back as written at byte %1; it was left as it is</source>
        <translation>las sich bei Byte %1 nicht wie geschrieben zurück; es wurde so belassen</translation>
    </message>
</context>
<context>
    <name>PendingList</name>
    <message>
        <source>Files to erase</source>
        <translation>Zu löschende Dateien</translation>
    </message>
</context>
<context>
    <name>ProgressArea</name>
    <message>
        <source>Processing file %1 of %2</source>
        <translation>Datei %1 von %2 wird verarbeitet</translation>
    </message>
    <message>
        <source>Time remaining:</source>
        <translation>Verbleibende Zeit:</translation>
    </message>
    <message>
        <source>Calculating...</source>
        <translation>Wird berechnet…</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Zeigt Hilfe zu den Kommandozeilenoptionen an.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Zeigt Hilfe einschließlich Qt-spezifischer Optionen an.</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>Zeigt Versionsinformationen an.</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Aufruf: %1</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Argumente:</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[Optionen]</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>Unbekannte Option „%1“.</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>Unbekannte Optionen: %1.</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>Fehlender Wert nach „%1“.</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>Unerwarteter Wert nach „%1“.</translation>
    </message>
</context>
<context>
    <name>QuitQuestion</name>
    <message>
        <source>Stop erasing?</source>
        <translation>Löschen abbrechen?</translation>
    </message>
    <message>
        <source>Stop and Quit</source>
        <translation>Abbrechen und beenden</translation>
    </message>
    <message>
        <source>Keep Erasing</source>
        <translation>Weiter löschen</translation>
    </message>
    <message>
        <source>Every file being overwritten now (up to 16 at once) will be left partly overwritten; files not reached yet stay as they are.</source>
        <translation>Jede Datei, die gerade überschrieben wird (bis zu 16 gleichzeitig), bleibt teilweise überschrieben zurück; noch nicht erreichte Dateien bleiben unverändert.</translation>
    </message>
</context>
<context>
    <name>Refusal</name>
    <message>
        <source>an empty path names nothing</source>
        <translation>ein leerer Pfad bezeichnet nichts</translation>
    </message>
    <message>
        <source>it is the root folder</source>
        <translation>es ist der Wurzelordner</translation>
    </message>
    <message>
        <source>a path ending in &quot;.&quot; or &quot;..&quot; names a folder above or around the one meant</source>
        <translation>ein Pfad, der auf „.“ oder „..“ endet, bezeichnet einen Ordner oberhalb oder rund um den gemeinten</translation>
    </message>
    <message>
        <source>it belongs to the system (a pseudo file system such as /proc, /sys or /dev)</source>
        <translation>es gehört zum System (ein Pseudo-Dateisystem wie /proc, /sys oder /dev)</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>a PDF cannot be made here</source>
        <translation>hier kann kein PDF erstellt werden</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Erasure report</source>
        <translation>Löschbericht</translation>
    </message>
    <message numerus="yes">
        <source>%1, %n pass(es)</source>
        <translation>
            <numerusform>%1, %n Durchgang</numerusform>
            <numerusform>%1, %n Durchgänge</numerusform>
        </translation>
    </message>
    <message>
        <source>Fendry version</source>
        <translation>Fendry-Version</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Begonnen</translation>
    </message>
    <message>
        <source>Ended</source>
        <translation>Beendet</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>Methode</translation>
    </message>
    <message>
        <source>Verify after the last pass</source>
        <translation>Nach dem letzten Durchgang prüfen</translation>
    </message>
    <message>
        <source>Items chosen (%1)</source>
        <translation>Gewählte Elemente (%1)</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Element</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>File systems</source>
        <translation>Dateisysteme</translation>
    </message>
    <message>
        <source>It could not be looked at after the run.</source>
        <translation>Es konnte nach dem Lauf nicht untersucht werden.</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Files were read back through the page cache here, since the file system does not read past it.</source>
        <translation>Dateien wurden hier über den Seitencache zurückgelesen, da das Dateisystem nicht an ihm vorbei liest.</translation>
    </message>
    <message>
        <source>Mount point</source>
        <translation>Einhängepunkt</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Caution</source>
        <translation>Vorsicht</translation>
    </message>
    <message>
        <source>Totals</source>
        <translation>Summen</translation>
    </message>
    <message numerus="yes">
        <source>%n files securely erased</source>
        <translation>
            <numerusform>%n Datei sicher gelöscht</numerusform>
            <numerusform>%n Dateien sicher gelöscht</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of data deleted from disk</source>
        <translation>%1 an Daten vom Datenträger gelöscht</translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) and special file(s) removed, none followed</source>
        <translation>
            <numerusform>%n Link oder Spezialdatei entfernt, nicht verfolgt</numerusform>
            <numerusform>%n Links und Spezialdateien entfernt, nicht verfolgt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) could not be erased</source>
        <translation>
            <numerusform>%n Datei konnte nicht gelöscht werden</numerusform>
            <numerusform>%n Dateien konnten nicht gelöscht werden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s) not removed</source>
        <translation>
            <numerusform>%n Ordner nicht entfernt</numerusform>
            <numerusform>%n Ordner nicht entfernt</numerusform>
        </translation>
    </message>
    <message>
        <source>Stopped before the end.</source>
        <translation>Vor dem Ende angehalten.</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) not reached, left as they were</source>
        <translation>
            <numerusform>%n Element nicht erreicht, unverändert belassen</numerusform>
            <numerusform>%n Elemente nicht erreicht, unverändert belassen</numerusform>
        </translation>
    </message>
    <message>
        <source>Not erased or not removed (%1)</source>
        <translation>Nicht gelöscht oder nicht entfernt (%1)</translation>
    </message>
    <message>
        <source>Why</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>What Verify proves</source>
        <translation>Was die Prüfung beweist</translation>
    </message>
    <message>
        <source>Each file was read back from the device after its last pass and compared with what the pass wrote: the device returned what was written to the file&apos;s blocks. Copies that the storage keeps elsewhere are beyond its reach.</source>
        <translation>Jede Datei wurde nach ihrem letzten Durchgang vom Gerät zurückgelesen und mit dem verglichen, was der Durchgang geschrieben hat: Das Gerät lieferte, was in die Blöcke der Datei geschrieben wurde. Kopien, die der Speicher anderswo aufbewahrt, erreicht sie nicht.</translation>
    </message>
    <message>
        <source>Fendry erasure report, %1, %2</source>
        <translation>Fendry-Löschbericht, %1, %2</translation>
    </message>
    <message>
        <source>Erased</source>
        <translation>Gelöscht</translation>
    </message>
    <message>
        <source>Erased with issues</source>
        <translation>Gelöscht, mit Problemen</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Special file</source>
        <translation>Spezialdatei</translation>
    </message>
    <message>
        <source>Missing</source>
        <translation>Fehlt</translation>
    </message>
    <message>
        <source>was not removed: the run was stopped first</source>
        <translation>wurde nicht entfernt: der Lauf wurde vorher angehalten</translation>
    </message>
    <message>
        <source>Removed, not followed</source>
        <translation>Entfernt, nicht verfolgt</translation>
    </message>
    <message>
        <source>Erased and verified</source>
        <translation>Gelöscht und geprüft</translation>
    </message>
    <message numerus="yes">
        <source>Partly erased: %n file(s) erased</source>
        <translation>
            <numerusform>Teilweise gelöscht: %n Datei gelöscht</numerusform>
            <numerusform>Teilweise gelöscht: %n Dateien gelöscht</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n read back as written</source>
        <translation>
            <numerusform>%n wie geschrieben zurückgelesen</numerusform>
            <numerusform>%n wie geschrieben zurückgelesen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) and special file(s) removed</source>
        <translation>
            <numerusform>%n Link oder Spezialdatei entfernt</numerusform>
            <numerusform>%n Links und Spezialdateien entfernt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n not erased</source>
        <translation>
            <numerusform>%n nicht gelöscht</numerusform>
            <numerusform>%n nicht gelöscht</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n not reached</source>
        <translation>
            <numerusform>%n nicht erreicht</numerusform>
            <numerusform>%n nicht erreicht</numerusform>
        </translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Belassen</translation>
    </message>
    <message>
        <source>Not reached, left as it was</source>
        <translation>Nicht erreicht, unverändert belassen</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <comment>a result, then why</comment>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>ShredMethod</name>
    <message>
        <source>Quick</source>
        <translation>Schnell</translation>
    </message>
    <message>
        <source>Safe</source>
        <translation>Sicher</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Spurlos</translation>
    </message>
    <message>
        <source>Fast, single-pass deletion, sufficient for most personal use cases</source>
        <translation>Schnelles Löschen in einem Durchgang, für die meisten privaten Zwecke ausreichend</translation>
    </message>
    <message>
        <source>Secure, 7-pass erasure; meets government standards for data sanitization</source>
        <translation>Sicheres Löschen in 7 Durchgängen; erfüllt behördliche Standards zur Datenbereinigung</translation>
    </message>
    <message>
        <source>Maximum-security, 35-pass mode; makes data recovery virtually impossible</source>
        <translation>Höchste Sicherheit mit 35 Durchgängen; macht eine Wiederherstellung praktisch unmöglich</translation>
    </message>
</context>
<context>
    <name>StorageCaution</name>
    <message>
        <source>the earlier copies that a copy-on-write file system (%1) keeps</source>
        <translation>die früheren Kopien, die ein Copy-on-Write-Dateisystem (%1) aufbewahrt</translation>
    </message>
    <message>
        <source>the copies on the server behind a network file system (%1)</source>
        <translation>die Kopien auf dem Server hinter einem Netzwerkdateisystem (%1)</translation>
    </message>
    <message>
        <source>the storage behind a FUSE file system (%1)</source>
        <translation>den Speicher hinter einem FUSE-Dateisystem (%1)</translation>
    </message>
    <message>
        <source>the spare blocks of an SSD or flash storage, which can still hold old data</source>
        <translation>die Reserveblöcke einer SSD oder eines Flash-Speichers, die noch alte Daten enthalten können</translation>
    </message>
    <message>
        <source>the copies of file data in the journal of %1 with data=journal</source>
        <translation>die Kopien von Dateidaten im Journal von %1 mit data=journal</translation>
    </message>
    <message>
        <source>%1, or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>Overwriting in place cannot reach %1.</source>
        <translation>Überschreiben an Ort und Stelle erreicht nicht %1.</translation>
    </message>
    <message>
        <source>Wiping the free space cannot reach %1.</source>
        <translation>Das Bereinigen des freien Speicherplatzes erreicht nicht %1.</translation>
    </message>
</context>
<context>
    <name>UnopenedLinkCard</name>
    <message>
        <source>No mail application could be opened. Write to us at:</source>
        <translation>Es konnte kein E-Mail-Programm geöffnet werden. Schreiben Sie uns an:</translation>
    </message>
    <message>
        <source>No web browser could be opened. The link is:</source>
        <translation>Es konnte kein Webbrowser geöffnet werden. Der Link lautet:</translation>
    </message>
    <message>
        <source>No file manager could be opened. The folder is:</source>
        <translation>Es konnte kein Dateimanager geöffnet werden. Der Ordner ist:</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>UpdateResultDialog</name>
    <message>
        <source>Checking for updates…</source>
        <translation>Suche nach Updates…</translation>
    </message>
    <message>
        <source>You&apos;re up to date!</source>
        <translation>Fendry ist auf dem neuesten Stand!</translation>
    </message>
    <message>
        <source>A new version of Fendry is available!</source>
        <translation>Eine neue Version von Fendry ist verfügbar!</translation>
    </message>
    <message>
        <source>The check for updates failed.</source>
        <translation>Die Suche nach Updates ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Fendry %1 is currently the newest version available.</source>
        <translation>Fendry %1 ist derzeit die neueste verfügbare Version.</translation>
    </message>
    <message>
        <source>Fendry %1 is now available; you have %2. Download it from our website, or update it with your package manager.</source>
        <translation>Fendry %1 ist jetzt verfügbar; Sie haben %2. Laden Sie es von unserer Website herunter oder aktualisieren Sie es mit Ihrer Paketverwaltung.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>The update information offers no secure download link, so Fendry opens none.</source>
        <translation>Die Update-Informationen bieten keinen sicheren Download-Link, daher öffnet Fendry keinen.</translation>
    </message>
</context>
<context>
    <name>WaitingLine</name>
    <message numerus="yes">
        <source>%n item(s) waiting for the next run</source>
        <translation>
            <numerusform>%n Element wartet auf den nächsten Löschvorgang</numerusform>
            <numerusform>%n Elemente warten auf den nächsten Löschvorgang</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WavingBackground</name>
    <message>
        <source>Drop files or folders here
for permanent deletion</source>
        <translation>Dateien oder Ordner hier ablegen,
um sie endgültig zu löschen</translation>
    </message>
</context>
<context>
    <name>WipeFreeSpace</name>
    <message>
        <source>Choose a Folder on the Disk to Wipe</source>
        <translation>Ordner auf dem zu bereinigenden Datenträger wählen</translation>
    </message>
</context>
<context>
    <name>WipeFreeSpaceAlert</name>
    <message>
        <source>The Free Space Here Cannot Be Wiped</source>
        <translation>Der freie Speicherplatz hier kann nicht bereinigt werden</translation>
    </message>
    <message>
        <source>Wipe Free Space?</source>
        <translation>Freien Speicherplatz bereinigen?</translation>
    </message>
    <message>
        <source>Fendry cannot wipe the free space under “%1”: %2.</source>
        <translation>Fendry kann den freien Speicherplatz unter „%1“ nicht bereinigen: %2.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Wipe now</source>
        <translation>Jetzt bereinigen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>WipeProgressArea</name>
    <message>
        <source>Step %1/%2</source>
        <translation>Schritt %1/%2</translation>
    </message>
    <message>
        <source>Time remaining:</source>
        <translation>Verbleibende Zeit:</translation>
    </message>
    <message>
        <source>Calculating...</source>
        <translation>Wird berechnet…</translation>
    </message>
</context>
<context>
    <name>WipeSummaryView</name>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>fendry::MailingListManager</name>
    <message>
        <source>Please enter a valid email address.</source>
        <translation>Bitte geben Sie eine gültige E-Mail-Adresse ein.</translation>
    </message>
    <message>
        <source>The newsletter service&apos;s address is not a secure one.</source>
        <translation>Die Adresse des Newsletter-Dienstes ist nicht sicher.</translation>
    </message>
    <message>
        <source>Please check your email address and try again.</source>
        <translation>Bitte prüfen Sie Ihre E-Mail-Adresse und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Server returned %1. Please try again later.</source>
        <translation>Der Server antwortete mit %1. Bitte versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>The newsletter service did not answer in time.</source>
        <translation>Der Newsletter-Dienst hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>The newsletter service&apos;s answer could not be read.</source>
        <translation>Die Antwort des Newsletter-Dienstes konnte nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>fendry::MainScreen</name>
    <message>
        <source>“%1” was not added: %2</source>
        <translation>„%1“ wurde nicht hinzugefügt: %2</translation>
    </message>
    <message numerus="yes">
        <source>%1 (and %n more)</source>
        <translation>
            <numerusform>%1 (und %n weiteres)</numerusform>
            <numerusform>%1 (und %n weitere)</numerusform>
        </translation>
    </message>
    <message>
        <source>Erasure report %1.pdf</source>
        <translation>Löschbericht %1.pdf</translation>
    </message>
    <message>
        <source>there is no finished run to report on</source>
        <translation>es gibt keinen beendeten Lauf, über den berichtet werden kann</translation>
    </message>
    <message>
        <source>it can only be saved as a file on this computer</source>
        <translation>er kann nur als Datei auf diesem Computer gespeichert werden</translation>
    </message>
    <message>
        <source>The report was not saved: %1</source>
        <translation>Der Bericht wurde nicht gespeichert: %1</translation>
    </message>
</context>
<context>
    <name>fendry::Updater</name>
    <message>
        <source>The update server did not answer in time.</source>
        <translation>Der Update-Server hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>The update server&apos;s address is not a secure one.</source>
        <translation>Die Adresse des Update-Servers ist nicht sicher.</translation>
    </message>
    <message>
        <source>The update information could not be read.</source>
        <translation>Die Update-Informationen konnten nicht gelesen werden.</translation>
    </message>
    <message>
        <source>A secure connection to the update server could not be made.</source>
        <translation>Es konnte keine sichere Verbindung zum Update-Server hergestellt werden.</translation>
    </message>
    <message>
        <source>The update server answered with status %1.</source>
        <translation>Der Update-Server antwortete mit Status %1.</translation>
    </message>
    <message>
        <source>The update server could not be reached. Check the network connection.</source>
        <translation>Der Update-Server ist nicht erreichbar. Prüfen Sie die Netzwerkverbindung.</translation>
    </message>
</context>
</TS>
