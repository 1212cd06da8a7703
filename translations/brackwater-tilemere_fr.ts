<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>DriveList</name>
    <message>
        <source>Drives</source>
        <translation>Volumes</translation>
    </message>
</context>
<context>
    <name>FolderList</name>
    <message>
        <source>Folders</source>
        <translation>Dossiers</translation>
    </message>
</context>
<context>
    <name>tilemere::BoardView</name>
    <message>
        <source>empty</source>
        <translation>vide</translation>
    </message>
    <message>
        <source>tile %1, belongs at row %2, column %3</source>
        <translation>pièce %1, va en ligne %2, colonne %3</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Plateau</translation>
    </message>
    <message>
        <source>column %1</source>
        <translation>colonne %1</translation>
    </message>
    <message>
        <source>row %1</source>
        <translation>ligne %1</translation>
    </message>
</context>
<context>
    <name>tilemere::FrontScreen</name>
    <message>
        <source>There are no picture(s) available in this folder.</source>
        <translation>Ce dossier ne contient aucune image.</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Select the location of your picture(s)</source>
        <translation>Où sont vos images ?</translation>
    </message>
    <message>
        <source>High Scores</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Select Puzzle Size</source>
        <translation>Taille du puzzle</translation>
    </message>
    <message>
        <source>%1x%1</source>
        <translation>%1x%1</translation>
    </message>
    <message>
        <source>Animate Shuffle</source>
        <translation>Mélange animé</translation>
    </message>
    <message>
        <source>Setup folder was missing.</source>
        <translation>Le dossier d'installation est introuvable.</translation>
    </message>
    <message>
        <source>Help system was missing.</source>
        <translation>L'aide est introuvable.</translation>
    </message>
    <message numerus="yes">
        <source>Page %1 of %n page(s)</source>
        <translation>
            <numerusform>Page %1 sur %n</numerusform>
            <numerusform>Page %1 sur %n</numerusform>
        </translation>
    </message>
    <message>
        <source>There is no picture or folder at %1.</source>
        <translation>Il n'y a ni image ni dossier à l'emplacement %1.</translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation>Impossible de lire %1.</translation>
    </message>
    <message>
        <source>%1 is not a picture the game can open.</source>
        <translation>%1 n'est pas une image que le jeu sait ouvrir.</translation>
    </message>
</context>
<context>
    <name>tilemere::PlayScreen</name>
    <message>
        <source>Show Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Coups</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Music ON/OFF</source>
        <translation>Son activé/coupé</translation>
    </message>
    <message>
        <source>More Puzzle Games</source>
        <translation>Autres jeux de puzzle</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Congradz...</source>
        <translation>Bravo...</translation>
    </message>
    <message>
        <source>The picture could not be opened.</source>
        <translation>Impossible d'ouvrir l'image.</translation>
    </message>
</context>
<context>
    <name>tilemere::ScoreBoard</name>
    <message>
        <source>Best Moves</source>
        <translation>Moins de coups</translation>
    </message>
    <message>
        <source>Best Time</source>
        <translation>Meilleur temps</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Coups</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Clear Scores</source>
        <translation>Tout effacer</translation>
    </message>
    <message>
        <source>%1x%1 Score Board</source>
        <translation>Records %1x%1</translation>
    </message>
</context>
<context>
    <name>tilemere::ScoreEntry</name>
    <message>
        <source>%1 (not placed)</source>
        <translation>%1 (non classé)</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Niveau</translation>
    </message>
    <message>
        <source>Enter Name</source>
        <translation>Votre nom</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Coups</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>%1x%1</source>
        <translation>%1x%1</translation>
    </message>
    <message>
        <source>Only Latin letters can be kept</source>
        <translation>Seules les lettres latines sont conservées</translation>
    </message>
    <message>
        <source>%1 (First place)</source>
        <translation>%1 (Première place)</translation>
    </message>
    <message>
        <source>%1 (Second place)</source>
        <translation>%1 (Deuxième place)</translation>
    </message>
    <message>
        <source>%1 (Third place)</source>
        <translation>%1 (Troisième place)</translation>
    </message>
    <message>
        <source>%1 (Fourth place)</source>
        <translation>%1 (Quatrième place)</translation>
    </message>
    <message>
        <source>%1 (Fifth place)</source>
        <translation>%1 (Cinquième place)</translation>
    </message>
    <message>
        <source>%1 (Sixth place)</source>
        <translation>%1 (Sixième place)</translation>
    </message>
    <message>
        <source>%1 (Seventh place)</source>
        <translation>%1 (Septième place)</translation>
    </message>
    <message>
        <source>%1 (Eighth place)</source>
        <translation>%1 (Huitième place)</translation>
    </message>
    <message>
        <source>%1 (Nineth place)</source>
        <translation>%1 (Neuvième place)</translation>
    </message>
    <message>
        <source>%1 (Tenth place)</source>
        <translation>%1 (Dixième place)</translation>
    </message>
</context>
</TS>
