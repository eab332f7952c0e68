<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AnswerCsv</name>
    <message>
        <location filename="../src/progress/AnswerCsv.cpp" line="+123"/>
        <source>it has %1 fields instead of %2</source>
        <translation>sie hat %1 statt %2 Felder</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a time is not in ISO 8601 form</source>
        <translation>eine Zeitangabe ist nicht im Format ISO 8601</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>a field holds a value no answer can have</source>
        <translation>ein Feld enthält einen Wert, den keine Antwort haben kann</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the answer does not fit the outcome</source>
        <translation>die Antwort passt nicht zum Ergebnis</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the seconds are not a number with three decimals</source>
        <translation>die Sekunden sind keine Zahl mit drei Nachkommastellen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the first line is not the header of an answer list</source>
        <translation>die erste Zeile ist nicht der Kopf einer Antwortliste</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Line %1: %2.</source>
        <translation>Zeile %1: %2.</translation>
    </message>
</context>
<context>
    <name>MasteryPicture</name>
    <message>
        <source>How surely you read each note</source>
        <translation>Wie sicher Sie jede Note lesen</translation>
    </message>
    <message>
        <source>not asked yet</source>
        <translation>noch nicht gefragt</translation>
    </message>
    <message>
        <source>learning</source>
        <translation>noch unsicher</translation>
    </message>
    <message>
        <source>getting there</source>
        <translation>auf dem Weg</translation>
    </message>
    <message>
        <source>sure</source>
        <translation>sicher</translation>
    </message>
    <message>
        <source>fluent</source>
        <translation>fließend</translation>
    </message>
    <message>
        <source>Notes read right within 3 seconds, day by day</source>
        <translation>Innerhalb von 3 Sekunden richtig gelesene Noten, Tag für Tag</translation>
    </message>
</context>
<context>
    <name>ProgressStore</name>
    <message>
        <location filename="../src/progress/ProgressQueries.cpp" line="+248"/>
        <source>No progress is kept.</source>
        <translation>Es wird kein Fortschritt gespeichert.</translation>
    </message>
    <message>
        <location filename="../src/progress/ProgressStore.cpp" line="+291"/>
        <source>Quavix has started keeping your progress anew.</source>
        <translation>Quavix speichert Ihren Fortschritt ab jetzt neu.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your progress is not kept this time.</source>
        <translation>Ihr Fortschritt wird diesmal nicht gespeichert.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Your kept progress was saved by a newer version of Quavix. Quavix has put it aside as “%1”. %2</source>
        <translation>Ihr gespeicherter Fortschritt stammt von einer neueren Quavix-Version. Quavix hat ihn als „%1“ beiseitegelegt. %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Your kept progress could not be read. Quavix has put it aside as “%1”. %2</source>
        <translation>Ihr gespeicherter Fortschritt war nicht lesbar. Quavix hat ihn als „%1“ beiseitegelegt. %2</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Quavix cannot write to the file “%1”, so your progress is not kept this time.</source>
        <translation>Quavix kann nicht in die Datei „%1“ schreiben, daher wird Ihr Fortschritt diesmal nicht gespeichert.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Quavix cannot write in the folder “%1”, so your progress is not kept this time.</source>
        <translation>Quavix kann nicht in den Ordner „%1“ schreiben, daher wird Ihr Fortschritt diesmal nicht gespeichert.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The disk is full, so Quavix has stopped keeping your progress. What was kept before is safe.</source>
        <translation>Der Datenträger ist voll, daher speichert Quavix Ihren Fortschritt nicht mehr. Das bisher Gespeicherte ist sicher.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Your kept progress is in use by another program, so your progress is not kept this time.</source>
        <translation>Ihr gespeicherter Fortschritt wird von einem anderen Programm verwendet, daher wird er diesmal nicht gespeichert.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Quavix could not use your kept progress (%1), so your progress is not kept this time.</source>
        <translation>Quavix konnte Ihren gespeicherten Fortschritt nicht verwenden (%1), daher wird er diesmal nicht gespeichert.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>unknown error</source>
        <translation>unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>ResultsPicture</name>
    <message>
        <location filename="../src/views/ResultsPicture.cpp" line="+127"/>
        <source>bass</source>
        <translation>F-Schlüssel</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>treble</source>
        <translation>G-Schlüssel</translation>
    </message>
    <message>
        <location line="+102"/>
        <source>No note was answered in this quiz.</source>
        <translation>In diesem Quiz wurde keine Note beantwortet.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Last quiz: %1 right, %2 wrong, %3 timed out</source>
        <translation>Letztes Quiz: %1 richtig, %2 falsch, %3 zu spät</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>right</source>
        <translation>richtig</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>wrong</source>
        <translation>falsch</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>timed out</source>
        <translation>zu spät</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This run</source>
        <translation>Diese Sitzung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Last 7 days</source>
        <translation>Letzte 7 Tage</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Last 30 days</source>
        <translation>Letzte 30 Tage</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>No answers yet in this run.</source>
        <translation>In dieser Sitzung noch keine Antworten.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1% of %2, %3 s</source>
        <translation>%1% von %2, %3&#x202f;s</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>not asked</source>
        <translation>nicht gefragt</translation>
    </message>
    <message>
        <source>alto</source>
        <translation>Altschlüssel</translation>
    </message>
    <message>
        <source>tenor</source>
        <translation>Tenorschlüssel</translation>
    </message>
    <message>
        <source>treble 8</source>
        <translation>G-Schlüssel 8</translation>
    </message>
</context>
<context>
    <name>quavix::AlsaMidiInput</name>
    <message>
        <location filename="../src/midi/AlsaMidiInput.cpp" line="+64"/>
        <source>This system has no MIDI sequencer (%1 is missing).</source>
        <translation>Dieses System hat keinen MIDI-Sequenzer (%1 fehlt).</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The MIDI sequencer would not open: %1.</source>
        <translation>Der MIDI-Sequenzer ließ sich nicht öffnen: %1.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>The MIDI sequencer gave Quavix no input port: %1.</source>
        <translation>Der MIDI-Sequenzer gab Quavix keinen Eingang: %1.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>The MIDI sequencer offers nothing to wait on.</source>
        <translation>Der MIDI-Sequenzer bietet nichts, worauf gewartet werden kann.</translation>
    </message>
</context>
<context>
    <name>quavix::Feedback</name>
    <message>
        <location filename="../src/app/FeedbackText.cpp" line="+12"/>
        <source>You picked %1, but the note was really %2</source>
        <translation>Sie haben %1 gewählt, aber die Note war %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>You picked the right note but in the wrong octave</source>
        <translation>Richtige Note, aber in der falschen Oktave</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sorry, out of time. This note is %1.</source>
        <translation>Leider zu spät. Diese Note ist ein %1.</translation>
    </message>
</context>
<context>
    <name>quavix::Help</name>
    <message>
        <location filename="../src/app/HelpTopics.cpp" line="+17"/>
        <source>Quavix 2 Error</source>
        <translation>Quavix 2 – Fehler</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Context topic %1 is unavailable</source>
        <translation>Hilfethema %1 ist nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>quavix::HelpWindow</name>
    <message>
        <location filename="../src/app/HTMLHelp.cpp" line="+73"/>
        <source>Quavix 2 Help</source>
        <translation>Quavix 2 – Hilfe</translation>
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
        <translation>Re</translation>
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
        <translation>%1-Dur / %2-Moll</translation>
    </message>
</context>
<context>
    <name>quavix::SoundPlayer</name>
    <message>
        <location filename="../src/sound/SoundPlayer.cpp" line="+20"/>
        <source>Sound is not available: the device did not answer.</source>
        <translation>Kein Klang: Das Gerät hat nicht geantwortet.</translation>
    </message>
    <message>
        <location line="+98"/>
        <source>Sound is not available: FluidSynth is missing.</source>
        <translation>Kein Klang: FluidSynth fehlt.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound is not available: no SoundFont found.</source>
        <translation>Kein Klang: Keine SoundFont gefunden.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound is not available: the synthesizer failed.</source>
        <translation>Kein Klang: Der Synthesizer ist ausgefallen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound is not available: unreadable SoundFont.</source>
        <translation>Kein Klang: Die SoundFont ist nicht lesbar.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound is not available: no sound device.</source>
        <translation>Kein Klang: Kein Audiogerät vorhanden.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Sound was switched off: the sound output stopped.</source>
        <translation>Klang ausgeschaltet: Die Audioausgabe ist verstummt.</translation>
    </message>
</context>
<context>
    <name>quavix::TClientArea</name>
    <message>
        <location filename="../src/app/ClientArea.cpp" line="+65"/>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Staff</source>
        <translation>Notensystem</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The notes in the quiz are displayed in this area</source>
        <translation>Hier erscheinen die Noten des Quiz</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Time left</source>
        <translation>Restzeit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>During a quiz, this shows the time left to identify the current note</source>
        <translation>Im Quiz zeigt dies die verbleibende Zeit für die aktuelle Note</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Hourglass</source>
        <translation>Sanduhr</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Seconds left</source>
        <translation>Verbleibende Sekunden</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Note buttons</source>
        <translation>Notenschaltflächen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use these buttons or the keyboard to select notes</source>
        <translation>Wählen Sie Noten mit diesen Schaltflächen oder der Tastatur</translation>
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
        <translation>Instrumenttasten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use these controls or the keyboard to select notes</source>
        <translation>Wählen Sie Noten hier oder mit der Tastatur</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Score board</source>
        <translation>Punktestand</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your score is shown here during and after a quiz</source>
        <translation>Hier steht Ihr Punktestand während und nach einem Quiz</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+1"/>
        <location line="+5"/>
        <source>Score</source>
        <translation>Stand</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+1"/>
        <source>out of</source>
        <translation>von</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Maximum score</source>
        <translation>Höchstpunktzahl</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Click the track and/or slide the box to change the quiz difficulty level</source>
        <translation>Klicken oder ziehen, um die Schwierigkeitsstufe zu ändern</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+4"/>
        <location line="+1"/>
        <location line="+5"/>
        <source>Level</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+2"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Exit Quavix [Alt+F4]</source>
        <translation>Quavix beenden [Alt+F4]</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Hints</source>
        <translation>Hinweise</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Describes the control under the mouse pointer</source>
        <translation>Beschreibt das Element unter dem Mauszeiger</translation>
    </message>
    <message>
        <source>Flat</source>
        <translation>Be</translation>
    </message>
    <message>
        <source>Sharp</source>
        <translation>Kreuz</translation>
    </message>
    <message>
        <source>Press before a letter, or type # or + (sharp) or - (flat) before its key</source>
        <translation>Vor der Note drücken, oder # + (Kreuz) bzw. - (Be) vor ihrer Taste</translation>
    </message>
</context>
<context>
    <name>quavix::TCommands</name>
    <message>
        <source>Adapti&amp;ve Practice</source>
        <translation>A&amp;daptives Üben</translation>
    </message>
    <message>
        <source>Ask the notes you are learning, so about four in five come right</source>
        <translation>Vor allem die Noten abfragen, die Sie gerade lernen</translation>
    </message>
    <message>
        <source>&amp;Quiz Length</source>
        <translation>&amp;Quizlänge</translation>
    </message>
    <message>
        <source>&amp;Until I Stop</source>
        <translation>&amp;Bis ich aufhöre</translation>
    </message>
    <message>
        <source>&amp;%1 Notes</source>
        <translation>&amp;%1 Noten</translation>
    </message>
    <message>
        <location filename="../src/app/Commands.cpp" line="+32"/>
        <source>Use &amp;Note Buttons</source>
        <translation>&amp;Notenschaltflächen verwenden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use the Note Button control [F2]</source>
        <translation>Mit den Notenschaltflächen antworten [F2]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use &amp;Piano Keys</source>
        <translation>&amp;Klaviertasten verwenden</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Use the Piano control [F3]</source>
        <translation>Auf der Klaviatur antworten [F3]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Treble Notes</source>
        <translation>Noten im &amp;Violinschlüssel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use notes in the treble staff only [F5]</source>
        <translation>Nur Noten im Violinschlüssel [F5]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Bass Notes</source>
        <translation>Noten im &amp;Bassschlüssel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use notes in the bass staff only [F6]</source>
        <translation>Nur Noten im Bassschlüssel [F6]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;All Notes</source>
        <translation>&amp;Alle Noten</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Use notes from both staves [F7]</source>
        <translation>Noten aus beiden Notensystemen [F7]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Single Octave Only</source>
        <translation>Nur eine &amp;Oktave</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(Piano) Show one octave only [F8]</source>
        <translation>(Klavier) Nur eine Oktave zeigen [F8]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Full Keyboard Range</source>
        <translation>Ganzer &amp;Tonumfang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(Piano) Show the full range of notes [F9]</source>
        <translation>(Klavier) Den ganzen Tonumfang zeigen [F9]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Begin Quiz</source>
        <translation>Quiz &amp;starten</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Begin a quiz [Space bar]</source>
        <translation>Ein Quiz starten [Leertaste]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;End Quiz</source>
        <translation>Quiz &amp;beenden</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>End the current quiz now [Enter]</source>
        <translation>Das laufende Quiz jetzt beenden [Eingabetaste]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Use Guitar Frets</source>
        <translation>&amp;Gitarrenbünde verwenden</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Use the Guitar control [F4]</source>
        <translation>Auf dem Gitarrengriffbrett antworten [F4]</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Results</source>
        <translation>&amp;Ergebnisse</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show the results of the last quiz [F10]</source>
        <translation>Die Ergebnisse des letzten Quiz zeigen [F10]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Practise &amp;Weak Notes</source>
        <translation>&amp;Schwache Noten üben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ask the notes you miss or answer slowly more often</source>
        <translation>Noten, die Sie verfehlen oder langsam beantworten, öfter abfragen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Keep My Progress</source>
        <translation>Meinen &amp;Fortschritt speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Keep your answers and options for the next time</source>
        <translation>Ihre Antworten und Optionen für das nächste Mal speichern</translation>
    </message>
    <message>
        <location line="+126"/>
        <source>&amp;Game</source>
        <translation>&amp;Spiel</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>S&amp;ound</source>
        <translation>K&amp;lang</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;MIDI Input</source>
        <translation>&amp;MIDI-Eingang</translation>
    </message>
    <message>
        <location filename="../src/app/Commands.cpp" line="0"/>
        <source>&amp;Listen</source>
        <translation>&amp;Zuhören</translation>
    </message>
    <message>
        <location filename="../src/app/Commands.cpp" line="0"/>
        <source>Listen&amp;ing</source>
        <translation>Zu&amp;hör-Einstellungen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Not&amp;e Names</source>
        <translation>Not&amp;ennamen</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Quavix 2 on the Web</source>
        <translation>Quavix 2 im Web</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Quavix 3 on the Web</source>
        <translation>Quavix 3 im Web</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;About</source>
        <translation>&amp;Über Quavix</translation>
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
        <translation>Do Re Mi Fa Sol La Si</translation>
    </message>
    <message>
        <location filename="../src/app/WebLinks.h" line="+20"/>
        <source>Quavix Music &amp;Home Page</source>
        <translation>Quavix Music-&amp;Homepage</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Free Software at Quavix Music</source>
        <translation>&amp;Kostenlose Software bei Quavix Music</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tonewright Home &amp;Page</source>
        <translation>Tonewright-&amp;Homepage</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quavix at &amp;Tonewright</source>
        <translation>Quavix bei &amp;Tonewright</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Tonewright &amp;Support</source>
        <translation>Tonewright-&amp;Support</translation>
    </message>
    <message>
        <source>Clefs and &amp;Ranges</source>
        <translation>Schlüssel und Tonbere&amp;iche</translation>
    </message>
    <message>
        <source>&amp;Alto Clef</source>
        <translation>&amp;Altschlüssel</translation>
    </message>
    <message>
        <source>Alto and &amp;Treble Clefs</source>
        <translation>Alt- und &amp;Violinschlüssel</translation>
    </message>
    <message>
        <source>T&amp;enor Clef</source>
        <translation>T&amp;enorschlüssel</translation>
    </message>
    <message>
        <source>Tenor and &amp;Bass Clefs</source>
        <translation>Tenor- und &amp;Bassschlüssel</translation>
    </message>
    <message>
        <source>Use notes in the clefs that players of these parts read</source>
        <translation>Noten in den Schlüsseln abfragen, die die Spieler dieser Stimmen lesen</translation>
    </message>
    <message>
        <source>&amp;Guitar in the Octave-Treble Clef</source>
        <translation>&amp;Gitarre im oktavierten Violinschlüssel</translation>
    </message>
    <message>
        <source>(Guitar) Write the treble clef with the 8 below: it sounds an octave lower</source>
        <translation>(Gitarre) Violinschlüssel mit der 8 darunter: klingt eine Oktave tiefer</translation>
    </message>
    <message>
        <source>Note &amp;Range...</source>
        <translation>&amp;Tonbereich...</translation>
    </message>
    <message>
        <source>Choose the lowest and highest note asked on each staff</source>
        <translation>Die tiefste und die höchste abgefragte Note jedes Systems wählen</translation>
    </message>
    <message>
        <source>A&amp;ccidentals</source>
        <translation>Vorzei&amp;chen</translation>
    </message>
    <message>
        <source>&amp;Naturals Only</source>
        <translation>Nur &amp;Stammtöne</translation>
    </message>
    <message>
        <source>&amp;Sharps and Flats</source>
        <translation>&amp;Kreuze und Bs</translation>
    </message>
    <message>
        <source>&amp;Key Signature</source>
        <translation>&amp;Tonart mit Vorzeichnung</translation>
    </message>
    <message>
        <source>Ke&amp;y</source>
        <translation>Tona&amp;rt</translation>
    </message>
    <message>
        <source>A &amp;Different Key Each Quiz</source>
        <translation>Jedes Quiz eine &amp;andere Tonart</translation>
    </message>
    <message>
        <source>P&amp;ractise the Weakest Key: %1</source>
        <translation>Sch&amp;wächste Tonart üben: %1</translation>
    </message>
    <message>
        <source>Accidentals &amp;Against the Key</source>
        <translation>&amp;Versetzungszeichen gegen die Tonart</translation>
    </message>
</context>
<context>
    <name>quavix::TConfirmBox</name>
    <message>
        <location filename="../src/app/ConfirmBox.h" line="+15"/>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Quiz in progress. Really quit?</source>
        <translation>Ein Quiz läuft. Wirklich beenden?</translation>
    </message>
</context>
<context>
    <name>quavix::TDlgAbout</name>
    <message>
        <location filename="../src/app/About.cpp" line="+107"/>
        <source>Home of Rhythm Rally and Scale Ladder</source>
        <translation>Die Macher von Rhythm Rally und Scale Ladder</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Home of Quavix 3</source>
        <translation>Die Macher von Quavix 3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Home of Interval Owl and Chord Lantern</source>
        <translation>Die Macher von Interval Owl und Chord Lantern</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Home of Tempo Tortoise</source>
        <translation>Die Macher von Tempo Tortoise</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Home of Clef Climber and Key Quest</source>
        <translation>Die Macher von Clef Climber und Key Quest</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>Come by for a visit!</source>
        <translation>Schau vorbei!</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Come and visit Tonewright Software on the Web</source>
        <translation>Besuchen Sie Tonewright Software im Web</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Free Downloads</source>
        <translation>Kostenlose Downloads</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Copyright © 2004–2007 Tonewright Software. All rights reserved.</source>
        <translation>Copyright © 2004–2007 Tonewright Software. Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>With thanks to all our beta testers</source>
        <translation>Danke an alle unsere Betatester</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Return to Quavix [Enter]</source>
        <translation>Zurück zu Quavix [Eingabetaste]</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1: About</source>
        <translation>Über %1</translation>
    </message>
</context>
<context>
    <name>quavix::TFormQX25</name>
    <message>
        <location filename="../src/app/MainQX25.cpp" line="+185"/>
        <location line="+6"/>
        <source>%1 encountered a problem on start-up: %2</source>
        <translation>%1 hatte beim Start ein Problem: %2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>an unknown error</source>
        <translation>ein unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>quavix::TListenRoom</name>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>Listening level</source>
        <translation>Eingangspegel</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>Listening: the bars show how loud the microphone hears you</source>
        <translation>Zuhören: Die Balken zeigen, wie laut das Mikrofon Sie hört</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>&amp;Input</source>
        <translation>&amp;Eingang</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>&amp;Tolerance</source>
        <translation>&amp;Toleranz</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>%1 cents</source>
        <translation>%1 Cent</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>&amp;Singing: Any Octave</source>
        <translation>&amp;Gesang: jede Oktave</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source> (system default)</source>
        <translation> (Systemvorgabe)</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>Listening is not available: its module or Qt Multimedia is not installed.</source>
        <translation>Zuhören ist nicht verfügbar: Das Modul dafür oder Qt Multimedia ist nicht installiert.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>No microphone found. Quavix listens as soon as one is plugged in.</source>
        <translation>Kein Mikrofon gefunden. Quavix hört zu, sobald eines angeschlossen ist.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone could not be opened: another program may be using it.</source>
        <translation>Das Mikrofon ließ sich nicht öffnen: Vielleicht benutzt es ein anderes Programm.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone was unplugged. Quavix listens again when it is back.</source>
        <translation>Das Mikrofon wurde abgezogen. Quavix hört wieder zu, sobald es zurück ist.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone delivers sound in a form Quavix cannot read.</source>
        <translation>Das Mikrofon liefert den Klang in einem Format, das Quavix nicht lesen kann.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone hears only silence: is it muted or turned down?</source>
        <translation>Das Mikrofon hört nur Stille: Ist es stummgeschaltet oder zu leise eingestellt?</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone is too loud: turn its input level down.</source>
        <translation>Das Mikrofon ist übersteuert: Regeln Sie den Eingangspegel herunter.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone has stopped sending sound.</source>
        <translation>Das Mikrofon sendet keinen Klang mehr.</translation>
    </message>
</context>
<context>
    <name>quavix::TMidiRoom</name>
    <message>
        <location filename="../src/app/MidiRoom.cpp" line="+64"/>
        <location line="+48"/>
        <source>MIDI input connected: %1</source>
        <translation>MIDI-Eingang verbunden: %1</translation>
    </message>
    <message>
        <location line="-13"/>
        <source>MIDI key %1 is a black key: only white keys answer.</source>
        <translation>MIDI-Taste %1 ist eine schwarze Taste: Nur weiße Tasten antworten.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>MIDI key %1 lies outside the notes asked here (%2 to %3).</source>
        <translation>MIDI-Taste %1 liegt außerhalb der abgefragten Noten (%2 bis %3).</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>No MIDI input</source>
        <translation>Kein MIDI-Eingang</translation>
    </message>
    <message>
        <location line="+8"/>
        <source> (not connected)</source>
        <translation> (nicht verbunden)</translation>
    </message>
</context>
<context>
    <name>quavix::TMsgPanel</name>
    <message>
        <location filename="../src/app/PopUpMessage.cpp" line="+50"/>
        <source>Feedback message</source>
        <translation>Rückmeldung</translation>
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
        <translation>Quavix speichert Ihren Fortschritt nicht mehr. Die bisher gespeicherten Antworten und Optionen löschen?

„Ja“ löscht sie; „Nein“ behält sie für das nächste Einschalten.</translation>
    </message>
    <message>
        <location line="+140"/>
        <source>unknown error</source>
        <translation>unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>quavix::TRangeDialog</name>
    <message>
        <source>Note Range</source>
        <translation>Tonbereich</translation>
    </message>
    <message>
        <source>The lowest and highest note asked on each staff. The level still decides how many of the notes in between are asked.</source>
        <translation>Die tiefste und die höchste Note, die auf jedem System abgefragt wird. Wie viele der Noten dazwischen abgefragt werden, entscheidet weiterhin die Stufe.</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>&amp;Usual Ranges</source>
        <translation>Ü&amp;bliche Bereiche</translation>
    </message>
    <message>
        <source>Bass clef:</source>
        <translation>Bassschlüssel:</translation>
    </message>
    <message>
        <source>Alto clef:</source>
        <translation>Altschlüssel:</translation>
    </message>
    <message>
        <source>Tenor clef:</source>
        <translation>Tenorschlüssel:</translation>
    </message>
    <message>
        <source>Treble clef:</source>
        <translation>Violinschlüssel:</translation>
    </message>
    <message>
        <source>%1 the highest note must stand above the lowest, so that at least two notes are asked.</source>
        <translation>%1 Die höchste Note muss über der tiefsten stehen, damit mindestens zwei Noten abgefragt werden.</translation>
    </message>
</context>
<context>
    <name>quavix::TResultsWindow</name>
    <message>
        <location filename="../src/app/ResultsWindow.cpp" line="+27"/>
        <source>Quavix 2 Results</source>
        <translation>Quavix 2 – Ergebnisse</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>&amp;Export…</source>
        <translation>&amp;Exportieren…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Export Answers</source>
        <translation>Antworten exportieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>quavix-answers.csv</source>
        <translation>quavix-antworten.csv</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Comma-separated values (*.csv)</source>
        <translation>Kommagetrennte Werte (*.csv)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The answers could not be written to “%1”: %2</source>
        <translation>Die Antworten konnten nicht nach „%1“ geschrieben werden: %2</translation>
    </message>
</context>
</TS>
