<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>DriveList</name>
    <message>
        <source>Drives</source>
        <translation>Laufwerke</translation>
    </message>
</context>
<context>
    <name>FolderList</name>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
</context>
<context>
    <name>tilemere::BoardView</name>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>tile %1, belongs at row %2, column %3</source>
        <translation>Teil %1, gehört in Zeile %2, Spalte %3</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Spielfeld</translation>
    </message>
    <message>
        <source>column %1</source>
        <translation>Spalte %1</translation>
    </message>
    <message>
        <source>row %1</source>
        <translation>Zeile %1</translation>
    </message>
</context>
<context>
    <name>tilemere::FrontScreen</name>
    <message>
        <source>There are no picture(s) available in this folder.</source>
        <translation>In diesem Ordner sind keine Bilder.</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Select the location of your picture(s)</source>
        <translation>Wo sind deine Bilder?</translation>
    </message>
    <message>
        <source>High Scores</source>
        <translation>Bestenliste</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Select Puzzle Size</source>
        <translation>Größe des Puzzles</translation>
    </message>
    <message>
        <source>%1x%1</source>
        <translation>%1x%1</translation>
    </message>
    <message>
        <source>Animate Shuffle</source>
        <translation>Mischen zeigen</translation>
    </message>
    <message>
        <source>Setup folder was missing.</source>
        <translation>Der Installationsordner fehlt.</translation>
    </message>
    <message>
        <source>Help system was missing.</source>
        <translation>Die Hilfe fehlt.</translation>
    </message>
    <message numerus="yes">
        <source>Page %1 of %n page(s)</source>
        <translation>
            <numerusform>Seite %1 von %n</numerusform>
            <numerusform>Seite %1 von %n</numerusform>
        </translation>
    </message>
    <message>
        <source>There is no picture or folder at %1.</source>
        <translation>Unter %1 gibt es weder Bild noch Ordner.</translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation>%1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 is not a picture the game can open.</source>
        <translation>%1 ist kein Bild, das das Spiel öffnen kann.</translation>
    </message>
</context>
<context>
    <name>tilemere::PlayScreen</name>
    <message>
        <source>Show Preview</source>
        <translation>Vorschau zeigen</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Züge</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Music ON/OFF</source>
        <translation>Ton an/aus</translation>
    </message>
    <message>
        <source>More Puzzle Games</source>
        <translation>Weitere Puzzlespiele</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Congradz...</source>
        <translation>Glückwunsch...</translation>
    </message>
    <message>
        <source>The picture could not be opened.</source>
        <translation>Das Bild konnte nicht geöffnet werden.</translation>
    </message>
</context>
<context>
    <name>tilemere::ScoreBoard</name>
    <message>
        <source>Best Moves</source>
        <translation>Wenigste Züge</translation>
    </message>
    <message>
        <source>Best Time</source>
        <translation>Beste Zeit</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Züge</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Clear Scores</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>%1x%1 Score Board</source>
        <translation>Bestenliste %1x%1</translation>
    </message>
</context>
<context>
    <name>tilemere::ScoreEntry</name>
    <message>
        <source>%1 (not placed)</source>
        <translation>%1 (kein Platz)</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>Enter Name</source>
        <translation>Dein Name</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Züge</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1x%1</source>
        <translation>%1x%1</translation>
    </message>
    <message>
        <source>Only Latin letters can be kept</source>
        <translation>Nur lateinische Buchstaben werden gespeichert</translation>
    </message>
    <message>
        <source>%1 (First place)</source>
        <translation>%1 (Erster Platz)</translation>
    </message>
    <message>
        <source>%1 (Second place)</source>
        <translation>%1 (Zweiter Platz)</translation>
    </message>
    <message>
        <source>%1 (Third place)</source>
        <translation>%1 (Dritter Platz)</translation>
    </message>
    <message>
        <source>%1 (Fourth place)</source>
        <translation>%1 (Vierter Platz)</translation>
    </message>
    <message>
        <source>%1 (Fifth place)</source>
        <translation>%1 (Fünfter Platz)</translation>
    </message>
    <message>
        <source>%1 (Sixth place)</source>
        <translation>%1 (Sechster Platz)</translation>
    </message>
    <message>
        <source>%1 (Seventh place)</source>
        <translation>%1 (Siebter Platz)</translation>
    </message>
    <message>
        <source>%1 (Eighth place)</source>
        <translation>%1 (Achter Platz)</translation>
    </message>
    <message>
        <source>%1 (Nineth place)</source>
        <translation>%1 (Neunter Platz)</translation>
    </message>
    <message>
        <source>%1 (Tenth place)</source>
        <translation>%1 (Zehnter Platz)</translation>
    </message>
</context>
</TS>
