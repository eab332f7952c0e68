<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>AnswerCsv</name>
    <message>
        <location filename="../src/progress/AnswerCsv.cpp" line="+123"/>
        <source>it has %1 fields instead of %2</source>
        <translation>ha %1 campi invece di %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a time is not in ISO 8601 form</source>
        <translation>un orario non è nel formato ISO 8601</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>a field holds a value no answer can have</source>
        <translation>un campo contiene un valore impossibile per una risposta</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the answer does not fit the outcome</source>
        <translation>la risposta non corrisponde all’esito</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the seconds are not a number with three decimals</source>
        <translation>i secondi non sono un numero con tre decimali</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the first line is not the header of an answer list</source>
        <translation>la prima riga non è l’intestazione di un elenco di risposte</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Line %1: %2.</source>
        <translation>Riga %1: %2.</translation>
    </message>
</context>
<context>
    <name>MasteryPicture</name>
    <message>
        <source>How surely you read each note</source>
        <translation>Con quanta sicurezza leggi ogni nota</translation>
    </message>
    <message>
        <source>not asked yet</source>
        <translation>non ancora chiesta</translation>
    </message>
    <message>
        <source>learning</source>
        <translation>da imparare</translation>
    </message>
    <message>
        <source>getting there</source>
        <translation>sulla buona strada</translation>
    </message>
    <message>
        <source>sure</source>
        <translation>sicura</translation>
    </message>
    <message>
        <source>fluent</source>
        <translation>scorrevole</translation>
    </message>
    <message>
        <source>Notes read right within 3 seconds, day by day</source>
        <translation>Note lette giuste entro 3 secondi, giorno per giorno</translation>
    </message>
</context>
<context>
    <name>ProgressStore</name>
    <message>
        <location filename="../src/progress/ProgressQueries.cpp" line="+248"/>
        <source>No progress is kept.</source>
        <translation>Nessun progresso viene salvato.</translation>
    </message>
    <message>
        <location filename="../src/progress/ProgressStore.cpp" line="+291"/>
        <source>Quavix has started keeping your progress anew.</source>
        <translation>Quavix ha ricominciato a salvare i tuoi progressi.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your progress is not kept this time.</source>
        <translation>Questa volta i tuoi progressi non vengono salvati.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Your kept progress was saved by a newer version of Quavix. Quavix has put it aside as “%1”. %2</source>
        <translation>I tuoi progressi sono stati salvati da una versione più recente di Quavix. Quavix li ha messi da parte come «%1». %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Your kept progress could not be read. Quavix has put it aside as “%1”. %2</source>
        <translation>Non è stato possibile leggere i tuoi progressi. Quavix li ha messi da parte come «%1». %2</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Quavix cannot write to the file “%1”, so your progress is not kept this time.</source>
        <translation>Quavix non può scrivere nel file «%1», quindi questa volta i tuoi progressi non vengono salvati.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Quavix cannot write in the folder “%1”, so your progress is not kept this time.</source>
        <translation>Quavix non può scrivere nella cartella «%1», quindi questa volta i tuoi progressi non vengono salvati.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The disk is full, so Quavix has stopped keeping your progress. What was kept before is safe.</source>
        <translation>Il disco è pieno, quindi Quavix ha smesso di salvare i tuoi progressi. Quanto salvato finora è al sicuro.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Your kept progress is in use by another program, so your progress is not kept this time.</source>
        <translation>I tuoi progressi sono in uso da un altro programma, quindi questa volta non vengono salvati.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Quavix could not use your kept progress (%1), so your progress is not kept this time.</source>
        <translation>Quavix non ha potuto usare i tuoi progressi (%1), quindi questa volta non vengono salvati.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>unknown error</source>
        <translation>errore sconosciuto</translation>
    </message>
</context>
<context>
    <name>ResultsPicture</name>
    <message>
        <location filename="../src/views/ResultsPicture.cpp" line="+127"/>
        <source>bass</source>
        <translation>basso</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>treble</source>
        <translation>violino</translation>
    </message>
    <message>
        <location line="+102"/>
        <source>No note was answered in this quiz.</source>
        <translation>In questo quiz non è stata data nessuna risposta.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Last quiz: %1 right, %2 wrong, %3 timed out</source>
        <translation>Ultimo quiz: giuste %1, sbagliate %2, fuori tempo %3</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>right</source>
        <translation>giusta</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>wrong</source>
        <translation>sbagliata</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>timed out</source>
        <translation>fuori tempo</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Note</source>
        <translation>Nota</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This run</source>
        <translation>Questa sessione</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Last 7 days</source>
        <translation>Ultimi 7 giorni</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Last 30 days</source>
        <translation>Ultimi 30 giorni</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>No answers yet in this run.</source>
        <translation>Ancora nessuna risposta in questa sessione.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1% of %2, %3 s</source>
        <translation>%1% su %2, %3&#x202f;s</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>not asked</source>
        <translation>mai chiesta</translation>
    </message>
    <message>
        <source>alto</source>
        <translation>contralto</translation>
    </message>
    <message>
        <source>tenor</source>
        <translation>tenore</translation>
    </message>
    <message>
        <source>treble 8</source>
        <translation>violino 8</translation>
    </message>
</context>
<context>
    <name>quavix::AlsaMidiInput</name>
    <message>
        <location filename="../src/midi/AlsaMidiInput.cpp" line="+64"/>
        <source>This system has no MIDI sequencer (%1 is missing).</source>
        <translation>Questo sistema non ha un sequencer MIDI (manca %1).</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The MIDI sequencer would not open: %1.</source>
        <translation>Impossibile aprire il sequencer MIDI: %1.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>The MIDI sequencer gave Quavix no input port: %1.</source>
        <translation>Il sequencer MIDI non ha dato a Quavix alcuna porta di ingresso: %1.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>The MIDI sequencer offers nothing to wait on.</source>
        <translation>Il sequencer MIDI non offre nulla da attendere.</translation>
    </message>
</context>
<context>
    <name>quavix::Feedback</name>
    <message>
        <location filename="../src/app/FeedbackText.cpp" line="+12"/>
        <source>You picked %1, but the note was really %2</source>
        <translation>Hai scelto %1, ma la nota era %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>You picked the right note but in the wrong octave</source>
        <translation>Nota giusta, ma nell’ottava sbagliata</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sorry, out of time. This note is %1.</source>
        <translation>Tempo scaduto. Questa nota è %1.</translation>
    </message>
</context>
<context>
    <name>quavix::Help</name>
    <message>
        <location filename="../src/app/HelpTopics.cpp" line="+17"/>
        <source>Quavix 2 Error</source>
        <translation>Errore di Quavix 2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Context topic %1 is unavailable</source>
        <translation>L’argomento della guida %1 non è disponibile</translation>
    </message>
</context>
<context>
    <name>quavix::HelpWindow</name>
    <message>
        <location filename="../src/app/HTMLHelp.cpp" line="+73"/>
        <source>Quavix 2 Help</source>
        <translation>Guida di Quavix 2</translation>
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
        <translation>%1 maggiore / %2 minore</translation>
    </message>
</context>
<context>
    <name>quavix::SoundPlayer</name>
    <message>
        <location filename="../src/sound/SoundPlayer.cpp" line="+20"/>
        <source>Sound is not available: the device did not answer.</source>
        <translation>Audio non disponibile: il dispositivo non risponde.</translation>
    </message>
    <message>
        <location line="+98"/>
        <source>Sound is not available: FluidSynth is missing.</source>
        <translation>Audio non disponibile: manca FluidSynth.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound is not available: no SoundFont found.</source>
        <translation>Audio non disponibile: nessun SoundFont trovato.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound is not available: the synthesizer failed.</source>
        <translation>Audio non disponibile: errore del sintetizzatore.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound is not available: unreadable SoundFont.</source>
        <translation>Audio non disponibile: SoundFont illeggibile.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound is not available: no sound device.</source>
        <translation>Audio non disponibile: nessun dispositivo audio.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Sound was switched off: the sound output stopped.</source>
        <translation>Audio disattivato: l’uscita audio si è fermata.</translation>
    </message>
</context>
<context>
    <name>quavix::TClientArea</name>
    <message>
        <location filename="../src/app/ClientArea.cpp" line="+65"/>
        <source>Options</source>
        <translation>Opzioni</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Staff</source>
        <translation>Pentagramma</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The notes in the quiz are displayed in this area</source>
        <translation>Qui compaiono le note del quiz</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Time left</source>
        <translation>Tempo rimasto</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>During a quiz, this shows the time left to identify the current note</source>
        <translation>Durante il quiz, il tempo rimasto per riconoscere la nota</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Hourglass</source>
        <translation>Clessidra</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Seconds left</source>
        <translation>Secondi rimasti</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Note buttons</source>
        <translation>Pulsanti delle note</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use these buttons or the keyboard to select notes</source>
        <translation>Scegli le note con questi pulsanti o con la tastiera</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Note %1</source>
        <translation>Nota %1</translation>
    </message>
    <message>
        <location line="-21"/>
        <source>Instrument</source>
        <translation>Strumento</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Instrument keys</source>
        <translation>Tasti dello strumento</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use these controls or the keyboard to select notes</source>
        <translation>Scegli le note qui o con la tastiera</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Score board</source>
        <translation>Tabellone</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your score is shown here during and after a quiz</source>
        <translation>Qui compare il tuo punteggio durante e dopo il quiz</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+1"/>
        <location line="+5"/>
        <source>Score</source>
        <translation>Punti</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+1"/>
        <source>out of</source>
        <translation>su</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Maximum score</source>
        <translation>Punteggio massimo</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Click the track and/or slide the box to change the quiz difficulty level</source>
        <translation>Fai clic sulla barra o trascina il cursore per cambiare la difficoltà</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+4"/>
        <location line="+1"/>
        <location line="+5"/>
        <source>Level</source>
        <translation>Liv.</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+2"/>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Exit Quavix [Alt+F4]</source>
        <translation>Esci da Quavix [Alt+F4]</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Hints</source>
        <translation>Suggerimenti</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Describes the control under the mouse pointer</source>
        <translation>Descrive l’elemento sotto il puntatore del mouse</translation>
    </message>
    <message>
        <source>Flat</source>
        <translation>Bemolle</translation>
    </message>
    <message>
        <source>Sharp</source>
        <translation>Diesis</translation>
    </message>
    <message>
        <source>Press before a letter, or type # or + (sharp) or - (flat) before its key</source>
        <translation>Premilo prima della nota, o digita # + (diesis) o - (bemolle)</translation>
    </message>
</context>
<context>
    <name>quavix::TCommands</name>
    <message>
        <source>Adapti&amp;ve Practice</source>
        <translation>&amp;Esercizio adattivo</translation>
    </message>
    <message>
        <source>Ask the notes you are learning, so about four in five come right</source>
        <translation>Chiedere soprattutto le note che stai imparando</translation>
    </message>
    <message>
        <source>&amp;Quiz Length</source>
        <translation>Lunghezza del &amp;quiz</translation>
    </message>
    <message>
        <source>&amp;Until I Stop</source>
        <translation>&amp;Finché non mi fermo</translation>
    </message>
    <message>
        <source>&amp;%1 Notes</source>
        <translation>&amp;%1 note</translation>
    </message>
    <message>
        <location filename="../src/app/Commands.cpp" line="+32"/>
        <source>Use &amp;Note Buttons</source>
        <translation>Usa i &amp;pulsanti delle note</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use the Note Button control [F2]</source>
        <translation>Rispondi con i pulsanti delle note [F2]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use &amp;Piano Keys</source>
        <translation>Usa la &amp;tastiera del pianoforte</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Use the Piano control [F3]</source>
        <translation>Rispondi sulla tastiera del pianoforte [F3]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Treble Notes</source>
        <translation>Note in chiave di &amp;violino</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use notes in the treble staff only [F5]</source>
        <translation>Solo note in chiave di violino [F5]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Bass Notes</source>
        <translation>Note in chiave di &amp;basso</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use notes in the bass staff only [F6]</source>
        <translation>Solo note in chiave di basso [F6]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;All Notes</source>
        <translation>Tutte le &amp;note</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Use notes from both staves [F7]</source>
        <translation>Note di entrambi i pentagrammi [F7]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Single Octave Only</source>
        <translation>&amp;Una sola ottava</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(Piano) Show one octave only [F8]</source>
        <translation>(Pianoforte) Mostra una sola ottava [F8]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Full Keyboard Range</source>
        <translation>Tastiera &amp;intera</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(Piano) Show the full range of notes [F9]</source>
        <translation>(Pianoforte) Mostra tutta l’estensione [F9]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Begin Quiz</source>
        <translation>&amp;Inizia quiz</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Begin a quiz [Space bar]</source>
        <translation>Inizia un quiz [Barra spaziatrice]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;End Quiz</source>
        <translation>&amp;Termina quiz</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>End the current quiz now [Enter]</source>
        <translation>Termina subito il quiz in corso [Invio]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Use Guitar Frets</source>
        <translation>Usa il manico della &amp;chitarra</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Use the Guitar control [F4]</source>
        <translation>Rispondi sul manico della chitarra [F4]</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Results</source>
        <translation>&amp;Risultati</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show the results of the last quiz [F10]</source>
        <translation>Mostra i risultati dell’ultimo quiz [F10]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Practise &amp;Weak Notes</source>
        <translation>Esercita le note &amp;deboli</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ask the notes you miss or answer slowly more often</source>
        <translation>Chiedi più spesso le note sbagliate o trovate lentamente</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Keep My Progress</source>
        <translation>&amp;Ricorda i miei progressi</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Keep your answers and options for the next time</source>
        <translation>Conserva risposte e opzioni per la prossima volta</translation>
    </message>
    <message>
        <location line="+126"/>
        <source>&amp;Game</source>
        <translation>&amp;Gioco</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Options</source>
        <translation>&amp;Opzioni</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>S&amp;ound</source>
        <translation>&amp;Suono</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;MIDI Input</source>
        <translation>Ingresso &amp;MIDI</translation>
    </message>
    <message>
        <location filename="../src/app/Commands.cpp" line="0"/>
        <source>&amp;Listen</source>
        <translation>&amp;Ascolta</translation>
    </message>
    <message>
        <location filename="../src/app/Commands.cpp" line="0"/>
        <source>Listen&amp;ing</source>
        <translation>Impostazioni di asco&amp;lto</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Not&amp;e Names</source>
        <translation>N&amp;omi delle note</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&amp;Help</source>
        <translation>&amp;Aiuto</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Contents</source>
        <translation>&amp;Sommario</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>Scorciatoie da &amp;tastiera</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Quavix 2 on the Web</source>
        <translation>Quavix 2 sul Web</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Quavix 3 on the Web</source>
        <translation>Quavix 3 sul Web</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;About</source>
        <translation>&amp;Informazioni</translation>
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
        <translation>&amp;Home page di Quavix Music</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Free Software at Quavix Music</source>
        <translation>Software &amp;gratuito su Quavix Music</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tonewright Home &amp;Page</source>
        <translation>Home &amp;page di Tonewright</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quavix at &amp;Tonewright</source>
        <translation>Quavix su &amp;Tonewright</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Tonewright &amp;Support</source>
        <translation>&amp;Assistenza Tonewright</translation>
    </message>
    <message>
        <source>Clefs and &amp;Ranges</source>
        <translation>C&amp;hiavi ed estensioni</translation>
    </message>
    <message>
        <source>&amp;Alto Clef</source>
        <translation>Chiave di &amp;contralto</translation>
    </message>
    <message>
        <source>Alto and &amp;Treble Clefs</source>
        <translation>Chiavi di contralto e di &amp;violino</translation>
    </message>
    <message>
        <source>T&amp;enor Clef</source>
        <translation>Chiave di t&amp;enore</translation>
    </message>
    <message>
        <source>Tenor and &amp;Bass Clefs</source>
        <translation>Chiavi di tenore e di &amp;basso</translation>
    </message>
    <message>
        <source>Use notes in the clefs that players of these parts read</source>
        <translation>Usare le note nelle chiavi che leggono gli strumentisti di queste parti</translation>
    </message>
    <message>
        <source>&amp;Guitar in the Octave-Treble Clef</source>
        <translation>C&amp;hitarra in chiave di violino ottavizzata</translation>
    </message>
    <message>
        <source>(Guitar) Write the treble clef with the 8 below: it sounds an octave lower</source>
        <translation>(Chitarra) Chiave di violino con l’8 sotto: suona un’ottava più in basso</translation>
    </message>
    <message>
        <source>Note &amp;Range...</source>
        <translation>Es&amp;tensione delle note...</translation>
    </message>
    <message>
        <source>Choose the lowest and highest note asked on each staff</source>
        <translation>Scegliere la nota più grave e la più acuta chieste su ogni pentagramma</translation>
    </message>
    <message>
        <source>A&amp;ccidentals</source>
        <translation>Altera&amp;zioni</translation>
    </message>
    <message>
        <source>&amp;Naturals Only</source>
        <translation>Solo note &amp;naturali</translation>
    </message>
    <message>
        <source>&amp;Sharps and Flats</source>
        <translation>&amp;Diesis e bemolle</translation>
    </message>
    <message>
        <source>&amp;Key Signature</source>
        <translation>&amp;Armatura di chiave</translation>
    </message>
    <message>
        <source>Ke&amp;y</source>
        <translation>Tonalità</translation>
    </message>
    <message>
        <source>A &amp;Different Key Each Quiz</source>
        <translation>Una tonalità &amp;diversa a ogni quiz</translation>
    </message>
    <message>
        <source>P&amp;ractise the Weakest Key: %1</source>
        <translation>Esercita la &amp;tonalità più debole: %1</translation>
    </message>
    <message>
        <source>Accidentals &amp;Against the Key</source>
        <translation>&amp;Alterazioni accidentali</translation>
    </message>
</context>
<context>
    <name>quavix::TConfirmBox</name>
    <message>
        <location filename="../src/app/ConfirmBox.h" line="+15"/>
        <source>Confirm</source>
        <translation>Conferma</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Quiz in progress. Really quit?</source>
        <translation>Quiz in corso. Uscire davvero?</translation>
    </message>
</context>
<context>
    <name>quavix::TDlgAbout</name>
    <message>
        <location filename="../src/app/About.cpp" line="+107"/>
        <source>Home of Rhythm Rally and Scale Ladder</source>
        <translation>I creatori di Rhythm Rally e Scale Ladder</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Home of Quavix 3</source>
        <translation>I creatori di Quavix 3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Home of Interval Owl and Chord Lantern</source>
        <translation>I creatori di Interval Owl e Chord Lantern</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Home of Tempo Tortoise</source>
        <translation>I creatori di Tempo Tortoise</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Home of Clef Climber and Key Quest</source>
        <translation>I creatori di Clef Climber e Key Quest</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>Come by for a visit!</source>
        <translation>Vieni a trovarci!</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Come and visit Tonewright Software on the Web</source>
        <translation>Visita Tonewright Software sul Web</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Free Downloads</source>
        <translation>Download gratuiti</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Copyright © 2004–2007 Tonewright Software. All rights reserved.</source>
        <translation>Copyright © 2004–2007 Tonewright Software. Tutti i diritti riservati.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>With thanks to all our beta testers</source>
        <translation>Grazie a tutti i nostri beta tester</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Return to Quavix [Enter]</source>
        <translation>Torna a Quavix [Invio]</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1: About</source>
        <translation>Informazioni su %1</translation>
    </message>
</context>
<context>
    <name>quavix::TFormQX25</name>
    <message>
        <location filename="../src/app/MainQX25.cpp" line="+185"/>
        <location line="+6"/>
        <source>%1 encountered a problem on start-up: %2</source>
        <translation>%1 ha avuto un problema all’avvio: %2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>an unknown error</source>
        <translation>un errore sconosciuto</translation>
    </message>
</context>
<context>
    <name>quavix::TListenRoom</name>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>Listening level</source>
        <translation>Livello di ascolto</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>Listening: the bars show how loud the microphone hears you</source>
        <translation>Ascolto: le barre mostrano quanto forte ti sente il microfono</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>&amp;Input</source>
        <translation>&amp;Ingresso</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>&amp;Tolerance</source>
        <translation>&amp;Tolleranza</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>%1 cents</source>
        <translation>%1 cent</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>&amp;Singing: Any Octave</source>
        <translation>&amp;Canto: qualsiasi ottava</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source> (system default)</source>
        <translation> (predefinito)</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>Listening is not available: its module or Qt Multimedia is not installed.</source>
        <translation>L’ascolto non è disponibile: il suo modulo o Qt Multimedia non è installato.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>No microphone found. Quavix listens as soon as one is plugged in.</source>
        <translation>Nessun microfono trovato. Quavix ascolterà appena ne colleghi uno.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone could not be opened: another program may be using it.</source>
        <translation>Impossibile aprire il microfono: forse lo sta usando un altro programma.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone was unplugged. Quavix listens again when it is back.</source>
        <translation>Il microfono è stato scollegato. Quavix riprenderà ad ascoltare quando torna.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone delivers sound in a form Quavix cannot read.</source>
        <translation>Il microfono fornisce il suono in un formato che Quavix non sa leggere.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone hears only silence: is it muted or turned down?</source>
        <translation>Il microfono sente solo silenzio: è disattivato o troppo basso?</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone is too loud: turn its input level down.</source>
        <translation>Il microfono satura: abbassa il suo livello di ingresso.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone has stopped sending sound.</source>
        <translation>Il microfono ha smesso di inviare suono.</translation>
    </message>
</context>
<context>
    <name>quavix::TMidiRoom</name>
    <message>
        <location filename="../src/app/MidiRoom.cpp" line="+64"/>
        <location line="+48"/>
        <source>MIDI input connected: %1</source>
        <translation>Ingresso MIDI collegato: %1</translation>
    </message>
    <message>
        <location line="-13"/>
        <source>MIDI key %1 is a black key: only white keys answer.</source>
        <translation>Il tasto MIDI %1 è nero: rispondono solo i tasti bianchi.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>MIDI key %1 lies outside the notes asked here (%2 to %3).</source>
        <translation>Il tasto MIDI %1 è fuori dalle note richieste (da %2 a %3).</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>No MIDI input</source>
        <translation>Nessun ingresso MIDI</translation>
    </message>
    <message>
        <location line="+8"/>
        <source> (not connected)</source>
        <translation> (non collegato)</translation>
    </message>
</context>
<context>
    <name>quavix::TMsgPanel</name>
    <message>
        <location filename="../src/app/PopUpMessage.cpp" line="+50"/>
        <source>Feedback message</source>
        <translation>Messaggio di correzione</translation>
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
        <translation>Quavix non salverà più i tuoi progressi. Eliminare le risposte e le opzioni salvate finora?

Sì le elimina; No le conserva per quando riattiverai l’opzione.</translation>
    </message>
    <message>
        <location line="+140"/>
        <source>unknown error</source>
        <translation>errore sconosciuto</translation>
    </message>
</context>
<context>
    <name>quavix::TRangeDialog</name>
    <message>
        <source>Note Range</source>
        <translation>Estensione delle note</translation>
    </message>
    <message>
        <source>The lowest and highest note asked on each staff. The level still decides how many of the notes in between are asked.</source>
        <translation>La nota più grave e la più acuta chieste su ogni pentagramma. Il livello decide ancora quante delle note intermedie vengono chieste.</translation>
    </message>
    <message>
        <source>to</source>
        <translation>a</translation>
    </message>
    <message>
        <source>&amp;Usual Ranges</source>
        <translation>Estensioni &amp;abituali</translation>
    </message>
    <message>
        <source>Bass clef:</source>
        <translation>Chiave di basso:</translation>
    </message>
    <message>
        <source>Alto clef:</source>
        <translation>Chiave di contralto:</translation>
    </message>
    <message>
        <source>Tenor clef:</source>
        <translation>Chiave di tenore:</translation>
    </message>
    <message>
        <source>Treble clef:</source>
        <translation>Chiave di violino:</translation>
    </message>
    <message>
        <source>%1 the highest note must stand above the lowest, so that at least two notes are asked.</source>
        <translation>%1 la nota più acuta deve stare sopra la più grave, perché vengano chieste almeno due note.</translation>
    </message>
</context>
<context>
    <name>quavix::TResultsWindow</name>
    <message>
        <location filename="../src/app/ResultsWindow.cpp" line="+27"/>
        <source>Quavix 2 Results</source>
        <translation>Risultati di Quavix 2</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>&amp;Export…</source>
        <translation>&amp;Esporta…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Close</source>
        <translation>&amp;Chiudi</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Export Answers</source>
        <translation>Esporta risposte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>quavix-answers.csv</source>
        <translation>quavix-risposte.csv</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Comma-separated values (*.csv)</source>
        <translation>Valori separati da virgole (*.csv)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The answers could not be written to “%1”: %2</source>
        <translation>Impossibile scrivere le risposte in «%1»: %2</translation>
    </message>
</context>
</TS>
