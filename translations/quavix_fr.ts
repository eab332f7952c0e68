<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AnswerCsv</name>
    <message>
        <location filename="../src/progress/AnswerCsv.cpp" line="+123"/>
        <source>it has %1 fields instead of %2</source>
        <translation>elle a %1 champs au lieu de %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a time is not in ISO 8601 form</source>
        <translation>une heure n’est pas au format ISO 8601</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>a field holds a value no answer can have</source>
        <translation>un champ contient une valeur impossible pour une réponse</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the answer does not fit the outcome</source>
        <translation>la réponse ne correspond pas au résultat</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the seconds are not a number with three decimals</source>
        <translation>les secondes ne sont pas un nombre à trois décimales</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the first line is not the header of an answer list</source>
        <translation>la première ligne n’est pas l’en-tête d’une liste de réponses</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Line %1: %2.</source>
        <translation>Ligne %1&#xa0;: %2.</translation>
    </message>
</context>
<context>
    <name>MasteryPicture</name>
    <message>
        <source>How surely you read each note</source>
        <translation>Avec quelle assurance vous lisez chaque note</translation>
    </message>
    <message>
        <source>not asked yet</source>
        <translation>pas encore demandée</translation>
    </message>
    <message>
        <source>learning</source>
        <translation>en apprentissage</translation>
    </message>
    <message>
        <source>getting there</source>
        <translation>en bonne voie</translation>
    </message>
    <message>
        <source>sure</source>
        <translation>sûre</translation>
    </message>
    <message>
        <source>fluent</source>
        <translation>lue couramment</translation>
    </message>
    <message>
        <source>Notes read right within 3 seconds, day by day</source>
        <translation>Notes lues juste en moins de 3 secondes, jour après jour</translation>
    </message>
</context>
<context>
    <name>ProgressStore</name>
    <message>
        <location filename="../src/progress/ProgressQueries.cpp" line="+248"/>
        <source>No progress is kept.</source>
        <translation>Aucune progression n’est mémorisée.</translation>
    </message>
    <message>
        <location filename="../src/progress/ProgressStore.cpp" line="+291"/>
        <source>Quavix has started keeping your progress anew.</source>
        <translation>Quavix recommence à mémoriser votre progression.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your progress is not kept this time.</source>
        <translation>Votre progression ne sera pas mémorisée cette fois-ci.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Your kept progress was saved by a newer version of Quavix. Quavix has put it aside as “%1”. %2</source>
        <translation>Votre progression a été enregistrée par une version plus récente de Quavix. Quavix l’a mise de côté sous «&#xa0;%1&#xa0;». %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Your kept progress could not be read. Quavix has put it aside as “%1”. %2</source>
        <translation>Votre progression n’a pas pu être lue. Quavix l’a mise de côté sous «&#xa0;%1&#xa0;». %2</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Quavix cannot write to the file “%1”, so your progress is not kept this time.</source>
        <translation>Quavix ne peut pas écrire dans le fichier «&#xa0;%1&#xa0;»&#xa0;: votre progression ne sera pas mémorisée cette fois-ci.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Quavix cannot write in the folder “%1”, so your progress is not kept this time.</source>
        <translation>Quavix ne peut pas écrire dans le dossier «&#xa0;%1&#xa0;»&#xa0;: votre progression ne sera pas mémorisée cette fois-ci.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The disk is full, so Quavix has stopped keeping your progress. What was kept before is safe.</source>
        <translation>Le disque est plein&#xa0;: Quavix cesse de mémoriser votre progression. Ce qui a déjà été mémorisé est préservé.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Your kept progress is in use by another program, so your progress is not kept this time.</source>
        <translation>Votre progression est utilisée par un autre programme&#xa0;: elle ne sera pas mémorisée cette fois-ci.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Quavix could not use your kept progress (%1), so your progress is not kept this time.</source>
        <translation>Quavix n’a pas pu utiliser votre progression (%1)&#xa0;: elle ne sera pas mémorisée cette fois-ci.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>unknown error</source>
        <translation>erreur inconnue</translation>
    </message>
</context>
<context>
    <name>ResultsPicture</name>
    <message>
        <location filename="../src/views/ResultsPicture.cpp" line="+127"/>
        <source>bass</source>
        <translation>clé de fa</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>treble</source>
        <translation>clé de sol</translation>
    </message>
    <message>
        <location line="+102"/>
        <source>No note was answered in this quiz.</source>
        <translation>Aucune note n’a reçu de réponse dans ce quiz.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Last quiz: %1 right, %2 wrong, %3 timed out</source>
        <translation>Dernier quiz&#xa0;: justes %1, fausses %2, trop tard %3</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>right</source>
        <translation>juste</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>wrong</source>
        <translation>fausse</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>timed out</source>
        <translation>trop tard</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This run</source>
        <translation>Cette séance</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Last 7 days</source>
        <translation>7 derniers jours</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Last 30 days</source>
        <translation>30 derniers jours</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>No answers yet in this run.</source>
        <translation>Pas encore de réponse dans cette séance.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1% of %2, %3 s</source>
        <translation>%1&#x202f;% de %2, %3&#x202f;s</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>not asked</source>
        <translation>pas posée</translation>
    </message>
    <message>
        <source>alto</source>
        <translation>clé d’ut 3</translation>
    </message>
    <message>
        <source>tenor</source>
        <translation>clé d’ut 4</translation>
    </message>
    <message>
        <source>treble 8</source>
        <translation>clé de sol 8</translation>
    </message>
</context>
<context>
    <name>quavix::AlsaMidiInput</name>
    <message>
        <location filename="../src/midi/AlsaMidiInput.cpp" line="+64"/>
        <source>This system has no MIDI sequencer (%1 is missing).</source>
        <translation>Ce système n’a pas de séquenceur MIDI (%1 est absent).</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The MIDI sequencer would not open: %1.</source>
        <translation>Le séquenceur MIDI n’a pas pu s’ouvrir&#xa0;: %1.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>The MIDI sequencer gave Quavix no input port: %1.</source>
        <translation>Le séquenceur MIDI n’a donné aucun port d’entrée à Quavix&#xa0;: %1.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>The MIDI sequencer offers nothing to wait on.</source>
        <translation>Le séquenceur MIDI n’offre rien à attendre.</translation>
    </message>
</context>
<context>
    <name>quavix::Feedback</name>
    <message>
        <location filename="../src/app/FeedbackText.cpp" line="+12"/>
        <source>You picked %1, but the note was really %2</source>
        <translation>Vous avez choisi %1, mais la note était %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>You picked the right note but in the wrong octave</source>
        <translation>Bonne note, mais pas dans la bonne octave</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sorry, out of time. This note is %1.</source>
        <translation>Temps écoulé&#xa0;! Cette note est un %1.</translation>
    </message>
</context>
<context>
    <name>quavix::Help</name>
    <message>
        <location filename="../src/app/HelpTopics.cpp" line="+17"/>
        <source>Quavix 2 Error</source>
        <translation>Erreur de Quavix 2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Context topic %1 is unavailable</source>
        <translation>La rubrique d’aide %1 n’est pas disponible</translation>
    </message>
</context>
<context>
    <name>quavix::HelpWindow</name>
    <message>
        <location filename="../src/app/HTMLHelp.cpp" line="+73"/>
        <source>Quavix 2 Help</source>
        <translation>Aide de Quavix 2</translation>
    </message>
</context>
<context>
    <name>quavix::NoteNames</name>
    <message>
        <location filename="../src/views/NoteNameText.cpp" line="+17"/>
        <source>Do</source>
        <translation>Do</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Re</source>
        <translation>Ré</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mi</source>
        <translation>Mi</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Fa</source>
        <translation>Fa</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sol</source>
        <translation>Sol</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>La</source>
        <translation>La</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Si</source>
        <translation>Si</translation>
    </message>
    <message>
        <source>%1 major / %2 minor</source>
        <translation>%1 majeur / %2 mineur</translation>
    </message>
</context>
<context>
    <name>quavix::SoundPlayer</name>
    <message>
        <location filename="../src/sound/SoundPlayer.cpp" line="+20"/>
        <source>Sound is not available: the device did not answer.</source>
        <translation>Pas de son&#xa0;: le périphérique ne répond pas.</translation>
    </message>
    <message>
        <location line="+98"/>
        <source>Sound is not available: FluidSynth is missing.</source>
        <translation>Pas de son&#xa0;: FluidSynth est absent.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound is not available: no SoundFont found.</source>
        <translation>Pas de son&#xa0;: aucune SoundFont trouvée.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound is not available: the synthesizer failed.</source>
        <translation>Pas de son&#xa0;: le synthétiseur a échoué.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound is not available: unreadable SoundFont.</source>
        <translation>Pas de son&#xa0;: SoundFont illisible.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound is not available: no sound device.</source>
        <translation>Pas de son&#xa0;: aucun périphérique audio.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Sound was switched off: the sound output stopped.</source>
        <translation>Son coupé&#xa0;: la sortie audio s’est arrêtée.</translation>
    </message>
</context>
<context>
    <name>quavix::TClientArea</name>
    <message>
        <location filename="../src/app/ClientArea.cpp" line="+65"/>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Staff</source>
        <translation>Portée</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The notes in the quiz are displayed in this area</source>
        <translation>Les notes du quiz s’affichent ici</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Time left</source>
        <translation>Temps restant</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>During a quiz, this shows the time left to identify the current note</source>
        <translation>Pendant un quiz, le temps restant pour trouver la note affichée</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Hourglass</source>
        <translation>Sablier</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Seconds left</source>
        <translation>Secondes restantes</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Note buttons</source>
        <translation>Boutons de notes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use these buttons or the keyboard to select notes</source>
        <translation>Choisissez les notes avec ces boutons ou le clavier</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Note %1</source>
        <translation>Note %1</translation>
    </message>
    <message>
        <location line="-21"/>
        <source>Instrument</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Instrument keys</source>
        <translation>Touches de l’instrument</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use these controls or the keyboard to select notes</source>
        <translation>Choisissez les notes ici ou avec le clavier</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Score board</source>
        <translation>Tableau des scores</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your score is shown here during and after a quiz</source>
        <translation>Votre score s’affiche ici pendant et après un quiz</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+1"/>
        <location line="+5"/>
        <source>Score</source>
        <translation>Score</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+1"/>
        <source>out of</source>
        <translation>sur</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Maximum score</source>
        <translation>Score maximal</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Click the track and/or slide the box to change the quiz difficulty level</source>
        <translation>Cliquez ou faites glisser le curseur pour changer de niveau</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+4"/>
        <location line="+1"/>
        <location line="+5"/>
        <source>Level</source>
        <translation>Niv.</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+2"/>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Exit Quavix [Alt+F4]</source>
        <translation>Quitter Quavix [Alt+F4]</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Hints</source>
        <translation>Conseils</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Describes the control under the mouse pointer</source>
        <translation>Décrit l’élément situé sous le pointeur de la souris</translation>
    </message>
    <message>
        <source>Flat</source>
        <translation>Bémol</translation>
    </message>
    <message>
        <source>Sharp</source>
        <translation>Dièse</translation>
    </message>
    <message>
        <source>Press before a letter, or type # or + (sharp) or - (flat) before its key</source>
        <translation>Appuyez avant la note, ou tapez # + (dièse) ou - (bémol) avant</translation>
    </message>
</context>
<context>
    <name>quavix::TCommands</name>
    <message>
        <source>Adapti&amp;ve Practice</source>
        <translation>Entraînement &amp;adaptatif</translation>
    </message>
    <message>
        <source>Ask the notes you are learning, so about four in five come right</source>
        <translation>Demander surtout les notes que vous apprenez</translation>
    </message>
    <message>
        <source>&amp;Quiz Length</source>
        <translation>Longueur du &amp;quiz</translation>
    </message>
    <message>
        <source>&amp;Until I Stop</source>
        <translation>&amp;Jusqu’à ce que j’arrête</translation>
    </message>
    <message>
        <source>&amp;%1 Notes</source>
        <translation>&amp;%1 notes</translation>
    </message>
    <message>
        <location filename="../src/app/Commands.cpp" line="+32"/>
        <source>Use &amp;Note Buttons</source>
        <translation>Utiliser les &amp;boutons de notes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use the Note Button control [F2]</source>
        <translation>Répondre avec les boutons de notes [F2]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use &amp;Piano Keys</source>
        <translation>Utiliser le &amp;clavier de piano</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Use the Piano control [F3]</source>
        <translation>Répondre sur le clavier de piano [F3]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Treble Notes</source>
        <translation>Notes en clé de &amp;sol</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use notes in the treble staff only [F5]</source>
        <translation>Seulement les notes en clé de sol [F5]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Bass Notes</source>
        <translation>Notes en clé de &amp;fa</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use notes in the bass staff only [F6]</source>
        <translation>Seulement les notes en clé de fa [F6]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;All Notes</source>
        <translation>&amp;Toutes les notes</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Use notes from both staves [F7]</source>
        <translation>Les notes des deux portées [F7]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Single Octave Only</source>
        <translation>&amp;Une seule octave</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(Piano) Show one octave only [F8]</source>
        <translation>(Piano) Afficher une seule octave [F8]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Full Keyboard Range</source>
        <translation>Clavier &amp;entier</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(Piano) Show the full range of notes [F9]</source>
        <translation>(Piano) Afficher toute l’étendue des notes [F9]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Begin Quiz</source>
        <translation>&amp;Commencer le quiz</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Begin a quiz [Space bar]</source>
        <translation>Commencer un quiz [Barre d’espace]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;End Quiz</source>
        <translation>&amp;Terminer le quiz</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>End the current quiz now [Enter]</source>
        <translation>Terminer le quiz en cours [Entrée]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Use Guitar Frets</source>
        <translation>Utiliser le manche de &amp;guitare</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Use the Guitar control [F4]</source>
        <translation>Répondre sur le manche de guitare [F4]</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Results</source>
        <translation>&amp;Résultats</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show the results of the last quiz [F10]</source>
        <translation>Afficher les résultats du dernier quiz [F10]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Practise &amp;Weak Notes</source>
        <translation>&amp;Réviser les notes difficiles</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ask the notes you miss or answer slowly more often</source>
        <translation>Poser plus souvent les notes manquées ou trouvées lentement</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Keep My Progress</source>
        <translation>Mémoriser ma &amp;progression</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Keep your answers and options for the next time</source>
        <translation>Garder vos réponses et options pour la prochaine fois</translation>
    </message>
    <message>
        <location line="+126"/>
        <source>&amp;Game</source>
        <translation>&amp;Jeu</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>S&amp;ound</source>
        <translation>S&amp;on</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;MIDI Input</source>
        <translation>Entrée &amp;MIDI</translation>
    </message>
    <message>
        <location filename="../src/app/Commands.cpp" line="0"/>
        <source>&amp;Listen</source>
        <translation>Écoute au m&amp;icro</translation>
    </message>
    <message>
        <location filename="../src/app/Commands.cpp" line="0"/>
        <source>Listen&amp;ing</source>
        <translation>Réglages &amp;d’écoute</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Not&amp;e Names</source>
        <translation>&amp;Noms des notes</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Contents</source>
        <translation>&amp;Sommaire</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Raccourcis clavier</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Quavix 2 on the Web</source>
        <translation>Quavix 2 sur le Web</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Quavix 3 on the Web</source>
        <translation>Quavix 3 sur le Web</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>C D E F G A B</source>
        <translation>C D E F G A B</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>C D E F G A H</source>
        <translation>C D E F G A H</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Do Re Mi Fa Sol La Si</source>
        <translation>Do Ré Mi Fa Sol La Si</translation>
    </message>
    <message>
        <location filename="../src/app/WebLinks.h" line="+20"/>
        <source>Quavix Music &amp;Home Page</source>
        <translation>&amp;Page d’accueil de Quavix Music</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Free Software at Quavix Music</source>
        <translation>&amp;Logiciels gratuits chez Quavix Music</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tonewright Home &amp;Page</source>
        <translation>Page d’&amp;accueil de Tonewright</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quavix at &amp;Tonewright</source>
        <translation>Quavix chez &amp;Tonewright</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Tonewright &amp;Support</source>
        <translation>&amp;Support Tonewright</translation>
    </message>
    <message>
        <source>Clefs and &amp;Ranges</source>
        <translation>Clés et notes e&amp;xtrêmes</translation>
    </message>
    <message>
        <source>&amp;Alto Clef</source>
        <translation>Clé d’&amp;ut troisième ligne</translation>
    </message>
    <message>
        <source>Alto and &amp;Treble Clefs</source>
        <translation>Clés d’ut troisième et de &amp;sol</translation>
    </message>
    <message>
        <source>T&amp;enor Clef</source>
        <translation>Clé d’ut &amp;quatrième ligne</translation>
    </message>
    <message>
        <source>Tenor and &amp;Bass Clefs</source>
        <translation>Clés d’ut quatrième et de &amp;fa</translation>
    </message>
    <message>
        <source>Use notes in the clefs that players of these parts read</source>
        <translation>Utiliser les clés que lisent ces instrumentistes</translation>
    </message>
    <message>
        <source>&amp;Guitar in the Octave-Treble Clef</source>
        <translation>&amp;Guitare en clé de sol octaviée</translation>
    </message>
    <message>
        <source>(Guitar) Write the treble clef with the 8 below: it sounds an octave lower</source>
        <translation>(Guitare) Clé de sol avec le 8 dessous : le son est une octave plus bas</translation>
    </message>
    <message>
        <source>Note &amp;Range...</source>
        <translation>É&amp;tendue des notes...</translation>
    </message>
    <message>
        <source>Choose the lowest and highest note asked on each staff</source>
        <translation>Choisir la note la plus grave et la plus aiguë de chaque portée</translation>
    </message>
    <message>
        <source>A&amp;ccidentals</source>
        <translation>A&amp;ltérations</translation>
    </message>
    <message>
        <source>&amp;Naturals Only</source>
        <translation>&amp;Notes naturelles seulement</translation>
    </message>
    <message>
        <source>&amp;Sharps and Flats</source>
        <translation>&amp;Dièses et bémols</translation>
    </message>
    <message>
        <source>&amp;Key Signature</source>
        <translation>&amp;Armure</translation>
    </message>
    <message>
        <source>Ke&amp;y</source>
        <translation>Tonalité</translation>
    </message>
    <message>
        <source>A &amp;Different Key Each Quiz</source>
        <translation>Une tonalité &amp;différente à chaque quiz</translation>
    </message>
    <message>
        <source>P&amp;ractise the Weakest Key: %1</source>
        <translation>Tra&amp;vailler la tonalité la plus faible : %1</translation>
    </message>
    <message>
        <source>Accidentals &amp;Against the Key</source>
        <translation>&amp;Altérations accidentelles</translation>
    </message>
</context>
<context>
    <name>quavix::TConfirmBox</name>
    <message>
        <location filename="../src/app/ConfirmBox.h" line="+15"/>
        <source>Confirm</source>
        <translation>Confirmer</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Quiz in progress. Really quit?</source>
        <translation>Un quiz est en cours. Vraiment quitter&#xa0;?</translation>
    </message>
</context>
<context>
    <name>quavix::TDlgAbout</name>
    <message>
        <location filename="../src/app/About.cpp" line="+107"/>
        <source>Home of Rhythm Rally and Scale Ladder</source>
        <translation>L’éditeur de Rhythm Rally et Scale Ladder</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Home of Quavix 3</source>
        <translation>L’éditeur de Quavix 3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Home of Interval Owl and Chord Lantern</source>
        <translation>L’éditeur d’Interval Owl et Chord Lantern</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Home of Tempo Tortoise</source>
        <translation>L’éditeur de Tempo Tortoise</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Home of Clef Climber and Key Quest</source>
        <translation>L’éditeur de Clef Climber et Key Quest</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>Come by for a visit!</source>
        <translation>Venez voir&#xa0;!</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Come and visit Tonewright Software on the Web</source>
        <translation>Rendez visite à Tonewright Software sur le Web</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Free Downloads</source>
        <translation>Logiciels gratuits</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Copyright © 2004–2007 Tonewright Software. All rights reserved.</source>
        <translation>Copyright © 2004–2007 Tonewright Software. Tous droits réservés.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>With thanks to all our beta testers</source>
        <translation>Merci à tous nos bêta-testeurs</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Return to Quavix [Enter]</source>
        <translation>Revenir à Quavix [Entrée]</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1: About</source>
        <translation>À propos de %1</translation>
    </message>
</context>
<context>
    <name>quavix::TFormQX25</name>
    <message>
        <location filename="../src/app/MainQX25.cpp" line="+185"/>
        <location line="+6"/>
        <source>%1 encountered a problem on start-up: %2</source>
        <translation>%1 a rencontré un problème au démarrage&#xa0;: %2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>an unknown error</source>
        <translation>une erreur inconnue</translation>
    </message>
</context>
<context>
    <name>quavix::TListenRoom</name>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>Listening level</source>
        <translation>Niveau d’écoute</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>Listening: the bars show how loud the microphone hears you</source>
        <translation>Écoute&#xa0;: les barres montrent avec quelle force le micro vous entend</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>&amp;Input</source>
        <translation>&amp;Entrée</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>&amp;Tolerance</source>
        <translation>&amp;Tolérance</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>%1 cents</source>
        <translation>%1 cents</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>&amp;Singing: Any Octave</source>
        <translation>&amp;Chant dans toutes les octaves</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source> (system default)</source>
        <translation> (par défaut)</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>Listening is not available: its module or Qt Multimedia is not installed.</source>
        <translation>L’écoute n’est pas disponible&#xa0;: son module ou Qt Multimedia n’est pas installé.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>No microphone found. Quavix listens as soon as one is plugged in.</source>
        <translation>Aucun micro trouvé. Quavix écoutera dès qu’un micro sera branché.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone could not be opened: another program may be using it.</source>
        <translation>Impossible d’ouvrir le micro&#xa0;: un autre programme l’utilise peut-être.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone was unplugged. Quavix listens again when it is back.</source>
        <translation>Le micro a été débranché. Quavix écoutera de nouveau dès son retour.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone delivers sound in a form Quavix cannot read.</source>
        <translation>Le micro fournit le son dans un format que Quavix ne sait pas lire.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone hears only silence: is it muted or turned down?</source>
        <translation>Le micro n’entend que du silence&#xa0;: est-il coupé ou réglé trop bas&#xa0;?</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone is too loud: turn its input level down.</source>
        <translation>Le micro sature&#xa0;: baissez son niveau d’entrée.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone has stopped sending sound.</source>
        <translation>Le micro n’envoie plus de son.</translation>
    </message>
</context>
<context>
    <name>quavix::TMidiRoom</name>
    <message>
        <location filename="../src/app/MidiRoom.cpp" line="+64"/>
        <location line="+48"/>
        <source>MIDI input connected: %1</source>
        <translation>Entrée MIDI connectée&#xa0;: %1</translation>
    </message>
    <message>
        <location line="-13"/>
        <source>MIDI key %1 is a black key: only white keys answer.</source>
        <translation>La touche MIDI %1 est noire&#xa0;: seules les touches blanches répondent.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>MIDI key %1 lies outside the notes asked here (%2 to %3).</source>
        <translation>La touche MIDI %1 est hors des notes demandées ici (%2 à %3).</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>No MIDI input</source>
        <translation>Aucune entrée MIDI</translation>
    </message>
    <message>
        <location line="+8"/>
        <source> (not connected)</source>
        <translation> (non connectée)</translation>
    </message>
</context>
<context>
    <name>quavix::TMsgPanel</name>
    <message>
        <location filename="../src/app/PopUpMessage.cpp" line="+50"/>
        <source>Feedback message</source>
        <translation>Message de correction</translation>
    </message>
</context>
<context>
    <name>quavix::TProgressRoom</name>
    <message>
        <location filename="../src/app/ProgressRoom.cpp" line="+58"/>
        <location line="+70"/>
        <source>Quavix 2</source>
        <translation>Quavix 2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quavix will no longer keep your progress. Delete the answers and options kept so far?

Yes deletes them; No keeps them for when you switch this on again.</source>
        <translation>Quavix ne mémorisera plus votre progression. Supprimer les réponses et options mémorisées jusqu’ici&#xa0;?

Oui les supprime&#xa0;; Non les garde pour la prochaine activation.</translation>
    </message>
    <message>
        <location line="+140"/>
        <source>unknown error</source>
        <translation>erreur inconnue</translation>
    </message>
</context>
<context>
    <name>quavix::TRangeDialog</name>
    <message>
        <source>Note Range</source>
        <translation>Étendue des notes</translation>
    </message>
    <message>
        <source>The lowest and highest note asked on each staff. The level still decides how many of the notes in between are asked.</source>
        <translation>La note la plus grave et la plus aiguë demandées sur chaque portée. Le niveau décide toujours combien des notes comprises entre elles sont demandées.</translation>
    </message>
    <message>
        <source>to</source>
        <translation>à</translation>
    </message>
    <message>
        <source>&amp;Usual Ranges</source>
        <translation>Étendues &amp;habituelles</translation>
    </message>
    <message>
        <source>Bass clef:</source>
        <translation>Clé de fa :</translation>
    </message>
    <message>
        <source>Alto clef:</source>
        <translation>Clé d’ut troisième ligne :</translation>
    </message>
    <message>
        <source>Tenor clef:</source>
        <translation>Clé d’ut quatrième ligne :</translation>
    </message>
    <message>
        <source>Treble clef:</source>
        <translation>Clé de sol :</translation>
    </message>
    <message>
        <source>%1 the highest note must stand above the lowest, so that at least two notes are asked.</source>
        <translation>%1 la note la plus aiguë doit être au-dessus de la plus grave, pour qu’au moins deux notes soient demandées.</translation>
    </message>
</context>
<context>
    <name>quavix::TResultsWindow</name>
    <message>
        <location filename="../src/app/ResultsWindow.cpp" line="+27"/>
        <source>Quavix 2 Results</source>
        <translation>Résultats de Quavix 2</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>&amp;Export…</source>
        <translation>&amp;Exporter…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Export Answers</source>
        <translation>Exporter les réponses</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>quavix-answers.csv</source>
        <translation>quavix-reponses.csv</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Comma-separated values (*.csv)</source>
        <translation>Valeurs séparées par des virgules (*.csv)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The answers could not be written to “%1”: %2</source>
        <translation>Impossible d’écrire les réponses dans «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
</context>
</TS>
