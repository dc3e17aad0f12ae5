<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Application</name>
    <message>
        <source>&amp;Don&apos;t Save</source>
        <translation>&amp;Ne pas enregistrer</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>no home folder was found, so nothing can be kept</source>
        <translation>aucun dossier personnel n’a été trouvé, rien ne peut donc être conservé</translation>
    </message>
    <message>
        <source>the folder %1 could not be made</source>
        <translation>le dossier %1 n’a pas pu être créé</translation>
    </message>
    <message>
        <source>another program is writing it; try again later</source>
        <translation>un autre programme est en train de l’écrire&#xa0;; réessayez plus tard</translation>
    </message>
    <message>
        <source>it is not a regular file, and was left as it is</source>
        <translation>ce n’est pas un fichier ordinaire&#xa0;; il a été laissé tel quel</translation>
    </message>
    <message>
        <source>it is read-only, and was left as it is</source>
        <translation>il est en lecture seule et a été laissé tel quel</translation>
    </message>
    <message>
        <source>the file could not be written</source>
        <translation>le fichier n’a pas pu être écrit</translation>
    </message>
    <message>
        <source>Waiting for another program to finish writing the file…</source>
        <translation>En attente d’un autre programme qui écrit le fichier…</translation>
    </message>
    <message>
        <source>%1 stands where its lock must be made and is no lock of this program that could be taken over; remove it (a folder with everything in it), then try again</source>
        <translation>%1 se trouve là où son verrou doit être créé et n’est pas un verrou de ce programme qui pourrait être repris&#xa0;; supprimez-le (un dossier avec tout son contenu), puis réessayez</translation>
    </message>
    <message>
        <source>its lock file could not be made in %1: %2</source>
        <translation>son fichier de verrou n’a pas pu être créé dans %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>MenuBar1</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>AboutHuemix</source>
        <translation>À propos de Huemix</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Co&amp;uper</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Tout sélectionner</translation>
    </message>
</context>
<context>
    <name>Rules</name>
    <message>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Bleu</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Jaune</translation>
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
        <translation>il dépasse %1 Mo</translation>
    </message>
    <message>
        <source>Loading the scores…</source>
        <translation>Chargement des scores…</translation>
    </message>
    <message>
        <source>a name or score in it is longer than %1 MB</source>
        <translation>un nom ou un score y dépasse %1 Mo</translation>
    </message>
    <message>
        <source>there is not enough memory for all of it</source>
        <translation>la mémoire ne suffit pas pour tout lire</translation>
    </message>
    <message>
        <source>Scores cannot be kept: no home folder was found.</source>
        <translation>Impossible de conserver les scores&#xa0;: aucun dossier personnel trouvé.</translation>
    </message>
    <message>
        <source>Not all scores could be read: %1.</source>
        <translation>Tous les scores n’ont pas pu être lus&#xa0;: %1.</translation>
    </message>
    <message>
        <source>The score file %1 could not be read to its end (%2), so the scores after that point are not in the list.

Replace the file with the %3 scores in the list and this game&apos;s? The scores that could not be read will be lost.

Choose No to leave the file as it is: the game stays open and keeps this game&apos;s score, so you can save a copy of the file first and then press Quit again.</source>
        <translation>Le fichier des scores %1 n’a pas pu être lu jusqu’au bout (%2)&#xa0;: les scores situés après ce point ne sont pas dans la liste.

Remplacer le fichier par les %3 scores de la liste et celui de cette partie&#xa0;? Les scores qui n’ont pas pu être lus seront perdus.

Choisissez Non pour laisser le fichier tel quel&#xa0;: le jeu reste ouvert et garde le score de cette partie&#xa0;; vous pouvez ainsi d’abord faire une copie du fichier, puis appuyer de nouveau sur Quitter.</translation>
    </message>
    <message>
        <source>Saving the scores…</source>
        <translation>Enregistrement des scores…</translation>
    </message>
    <message>
        <source>there is not enough memory</source>
        <translation>la mémoire ne suffit pas</translation>
    </message>
    <message>
        <source>Your scores could not be saved to %1: %2.

The score file was left as it was, and the scores of this game are still kept. Press Quit again to try once more, or choose Quit from the File menu to leave without saving.</source>
        <translation>Vos scores n’ont pas pu être enregistrés dans %1&#xa0;: %2.

Le fichier des scores a été laissé tel quel, et les scores de cette partie sont toujours conservés. Appuyez de nouveau sur Quitter pour réessayer, ou choisissez Quitter dans le menu Fichier pour partir sans enregistrer.</translation>
    </message>
    <message>
        <source>a file</source>
        <translation>un fichier</translation>
    </message>
</context>
<context>
    <name>ScoreModel</name>
    <message>
        <source>Ordering the scores…</source>
        <translation>Tri des scores…</translation>
    </message>
</context>
<context>
    <name>Window1</name>
    <message>
        <source>The Expert scores of this run are not saved yet. Save them before you quit?</source>
        <translation>Les scores Expert de cette session ne sont pas encore enregistrés. Les enregistrer avant de quitter&#xa0;?</translation>
    </message>
    <message>
        <source>Game Over. Your Score: %1</source>
        <translation>Partie terminée. Votre score&#xa0;: %1</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Jouer</translation>
    </message>
    <message>
        <source>Score:</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>End this game and quit Huemix?</source>
        <translation>Terminer cette partie et quitter Huemix&#xa0;?</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Rejouer</translation>
    </message>
    <message>
        <source>End this game and start a new one?</source>
        <translation>Terminer cette partie et en commencer une nouvelle&#xa0;?</translation>
    </message>
    <message>
        <source>Use the right and left arrow keys to move left and right one step at a time.<byte value="xd"/>Use the Help button below for more instructions.<byte value="xd"/><byte value="xd"/></source>
        <translation>Les flèches gauche et droite déplacent la tuile d’un pas à la fois.<byte value="xd"/>Le bouton Aide ci-dessous en dit plus.<byte value="xd"/><byte value="xd"/></translation>
    </message>
    <message>
        <source>HELP</source>
        <translation>AIDE</translation>
    </message>
    <message>
        <source>The falling color is compatable with:</source>
        <translation>La couleur qui tombe va avec&#xa0;:</translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation>Débutant</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Expert</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Jeu</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Son</translation>
    </message>
</context>
<context>
    <name>Window2</name>
    <message>
        <source>HELP</source>
        <translation>AIDE</translation>
    </message>
    <message>
        <source>BACK</source>
        <translation>RETOUR</translation>
    </message>
    <message>
        <source>PRIMARY ADDITIVE COLORS (as in your TV)</source>
        <translation>COULEURS PRIMAIRES ADDITIVES (comme sur votre télé)</translation>
    </message>
    <message>
        <source>RED + GREEN +BLUE = WHITE</source>
        <translation>ROUGE + VERT + BLEU = BLANC</translation>
    </message>
    <message>
        <source>The object is to create as many white tiles as possible by combining falling color tiles</source>
        <translation>Le but est de créer le plus de tuiles blanches possible en combinant les tuiles de couleur qui tombent</translation>
    </message>
    <message>
        <source>Green and Blue make Cyan so Cyan and Red make White</source>
        <translation>Vert et Bleu donnent Cyan, donc Cyan et Rouge donnent Blanc</translation>
    </message>
    <message>
        <source>Green and Red make Yellow so Yellow and Blue make White</source>
        <translation>Vert et Rouge donnent Jaune, donc Jaune et Bleu donnent Blanc</translation>
    </message>
    <message>
        <source>Red and Blue make Magenta so Magenta and Green make White</source>
        <translation>Rouge et Bleu donnent Magenta, donc Magenta et Vert donnent Blanc</translation>
    </message>
    <message>
        <source>In the Beginners mode the action is slower and the game tells you what are active target colors.</source>
        <translation>En mode Débutant, l’action est plus lente et le jeu vous indique les couleurs cibles actives.</translation>
    </message>
    <message>
        <source>For every white you create you score a point and you can cover white with other colors so you can make multiple whites on top of each other. This occurs at the bottom of the screen at the start. This is called the active bottom line.</source>
        <translation>Chaque blanc créé rapporte un point, et vous pouvez recouvrir un blanc d’autres couleurs pour empiler plusieurs blancs. Au départ, cela se passe en bas de l’écran, sur ce qu’on appelle la ligne de fond active.</translation>
    </message>
    <message>
        <source>Incompatible colors such as Red and Magenta create Gray and move the active bottom  line up one row until you run out of space. </source>
        <translation>Les couleurs incompatibles, comme Rouge et Magenta, donnent du Gris et font monter la ligne de fond active d’une rangée, jusqu’à ce qu’il n’y ait plus de place.</translation>
    </message>
    <message>
        <source>If you cover a color with the same color there is a time penalty. Each time the tiles will drop a little faster. (A lot faster in the Expert mode)</source>
        <translation>Recouvrir une couleur par la même couleur coûte une pénalité de temps&#xa0;: à chaque fois, les tuiles tombent un peu plus vite (beaucoup plus vite en mode Expert).</translation>
    </message>
</context>
<context>
    <name>Window3</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>A Game to test your knowledge, planning, reaction time and foresight.</source>
        <translation>Un jeu qui teste savoir, stratégie, réflexes et anticipation.</translation>
    </message>
    <message>
        <source>Send questions to:
</source>
        <translation>Vos questions à&#xa0;:
</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>No mail program is set up here. Send your questions to </source>
        <translation>Aucun programme de messagerie n’est configuré ici. Envoyez vos questions à </translation>
    </message>
</context>
<context>
    <name>Window4</name>
    <message>
        <source>Scores</source>
        <translation>Scores</translation>
    </message>
    <message>
        <source>Name	Score</source>
        <translation>Nom	Score</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Jouer</translation>
    </message>
    <message>
        <source>&lt;- Click to order scores. Only scores obtained in the Expert Mode will be recorded.</source>
        <translation>&lt;- Cliquez pour trier les scores. Seuls les scores du mode Expert sont enregistrés.</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Votre nom</translation>
    </message>
    <message>
        <source>If you want your score to be eligible for recording, please enter your name/handle/initials. -&gt;NOTE WELL: For your score(s) to be recorded you must use the QUIT button on the Game Board to quit or end.</source>
        <translation>Pour que votre score puisse être enregistré, saisissez votre nom, pseudo ou vos initiales. -&gt;ATTENTION&#xa0;: vos scores ne sont enregistrés que si vous quittez avec le bouton QUITTER du plateau de jeu.</translation>
    </message>
</context>
</TS>
