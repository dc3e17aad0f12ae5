<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Application</name>
    <message>
        <source>&amp;Don&apos;t Save</source>
        <translation>&amp;Nicht speichern</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>it is not a regular file</source>
        <translation>sie ist keine normale Datei</translation>
    </message>
    <message>
        <source>no home folder was found, so nothing can be kept</source>
        <translation>es wurde kein persönlicher Ordner gefunden, daher lässt sich nichts speichern</translation>
    </message>
    <message>
        <source>the folder %1 could not be made</source>
        <translation>der Ordner %1 konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>another program is writing it; try again later</source>
        <translation>ein anderes Programm schreibt gerade hinein; versuch es später noch einmal</translation>
    </message>
    <message>
        <source>it is not a regular file, and was left as it is</source>
        <translation>sie ist keine normale Datei und blieb unverändert</translation>
    </message>
    <message>
        <source>it is read-only, and was left as it is</source>
        <translation>sie ist schreibgeschützt und blieb unverändert</translation>
    </message>
    <message>
        <source>the file could not be written</source>
        <translation>die Datei konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Waiting for another program to finish writing the file…</source>
        <translation>Warte, bis ein anderes Programm die Datei fertig geschrieben hat…</translation>
    </message>
    <message>
        <source>%1 stands where its lock must be made and is no lock of this program that could be taken over; remove it (a folder with everything in it), then try again</source>
        <translation>%1 steht dort, wo ihre Sperrdatei angelegt werden muss, und ist keine Sperre dieses Programms, die übernommen werden kann; entferne es (einen Ordner samt Inhalt) und versuch es dann noch einmal</translation>
    </message>
    <message>
        <source>its lock file could not be made in %1: %2</source>
        <translation>ihre Sperrdatei konnte nicht in %1 angelegt werden: %2</translation>
    </message>
</context>
<context>
    <name>MenuBar1</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>AboutHuemix</source>
        <translation>Über Huemix</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Aus&amp;schneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
</context>
<context>
    <name>Rules</name>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
</context>
<context>
    <name>ScoreFile</name>
    <message>
        <source>it is larger than %1 MB</source>
        <translation>sie ist größer als %1 MB</translation>
    </message>
    <message>
        <source>Loading the scores…</source>
        <translation>Punktestände werden geladen…</translation>
    </message>
    <message>
        <source>a name or score in it is longer than %1 MB</source>
        <translation>ein Name oder Punktestand darin ist über %1 MB lang</translation>
    </message>
    <message>
        <source>there is not enough memory for all of it</source>
        <translation>der Speicher reicht nicht für alles</translation>
    </message>
    <message>
        <source>Scores cannot be kept: no home folder was found.</source>
        <translation>Punkte können nicht gespeichert werden: kein persönlicher Ordner gefunden.</translation>
    </message>
    <message>
        <source>Not all scores could be read: %1.</source>
        <translation>Nicht alle Punkte sind lesbar: %1.</translation>
    </message>
    <message>
        <source>The score file %1 could not be read to its end (%2), so the scores after that point are not in the list.

Replace the file with the %3 scores in the list and this game&apos;s? The scores that could not be read will be lost.

Choose No to leave the file as it is: the game stays open and keeps this game&apos;s score, so you can save a copy of the file first and then press Quit again.</source>
        <translation>Die Punktedatei %1 konnte nicht bis zum Ende gelesen werden (%2), daher fehlen die Punktestände ab dieser Stelle in der Liste.

Die Datei durch die %3 Punktestände der Liste und den dieses Spiels ersetzen? Die nicht lesbaren Punktestände gehen dann verloren.

Wähle Nein, um die Datei unverändert zu lassen: Das Spiel bleibt offen und behält den Punktestand dieses Spiels, sodass du erst eine Kopie der Datei anlegen und dann noch einmal auf Beenden drücken kannst.</translation>
    </message>
    <message>
        <source>Saving the scores…</source>
        <translation>Punktestände werden gespeichert…</translation>
    </message>
    <message>
        <source>there is not enough memory</source>
        <translation>der Speicher reicht nicht aus</translation>
    </message>
    <message>
        <source>Your scores could not be saved to %1: %2.

The score file was left as it was, and the scores of this game are still kept. Press Quit again to try once more, or choose Quit from the File menu to leave without saving.</source>
        <translation>Deine Punktestände konnten nicht in %1 gespeichert werden: %2.

Die Punktedatei blieb unverändert, und die Punktestände dieses Spiels bleiben erhalten. Drück noch einmal auf Beenden, um es erneut zu versuchen, oder wähle Beenden im Menü Datei, um ohne Speichern zu gehen.</translation>
    </message>
    <message>
        <source>a file</source>
        <translation>eine Datei</translation>
    </message>
</context>
<context>
    <name>ScoreModel</name>
    <message>
        <source>Ordering the scores…</source>
        <translation>Punktestände werden sortiert…</translation>
    </message>
</context>
<context>
    <name>Window1</name>
    <message>
        <source>The Expert scores of this run are not saved yet. Save them before you quit?</source>
        <translation>Die Profi-Punkte dieser Runde sind noch nicht gespeichert. Vor dem Beenden speichern?</translation>
    </message>
    <message>
        <source>Game Over. Your Score: %1</source>
        <translation>Spiel vorbei. Deine Punkte: %1</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Score:</source>
        <translation>Stand:</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>End this game and quit Huemix?</source>
        <translation>Dieses Spiel beenden und Huemix verlassen?</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Neues Spiel</translation>
    </message>
    <message>
        <source>End this game and start a new one?</source>
        <translation>Dieses Spiel beenden und ein neues beginnen?</translation>
    </message>
    <message>
        <source>Use the right and left arrow keys to move left and right one step at a time.<byte value="xd"/>Use the Help button below for more instructions.<byte value="xd"/><byte value="xd"/></source>
        <translation>Mit den Pfeiltasten links und rechts rückst du den Stein je einen Schritt zur Seite.<byte value="xd"/>Mehr erklärt der Hilfe-Knopf unten.<byte value="xd"/><byte value="xd"/></translation>
    </message>
    <message>
        <source>HELP</source>
        <translation>HILFE</translation>
    </message>
    <message>
        <source>The falling color is compatable with:</source>
        <translation>Die fallende Farbe passt zu:</translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation>Anfänger</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Profi</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Spiel</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
</context>
<context>
    <name>Window2</name>
    <message>
        <source>HELP</source>
        <translation>HILFE</translation>
    </message>
    <message>
        <source>BACK</source>
        <translation>ZURÜCK</translation>
    </message>
    <message>
        <source>PRIMARY ADDITIVE COLORS (as in your TV)</source>
        <translation>ADDITIVE GRUNDFARBEN (wie in deinem Fernseher)</translation>
    </message>
    <message>
        <source>RED + GREEN +BLUE = WHITE</source>
        <translation>ROT + GRÜN + BLAU = WEISS</translation>
    </message>
    <message>
        <source>The object is to create as many white tiles as possible by combining falling color tiles</source>
        <translation>Ziel ist es, aus den fallenden Farbsteinen möglichst viele weiße Steine zu mischen</translation>
    </message>
    <message>
        <source>Green and Blue make Cyan so Cyan and Red make White</source>
        <translation>Grün und Blau ergeben Cyan, also ergeben Cyan und Rot Weiß</translation>
    </message>
    <message>
        <source>Green and Red make Yellow so Yellow and Blue make White</source>
        <translation>Grün und Rot ergeben Gelb, also ergeben Gelb und Blau Weiß</translation>
    </message>
    <message>
        <source>Red and Blue make Magenta so Magenta and Green make White</source>
        <translation>Rot und Blau ergeben Magenta, also ergeben Magenta und Grün Weiß</translation>
    </message>
    <message>
        <source>In the Beginners mode the action is slower and the game tells you what are active target colors.</source>
        <translation>Im Anfängermodus geht es langsamer zu, und das Spiel zeigt dir die Farben, zu denen der Stein gerade passt.</translation>
    </message>
    <message>
        <source>For every white you create you score a point and you can cover white with other colors so you can make multiple whites on top of each other. This occurs at the bottom of the screen at the start. This is called the active bottom line.</source>
        <translation>Jedes Weiß, das du mischst, bringt einen Punkt, und du kannst Weiß mit anderen Farben überdecken und so mehrere Weiße übereinander mischen. Zu Beginn geschieht das am unteren Rand des Spielfelds, der aktiven Grundlinie.</translation>
    </message>
    <message>
        <source>Incompatible colors such as Red and Magenta create Gray and move the active bottom  line up one row until you run out of space. </source>
        <translation>Unverträgliche Farben wie Rot und Magenta ergeben Grau und schieben die aktive Grundlinie eine Reihe nach oben, bis kein Platz mehr bleibt.</translation>
    </message>
    <message>
        <source>If you cover a color with the same color there is a time penalty. Each time the tiles will drop a little faster. (A lot faster in the Expert mode)</source>
        <translation>Deckst du eine Farbe mit derselben Farbe ab, gibt es eine Zeitstrafe: Die Steine fallen jedes Mal etwas schneller (im Profimodus viel schneller).</translation>
    </message>
</context>
<context>
    <name>Window3</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>A Game to test your knowledge, planning, reaction time and foresight.</source>
        <translation>Ein Spiel für Wissen, Planung, Reaktion und Weitblick.</translation>
    </message>
    <message>
        <source>Send questions to:
</source>
        <translation>Fragen bitte an:
</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>No mail program is set up here. Send your questions to </source>
        <translation>Hier ist kein E-Mail-Programm eingerichtet. Schick deine Fragen an </translation>
    </message>
</context>
<context>
    <name>Window4</name>
    <message>
        <source>Scores</source>
        <translation>Bestenliste</translation>
    </message>
    <message>
        <source>Name	Score</source>
        <translation>Name	Punkte</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Los</translation>
    </message>
    <message>
        <source>&lt;- Click to order scores. Only scores obtained in the Expert Mode will be recorded.</source>
        <translation>&lt;- Zum Sortieren klicken. Nur Punkte im Profimodus werden gespeichert.</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Dein Name</translation>
    </message>
    <message>
        <source>If you want your score to be eligible for recording, please enter your name/handle/initials. -&gt;NOTE WELL: For your score(s) to be recorded you must use the QUIT button on the Game Board to quit or end.</source>
        <translation>Damit deine Punkte gespeichert werden können, gib bitte deinen Namen, Spitznamen oder deine Initialen ein. -&gt;WICHTIG: Deine Punkte werden nur gespeichert, wenn du das Spiel mit dem Knopf BEENDEN auf dem Spielbrett verlässt.</translation>
    </message>
</context>
</TS>
