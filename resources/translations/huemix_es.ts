<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Application</name>
    <message>
        <source>&amp;Don&apos;t Save</source>
        <translation>&amp;No guardar</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>it is not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>no home folder was found, so nothing can be kept</source>
        <translation>no se encontró la carpeta personal, así que no se puede guardar nada</translation>
    </message>
    <message>
        <source>the folder %1 could not be made</source>
        <translation>no se pudo crear la carpeta %1</translation>
    </message>
    <message>
        <source>another program is writing it; try again later</source>
        <translation>otro programa lo está escribiendo; inténtalo más tarde</translation>
    </message>
    <message>
        <source>it is not a regular file, and was left as it is</source>
        <translation>no es un archivo normal y se ha dejado como estaba</translation>
    </message>
    <message>
        <source>it is read-only, and was left as it is</source>
        <translation>es de solo lectura y se ha dejado como estaba</translation>
    </message>
    <message>
        <source>the file could not be written</source>
        <translation>no se pudo escribir el archivo</translation>
    </message>
    <message>
        <source>Waiting for another program to finish writing the file…</source>
        <translation>Esperando a que otro programa termine de escribir el archivo…</translation>
    </message>
    <message>
        <source>%1 stands where its lock must be made and is no lock of this program that could be taken over; remove it (a folder with everything in it), then try again</source>
        <translation>%1 está donde debe crearse su bloqueo y no es un bloqueo de este programa que se pueda retomar; elimínalo (una carpeta, con todo su contenido) y vuelve a intentarlo</translation>
    </message>
    <message>
        <source>its lock file could not be made in %1: %2</source>
        <translation>no se pudo crear su archivo de bloqueo en %1: %2</translation>
    </message>
</context>
<context>
    <name>MenuBar1</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>AboutHuemix</source>
        <translation>Acerca de Huemix</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Deshacer</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cor&amp;tar</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Pegar</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Eliminar</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Seleccionar &amp;todo</translation>
    </message>
</context>
<context>
    <name>Rules</name>
    <message>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rojo</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Azul</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Amarillo</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cian</translation>
    </message>
</context>
<context>
    <name>ScoreFile</name>
    <message>
        <source>it is larger than %1 MB</source>
        <translation>ocupa más de %1 MB</translation>
    </message>
    <message>
        <source>Loading the scores…</source>
        <translation>Cargando las puntuaciones…</translation>
    </message>
    <message>
        <source>a name or score in it is longer than %1 MB</source>
        <translation>hay un nombre o puntuación de más de %1 MB</translation>
    </message>
    <message>
        <source>there is not enough memory for all of it</source>
        <translation>no hay memoria suficiente para todo</translation>
    </message>
    <message>
        <source>Scores cannot be kept: no home folder was found.</source>
        <translation>No se pueden guardar puntuaciones: no se encontró la carpeta personal.</translation>
    </message>
    <message>
        <source>Not all scores could be read: %1.</source>
        <translation>No todas las puntuaciones son legibles: %1.</translation>
    </message>
    <message>
        <source>The score file %1 could not be read to its end (%2), so the scores after that point are not in the list.

Replace the file with the %3 scores in the list and this game&apos;s? The scores that could not be read will be lost.

Choose No to leave the file as it is: the game stays open and keeps this game&apos;s score, so you can save a copy of the file first and then press Quit again.</source>
        <translation>El archivo de puntuaciones %1 no se pudo leer hasta el final (%2), así que las puntuaciones a partir de ese punto no están en la lista.

¿Reemplazar el archivo por las %3 puntuaciones de la lista y la de esta partida? Se perderán las puntuaciones que no se pudieron leer.

Elige No para dejar el archivo como está: el juego sigue abierto y conserva la puntuación de esta partida, así que puedes guardar antes una copia del archivo y luego pulsar Salir otra vez.</translation>
    </message>
    <message>
        <source>Saving the scores…</source>
        <translation>Guardando las puntuaciones…</translation>
    </message>
    <message>
        <source>there is not enough memory</source>
        <translation>no hay memoria suficiente</translation>
    </message>
    <message>
        <source>Your scores could not be saved to %1: %2.

The score file was left as it was, and the scores of this game are still kept. Press Quit again to try once more, or choose Quit from the File menu to leave without saving.</source>
        <translation>No se pudieron guardar tus puntuaciones en %1: %2.

El archivo de puntuaciones se ha dejado como estaba y las puntuaciones de esta partida se siguen conservando. Pulsa Salir otra vez para volver a intentarlo, o elige Salir en el menú Archivo para salir sin guardar.</translation>
    </message>
    <message>
        <source>a file</source>
        <translation>un archivo</translation>
    </message>
</context>
<context>
    <name>ScoreModel</name>
    <message>
        <source>Ordering the scores…</source>
        <translation>Ordenando las puntuaciones…</translation>
    </message>
</context>
<context>
    <name>Window1</name>
    <message>
        <source>The Expert scores of this run are not saved yet. Save them before you quit?</source>
        <translation>Las puntuaciones de Experto de esta sesión aún no están guardadas. ¿Guardarlas antes de salir?</translation>
    </message>
    <message>
        <source>Game Over. Your Score: %1</source>
        <translation>Fin de la partida. Tu puntuación: %1</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Empezar</translation>
    </message>
    <message>
        <source>Score:</source>
        <translation>Pts.:</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>End this game and quit Huemix?</source>
        <translation>¿Terminar esta partida y salir de Huemix?</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Nuevo juego</translation>
    </message>
    <message>
        <source>End this game and start a new one?</source>
        <translation>¿Terminar esta partida y empezar otra?</translation>
    </message>
    <message>
        <source>Use the right and left arrow keys to move left and right one step at a time.<byte value="xd"/>Use the Help button below for more instructions.<byte value="xd"/><byte value="xd"/></source>
        <translation>Usa las flechas izquierda y derecha para mover la ficha paso a paso.<byte value="xd"/>El botón Ayuda de abajo explica más.<byte value="xd"/><byte value="xd"/></translation>
    </message>
    <message>
        <source>HELP</source>
        <translation>AYUDA</translation>
    </message>
    <message>
        <source>The falling color is compatable with:</source>
        <translation>El color que cae combina con:</translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation>Principiante</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Experto</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Juego</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Sonido</translation>
    </message>
</context>
<context>
    <name>Window2</name>
    <message>
        <source>HELP</source>
        <translation>AYUDA</translation>
    </message>
    <message>
        <source>BACK</source>
        <translation>VOLVER</translation>
    </message>
    <message>
        <source>PRIMARY ADDITIVE COLORS (as in your TV)</source>
        <translation>COLORES PRIMARIOS ADITIVOS (como en tu tele)</translation>
    </message>
    <message>
        <source>RED + GREEN +BLUE = WHITE</source>
        <translation>ROJO + VERDE + AZUL = BLANCO</translation>
    </message>
    <message>
        <source>The object is to create as many white tiles as possible by combining falling color tiles</source>
        <translation>El objetivo es crear tantas fichas blancas como puedas combinando las fichas de colores que caen</translation>
    </message>
    <message>
        <source>Green and Blue make Cyan so Cyan and Red make White</source>
        <translation>Verde y Azul dan Cian, así que Cian y Rojo dan Blanco</translation>
    </message>
    <message>
        <source>Green and Red make Yellow so Yellow and Blue make White</source>
        <translation>Verde y Rojo dan Amarillo, así que Amarillo y Azul dan Blanco</translation>
    </message>
    <message>
        <source>Red and Blue make Magenta so Magenta and Green make White</source>
        <translation>Rojo y Azul dan Magenta, así que Magenta y Verde dan Blanco</translation>
    </message>
    <message>
        <source>In the Beginners mode the action is slower and the game tells you what are active target colors.</source>
        <translation>En el modo Principiante la acción es más lenta y el juego te dice cuáles son los colores de destino activos.</translation>
    </message>
    <message>
        <source>For every white you create you score a point and you can cover white with other colors so you can make multiple whites on top of each other. This occurs at the bottom of the screen at the start. This is called the active bottom line.</source>
        <translation>Cada blanco que creas suma un punto, y puedes cubrir un blanco con otros colores para crear varios blancos uno encima de otro. Al principio esto ocurre en la parte de abajo de la pantalla, en la llamada línea de fondo activa.</translation>
    </message>
    <message>
        <source>Incompatible colors such as Red and Magenta create Gray and move the active bottom  line up one row until you run out of space. </source>
        <translation>Los colores incompatibles, como Rojo y Magenta, crean Gris y suben la línea de fondo activa una fila, hasta que te quedas sin espacio.</translation>
    </message>
    <message>
        <source>If you cover a color with the same color there is a time penalty. Each time the tiles will drop a little faster. (A lot faster in the Expert mode)</source>
        <translation>Si cubres un color con el mismo color hay una penalización de tiempo: cada vez las fichas caen un poco más rápido (mucho más rápido en el modo Experto).</translation>
    </message>
</context>
<context>
    <name>Window3</name>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>A Game to test your knowledge, planning, reaction time and foresight.</source>
        <translation>Un juego que pone a prueba tu saber, planificación, reflejos y previsión.</translation>
    </message>
    <message>
        <source>Send questions to:
</source>
        <translation>Envía tus preguntas a:
</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>No mail program is set up here. Send your questions to </source>
        <translation>No hay ningún programa de correo configurado. Envía tus preguntas a </translation>
    </message>
</context>
<context>
    <name>Window4</name>
    <message>
        <source>Scores</source>
        <translation>Puntuaciones</translation>
    </message>
    <message>
        <source>Name	Score</source>
        <translation>Nombre	Puntos</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Jugar</translation>
    </message>
    <message>
        <source>&lt;- Click to order scores. Only scores obtained in the Expert Mode will be recorded.</source>
        <translation>&lt;- Haz clic para ordenar. Solo se guardan las puntuaciones del modo Experto.</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Tu nombre</translation>
    </message>
    <message>
        <source>If you want your score to be eligible for recording, please enter your name/handle/initials. -&gt;NOTE WELL: For your score(s) to be recorded you must use the QUIT button on the Game Board to quit or end.</source>
        <translation>Si quieres que tu puntuación pueda guardarse, escribe tu nombre, apodo o iniciales. -&gt;MUY IMPORTANTE: tus puntuaciones solo se guardan si sales con el botón SALIR del tablero de juego.</translation>
    </message>
</context>
</TS>
