<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Fendry</source>
        <translation>Acerca de Fendry</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>Erases files and folders beyond recovery by overwriting them with random data before removing them.</source>
        <translation>Borra archivos y carpetas sin posibilidad de recuperación sobrescribiéndolos con datos aleatorios antes de eliminarlos.</translation>
    </message>
    <message>
        <source>Licensed under the GNU General Public License, version 3 or later.</source>
        <translation>Publicado bajo la Licencia Pública General de GNU, versión 3 o posterior.</translation>
    </message>
    <message>
        <source>Overwriting in place cannot reach copies that the storage keeps elsewhere: copy-on-write file systems, snapshots, backups and the spare blocks of SSDs.</source>
        <translation>Sobrescribir en el sitio no alcanza las copias que el almacenamiento guarda en otro lugar: sistemas de archivos con copia en escritura, instantáneas, copias de seguridad y los bloques de reserva de los SSD.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>CheckForUpdatesMenuItem</name>
    <message>
        <source>Check for &amp;Updates…</source>
        <translation>&amp;Buscar actualizaciones…</translation>
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
        <translation>Pasada %1/%2</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progreso</translation>
    </message>
    <message>
        <source>Verifying</source>
        <translation>Verificando</translation>
    </message>
</context>
<context>
    <name>CompletionView</name>
    <message>
        <source>All set!</source>
        <translation>¡Listo!</translation>
    </message>
    <message>
        <source>Done, with issues</source>
        <translation>Terminado con errores</translation>
    </message>
    <message numerus="yes">
        <source>%n files securely erased</source>
        <translation>
            <numerusform>%n archivo borrado de forma segura</numerusform>
            <numerusform>%n archivos borrados de forma segura</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of data deleted from disk</source>
        <translation>%1 de datos eliminados del disco</translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) and special file(s) removed, none followed</source>
        <translation>
            <numerusform>%n enlace o archivo especial eliminado, sin seguirlo</numerusform>
            <numerusform>%n enlaces y archivos especiales eliminados, sin seguirlos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) could not be erased</source>
        <translation>
            <numerusform>No se pudo borrar %n archivo</numerusform>
            <numerusform>No se pudieron borrar %n archivos</numerusform>
        </translation>
    </message>
    <message>
        <source>Start Again</source>
        <translation>Empezar de nuevo</translation>
    </message>
    <message>
        <source>Show Details</source>
        <translation>Mostrar detalles</translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s) not removed</source>
        <translation>
            <numerusform>%n carpeta no eliminada</numerusform>
            <numerusform>%n carpetas no eliminadas</numerusform>
        </translation>
    </message>
    <message>
        <source>Save Report…</source>
        <translation>Guardar informe…</translation>
    </message>
    <message>
        <source>The report lists the names of everything erased. It is saved only where you choose and sent nowhere.</source>
        <translation>El informe nombra todo lo borrado. Solo se guarda donde usted elija y no se envía a ningún sitio.</translation>
    </message>
</context>
<context>
    <name>ConfirmationAlert</name>
    <message>
        <source>Are you sure?</source>
        <translation>¿Confirmas el borrado?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Erase now</source>
        <translation>Borrar ahora</translation>
    </message>
    <message>
        <source>Counting…</source>
        <translation>Contando…</translation>
    </message>
    <message numerus="yes">
        <source>This will permanently delete %n item(s) (%1). This action cannot be undone.</source>
        <extracomment>%1 is the count of files, as in &quot;(4 files)&quot;</extracomment>
        <translation>
            <numerusform>Se eliminará %n elemento (%1) de forma permanente. Esta acción no se puede deshacer.</numerusform>
            <numerusform>Se eliminarán %n elementos (%1) de forma permanente. Esta acción no se puede deshacer.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n archivo</numerusform>
            <numerusform>%n archivos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Documento PDF (*.pdf)</translation>
    </message>
    <message>
        <source>JSON file (*.json)</source>
        <translation>Archivo JSON (*.json)</translation>
    </message>
    <message>
        <source>Save Report: it lists every erased name</source>
        <translation>Guardar informe: nombra todo lo borrado</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
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
        <translation>Mostrar en la carpeta</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Copiado</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) could not be erased</source>
        <translation>
            <numerusform>No se pudo borrar %n archivo</numerusform>
            <numerusform>No se pudieron borrar %n archivos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s) not removed</source>
        <translation>
            <numerusform>%n carpeta no eliminada</numerusform>
            <numerusform>%n carpetas no eliminadas</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Fendry</name>
    <message>
        <source>Usage: fendry [PATH|FILE-URL]...
Opens Fendry with the given files and folders waiting to be erased.</source>
        <translation>Uso: fendry [RUTA|URL-DE-ARCHIVO]...
Abre Fendry con los archivos y carpetas indicados, listos para borrar.</translation>
    </message>
    <message>
        <source>the running Fendry did not answer; try again.</source>
        <translation>la instancia de Fendry en ejecución no respondió; inténtalo de nuevo.</translation>
    </message>
    <message>
        <source>the running Fendry&apos;s socket belongs to another user; it was told nothing, and this launch takes its place.</source>
        <translation>el socket de la instancia de Fendry en ejecución pertenece a otro usuario; no se le ha comunicado nada y este inicio ocupa su lugar.</translation>
    </message>
    <message>
        <source>later launches cannot reach this one; items opened with it will start a second window.</source>
        <translation>los inicios posteriores no pueden comunicarse con este; los elementos que se abran con Fendry abrirán una segunda ventana.</translation>
    </message>
    <message>
        <source>more than %1 items cannot be handed to the running Fendry at once; nothing was handed over.</source>
        <translation>no se pueden entregar más de %1 elementos a la vez a la instancia de Fendry en ejecución; no se entregó nada.</translation>
    </message>
</context>
<context>
    <name>FendryCli</name>
    <message>
        <source>refused:</source>
        <translation>rechazado:</translation>
    </message>
    <message>
        <source>left:</source>
        <translation>se conserva:</translation>
    </message>
    <message>
        <source>remove:</source>
        <translation>eliminar:</translation>
    </message>
    <message>
        <source>erase:</source>
        <translation>borrar:</translation>
    </message>
    <message>
        <source>(a link or special file, not followed)</source>
        <translation>(un enlace o archivo especial, sin seguirlo)</translation>
    </message>
    <message>
        <source>(another name of a file erased above)</source>
        <translation>(otro nombre de un archivo borrado más arriba)</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) would be erased (%1)</source>
        <translation>
            <numerusform>Se borraría %n archivo (%1)</numerusform>
            <numerusform>Se borrarían %n archivos (%1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) and special file(s) would be removed</source>
        <translation>
            <numerusform>Se eliminaría %n enlace o archivo especial</numerusform>
            <numerusform>Se eliminarían %n enlaces y archivos especiales</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) would be refused or left</source>
        <translation>
            <numerusform>Se rechazaría o se conservaría %n elemento</numerusform>
            <numerusform>Se rechazarían o se conservarían %n elementos</numerusform>
        </translation>
    </message>
    <message>
        <source>Processing file %1 of %2</source>
        <translation>Procesando archivo %1 de %2</translation>
    </message>
    <message>
        <source>Pass %1/%2</source>
        <translation>Pasada %1/%2</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1&#x202f;%</translation>
    </message>
    <message>
        <source>Time remaining:</source>
        <translation>Tiempo restante:</translation>
    </message>
    <message>
        <source>Calculating...</source>
        <translation>Calculando…</translation>
    </message>
    <message>
        <source>Stopped before the end.</source>
        <translation>Detenido antes del final.</translation>
    </message>
    <message>
        <source>All set!</source>
        <translation>¡Listo!</translation>
    </message>
    <message>
        <source>Done, with issues</source>
        <translation>Terminado con errores</translation>
    </message>
    <message numerus="yes">
        <source>%n files securely erased</source>
        <translation>
            <numerusform>%n archivo borrado de forma segura</numerusform>
            <numerusform>%n archivos borrados de forma segura</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of data deleted from disk</source>
        <translation>%1 de datos eliminados del disco</translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) and special file(s) removed, none followed</source>
        <translation>
            <numerusform>%n enlace o archivo especial eliminado, sin seguirlo</numerusform>
            <numerusform>%n enlaces y archivos especiales eliminados, sin seguirlos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) not reached, left as they were</source>
        <translation>
            <numerusform>%n elemento no alcanzado, se deja como estaba</numerusform>
            <numerusform>%n elementos no alcanzados, se dejan como estaban</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) could not be erased</source>
        <translation>
            <numerusform>No se pudo borrar %n archivo</numerusform>
            <numerusform>No se pudieron borrar %n archivos</numerusform>
        </translation>
    </message>
    <message>
        <source>Try &apos;fendry-cli --help&apos; for more information.</source>
        <translation>Prueba «fendry-cli --help» para más información.</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>¿Confirmas el borrado?</translation>
    </message>
    <message numerus="yes">
        <source>This will permanently delete %n item(s). This action cannot be undone.</source>
        <translation>
            <numerusform>Se eliminará %n elemento de forma permanente. Esta acción no se puede deshacer.</numerusform>
            <numerusform>Se eliminarán %n elementos de forma permanente. Esta acción no se puede deshacer.</numerusform>
        </translation>
    </message>
    <message>
        <source>Erase now? [y/N] </source>
        <translation>¿Borrar ahora? [s/N] </translation>
    </message>
    <message>
        <source>y,yes</source>
        <comment>the answers to [y/N] that mean yes, in lower case</comment>
        <translation>s,sí,si</translation>
    </message>
    <message>
        <source>argument %1 is not valid text in this locale&apos;s encoding; nothing was erased.</source>
        <translation>el argumento %1 no es un texto válido en la codificación de esta configuración regional; no se ha borrado nada.</translation>
    </message>
    <message>
        <source>Erase method: quick (1 pass), safe (7) or stealth (35). Default: the method last chosen in Fendry, or quick.</source>
        <translation>Método de borrado: quick (1 pasada), safe (7) o stealth (35). Predeterminado: el último método elegido en Fendry o, si no, quick.</translation>
    </message>
    <message>
        <source>method</source>
        <translation>método</translation>
    </message>
    <message>
        <source>Erase without asking for confirmation.</source>
        <translation>Borrar sin pedir confirmación.</translation>
    </message>
    <message>
        <source>Change nothing: list what would be erased, removed, refused or left, and why.</source>
        <translation>No cambiar nada: listar lo que se borraría, eliminaría, rechazaría o conservaría, y por qué.</translation>
    </message>
    <message>
        <source>Print only the lines of items that could not be erased; the exit status tells the rest.</source>
        <translation>Mostrar solo las líneas de los elementos que no se pudieron borrar; el código de salida indica el resto.</translation>
    </message>
    <message>
        <source>PATH</source>
        <translation>RUTA</translation>
    </message>
    <message>
        <source>Files and folders to erase.</source>
        <translation>Archivos y carpetas que borrar.</translation>
    </message>
    <message>
        <source>PATH...</source>
        <translation>RUTA...</translation>
    </message>
    <message>
        <source>unknown method &apos;%1&apos;; choose quick, safe or stealth</source>
        <translation>método desconocido «%1»; elige quick, safe o stealth</translation>
    </message>
    <message>
        <source>no PATH to erase</source>
        <translation>no hay ninguna RUTA que borrar</translation>
    </message>
    <message>
        <source>refusing to erase &apos;%1&apos;: %2; nothing was erased.</source>
        <translation>no se borrará «%1»: %2; no se ha borrado nada.</translation>
    </message>
    <message>
        <source>nothing was erased: there is no terminal to ask for confirmation on; pass --yes to erase without asking.</source>
        <translation>no se ha borrado nada: no hay ningún terminal en el que pedir confirmación; usa --yes para borrar sin preguntar.</translation>
    </message>
    <message>
        <source>Nothing was erased.</source>
        <translation>No se ha borrado nada.</translation>
    </message>
    <message>
        <source>Erases files and folders beyond recovery: every file is overwritten in place with fresh
random data, pass after pass, synced to the device, and removed after its last pass;
each folder that the run emptied is removed at the end.</source>
        <translation>Borra archivos y carpetas sin posibilidad de recuperación: cada archivo se sobrescribe en su
sitio con datos aleatorios nuevos, pasada tras pasada, se sincroniza con el dispositivo y se
elimina tras su última pasada; al final se elimina cada carpeta que el borrado haya vaciado.</translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s) not removed</source>
        <translation>
            <numerusform>%n carpeta no eliminada</numerusform>
            <numerusform>%n carpetas no eliminadas</numerusform>
        </translation>
    </message>
    <message>
        <source>Verifying</source>
        <translation>Verificando</translation>
    </message>
    <message>
        <source>Read each file back from the device after its last pass, and leave it where it does not read as written.</source>
        <translation>Releer cada archivo del dispositivo tras su última pasada y dejarlo donde no se lea tal como se escribió.</translation>
    </message>
    <message>
        <source>Wipe the free space of %1?</source>
        <translation>¿Limpiar el espacio libre de %1?</translation>
    </message>
    <message>
        <source>Wipe now? [y/N] </source>
        <translation>¿Limpiar ahora? [s/N] </translation>
    </message>
    <message>
        <source>refusing to wipe the free space under &apos;%1&apos;: %2; nothing was written.</source>
        <translation>no se limpia el espacio libre bajo «%1»: %2; no se escribió nada.</translation>
    </message>
    <message>
        <source>nothing was written: there is no terminal to ask for confirmation on; pass --yes to wipe without asking.</source>
        <translation>no se escribió nada: no hay un terminal donde pedir confirmación; use --yes para limpiar sin preguntar.</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>No se escribió nada.</translation>
    </message>
    <message>
        <source>Wipe the free space of the file system that holds PATH instead: fill it with random data in files without a name, then let them go.</source>
        <translation>Limpiar en su lugar el espacio libre del sistema de archivos que contiene RUTA: llenarlo de datos aleatorios en archivos sin nombre y después liberarlos.</translation>
    </message>
    <message>
        <source>the report&apos;s name must end in .pdf or .json: &apos;%1&apos;</source>
        <translation>el nombre del informe debe terminar en .pdf o .json: «%1»</translation>
    </message>
    <message>
        <source>the report&apos;s folder does not exist: &apos;%1&apos;</source>
        <translation>la carpeta del informe no existe: «%1»</translation>
    </message>
    <message>
        <source>the report&apos;s name is a folder: &apos;%1&apos;</source>
        <translation>el nombre del informe es una carpeta: «%1»</translation>
    </message>
    <message>
        <source>the report&apos;s folder is not writable: &apos;%1&apos;</source>
        <translation>no se puede escribir en la carpeta del informe: «%1»</translation>
    </message>
    <message>
        <source>the report &apos;%1&apos; would lie inside what is to be erased</source>
        <translation>el informe «%1» quedaría dentro de lo que se va a borrar</translation>
    </message>
    <message>
        <source>the report could not be written to &apos;%1&apos;: %2</source>
        <translation>no se pudo escribir el informe en «%1»: %2</translation>
    </message>
    <message>
        <source>At the end, write a report of the run to FILE: PDF for a name ending in .pdf, JSON for .json. It lists the names of what was erased.</source>
        <translation>Al final, escribir un informe de la ejecución en ARCHIVO: PDF para un nombre terminado en .pdf, JSON para .json. Enumera los nombres de lo que se borró.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>ARCHIVO</translation>
    </message>
    <message>
        <source>--report has nothing to report on a dry run</source>
        <translation>--report no tiene nada que informar en una simulación</translation>
    </message>
    <message>
        <source>%1; nothing was erased.</source>
        <translation>%1; no se borró nada.</translation>
    </message>
    <message>
        <source>--wipe-free-space takes one PATH and no --method, --verify, --report, --dry-run or items to erase</source>
        <translation>--wipe-free-space admite una sola RUTA y ni --method, ni --verify, ni --report, ni --dry-run, ni elementos que borrar</translation>
    </message>
</context>
<context>
    <name>FileRow</name>
    <message numerus="yes">
        <source>%n items</source>
        <translation>
            <numerusform>%n elemento</numerusform>
            <numerusform>%n elementos</numerusform>
        </translation>
    </message>
    <message>
        <source>Show in Folder</source>
        <translation>Mostrar en la carpeta</translation>
    </message>
    <message>
        <source>Remove from List</source>
        <translation>Quitar de la lista</translation>
    </message>
    <message>
        <source>Link to %1</source>
        <translation>Enlace a %1</translation>
    </message>
    <message>
        <source>Counting…</source>
        <translation>Contando…</translation>
    </message>
    <message>
        <source>%1, link to %2</source>
        <translation>%1, enlace a %2</translation>
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
        <translation>%1&#xa0;bytes</translation>
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
        <translation>no se puede abrir la carpeta: %1</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>no es una carpeta</translation>
    </message>
    <message>
        <source>it belongs to the system (a pseudo file system such as /proc, /sys or /dev)</source>
        <translation>pertenece al sistema (un pseudosistema de archivos como /proc, /sys o /dev)</translation>
    </message>
    <message>
        <source>it lives in memory (%1): nothing of it is kept on a disk, and filling it would fill the memory</source>
        <translation>reside en memoria (%1): nada de él se guarda en un disco, y llenarlo llenaría la memoria</translation>
    </message>
    <message>
        <source>it is mounted read-only</source>
        <translation>está montado como solo lectura</translation>
    </message>
    <message>
        <source>it is a network file system (%1): its free space is on the server, out of reach from here</source>
        <translation>es un sistema de archivos de red (%1): su espacio libre está en el servidor, fuera de alcance desde aquí</translation>
    </message>
    <message>
        <source>it is a FUSE file system (%1): a program stands between it and the storage, so what the wipe writes may never reach the free space</source>
        <translation>es un sistema de archivos FUSE (%1): un programa se interpone entre él y el almacenamiento, así que lo que escriba la limpieza podría no llegar nunca al espacio libre</translation>
    </message>
    <message>
        <source>it is a layered file system (%1): wipe the file system that holds its writable layer instead</source>
        <translation>es un sistema de archivos por capas (%1): limpie en su lugar el sistema de archivos que contiene su capa escribible</translation>
    </message>
    <message>
        <source>this file system (%1) cannot hold files without a name, which the wipe needs so that nothing is left behind if it is interrupted</source>
        <translation>este sistema de archivos (%1) no admite archivos sin nombre, que la limpieza necesita para no dejar nada atrás si se interrumpe</translation>
    </message>
    <message>
        <source>files cannot be made in this folder, nor at the top of its file system: %1</source>
        <translation>no se pueden crear archivos en esta carpeta ni en la raíz de su sistema de archivos: %1</translation>
    </message>
    <message>
        <source>%1 (%2, %3)</source>
        <extracomment>%1 is where the file system is mounted, %2 its device, %3 its type: &quot;/home (/dev/sda2, ext4)&quot;</extracomment>
        <translation>%1 (%2, %3)</translation>
    </message>
    <message>
        <source>About %1 of free space will be overwritten with random data.</source>
        <translation>Se sobrescribirán unos %1 de espacio libre con datos aleatorios.</translation>
    </message>
    <message>
        <source>Estimated time: %1 to %2, depending on the device.</source>
        <translation>Tiempo estimado: de %1 a %2, según el dispositivo.</translation>
    </message>
    <message>
        <source>While the free space is being filled, other programs see a full disk; the space comes back the moment the fill ends, or if the wipe is stopped or interrupted.</source>
        <translation>Mientras se llena el espacio libre, los demás programas ven un disco lleno; el espacio vuelve en cuanto termina el llenado, o si la limpieza se detiene o se interrumpe.</translation>
    </message>
    <message>
        <source>%1 reserved for the administrator cannot be reached without root.</source>
        <translation>%1 reservados para el administrador no se pueden alcanzar sin root.</translation>
    </message>
    <message>
        <source>Writing random data into the free space…</source>
        <translation>Escribiendo datos aleatorios en el espacio libre…</translation>
    </message>
    <message>
        <source>Overwriting free inodes…</source>
        <translation>Sobrescribiendo inodos libres…</translation>
    </message>
    <message>
        <source>Overwriting the journal…</source>
        <translation>Sobrescribiendo el journal…</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>how much of the free space has been written so far: &quot;1.2 GB of 4.0 GB&quot;</extracomment>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>Stopped before the end</source>
        <translation>Detenido antes del final</translation>
    </message>
    <message>
        <source>Free space wiped</source>
        <translation>Espacio libre limpiado</translation>
    </message>
    <message>
        <source>Done, with issues</source>
        <translation>Terminado con errores</translation>
    </message>
    <message>
        <source>%1 of free space overwritten with random data</source>
        <translation>%1 de espacio libre sobrescritos con datos aleatorios</translation>
    </message>
    <message numerus="yes">
        <source>%n free inode(s) overwritten</source>
        <translation>
            <numerusform>%n inodo libre sobrescrito</numerusform>
            <numerusform>%n inodos libres sobrescritos</numerusform>
        </translation>
    </message>
    <message>
        <source>The journal was emptied and zeroed</source>
        <translation>El journal se vació y se llenó de ceros</translation>
    </message>
    <message>
        <source>The journal was written through from end to end</source>
        <translation>El journal se reescribió de principio a fin</translation>
    </message>
    <message>
        <source>The folder is no longer on the file system that was shown; nothing was written</source>
        <translation>La carpeta ya no está en el sistema de archivos indicado; no se escribió nada</translation>
    </message>
    <message>
        <source>A file could not be made for the wipe: %1</source>
        <translation>No se pudo crear un archivo para la limpieza: %1</translation>
    </message>
    <message>
        <source>Writing failed: %1</source>
        <translation>Falló la escritura: %1</translation>
    </message>
    <message>
        <source>What was written could not be synced to the device: %1</source>
        <translation>Lo escrito no se pudo sincronizar con el dispositivo: %1</translation>
    </message>
    <message>
        <source>The random generator failed; nothing more was written</source>
        <translation>Falló el generador aleatorio; no se escribió nada más</translation>
    </message>
    <message>
        <source>%1 reserved for the administrator was not overwritten; run as root to reach it</source>
        <translation>%1 reservados para el administrador no se sobrescribieron; ejecútelo como root para alcanzarlos</translation>
    </message>
    <message>
        <source>%1 beyond your disk quota was not overwritten</source>
        <translation>%1 más allá de su cuota de disco no se sobrescribieron</translation>
    </message>
    <message>
        <source>%1 of free space could not be written</source>
        <translation>%1 de espacio libre no se pudieron escribir</translation>
    </message>
    <message>
        <source>The file system&apos;s journal was not overwritten</source>
        <translation>El journal del sistema de archivos no se sobrescribió</translation>
    </message>
</context>
<context>
    <name>HeaderRow</name>
    <message>
        <source>Total Files: %1</source>
        <translation>Total de archivos: %1</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Quitar todo</translation>
    </message>
    <message>
        <source>Counting…</source>
        <translation>Contando…</translation>
    </message>
</context>
<context>
    <name>IntakeArea</name>
    <message>
        <source>Erase Files</source>
        <translation>Borrar archivos</translation>
    </message>
</context>
<context>
    <name>MailingListPromptView</name>
    <message>
        <source>Stay in the loop</source>
        <translation>Mantente al día</translation>
    </message>
    <message>
        <source>Occasional offers, news, and updates about new features.
No spam — I absolutely promise.</source>
        <translation>Ofertas ocasionales, noticias y novedades sobre nuevas funciones.
Nada de spam, te lo prometo.</translation>
    </message>
    <message>
        <source>name@example.com</source>
        <translation>nombre@ejemplo.com</translation>
    </message>
    <message>
        <source>Email address</source>
        <translation>Correo electrónico</translation>
    </message>
    <message>
        <source>Don&apos;t ask again</source>
        <translation>No volver a preguntar</translation>
    </message>
    <message>
        <source>Maybe later</source>
        <translation>Quizá más tarde</translation>
    </message>
    <message>
        <source>Subscribe</source>
        <translation>Suscribirse</translation>
    </message>
    <message>
        <source>Subscribing</source>
        <translation>Suscribiendo</translation>
    </message>
    <message>
        <source>You&apos;re in!</source>
        <translation>¡Ya estás dentro!</translation>
    </message>
    <message>
        <source>Thanks for subscribing.</source>
        <translation>Gracias por suscribirte.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Hecho</translation>
    </message>
    <message>
        <source>Privacy policy</source>
        <translation>Política de privacidad</translation>
    </message>
    <message>
        <source>You can unsubscribe any time.</source>
        <translation>Puedes darte de baja cuando quieras.</translation>
    </message>
</context>
<context>
    <name>MailingListSheet</name>
    <message>
        <source>Stay in the loop</source>
        <translation>Mantente al día</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Ayuda</translation>
    </message>
    <message>
        <source>&amp;Contact Support</source>
        <translation>&amp;Contactar con el soporte</translation>
    </message>
    <message>
        <source>&amp;Subscribe to Newsletter…</source>
        <translation>&amp;Suscribirse al boletín…</translation>
    </message>
    <message>
        <source>&amp;About Fendry</source>
        <translation>&amp;Acerca de Fendry</translation>
    </message>
    <message>
        <source>&amp;Quit Fendry</source>
        <translation>&amp;Salir de Fendry</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>Arc&amp;hivo</translation>
    </message>
    <message>
        <source>Wipe &amp;Free Space…</source>
        <translation>&amp;Limpiar espacio libre…</translation>
    </message>
</context>
<context>
    <name>MethodSection</name>
    <message>
        <source>Mode</source>
        <translation>Modo</translation>
    </message>
    <message>
        <source>Verify after the last pass</source>
        <translation>Verificar tras la última pasada</translation>
    </message>
    <message>
        <source>Each file is read back from the disk and kept if it differs from what was written.</source>
        <translation>Cada archivo se vuelve a leer del disco y se conserva si difiere de lo escrito.</translation>
    </message>
</context>
<context>
    <name>PassFailure</name>
    <message>
        <source>is a folder, not a regular file, so it was not overwritten</source>
        <translation>es una carpeta, no un archivo normal, así que no se sobrescribió</translation>
    </message>
    <message>
        <source>is a symbolic link, not a regular file, so it was not overwritten</source>
        <translation>es un enlace simbólico, no un archivo normal, así que no se sobrescribió</translation>
    </message>
    <message>
        <source>is a named pipe, not a regular file, so it was not overwritten</source>
        <translation>es una tubería con nombre, no un archivo normal, así que no se sobrescribió</translation>
    </message>
    <message>
        <source>is a socket, not a regular file, so it was not overwritten</source>
        <translation>es un socket, no un archivo normal, así que no se sobrescribió</translation>
    </message>
    <message>
        <source>is a character device, not a regular file, so it was not overwritten</source>
        <translation>es un dispositivo de caracteres, no un archivo normal, así que no se sobrescribió</translation>
    </message>
    <message>
        <source>is a block device, not a regular file, so it was not overwritten</source>
        <translation>es un dispositivo de bloques, no un archivo normal, así que no se sobrescribió</translation>
    </message>
    <message>
        <source>is a special file, not a regular file, so it was not overwritten</source>
        <translation>es un archivo especial, no un archivo normal, así que no se sobrescribió</translation>
    </message>
    <message>
        <source>could not be read: %1</source>
        <translation>no se pudo leer: %1</translation>
    </message>
    <message>
        <source>could not be opened for writing: %1</source>
        <translation>no se pudo abrir para escribir: %1</translation>
    </message>
    <message>
        <source>its size could not be read: %1</source>
        <translation>no se pudo leer su tamaño: %1</translation>
    </message>
    <message>
        <source>the random generator failed; nothing more was written</source>
        <translation>falló el generador aleatorio; no se escribió nada más</translation>
    </message>
    <message>
        <source>writing failed at byte %1: %2</source>
        <translation>la escritura falló en el byte %1: %2</translation>
    </message>
    <message>
        <source>could not be synced to the device: %1</source>
        <translation>no se pudo sincronizar con el dispositivo: %1</translation>
    </message>
    <message>
        <source>could not be closed: %1</source>
        <translation>no se pudo cerrar: %1</translation>
    </message>
    <message>
        <source>was overwritten but could not be removed: %1</source>
        <translation>se sobrescribió, pero no se pudo eliminar: %1</translation>
    </message>
    <message>
        <source>was removed, but the removal could not be synced to the device: %1</source>
        <translation>se eliminó, pero la eliminación no se pudo sincronizar con el dispositivo: %1</translation>
    </message>
    <message>
        <source>changed while it was being erased; it was left as it is</source>
        <translation>cambió mientras se borraba; se dejó como está</translation>
    </message>
    <message numerus="yes">
        <source>has %n other name(s) outside what was chosen, which would lose their content; it was left as it is</source>
        <translation>
            <numerusform>tiene %n nombre más fuera de lo elegido, que perdería su contenido; se dejó como está</numerusform>
            <numerusform>tiene %n nombres más fuera de lo elegido, que perderían su contenido; se dejó como está</numerusform>
        </translation>
    </message>
    <message>
        <source>shares its content with a file that could not be erased; it was left as it is</source>
        <translation>comparte su contenido con un archivo que no se pudo borrar; se dejó como está</translation>
    </message>
    <message>
        <source>the run was stopped while it was being overwritten; it was left partly overwritten</source>
        <translation>el borrado se detuvo mientras se sobrescribía; quedó parcialmente sobrescrito</translation>
    </message>
    <message>
        <source>could not be read: %1; nothing inside it was erased</source>
        <translation>no se pudo leer: %1; no se borró nada de su interior</translation>
    </message>
    <message>
        <source>is where another file system is mounted; it was not entered</source>
        <translation>es el punto de montaje de otro sistema de archivos; no se entró en él</translation>
    </message>
    <message>
        <source>could not be reached: %1; it was left as it is</source>
        <translation>no se pudo acceder: %1; se dejó como está</translation>
    </message>
    <message>
        <source>was not removed: it still holds items that were not erased</source>
        <translation>no se eliminó: aún contiene elementos que no se borraron</translation>
    </message>
    <message>
        <source>was not removed: entries appeared in it during the run and were left as they are</source>
        <translation>no se eliminó: aparecieron entradas en ella durante el borrado y se dejaron como están</translation>
    </message>
    <message>
        <source>could not be removed: %1</source>
        <translation>no se pudo eliminar: %1</translation>
    </message>
    <message>
        <source>could not be found</source>
        <translation>no se encontró</translation>
    </message>
    <message>
        <source>changed since it was chosen; it was left as it is</source>
        <translation>cambió desde que se eligió; se dejó como estaba</translation>
    </message>
    <message>
        <source>belongs to the system (a pseudo file system such as /proc, /sys or /dev); it was left as it is</source>
        <translation>pertenece al sistema (un pseudosistema de archivos como /proc, /sys o /dev); se dejó como estaba</translation>
    </message>
    <message>
        <source>another file took its name just before removal and was removed unerased</source>
        <translation>otro archivo tomó su nombre justo antes de eliminarlo y se eliminó sin borrar</translation>
    </message>
    <message>
        <source>its name could not be overwritten: %1; it was left as it is</source>
        <translation>no se pudo sobrescribir su nombre: %1; se dejó como estaba</translation>
    </message>
    <message>
        <source>could not be read back: %1; it was left as it is</source>
        <translation>no se pudo releer: %1; se dejó como estaba</translation>
    </message>
    <message>
        <source>did not read back as written at byte %1; it was left as it is</source>
        <translation>no se releyó tal como se escribió en el byte %1; se dejó como estaba</translation>
    </message>
</context>
<context>
    <name>PendingList</name>
    <message>
        <source>Files to erase</source>
        <translation>Archivos que borrar</translation>
    </message>
</context>
<context>
    <name>ProgressArea</name>
    <message>
        <source>Processing file %1 of %2</source>
        <translation>Procesando archivo %1 de %2</translation>
    </message>
    <message>
        <source>Time remaining:</source>
        <translation>Tiempo restante:</translation>
    </message>
    <message>
        <source>Calculating...</source>
        <translation>Calculando…</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Muestra la ayuda de las opciones de la línea de comandos.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Muestra la ayuda, incluidas las opciones propias de Qt.</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>Muestra la información de la versión.</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Uso: %1</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Opciones:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Argumentos:</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[opciones]</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>Opción desconocida «%1».</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>Opciones desconocidas: %1.</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>Falta un valor tras «%1».</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>Valor inesperado tras «%1».</translation>
    </message>
</context>
<context>
    <name>QuitQuestion</name>
    <message>
        <source>Stop erasing?</source>
        <translation>¿Detener el borrado?</translation>
    </message>
    <message>
        <source>Stop and Quit</source>
        <translation>Detener y salir</translation>
    </message>
    <message>
        <source>Keep Erasing</source>
        <translation>Seguir borrando</translation>
    </message>
    <message>
        <source>Every file being overwritten now (up to 16 at once) will be left partly overwritten; files not reached yet stay as they are.</source>
        <translation>Cada archivo que se está sobrescribiendo ahora (hasta 16 a la vez) quedará parcialmente sobrescrito; los archivos aún no alcanzados se quedan como están.</translation>
    </message>
</context>
<context>
    <name>Refusal</name>
    <message>
        <source>an empty path names nothing</source>
        <translation>una ruta vacía no designa nada</translation>
    </message>
    <message>
        <source>it is the root folder</source>
        <translation>es la carpeta raíz</translation>
    </message>
    <message>
        <source>a path ending in &quot;.&quot; or &quot;..&quot; names a folder above or around the one meant</source>
        <translation>una ruta que termina en «.» o «..» designa una carpeta por encima o alrededor de la deseada</translation>
    </message>
    <message>
        <source>it belongs to the system (a pseudo file system such as /proc, /sys or /dev)</source>
        <translation>pertenece al sistema (un pseudosistema de archivos como /proc, /sys o /dev)</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>a PDF cannot be made here</source>
        <translation>aquí no se puede crear un PDF</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Página %1 de %2</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Activado</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Desactivado</translation>
    </message>
    <message>
        <source>Erasure report</source>
        <translation>Informe de borrado</translation>
    </message>
    <message numerus="yes">
        <source>%1, %n pass(es)</source>
        <translation>
            <numerusform>%1, %n pasada</numerusform>
            <numerusform>%1, %n pasadas</numerusform>
        </translation>
    </message>
    <message>
        <source>Fendry version</source>
        <translation>Versión de Fendry</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Equipo</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Usuario</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Iniciado</translation>
    </message>
    <message>
        <source>Ended</source>
        <translation>Finalizado</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>Método</translation>
    </message>
    <message>
        <source>Verify after the last pass</source>
        <translation>Verificar tras la última pasada</translation>
    </message>
    <message>
        <source>Items chosen (%1)</source>
        <translation>Elementos elegidos (%1)</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Elemento</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Tamaño</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <source>File systems</source>
        <translation>Sistemas de archivos</translation>
    </message>
    <message>
        <source>It could not be looked at after the run.</source>
        <translation>No se pudo examinar después de la ejecución.</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguna</translation>
    </message>
    <message>
        <source>Files were read back through the page cache here, since the file system does not read past it.</source>
        <translation>Aquí los archivos se releyeron a través de la caché de páginas, porque el sistema de archivos no lee sin pasar por ella.</translation>
    </message>
    <message>
        <source>Mount point</source>
        <translation>Punto de montaje</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Dispositivo</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Caution</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Totals</source>
        <translation>Totales</translation>
    </message>
    <message numerus="yes">
        <source>%n files securely erased</source>
        <translation>
            <numerusform>%n archivo borrado de forma segura</numerusform>
            <numerusform>%n archivos borrados de forma segura</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of data deleted from disk</source>
        <translation>%1 de datos eliminados del disco</translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) and special file(s) removed, none followed</source>
        <translation>
            <numerusform>%n enlace o archivo especial eliminado, sin seguirlo</numerusform>
            <numerusform>%n enlaces y archivos especiales eliminados, sin seguirlos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) could not be erased</source>
        <translation>
            <numerusform>No se pudo borrar %n archivo</numerusform>
            <numerusform>No se pudieron borrar %n archivos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s) not removed</source>
        <translation>
            <numerusform>%n carpeta no eliminada</numerusform>
            <numerusform>%n carpetas no eliminadas</numerusform>
        </translation>
    </message>
    <message>
        <source>Stopped before the end.</source>
        <translation>Detenido antes del final.</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) not reached, left as they were</source>
        <translation>
            <numerusform>%n elemento no alcanzado, se deja como estaba</numerusform>
            <numerusform>%n elementos no alcanzados, se dejan como estaban</numerusform>
        </translation>
    </message>
    <message>
        <source>Not erased or not removed (%1)</source>
        <translation>No borrado o no eliminado (%1)</translation>
    </message>
    <message>
        <source>Why</source>
        <translation>Motivo</translation>
    </message>
    <message>
        <source>What Verify proves</source>
        <translation>Qué demuestra la verificación</translation>
    </message>
    <message>
        <source>Each file was read back from the device after its last pass and compared with what the pass wrote: the device returned what was written to the file&apos;s blocks. Copies that the storage keeps elsewhere are beyond its reach.</source>
        <translation>Cada archivo se releyó del dispositivo tras su última pasada y se comparó con lo que escribió la pasada: el dispositivo devolvió lo que se escribió en los bloques del archivo. Las copias que el almacenamiento guarda en otro lugar quedan fuera de su alcance.</translation>
    </message>
    <message>
        <source>Fendry erasure report, %1, %2</source>
        <translation>Informe de borrado de Fendry, %1, %2</translation>
    </message>
    <message>
        <source>Erased</source>
        <translation>Borrado</translation>
    </message>
    <message>
        <source>Erased with issues</source>
        <translation>Borrado con errores</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Detenido</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Carpeta</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Enlace</translation>
    </message>
    <message>
        <source>Special file</source>
        <translation>Archivo especial</translation>
    </message>
    <message>
        <source>Missing</source>
        <translation>Ausente</translation>
    </message>
    <message>
        <source>was not removed: the run was stopped first</source>
        <translation>no se eliminó: la ejecución se detuvo antes</translation>
    </message>
    <message>
        <source>Removed, not followed</source>
        <translation>Eliminado, sin seguirlo</translation>
    </message>
    <message>
        <source>Erased and verified</source>
        <translation>Borrado y verificado</translation>
    </message>
    <message numerus="yes">
        <source>Partly erased: %n file(s) erased</source>
        <translation>
            <numerusform>Borrado en parte: %n archivo borrado</numerusform>
            <numerusform>Borrado en parte: %n archivos borrados</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n read back as written</source>
        <translation>
            <numerusform>%n releído tal como se escribió</numerusform>
            <numerusform>%n releídos tal como se escribieron</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) and special file(s) removed</source>
        <translation>
            <numerusform>%n enlace o archivo especial eliminado</numerusform>
            <numerusform>%n enlaces y archivos especiales eliminados</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n not erased</source>
        <translation>
            <numerusform>%n sin borrar</numerusform>
            <numerusform>%n sin borrar</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n not reached</source>
        <translation>
            <numerusform>%n no alcanzado</numerusform>
            <numerusform>%n no alcanzados</numerusform>
        </translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Dejado</translation>
    </message>
    <message>
        <source>Not reached, left as it was</source>
        <translation>No alcanzado, se deja como estaba</translation>
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
        <translation>Rápido</translation>
    </message>
    <message>
        <source>Safe</source>
        <translation>Seguro</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Sigiloso</translation>
    </message>
    <message>
        <source>Fast, single-pass deletion, sufficient for most personal use cases</source>
        <translation>Borrado rápido en una sola pasada, suficiente para la mayoría de los usos personales</translation>
    </message>
    <message>
        <source>Secure, 7-pass erasure; meets government standards for data sanitization</source>
        <translation>Borrado seguro en 7 pasadas; cumple las normas gubernamentales de saneamiento de datos</translation>
    </message>
    <message>
        <source>Maximum-security, 35-pass mode; makes data recovery virtually impossible</source>
        <translation>Máxima seguridad en 35 pasadas; hace prácticamente imposible recuperar los datos</translation>
    </message>
</context>
<context>
    <name>StorageCaution</name>
    <message>
        <source>the earlier copies that a copy-on-write file system (%1) keeps</source>
        <translation>las copias anteriores que guarda un sistema de archivos con copia en escritura (%1)</translation>
    </message>
    <message>
        <source>the copies on the server behind a network file system (%1)</source>
        <translation>las copias en el servidor que hay tras un sistema de archivos de red (%1)</translation>
    </message>
    <message>
        <source>the storage behind a FUSE file system (%1)</source>
        <translation>el almacenamiento que hay tras un sistema de archivos FUSE (%1)</translation>
    </message>
    <message>
        <source>the spare blocks of an SSD or flash storage, which can still hold old data</source>
        <translation>los bloques de reserva de un SSD o de una memoria flash, que aún pueden conservar datos antiguos</translation>
    </message>
    <message>
        <source>the copies of file data in the journal of %1 with data=journal</source>
        <translation>las copias de los datos de archivos en el diario de %1 con data=journal</translation>
    </message>
    <message>
        <source>%1, or %2</source>
        <translation>%1 o %2</translation>
    </message>
    <message>
        <source>Overwriting in place cannot reach %1.</source>
        <translation>Sobrescribir en el sitio no puede alcanzar %1.</translation>
    </message>
    <message>
        <source>Wiping the free space cannot reach %1.</source>
        <translation>La limpieza del espacio libre no puede alcanzar %1.</translation>
    </message>
</context>
<context>
    <name>UnopenedLinkCard</name>
    <message>
        <source>No mail application could be opened. Write to us at:</source>
        <translation>No se pudo abrir ninguna aplicación de correo. Escríbenos a:</translation>
    </message>
    <message>
        <source>No web browser could be opened. The link is:</source>
        <translation>No se pudo abrir ningún navegador web. El enlace es:</translation>
    </message>
    <message>
        <source>No file manager could be opened. The folder is:</source>
        <translation>No se pudo abrir ningún gestor de archivos. La carpeta es:</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>UpdateResultDialog</name>
    <message>
        <source>Checking for updates…</source>
        <translation>Buscando actualizaciones…</translation>
    </message>
    <message>
        <source>You&apos;re up to date!</source>
        <translation>¡Estás al día!</translation>
    </message>
    <message>
        <source>A new version of Fendry is available!</source>
        <translation>¡Hay una nueva versión de Fendry disponible!</translation>
    </message>
    <message>
        <source>The check for updates failed.</source>
        <translation>No se pudo comprobar si hay actualizaciones.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Fendry %1 is currently the newest version available.</source>
        <translation>Fendry %1 es actualmente la versión más reciente.</translation>
    </message>
    <message>
        <source>Fendry %1 is now available; you have %2. Download it from our website, or update it with your package manager.</source>
        <translation>Fendry %1 ya está disponible; tienes la %2. Descárgala de nuestro sitio web o actualízala con tu gestor de paquetes.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descargar</translation>
    </message>
    <message>
        <source>The update information offers no secure download link, so Fendry opens none.</source>
        <translation>La información de actualización no ofrece ningún enlace de descarga seguro, así que Fendry no abre ninguno.</translation>
    </message>
</context>
<context>
    <name>WaitingLine</name>
    <message numerus="yes">
        <source>%n item(s) waiting for the next run</source>
        <translation>
            <numerusform>%n elemento espera al próximo borrado</numerusform>
            <numerusform>%n elementos esperan al próximo borrado</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WavingBackground</name>
    <message>
        <source>Drop files or folders here
for permanent deletion</source>
        <translation>Suelta aquí archivos o carpetas
para eliminarlos definitivamente</translation>
    </message>
</context>
<context>
    <name>WipeFreeSpace</name>
    <message>
        <source>Choose a Folder on the Disk to Wipe</source>
        <translation>Elija una carpeta del disco que limpiar</translation>
    </message>
</context>
<context>
    <name>WipeFreeSpaceAlert</name>
    <message>
        <source>The Free Space Here Cannot Be Wiped</source>
        <translation>El espacio libre de aquí no se puede limpiar</translation>
    </message>
    <message>
        <source>Wipe Free Space?</source>
        <translation>¿Limpiar el espacio libre?</translation>
    </message>
    <message>
        <source>Fendry cannot wipe the free space under “%1”: %2.</source>
        <translation>Fendry no puede limpiar el espacio libre bajo «%1»: %2.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Wipe now</source>
        <translation>Limpiar ahora</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>WipeProgressArea</name>
    <message>
        <source>Step %1/%2</source>
        <translation>Paso %1/%2</translation>
    </message>
    <message>
        <source>Time remaining:</source>
        <translation>Tiempo restante:</translation>
    </message>
    <message>
        <source>Calculating...</source>
        <translation>Calculando…</translation>
    </message>
</context>
<context>
    <name>WipeSummaryView</name>
    <message>
        <source>Done</source>
        <translation>Listo</translation>
    </message>
</context>
<context>
    <name>fendry::MailingListManager</name>
    <message>
        <source>Please enter a valid email address.</source>
        <translation>Introduce una dirección de correo electrónico válida.</translation>
    </message>
    <message>
        <source>The newsletter service&apos;s address is not a secure one.</source>
        <translation>La dirección del servicio del boletín no es segura.</translation>
    </message>
    <message>
        <source>Please check your email address and try again.</source>
        <translation>Revisa tu dirección de correo electrónico e inténtalo de nuevo.</translation>
    </message>
    <message>
        <source>Server returned %1. Please try again later.</source>
        <translation>El servidor respondió %1. Inténtalo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>The newsletter service did not answer in time.</source>
        <translation>El servicio del boletín no respondió a tiempo.</translation>
    </message>
    <message>
        <source>The newsletter service&apos;s answer could not be read.</source>
        <translation>No se pudo leer la respuesta del servicio del boletín.</translation>
    </message>
</context>
<context>
    <name>fendry::MainScreen</name>
    <message>
        <source>“%1” was not added: %2</source>
        <translation>«%1» no se añadió: %2</translation>
    </message>
    <message numerus="yes">
        <source>%1 (and %n more)</source>
        <translation>
            <numerusform>%1 (y %n más)</numerusform>
            <numerusform>%1 (y %n más)</numerusform>
        </translation>
    </message>
    <message>
        <source>Erasure report %1.pdf</source>
        <translation>Informe de borrado %1.pdf</translation>
    </message>
    <message>
        <source>there is no finished run to report on</source>
        <translation>no hay ninguna ejecución terminada sobre la que informar</translation>
    </message>
    <message>
        <source>it can only be saved as a file on this computer</source>
        <translation>solo se puede guardar como archivo en este equipo</translation>
    </message>
    <message>
        <source>The report was not saved: %1</source>
        <translation>El informe no se guardó: %1</translation>
    </message>
</context>
<context>
    <name>fendry::Updater</name>
    <message>
        <source>The update server did not answer in time.</source>
        <translation>El servidor de actualizaciones no respondió a tiempo.</translation>
    </message>
    <message>
        <source>The update server&apos;s address is not a secure one.</source>
        <translation>La dirección del servidor de actualizaciones no es segura.</translation>
    </message>
    <message>
        <source>The update information could not be read.</source>
        <translation>No se pudo leer la información de actualización.</translation>
    </message>
    <message>
        <source>A secure connection to the update server could not be made.</source>
        <translation>No se pudo establecer una conexión segura con el servidor de actualizaciones.</translation>
    </message>
    <message>
        <source>The update server answered with status %1.</source>
        <translation>El servidor de actualizaciones respondió con el estado %1.</translation>
    </message>
    <message>
        <source>The update server could not be reached. Check the network connection.</source>
        <translation>No se pudo contactar con el servidor de actualizaciones. Comprueba la conexión de red.</translation>
    </message>
</context>
</TS>
