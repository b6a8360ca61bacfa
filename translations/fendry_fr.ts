<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Fendry</source>
        <translation>À propos de Fendry</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Erases files and folders beyond recovery by overwriting them with random data before removing them.</source>
        <translation>Efface définitivement fichiers et dossiers en les écrasant avec des données aléatoires avant de les supprimer.</translation>
    </message>
    <message>
        <source>Licensed under the GNU General Public License, version 3 or later.</source>
        <translation>Distribué sous la licence publique générale GNU, version 3 ou ultérieure.</translation>
    </message>
    <message>
        <source>Overwriting in place cannot reach copies that the storage keeps elsewhere: copy-on-write file systems, snapshots, backups and the spare blocks of SSDs.</source>
        <translation>L’écrasement sur place n’atteint pas les copies que le stockage conserve ailleurs&#xa0;: systèmes de fichiers en copie sur écriture, instantanés, sauvegardes et blocs de réserve des SSD.</translation>
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
        <translation>&amp;Rechercher des mises à jour…</translation>
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
        <translation>Passe %1/%2</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>Verifying</source>
        <translation>Vérification</translation>
    </message>
</context>
<context>
    <name>CompletionView</name>
    <message>
        <source>All set!</source>
        <translation>C’est fait&#x202f;!</translation>
    </message>
    <message>
        <source>Done, with issues</source>
        <translation>Fini, avec des erreurs</translation>
    </message>
    <message numerus="yes">
        <source>%n files securely erased</source>
        <translation>
            <numerusform>%n fichier effacé en toute sécurité</numerusform>
            <numerusform>%n fichiers effacés en toute sécurité</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of data deleted from disk</source>
        <translation>%1 de données supprimées du disque</translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) and special file(s) removed, none followed</source>
        <translation>
            <numerusform>%n lien ou fichier spécial supprimé, non suivi</numerusform>
            <numerusform>%n liens et fichiers spéciaux supprimés, non suivis</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) could not be erased</source>
        <translation>
            <numerusform>%n fichier n’a pas pu être effacé</numerusform>
            <numerusform>%n fichiers n’ont pas pu être effacés</numerusform>
        </translation>
    </message>
    <message>
        <source>Start Again</source>
        <translation>Recommencer</translation>
    </message>
    <message>
        <source>Show Details</source>
        <translation>Afficher les détails</translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s) not removed</source>
        <translation>
            <numerusform>%n dossier non supprimé</numerusform>
            <numerusform>%n dossiers non supprimés</numerusform>
        </translation>
    </message>
    <message>
        <source>Save Report…</source>
        <translation>Enregistrer le rapport…</translation>
    </message>
    <message>
        <source>The report lists the names of everything erased. It is saved only where you choose and sent nowhere.</source>
        <translation>Le rapport donne le nom de tout ce qui a été effacé. Il est enregistré uniquement là où vous le choisissez et n’est envoyé nulle part.</translation>
    </message>
</context>
<context>
    <name>ConfirmationAlert</name>
    <message>
        <source>Are you sure?</source>
        <translation>Confirmer l’effacement&#x202f;?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Erase now</source>
        <translation>Effacer maintenant</translation>
    </message>
    <message>
        <source>Counting…</source>
        <translation>Comptage…</translation>
    </message>
    <message numerus="yes">
        <source>This will permanently delete %n item(s) (%1). This action cannot be undone.</source>
        <extracomment>%1 is the count of files, as in &quot;(4 files)&quot;</extracomment>
        <translation>
            <numerusform>%n élément (%1) sera supprimé définitivement. Cette action est irréversible.</numerusform>
            <numerusform>%n éléments (%1) seront supprimés définitivement. Cette action est irréversible.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n fichier</numerusform>
            <numerusform>%n fichiers</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Document PDF (*.pdf)</translation>
    </message>
    <message>
        <source>JSON file (*.json)</source>
        <translation>Fichier JSON (*.json)</translation>
    </message>
    <message>
        <source>Save Report: it lists every erased name</source>
        <translation>Enregistrer le rapport : il nomme tout ce qui a été effacé</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
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
        <translation>Afficher dans le dossier</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Copié</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) could not be erased</source>
        <translation>
            <numerusform>%n fichier n’a pas pu être effacé</numerusform>
            <numerusform>%n fichiers n’ont pas pu être effacés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s) not removed</source>
        <translation>
            <numerusform>%n dossier non supprimé</numerusform>
            <numerusform>%n dossiers non supprimés</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Fendry</name>
    <message>
        <source>Usage: fendry [PATH|FILE-URL]...
Opens Fendry with the given files and folders waiting to be erased.</source>
        <translation>Utilisation&#xa0;: fendry [CHEMIN|URL-DE-FICHIER]...
Ouvre Fendry avec les fichiers et dossiers indiqués, prêts à être effacés.</translation>
    </message>
    <message>
        <source>the running Fendry did not answer; try again.</source>
        <translation>l’instance de Fendry en cours n’a pas répondu&#x202f;; réessayez.</translation>
    </message>
    <message>
        <source>the running Fendry&apos;s socket belongs to another user; it was told nothing, and this launch takes its place.</source>
        <translation>le socket de l’instance de Fendry en cours appartient à un autre utilisateur&#x202f;; rien ne lui a été transmis, et ce lancement prend sa place.</translation>
    </message>
    <message>
        <source>later launches cannot reach this one; items opened with it will start a second window.</source>
        <translation>les lancements suivants ne pourront pas joindre celui-ci&#x202f;; les éléments ouverts avec Fendry ouvriront une deuxième fenêtre.</translation>
    </message>
    <message>
        <source>more than %1 items cannot be handed to the running Fendry at once; nothing was handed over.</source>
        <translation>impossible de remettre plus de %1 éléments à la fois à l’instance de Fendry en cours&#x202f;; rien n’a été remis.</translation>
    </message>
</context>
<context>
    <name>FendryCli</name>
    <message>
        <source>refused:</source>
        <translation>refusé&#xa0;:</translation>
    </message>
    <message>
        <source>left:</source>
        <translation>laissé&#xa0;:</translation>
    </message>
    <message>
        <source>remove:</source>
        <translation>supprimer&#xa0;:</translation>
    </message>
    <message>
        <source>erase:</source>
        <translation>effacer&#xa0;:</translation>
    </message>
    <message>
        <source>(a link or special file, not followed)</source>
        <translation>(un lien ou un fichier spécial, non suivi)</translation>
    </message>
    <message>
        <source>(another name of a file erased above)</source>
        <translation>(un autre nom d’un fichier effacé ci-dessus)</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) would be erased (%1)</source>
        <translation>
            <numerusform>%n fichier serait effacé (%1)</numerusform>
            <numerusform>%n fichiers seraient effacés (%1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) and special file(s) would be removed</source>
        <translation>
            <numerusform>%n lien ou fichier spécial serait supprimé</numerusform>
            <numerusform>%n liens et fichiers spéciaux seraient supprimés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) would be refused or left</source>
        <translation>
            <numerusform>%n élément serait refusé ou laissé</numerusform>
            <numerusform>%n éléments seraient refusés ou laissés</numerusform>
        </translation>
    </message>
    <message>
        <source>Processing file %1 of %2</source>
        <translation>Traitement du fichier %1 sur %2</translation>
    </message>
    <message>
        <source>Pass %1/%2</source>
        <translation>Passe %1/%2</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1&#x202f;%</translation>
    </message>
    <message>
        <source>Time remaining:</source>
        <translation>Temps restant&#xa0;:</translation>
    </message>
    <message>
        <source>Calculating...</source>
        <translation>Calcul en cours…</translation>
    </message>
    <message>
        <source>Stopped before the end.</source>
        <translation>Arrêté avant la fin.</translation>
    </message>
    <message>
        <source>All set!</source>
        <translation>C’est fait&#x202f;!</translation>
    </message>
    <message>
        <source>Done, with issues</source>
        <translation>Fini, avec des erreurs</translation>
    </message>
    <message numerus="yes">
        <source>%n files securely erased</source>
        <translation>
            <numerusform>%n fichier effacé en toute sécurité</numerusform>
            <numerusform>%n fichiers effacés en toute sécurité</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of data deleted from disk</source>
        <translation>%1 de données supprimées du disque</translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) and special file(s) removed, none followed</source>
        <translation>
            <numerusform>%n lien ou fichier spécial supprimé, non suivi</numerusform>
            <numerusform>%n liens et fichiers spéciaux supprimés, non suivis</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) not reached, left as they were</source>
        <translation>
            <numerusform>%n élément non atteint, laissé tel quel</numerusform>
            <numerusform>%n éléments non atteints, laissés tels quels</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) could not be erased</source>
        <translation>
            <numerusform>%n fichier n’a pas pu être effacé</numerusform>
            <numerusform>%n fichiers n’ont pas pu être effacés</numerusform>
        </translation>
    </message>
    <message>
        <source>Try &apos;fendry-cli --help&apos; for more information.</source>
        <translation>Saisissez «&#xa0;fendry-cli --help&#xa0;» pour plus d’informations.</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Confirmer l’effacement&#x202f;?</translation>
    </message>
    <message numerus="yes">
        <source>This will permanently delete %n item(s). This action cannot be undone.</source>
        <translation>
            <numerusform>%n élément sera supprimé définitivement. Cette action est irréversible.</numerusform>
            <numerusform>%n éléments seront supprimés définitivement. Cette action est irréversible.</numerusform>
        </translation>
    </message>
    <message>
        <source>Erase now? [y/N] </source>
        <translation>Effacer maintenant&#x202f;? [o/N] </translation>
    </message>
    <message>
        <source>y,yes</source>
        <comment>the answers to [y/N] that mean yes, in lower case</comment>
        <translation>o,oui</translation>
    </message>
    <message>
        <source>argument %1 is not valid text in this locale&apos;s encoding; nothing was erased.</source>
        <translation>l’argument %1 n’est pas un texte valide dans l’encodage de cette locale&#x202f;; rien n’a été effacé.</translation>
    </message>
    <message>
        <source>Erase method: quick (1 pass), safe (7) or stealth (35). Default: the method last chosen in Fendry, or quick.</source>
        <translation>Méthode d’effacement&#xa0;: quick (1 passe), safe (7) ou stealth (35). Par défaut&#xa0;: la dernière méthode choisie dans Fendry, sinon quick.</translation>
    </message>
    <message>
        <source>method</source>
        <translation>méthode</translation>
    </message>
    <message>
        <source>Erase without asking for confirmation.</source>
        <translation>Effacer sans demander de confirmation.</translation>
    </message>
    <message>
        <source>Change nothing: list what would be erased, removed, refused or left, and why.</source>
        <translation>Ne rien modifier&#xa0;: lister ce qui serait effacé, supprimé, refusé ou laissé, et pourquoi.</translation>
    </message>
    <message>
        <source>Print only the lines of items that could not be erased; the exit status tells the rest.</source>
        <translation>N’afficher que les lignes des éléments qui n’ont pas pu être effacés&#x202f;; le code de sortie dit le reste.</translation>
    </message>
    <message>
        <source>PATH</source>
        <translation>CHEMIN</translation>
    </message>
    <message>
        <source>Files and folders to erase.</source>
        <translation>Fichiers et dossiers à effacer.</translation>
    </message>
    <message>
        <source>PATH...</source>
        <translation>CHEMIN...</translation>
    </message>
    <message>
        <source>unknown method &apos;%1&apos;; choose quick, safe or stealth</source>
        <translation>méthode inconnue «&#xa0;%1&#xa0;»&#x202f;; choisissez quick, safe ou stealth</translation>
    </message>
    <message>
        <source>no PATH to erase</source>
        <translation>aucun CHEMIN à effacer</translation>
    </message>
    <message>
        <source>refusing to erase &apos;%1&apos;: %2; nothing was erased.</source>
        <translation>refus d’effacer «&#xa0;%1&#xa0;»&#xa0;: %2&#x202f;; rien n’a été effacé.</translation>
    </message>
    <message>
        <source>nothing was erased: there is no terminal to ask for confirmation on; pass --yes to erase without asking.</source>
        <translation>rien n’a été effacé&#xa0;: aucun terminal pour demander confirmation&#x202f;; passez --yes pour effacer sans demander.</translation>
    </message>
    <message>
        <source>Nothing was erased.</source>
        <translation>Rien n’a été effacé.</translation>
    </message>
    <message>
        <source>Erases files and folders beyond recovery: every file is overwritten in place with fresh
random data, pass after pass, synced to the device, and removed after its last pass;
each folder that the run emptied is removed at the end.</source>
        <translation>Efface définitivement fichiers et dossiers&#xa0;: chaque fichier est écrasé sur place par de nouvelles
données aléatoires, passe après passe, synchronisé sur le périphérique, puis supprimé après
sa dernière passe&#x202f;; à la fin, chaque dossier que l’effacement a vidé est supprimé.</translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s) not removed</source>
        <translation>
            <numerusform>%n dossier non supprimé</numerusform>
            <numerusform>%n dossiers non supprimés</numerusform>
        </translation>
    </message>
    <message>
        <source>Verifying</source>
        <translation>Vérification</translation>
    </message>
    <message>
        <source>Read each file back from the device after its last pass, and leave it where it does not read as written.</source>
        <translation>Relire chaque fichier depuis le périphérique après sa dernière passe, et le laisser en place s’il ne se relit pas tel qu’écrit.</translation>
    </message>
    <message>
        <source>Wipe the free space of %1?</source>
        <translation>Nettoyer l’espace libre de %1&#x202f;?</translation>
    </message>
    <message>
        <source>Wipe now? [y/N] </source>
        <translation>Nettoyer maintenant&#x202f;? [o/N] </translation>
    </message>
    <message>
        <source>refusing to wipe the free space under &apos;%1&apos;: %2; nothing was written.</source>
        <translation>refus de nettoyer l’espace libre sous «&#xa0;%1&#xa0;»&#xa0;: %2&#x202f;; rien n’a été écrit.</translation>
    </message>
    <message>
        <source>nothing was written: there is no terminal to ask for confirmation on; pass --yes to wipe without asking.</source>
        <translation>rien n’a été écrit&#xa0;: aucun terminal ne permet de demander confirmation&#x202f;; passez --yes pour nettoyer sans demander.</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Rien n’a été écrit.</translation>
    </message>
    <message>
        <source>Wipe the free space of the file system that holds PATH instead: fill it with random data in files without a name, then let them go.</source>
        <translation>Nettoyer plutôt l’espace libre du système de fichiers qui contient CHEMIN&#xa0;: le remplir de données aléatoires dans des fichiers sans nom, puis les libérer.</translation>
    </message>
    <message>
        <source>the report&apos;s name must end in .pdf or .json: &apos;%1&apos;</source>
        <translation>le nom du rapport doit se terminer par .pdf ou .json&#xa0;: «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>the report&apos;s folder does not exist: &apos;%1&apos;</source>
        <translation>le dossier du rapport n’existe pas&#xa0;: «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>the report&apos;s name is a folder: &apos;%1&apos;</source>
        <translation>le nom du rapport est un dossier&#xa0;: «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>the report&apos;s folder is not writable: &apos;%1&apos;</source>
        <translation>le dossier du rapport n’est pas accessible en écriture&#xa0;: «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>the report &apos;%1&apos; would lie inside what is to be erased</source>
        <translation>le rapport «&#xa0;%1&#xa0;» se trouverait dans ce qui doit être effacé</translation>
    </message>
    <message>
        <source>the report could not be written to &apos;%1&apos;: %2</source>
        <translation>le rapport n’a pas pu être écrit dans «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>At the end, write a report of the run to FILE: PDF for a name ending in .pdf, JSON for .json. It lists the names of what was erased.</source>
        <translation>À la fin, écrire un rapport de l’exécution dans FICHIER&#xa0;: PDF pour un nom finissant par .pdf, JSON pour .json. Il cite les noms de ce qui a été effacé.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FICHIER</translation>
    </message>
    <message>
        <source>--report has nothing to report on a dry run</source>
        <translation>--report n’a rien à rapporter lors d’un essai à blanc</translation>
    </message>
    <message>
        <source>%1; nothing was erased.</source>
        <translation>%1&#x202f;; rien n’a été effacé.</translation>
    </message>
    <message>
        <source>--wipe-free-space takes one PATH and no --method, --verify, --report, --dry-run or items to erase</source>
        <translation>--wipe-free-space prend un seul CHEMIN et ni --method, ni --verify, ni --report, ni --dry-run, ni éléments à effacer</translation>
    </message>
</context>
<context>
    <name>FileRow</name>
    <message numerus="yes">
        <source>%n items</source>
        <translation>
            <numerusform>%n élément</numerusform>
            <numerusform>%n éléments</numerusform>
        </translation>
    </message>
    <message>
        <source>Show in Folder</source>
        <translation>Afficher dans le dossier</translation>
    </message>
    <message>
        <source>Remove from List</source>
        <translation>Retirer de la liste</translation>
    </message>
    <message>
        <source>Link to %1</source>
        <translation>Lien vers %1</translation>
    </message>
    <message>
        <source>Counting…</source>
        <translation>Comptage…</translation>
    </message>
    <message>
        <source>%1, link to %2</source>
        <translation>%1, lien vers %2</translation>
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
        <translation>%1&#xa0;octets</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1&#xa0;Ko</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1&#xa0;Mo</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1&#xa0;Go</translation>
    </message>
    <message>
        <source>%1 TB</source>
        <translation>%1&#xa0;To</translation>
    </message>
</context>
<context>
    <name>FreeSpaceWipe</name>
    <message>
        <source>the folder cannot be opened: %1</source>
        <translation>le dossier ne peut pas être ouvert&#xa0;: %1</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>ce n’est pas un dossier</translation>
    </message>
    <message>
        <source>it belongs to the system (a pseudo file system such as /proc, /sys or /dev)</source>
        <translation>il appartient au système (un pseudo-système de fichiers comme /proc, /sys ou /dev)</translation>
    </message>
    <message>
        <source>it lives in memory (%1): nothing of it is kept on a disk, and filling it would fill the memory</source>
        <translation>il réside en mémoire (%1)&#xa0;: rien n’en est conservé sur un disque, et le remplir remplirait la mémoire</translation>
    </message>
    <message>
        <source>it is mounted read-only</source>
        <translation>il est monté en lecture seule</translation>
    </message>
    <message>
        <source>it is a network file system (%1): its free space is on the server, out of reach from here</source>
        <translation>c’est un système de fichiers réseau (%1)&#xa0;: son espace libre se trouve sur le serveur, hors d’atteinte d’ici</translation>
    </message>
    <message>
        <source>it is a FUSE file system (%1): a program stands between it and the storage, so what the wipe writes may never reach the free space</source>
        <translation>c’est un système de fichiers FUSE (%1)&#xa0;: un programme se tient entre lui et le stockage, et ce qu’écrit le nettoyage pourrait ne jamais atteindre l’espace libre</translation>
    </message>
    <message>
        <source>it is a layered file system (%1): wipe the file system that holds its writable layer instead</source>
        <translation>c’est un système de fichiers en couches (%1)&#xa0;: nettoyez plutôt le système de fichiers qui contient sa couche inscriptible</translation>
    </message>
    <message>
        <source>this file system (%1) cannot hold files without a name, which the wipe needs so that nothing is left behind if it is interrupted</source>
        <translation>ce système de fichiers (%1) ne peut pas contenir de fichiers sans nom, dont le nettoyage a besoin pour ne rien laisser derrière lui s’il est interrompu</translation>
    </message>
    <message>
        <source>files cannot be made in this folder, nor at the top of its file system: %1</source>
        <translation>aucun fichier ne peut être créé dans ce dossier, ni à la racine de son système de fichiers&#xa0;: %1</translation>
    </message>
    <message>
        <source>%1 (%2, %3)</source>
        <extracomment>%1 is where the file system is mounted, %2 its device, %3 its type: &quot;/home (/dev/sda2, ext4)&quot;</extracomment>
        <translation>%1 (%2, %3)</translation>
    </message>
    <message>
        <source>About %1 of free space will be overwritten with random data.</source>
        <translation>Environ %1 d’espace libre seront écrasés par des données aléatoires.</translation>
    </message>
    <message>
        <source>Estimated time: %1 to %2, depending on the device.</source>
        <translation>Durée estimée&#xa0;: %1 à %2, selon le périphérique.</translation>
    </message>
    <message>
        <source>While the free space is being filled, other programs see a full disk; the space comes back the moment the fill ends, or if the wipe is stopped or interrupted.</source>
        <translation>Pendant le remplissage de l’espace libre, les autres programmes voient un disque plein&#x202f;; l’espace revient dès la fin du remplissage, ou si le nettoyage est arrêté ou interrompu.</translation>
    </message>
    <message>
        <source>%1 reserved for the administrator cannot be reached without root.</source>
        <translation>%1 réservés à l’administrateur ne peuvent pas être atteints sans root.</translation>
    </message>
    <message>
        <source>Writing random data into the free space…</source>
        <translation>Écriture de données aléatoires dans l’espace libre…</translation>
    </message>
    <message>
        <source>Overwriting free inodes…</source>
        <translation>Écrasement des inodes libres…</translation>
    </message>
    <message>
        <source>Overwriting the journal…</source>
        <translation>Écrasement du journal…</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>how much of the free space has been written so far: &quot;1.2 GB of 4.0 GB&quot;</extracomment>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>Stopped before the end</source>
        <translation>Arrêté avant la fin</translation>
    </message>
    <message>
        <source>Free space wiped</source>
        <translation>Espace libre nettoyé</translation>
    </message>
    <message>
        <source>Done, with issues</source>
        <translation>Fini, avec des erreurs</translation>
    </message>
    <message>
        <source>%1 of free space overwritten with random data</source>
        <translation>%1 d’espace libre écrasés par des données aléatoires</translation>
    </message>
    <message numerus="yes">
        <source>%n free inode(s) overwritten</source>
        <translation>
            <numerusform>%n inode libre écrasé</numerusform>
            <numerusform>%n inodes libres écrasés</numerusform>
        </translation>
    </message>
    <message>
        <source>The journal was emptied and zeroed</source>
        <translation>Le journal a été vidé et mis à zéro</translation>
    </message>
    <message>
        <source>The journal was written through from end to end</source>
        <translation>Le journal a été réécrit d’un bout à l’autre</translation>
    </message>
    <message>
        <source>The folder is no longer on the file system that was shown; nothing was written</source>
        <translation>Le dossier n’est plus sur le système de fichiers indiqué&#x202f;; rien n’a été écrit</translation>
    </message>
    <message>
        <source>A file could not be made for the wipe: %1</source>
        <translation>Impossible de créer un fichier pour le nettoyage&#xa0;: %1</translation>
    </message>
    <message>
        <source>Writing failed: %1</source>
        <translation>L’écriture a échoué&#xa0;: %1</translation>
    </message>
    <message>
        <source>What was written could not be synced to the device: %1</source>
        <translation>Ce qui a été écrit n’a pas pu être synchronisé sur le périphérique&#xa0;: %1</translation>
    </message>
    <message>
        <source>The random generator failed; nothing more was written</source>
        <translation>Le générateur aléatoire a échoué&#x202f;; plus rien n’a été écrit</translation>
    </message>
    <message>
        <source>%1 reserved for the administrator was not overwritten; run as root to reach it</source>
        <translation>%1 réservés à l’administrateur n’ont pas été écrasés&#x202f;; lancez-le en root pour les atteindre</translation>
    </message>
    <message>
        <source>%1 beyond your disk quota was not overwritten</source>
        <translation>%1 au-delà de votre quota disque n’ont pas été écrasés</translation>
    </message>
    <message>
        <source>%1 of free space could not be written</source>
        <translation>%1 d’espace libre n’ont pas pu être écrits</translation>
    </message>
    <message>
        <source>The file system&apos;s journal was not overwritten</source>
        <translation>Le journal du système de fichiers n’a pas été écrasé</translation>
    </message>
</context>
<context>
    <name>HeaderRow</name>
    <message>
        <source>Total Files: %1</source>
        <translation>Fichiers au total&#xa0;: %1</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Tout retirer</translation>
    </message>
    <message>
        <source>Counting…</source>
        <translation>Comptage…</translation>
    </message>
</context>
<context>
    <name>IntakeArea</name>
    <message>
        <source>Erase Files</source>
        <translation>Effacer les fichiers</translation>
    </message>
</context>
<context>
    <name>MailingListPromptView</name>
    <message>
        <source>Stay in the loop</source>
        <translation>Restez informé</translation>
    </message>
    <message>
        <source>Occasional offers, news, and updates about new features.
No spam — I absolutely promise.</source>
        <translation>De temps en temps, des offres, des nouvelles et les nouveautés.
Aucun spam — c’est promis.</translation>
    </message>
    <message>
        <source>name@example.com</source>
        <translation>nom@exemple.fr</translation>
    </message>
    <message>
        <source>Email address</source>
        <translation>Adresse e-mail</translation>
    </message>
    <message>
        <source>Don&apos;t ask again</source>
        <translation>Ne plus demander</translation>
    </message>
    <message>
        <source>Maybe later</source>
        <translation>Plus tard</translation>
    </message>
    <message>
        <source>Subscribe</source>
        <translation>S’abonner</translation>
    </message>
    <message>
        <source>Subscribing</source>
        <translation>Abonnement en cours</translation>
    </message>
    <message>
        <source>You&apos;re in!</source>
        <translation>Vous êtes inscrit&#x202f;!</translation>
    </message>
    <message>
        <source>Thanks for subscribing.</source>
        <translation>Merci de votre abonnement.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Privacy policy</source>
        <translation>Politique de confidentialité</translation>
    </message>
    <message>
        <source>You can unsubscribe any time.</source>
        <translation>Vous pouvez vous désabonner à tout moment.</translation>
    </message>
</context>
<context>
    <name>MailingListSheet</name>
    <message>
        <source>Stay in the loop</source>
        <translation>Restez informé</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Contact Support</source>
        <translation>&amp;Contacter l’assistance</translation>
    </message>
    <message>
        <source>&amp;Subscribe to Newsletter…</source>
        <translation>&amp;S’abonner à la newsletter…</translation>
    </message>
    <message>
        <source>&amp;About Fendry</source>
        <translation>À &amp;propos de Fendry</translation>
    </message>
    <message>
        <source>&amp;Quit Fendry</source>
        <translation>&amp;Quitter Fendry</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>F&amp;ichier</translation>
    </message>
    <message>
        <source>Wipe &amp;Free Space…</source>
        <translation>&amp;Nettoyer l’espace libre…</translation>
    </message>
</context>
<context>
    <name>MethodSection</name>
    <message>
        <source>Mode</source>
        <translation>Méthode</translation>
    </message>
    <message>
        <source>Verify after the last pass</source>
        <translation>Vérifier après le dernier passage</translation>
    </message>
    <message>
        <source>Each file is read back from the disk and kept if it differs from what was written.</source>
        <translation>Chaque fichier est relu sur le disque et conservé s’il diffère de ce qui a été écrit.</translation>
    </message>
</context>
<context>
    <name>PassFailure</name>
    <message>
        <source>is a folder, not a regular file, so it was not overwritten</source>
        <translation>est un dossier et non un fichier ordinaire&#x202f;; il n’a donc pas été écrasé</translation>
    </message>
    <message>
        <source>is a symbolic link, not a regular file, so it was not overwritten</source>
        <translation>est un lien symbolique et non un fichier ordinaire&#x202f;; il n’a donc pas été écrasé</translation>
    </message>
    <message>
        <source>is a named pipe, not a regular file, so it was not overwritten</source>
        <translation>est un tube nommé et non un fichier ordinaire&#x202f;; il n’a donc pas été écrasé</translation>
    </message>
    <message>
        <source>is a socket, not a regular file, so it was not overwritten</source>
        <translation>est un socket et non un fichier ordinaire&#x202f;; il n’a donc pas été écrasé</translation>
    </message>
    <message>
        <source>is a character device, not a regular file, so it was not overwritten</source>
        <translation>est un périphérique en mode caractère et non un fichier ordinaire&#x202f;; il n’a donc pas été écrasé</translation>
    </message>
    <message>
        <source>is a block device, not a regular file, so it was not overwritten</source>
        <translation>est un périphérique en mode bloc et non un fichier ordinaire&#x202f;; il n’a donc pas été écrasé</translation>
    </message>
    <message>
        <source>is a special file, not a regular file, so it was not overwritten</source>
        <translation>est un fichier spécial et non un fichier ordinaire&#x202f;; il n’a donc pas été écrasé</translation>
    </message>
    <message>
        <source>could not be read: %1</source>
        <translation>n’a pas pu être lu&#xa0;: %1</translation>
    </message>
    <message>
        <source>could not be opened for writing: %1</source>
        <translation>n’a pas pu être ouvert en écriture&#xa0;: %1</translation>
    </message>
    <message>
        <source>its size could not be read: %1</source>
        <translation>sa taille n’a pas pu être lue&#xa0;: %1</translation>
    </message>
    <message>
        <source>the random generator failed; nothing more was written</source>
        <translation>le générateur aléatoire a échoué&#x202f;; plus rien n’a été écrit</translation>
    </message>
    <message>
        <source>writing failed at byte %1: %2</source>
        <translation>l’écriture a échoué à l’octet %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>could not be synced to the device: %1</source>
        <translation>n’a pas pu être synchronisé sur le périphérique&#xa0;: %1</translation>
    </message>
    <message>
        <source>could not be closed: %1</source>
        <translation>n’a pas pu être fermé&#xa0;: %1</translation>
    </message>
    <message>
        <source>was overwritten but could not be removed: %1</source>
        <translation>a été écrasé mais n’a pas pu être supprimé&#xa0;: %1</translation>
    </message>
    <message>
        <source>was removed, but the removal could not be synced to the device: %1</source>
        <translation>a été supprimé, mais la suppression n’a pas pu être synchronisée sur le périphérique&#xa0;: %1</translation>
    </message>
    <message>
        <source>changed while it was being erased; it was left as it is</source>
        <translation>a changé pendant l’effacement&#x202f;; il a été laissé tel quel</translation>
    </message>
    <message numerus="yes">
        <source>has %n other name(s) outside what was chosen, which would lose their content; it was left as it is</source>
        <translation>
            <numerusform>a %n autre nom hors de la sélection, qui perdrait son contenu&#x202f;; il a été laissé tel quel</numerusform>
            <numerusform>a %n autres noms hors de la sélection, qui perdraient leur contenu&#x202f;; il a été laissé tel quel</numerusform>
        </translation>
    </message>
    <message>
        <source>shares its content with a file that could not be erased; it was left as it is</source>
        <translation>partage son contenu avec un fichier qui n’a pas pu être effacé&#x202f;; il a été laissé tel quel</translation>
    </message>
    <message>
        <source>the run was stopped while it was being overwritten; it was left partly overwritten</source>
        <translation>l’effacement a été arrêté pendant l’écrasement&#x202f;; il a été laissé partiellement écrasé</translation>
    </message>
    <message>
        <source>could not be read: %1; nothing inside it was erased</source>
        <translation>n’a pas pu être lu&#xa0;: %1&#x202f;; rien de son contenu n’a été effacé</translation>
    </message>
    <message>
        <source>is where another file system is mounted; it was not entered</source>
        <translation>est le point de montage d’un autre système de fichiers&#x202f;; on n’y est pas entré</translation>
    </message>
    <message>
        <source>could not be reached: %1; it was left as it is</source>
        <translation>n’a pas pu être atteint&#xa0;: %1&#x202f;; il a été laissé tel quel</translation>
    </message>
    <message>
        <source>was not removed: it still holds items that were not erased</source>
        <translation>n’a pas été supprimé&#xa0;: il contient encore des éléments qui n’ont pas été effacés</translation>
    </message>
    <message>
        <source>was not removed: entries appeared in it during the run and were left as they are</source>
        <translation>n’a pas été supprimé&#xa0;: des entrées y sont apparues pendant l’effacement et ont été laissées telles quelles</translation>
    </message>
    <message>
        <source>could not be removed: %1</source>
        <translation>n’a pas pu être supprimé&#xa0;: %1</translation>
    </message>
    <message>
        <source>could not be found</source>
        <translation>est introuvable</translation>
    </message>
    <message>
        <source>changed since it was chosen; it was left as it is</source>
        <translation>a changé depuis qu’il a été choisi ; il a été laissé tel quel</translation>
    </message>
    <message>
        <source>belongs to the system (a pseudo file system such as /proc, /sys or /dev); it was left as it is</source>
        <translation>appartient au système (un pseudo-système de fichiers comme /proc, /sys ou /dev) ; il a été laissé tel quel</translation>
    </message>
    <message>
        <source>another file took its name just before removal and was removed unerased</source>
        <translation>un autre fichier a pris son nom juste avant la suppression et a été supprimé sans être effacé</translation>
    </message>
    <message>
        <source>its name could not be overwritten: %1; it was left as it is</source>
        <translation>son nom n’a pas pu être écrasé : %1 ; il a été laissé tel quel</translation>
    </message>
    <message>
        <source>could not be read back: %1; it was left as it is</source>
        <translation>n’a pas pu être relu : %1 ; il a été laissé tel quel</translation>
    </message>
    <message>
        <source>did not read back as written at byte %1; it was left as it is</source>
        <translation>ne s’est pas relu tel qu’écrit à l’octet %1 ; il a été laissé tel quel</translation>
    </message>
</context>
<context>
    <name>PendingList</name>
    <message>
        <source>Files to erase</source>
        <translation>Fichiers à effacer</translation>
    </message>
</context>
<context>
    <name>ProgressArea</name>
    <message>
        <source>Processing file %1 of %2</source>
        <translation>Traitement du fichier %1 sur %2</translation>
    </message>
    <message>
        <source>Time remaining:</source>
        <translation>Temps restant&#xa0;:</translation>
    </message>
    <message>
        <source>Calculating...</source>
        <translation>Calcul en cours…</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Affiche l’aide sur les options de la ligne de commande.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Affiche l’aide, options propres à Qt comprises.</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>Affiche les informations de version.</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Utilisation&#xa0;: %1</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options&#xa0;:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Arguments&#xa0;:</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[options]</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>Option inconnue «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>Options inconnues&#xa0;: %1.</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>Valeur manquante après «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>Valeur inattendue après «&#xa0;%1&#xa0;».</translation>
    </message>
</context>
<context>
    <name>QuitQuestion</name>
    <message>
        <source>Stop erasing?</source>
        <translation>Arrêter l’effacement&#x202f;?</translation>
    </message>
    <message>
        <source>Stop and Quit</source>
        <translation>Arrêter et quitter</translation>
    </message>
    <message>
        <source>Keep Erasing</source>
        <translation>Continuer l’effacement</translation>
    </message>
    <message>
        <source>Every file being overwritten now (up to 16 at once) will be left partly overwritten; files not reached yet stay as they are.</source>
        <translation>Chaque fichier en cours d’écrasement (jusqu’à 16 à la fois) restera partiellement écrasé ; les fichiers pas encore atteints restent tels quels.</translation>
    </message>
</context>
<context>
    <name>Refusal</name>
    <message>
        <source>an empty path names nothing</source>
        <translation>un chemin vide ne désigne rien</translation>
    </message>
    <message>
        <source>it is the root folder</source>
        <translation>c’est le dossier racine</translation>
    </message>
    <message>
        <source>a path ending in &quot;.&quot; or &quot;..&quot; names a folder above or around the one meant</source>
        <translation>un chemin qui se termine par «&#xa0;.&#xa0;» ou «&#xa0;..&#xa0;» désigne un dossier au-dessus ou autour de celui visé</translation>
    </message>
    <message>
        <source>it belongs to the system (a pseudo file system such as /proc, /sys or /dev)</source>
        <translation>il appartient au système (un pseudo-système de fichiers comme /proc, /sys ou /dev)</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>a PDF cannot be made here</source>
        <translation>un PDF ne peut pas être créé ici</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Activé</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>Erasure report</source>
        <translation>Rapport d’effacement</translation>
    </message>
    <message numerus="yes">
        <source>%1, %n pass(es)</source>
        <translation>
            <numerusform>%1, %n passe</numerusform>
            <numerusform>%1, %n passes</numerusform>
        </translation>
    </message>
    <message>
        <source>Fendry version</source>
        <translation>Version de Fendry</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Ordinateur</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Utilisateur</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Commencé</translation>
    </message>
    <message>
        <source>Ended</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>Méthode</translation>
    </message>
    <message>
        <source>Verify after the last pass</source>
        <translation>Vérifier après la dernière passe</translation>
    </message>
    <message>
        <source>Items chosen (%1)</source>
        <translation>Éléments choisis (%1)</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Élément</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>File systems</source>
        <translation>Systèmes de fichiers</translation>
    </message>
    <message>
        <source>It could not be looked at after the run.</source>
        <translation>Il n’a pas pu être examiné après l’exécution.</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Files were read back through the page cache here, since the file system does not read past it.</source>
        <translation>Ici, les fichiers ont été relus via le cache de pages, car le système de fichiers ne lit pas en le contournant.</translation>
    </message>
    <message>
        <source>Mount point</source>
        <translation>Point de montage</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Périphérique</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Caution</source>
        <translation>Mise en garde</translation>
    </message>
    <message>
        <source>Totals</source>
        <translation>Totaux</translation>
    </message>
    <message numerus="yes">
        <source>%n files securely erased</source>
        <translation>
            <numerusform>%n fichier effacé en toute sécurité</numerusform>
            <numerusform>%n fichiers effacés en toute sécurité</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of data deleted from disk</source>
        <translation>%1 de données supprimées du disque</translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) and special file(s) removed, none followed</source>
        <translation>
            <numerusform>%n lien ou fichier spécial supprimé, non suivi</numerusform>
            <numerusform>%n liens et fichiers spéciaux supprimés, non suivis</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) could not be erased</source>
        <translation>
            <numerusform>%n fichier n’a pas pu être effacé</numerusform>
            <numerusform>%n fichiers n’ont pas pu être effacés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s) not removed</source>
        <translation>
            <numerusform>%n dossier non supprimé</numerusform>
            <numerusform>%n dossiers non supprimés</numerusform>
        </translation>
    </message>
    <message>
        <source>Stopped before the end.</source>
        <translation>Arrêté avant la fin.</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) not reached, left as they were</source>
        <translation>
            <numerusform>%n élément non atteint, laissé tel quel</numerusform>
            <numerusform>%n éléments non atteints, laissés tels quels</numerusform>
        </translation>
    </message>
    <message>
        <source>Not erased or not removed (%1)</source>
        <translation>Non effacé ou non supprimé (%1)</translation>
    </message>
    <message>
        <source>Why</source>
        <translation>Raison</translation>
    </message>
    <message>
        <source>What Verify proves</source>
        <translation>Ce que prouve la vérification</translation>
    </message>
    <message>
        <source>Each file was read back from the device after its last pass and compared with what the pass wrote: the device returned what was written to the file&apos;s blocks. Copies that the storage keeps elsewhere are beyond its reach.</source>
        <translation>Chaque fichier a été relu depuis le périphérique après sa dernière passe et comparé à ce que la passe a écrit&#xa0;: le périphérique a rendu ce qui a été écrit dans les blocs du fichier. Les copies que le stockage conserve ailleurs sont hors de sa portée.</translation>
    </message>
    <message>
        <source>Fendry erasure report, %1, %2</source>
        <translation>Rapport d’effacement Fendry, %1, %2</translation>
    </message>
    <message>
        <source>Erased</source>
        <translation>Effacé</translation>
    </message>
    <message>
        <source>Erased with issues</source>
        <translation>Effacé, avec des erreurs</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Arrêté</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Lien</translation>
    </message>
    <message>
        <source>Special file</source>
        <translation>Fichier spécial</translation>
    </message>
    <message>
        <source>Missing</source>
        <translation>Absent</translation>
    </message>
    <message>
        <source>was not removed: the run was stopped first</source>
        <translation>n’a pas été supprimé&#xa0;: l’exécution a été arrêtée avant</translation>
    </message>
    <message>
        <source>Removed, not followed</source>
        <translation>Supprimé, non suivi</translation>
    </message>
    <message>
        <source>Erased and verified</source>
        <translation>Effacé et vérifié</translation>
    </message>
    <message numerus="yes">
        <source>Partly erased: %n file(s) erased</source>
        <translation>
            <numerusform>Partiellement effacé&#xa0;: %n fichier effacé</numerusform>
            <numerusform>Partiellement effacé&#xa0;: %n fichiers effacés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n read back as written</source>
        <translation>
            <numerusform>%n relu tel qu’écrit</numerusform>
            <numerusform>%n relus tels qu’écrits</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) and special file(s) removed</source>
        <translation>
            <numerusform>%n lien ou fichier spécial supprimé</numerusform>
            <numerusform>%n liens et fichiers spéciaux supprimés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n not erased</source>
        <translation>
            <numerusform>%n non effacé</numerusform>
            <numerusform>%n non effacés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n not reached</source>
        <translation>
            <numerusform>%n non atteint</numerusform>
            <numerusform>%n non atteints</numerusform>
        </translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Laissé</translation>
    </message>
    <message>
        <source>Not reached, left as it was</source>
        <translation>Non atteint, laissé tel quel</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <comment>a result, then why</comment>
        <translation>%1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>ShredMethod</name>
    <message>
        <source>Quick</source>
        <translation>Rapide</translation>
    </message>
    <message>
        <source>Safe</source>
        <translation>Sûr</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Furtif</translation>
    </message>
    <message>
        <source>Fast, single-pass deletion, sufficient for most personal use cases</source>
        <translation>Suppression rapide en une seule passe, suffisante pour la plupart des usages personnels</translation>
    </message>
    <message>
        <source>Secure, 7-pass erasure; meets government standards for data sanitization</source>
        <translation>Effacement sécurisé en 7 passes&#x202f;; conforme aux normes gouvernementales d’effacement des données</translation>
    </message>
    <message>
        <source>Maximum-security, 35-pass mode; makes data recovery virtually impossible</source>
        <translation>Sécurité maximale en 35 passes&#x202f;; rend la récupération des données pratiquement impossible</translation>
    </message>
</context>
<context>
    <name>StorageCaution</name>
    <message>
        <source>the earlier copies that a copy-on-write file system (%1) keeps</source>
        <translation>les copies antérieures que conserve un système de fichiers en copie sur écriture (%1)</translation>
    </message>
    <message>
        <source>the copies on the server behind a network file system (%1)</source>
        <translation>les copies sur le serveur derrière un système de fichiers réseau (%1)</translation>
    </message>
    <message>
        <source>the storage behind a FUSE file system (%1)</source>
        <translation>le stockage derrière un système de fichiers FUSE (%1)</translation>
    </message>
    <message>
        <source>the spare blocks of an SSD or flash storage, which can still hold old data</source>
        <translation>les blocs de réserve d’un SSD ou d’une mémoire flash, qui peuvent encore contenir d’anciennes données</translation>
    </message>
    <message>
        <source>the copies of file data in the journal of %1 with data=journal</source>
        <translation>les copies des données de fichiers dans le journal de %1 avec data=journal</translation>
    </message>
    <message>
        <source>%1, or %2</source>
        <translation>%1 ou %2</translation>
    </message>
    <message>
        <source>Overwriting in place cannot reach %1.</source>
        <translation>L’écrasement sur place ne peut pas atteindre %1.</translation>
    </message>
    <message>
        <source>Wiping the free space cannot reach %1.</source>
        <translation>Le nettoyage de l’espace libre ne peut pas atteindre %1.</translation>
    </message>
</context>
<context>
    <name>UnopenedLinkCard</name>
    <message>
        <source>No mail application could be opened. Write to us at:</source>
        <translation>Aucune application de messagerie n’a pu être ouverte. Écrivez-nous à&#xa0;:</translation>
    </message>
    <message>
        <source>No web browser could be opened. The link is:</source>
        <translation>Aucun navigateur web n’a pu être ouvert. Le lien est&#xa0;:</translation>
    </message>
    <message>
        <source>No file manager could be opened. The folder is:</source>
        <translation>Aucun gestionnaire de fichiers n’a pu être ouvert. Le dossier est&#xa0;:</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>UpdateResultDialog</name>
    <message>
        <source>Checking for updates…</source>
        <translation>Recherche de mises à jour…</translation>
    </message>
    <message>
        <source>You&apos;re up to date!</source>
        <translation>Vous êtes à jour&#x202f;!</translation>
    </message>
    <message>
        <source>A new version of Fendry is available!</source>
        <translation>Une nouvelle version de Fendry est disponible&#x202f;!</translation>
    </message>
    <message>
        <source>The check for updates failed.</source>
        <translation>La recherche de mises à jour a échoué.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Fendry %1 is currently the newest version available.</source>
        <translation>Fendry %1 est actuellement la version la plus récente.</translation>
    </message>
    <message>
        <source>Fendry %1 is now available; you have %2. Download it from our website, or update it with your package manager.</source>
        <translation>Fendry %1 est maintenant disponible&#x202f;; vous avez la version %2. Téléchargez-la sur notre site web ou mettez Fendry à jour avec votre gestionnaire de paquets.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>The update information offers no secure download link, so Fendry opens none.</source>
        <translation>Les informations de mise à jour ne proposent aucun lien de téléchargement sécurisé&#x202f;; Fendry n’en ouvre donc aucun.</translation>
    </message>
</context>
<context>
    <name>WaitingLine</name>
    <message numerus="yes">
        <source>%n item(s) waiting for the next run</source>
        <translation>
            <numerusform>%n élément attend le prochain effacement</numerusform>
            <numerusform>%n éléments attendent le prochain effacement</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WavingBackground</name>
    <message>
        <source>Drop files or folders here
for permanent deletion</source>
        <translation>Déposez ici des fichiers ou des dossiers
pour les supprimer définitivement</translation>
    </message>
</context>
<context>
    <name>WipeFreeSpace</name>
    <message>
        <source>Choose a Folder on the Disk to Wipe</source>
        <translation>Choisir un dossier sur le disque à nettoyer</translation>
    </message>
</context>
<context>
    <name>WipeFreeSpaceAlert</name>
    <message>
        <source>The Free Space Here Cannot Be Wiped</source>
        <translation>L’espace libre ici ne peut pas être nettoyé</translation>
    </message>
    <message>
        <source>Wipe Free Space?</source>
        <translation>Nettoyer l’espace libre&#x202f;?</translation>
    </message>
    <message>
        <source>Fendry cannot wipe the free space under “%1”: %2.</source>
        <translation>Fendry ne peut pas nettoyer l’espace libre sous «&#xa0;%1&#xa0;»&#xa0;: %2.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Wipe now</source>
        <translation>Nettoyer maintenant</translation>
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
        <translation>Étape %1/%2</translation>
    </message>
    <message>
        <source>Time remaining:</source>
        <translation>Temps restant&#xa0;:</translation>
    </message>
    <message>
        <source>Calculating...</source>
        <translation>Calcul en cours…</translation>
    </message>
</context>
<context>
    <name>WipeSummaryView</name>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
<context>
    <name>fendry::MailingListManager</name>
    <message>
        <source>Please enter a valid email address.</source>
        <translation>Veuillez saisir une adresse e-mail valide.</translation>
    </message>
    <message>
        <source>The newsletter service&apos;s address is not a secure one.</source>
        <translation>L’adresse du service de newsletter n’est pas sécurisée.</translation>
    </message>
    <message>
        <source>Please check your email address and try again.</source>
        <translation>Veuillez vérifier votre adresse e-mail et réessayer.</translation>
    </message>
    <message>
        <source>Server returned %1. Please try again later.</source>
        <translation>Le serveur a répondu %1. Veuillez réessayer plus tard.</translation>
    </message>
    <message>
        <source>The newsletter service did not answer in time.</source>
        <translation>Le service de newsletter n’a pas répondu à temps.</translation>
    </message>
    <message>
        <source>The newsletter service&apos;s answer could not be read.</source>
        <translation>La réponse du service de newsletter n’a pas pu être lue.</translation>
    </message>
</context>
<context>
    <name>fendry::MainScreen</name>
    <message>
        <source>“%1” was not added: %2</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas été ajouté&#xa0;: %2</translation>
    </message>
    <message numerus="yes">
        <source>%1 (and %n more)</source>
        <translation>
            <numerusform>%1 (et %n autre)</numerusform>
            <numerusform>%1 (et %n autres)</numerusform>
        </translation>
    </message>
    <message>
        <source>Erasure report %1.pdf</source>
        <translation>Rapport d’effacement %1.pdf</translation>
    </message>
    <message>
        <source>there is no finished run to report on</source>
        <translation>il n’y a aucune exécution terminée dont rendre compte</translation>
    </message>
    <message>
        <source>it can only be saved as a file on this computer</source>
        <translation>il ne peut être enregistré que comme fichier sur cet ordinateur</translation>
    </message>
    <message>
        <source>The report was not saved: %1</source>
        <translation>Le rapport n’a pas été enregistré&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>fendry::Updater</name>
    <message>
        <source>The update server did not answer in time.</source>
        <translation>Le serveur de mises à jour n’a pas répondu à temps.</translation>
    </message>
    <message>
        <source>The update server&apos;s address is not a secure one.</source>
        <translation>L’adresse du serveur de mises à jour n’est pas sécurisée.</translation>
    </message>
    <message>
        <source>The update information could not be read.</source>
        <translation>Les informations de mise à jour n’ont pas pu être lues.</translation>
    </message>
    <message>
        <source>A secure connection to the update server could not be made.</source>
        <translation>Impossible d’établir une connexion sécurisée avec le serveur de mises à jour.</translation>
    </message>
    <message>
        <source>The update server answered with status %1.</source>
        <translation>Le serveur de mises à jour a répondu avec le statut %1.</translation>
    </message>
    <message>
        <source>The update server could not be reached. Check the network connection.</source>
        <translation>Le serveur de mises à jour est injoignable. Vérifiez la connexion réseau.</translation>
    </message>
</context>
</TS>
