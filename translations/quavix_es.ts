<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AnswerCsv</name>
    <message>
        <location filename="../src/progress/AnswerCsv.cpp" line="+123"/>
        <source>it has %1 fields instead of %2</source>
        <translation>tiene %1 campos en lugar de %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a time is not in ISO 8601 form</source>
        <translation>una hora no está en formato ISO 8601</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>a field holds a value no answer can have</source>
        <translation>un campo tiene un valor imposible para una respuesta</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the answer does not fit the outcome</source>
        <translation>la respuesta no corresponde al resultado</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the seconds are not a number with three decimals</source>
        <translation>los segundos no son un número con tres decimales</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the first line is not the header of an answer list</source>
        <translation>la primera línea no es la cabecera de una lista de respuestas</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Line %1: %2.</source>
        <translation>Línea %1: %2.</translation>
    </message>
</context>
<context>
    <name>MasteryPicture</name>
    <message>
        <source>How surely you read each note</source>
        <translation>Con qué seguridad lees cada nota</translation>
    </message>
    <message>
        <source>not asked yet</source>
        <translation>aún no ha salido</translation>
    </message>
    <message>
        <source>learning</source>
        <translation>aprendiendo</translation>
    </message>
    <message>
        <source>getting there</source>
        <translation>por buen camino</translation>
    </message>
    <message>
        <source>sure</source>
        <translation>segura</translation>
    </message>
    <message>
        <source>fluent</source>
        <translation>con fluidez</translation>
    </message>
    <message>
        <source>Notes read right within 3 seconds, day by day</source>
        <translation>Notas leídas bien en menos de 3 segundos, día a día</translation>
    </message>
</context>
<context>
    <name>ProgressStore</name>
    <message>
        <location filename="../src/progress/ProgressQueries.cpp" line="+248"/>
        <source>No progress is kept.</source>
        <translation>No se guarda ningún progreso.</translation>
    </message>
    <message>
        <location filename="../src/progress/ProgressStore.cpp" line="+291"/>
        <source>Quavix has started keeping your progress anew.</source>
        <translation>Quavix ha empezado a guardar tu progreso de nuevo.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your progress is not kept this time.</source>
        <translation>Esta vez no se guardará tu progreso.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Your kept progress was saved by a newer version of Quavix. Quavix has put it aside as “%1”. %2</source>
        <translation>Tu progreso guardado es de una versión más reciente de Quavix. Quavix lo ha apartado como «%1». %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Your kept progress could not be read. Quavix has put it aside as “%1”. %2</source>
        <translation>No se pudo leer tu progreso guardado. Quavix lo ha apartado como «%1». %2</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Quavix cannot write to the file “%1”, so your progress is not kept this time.</source>
        <translation>Quavix no puede escribir en el archivo «%1», así que esta vez no se guardará tu progreso.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Quavix cannot write in the folder “%1”, so your progress is not kept this time.</source>
        <translation>Quavix no puede escribir en la carpeta «%1», así que esta vez no se guardará tu progreso.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The disk is full, so Quavix has stopped keeping your progress. What was kept before is safe.</source>
        <translation>El disco está lleno, así que Quavix ha dejado de guardar tu progreso. Lo guardado hasta ahora está a salvo.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Your kept progress is in use by another program, so your progress is not kept this time.</source>
        <translation>Otro programa está usando tu progreso guardado, así que esta vez no se guardará.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Quavix could not use your kept progress (%1), so your progress is not kept this time.</source>
        <translation>Quavix no pudo usar tu progreso guardado (%1), así que esta vez no se guardará.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>unknown error</source>
        <translation>error desconocido</translation>
    </message>
</context>
<context>
    <name>ResultsPicture</name>
    <message>
        <location filename="../src/views/ResultsPicture.cpp" line="+127"/>
        <source>bass</source>
        <translation>clave de fa</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>treble</source>
        <translation>clave de sol</translation>
    </message>
    <message>
        <location line="+102"/>
        <source>No note was answered in this quiz.</source>
        <translation>En esta prueba no se respondió ninguna nota.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Last quiz: %1 right, %2 wrong, %3 timed out</source>
        <translation>Última prueba: %1 bien, %2 mal, %3 sin tiempo</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>right</source>
        <translation>bien</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>wrong</source>
        <translation>mal</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>timed out</source>
        <translation>sin tiempo</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Note</source>
        <translation>Nota</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This run</source>
        <translation>Esta sesión</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Last 7 days</source>
        <translation>Últimos 7 días</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Last 30 days</source>
        <translation>Últimos 30 días</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>No answers yet in this run.</source>
        <translation>Aún no hay respuestas en esta sesión.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1% of %2, %3 s</source>
        <translation>%1&#x202f;% de %2, %3&#x202f;s</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>not asked</source>
        <translation>no preguntada</translation>
    </message>
    <message>
        <source>alto</source>
        <translation>clave de do en 3.ª</translation>
    </message>
    <message>
        <source>tenor</source>
        <translation>clave de do en 4.ª</translation>
    </message>
    <message>
        <source>treble 8</source>
        <translation>clave de sol 8</translation>
    </message>
</context>
<context>
    <name>quavix::AlsaMidiInput</name>
    <message>
        <location filename="../src/midi/AlsaMidiInput.cpp" line="+64"/>
        <source>This system has no MIDI sequencer (%1 is missing).</source>
        <translation>Este sistema no tiene secuenciador MIDI (falta %1).</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The MIDI sequencer would not open: %1.</source>
        <translation>El secuenciador MIDI no se pudo abrir: %1.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>The MIDI sequencer gave Quavix no input port: %1.</source>
        <translation>El secuenciador MIDI no dio a Quavix ningún puerto de entrada: %1.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>The MIDI sequencer offers nothing to wait on.</source>
        <translation>El secuenciador MIDI no ofrece nada que esperar.</translation>
    </message>
</context>
<context>
    <name>quavix::Feedback</name>
    <message>
        <location filename="../src/app/FeedbackText.cpp" line="+12"/>
        <source>You picked %1, but the note was really %2</source>
        <translation>Has elegido %1, pero la nota era %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>You picked the right note but in the wrong octave</source>
        <translation>La nota es correcta, pero la octava no</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sorry, out of time. This note is %1.</source>
        <translation>Se acabó el tiempo. Esta nota es %1.</translation>
    </message>
</context>
<context>
    <name>quavix::Help</name>
    <message>
        <location filename="../src/app/HelpTopics.cpp" line="+17"/>
        <source>Quavix 2 Error</source>
        <translation>Error de Quavix 2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Context topic %1 is unavailable</source>
        <translation>El tema de ayuda %1 no está disponible</translation>
    </message>
</context>
<context>
    <name>quavix::HelpWindow</name>
    <message>
        <location filename="../src/app/HTMLHelp.cpp" line="+73"/>
        <source>Quavix 2 Help</source>
        <translation>Ayuda de Quavix 2</translation>
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
        <translation>%1 mayor / %2 menor</translation>
    </message>
</context>
<context>
    <name>quavix::SoundPlayer</name>
    <message>
        <location filename="../src/sound/SoundPlayer.cpp" line="+20"/>
        <source>Sound is not available: the device did not answer.</source>
        <translation>Sin sonido: el dispositivo no responde.</translation>
    </message>
    <message>
        <location line="+98"/>
        <source>Sound is not available: FluidSynth is missing.</source>
        <translation>Sin sonido: falta FluidSynth.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound is not available: no SoundFont found.</source>
        <translation>Sin sonido: no se encontró ninguna SoundFont.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound is not available: the synthesizer failed.</source>
        <translation>Sin sonido: el sintetizador ha fallado.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound is not available: unreadable SoundFont.</source>
        <translation>Sin sonido: la SoundFont no se puede leer.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound is not available: no sound device.</source>
        <translation>Sin sonido: no hay dispositivo de audio.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Sound was switched off: the sound output stopped.</source>
        <translation>Sonido desactivado: la salida de audio se detuvo.</translation>
    </message>
</context>
<context>
    <name>quavix::TClientArea</name>
    <message>
        <location filename="../src/app/ClientArea.cpp" line="+65"/>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Staff</source>
        <translation>Pentagrama</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The notes in the quiz are displayed in this area</source>
        <translation>Aquí aparecen las notas de la prueba</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Time left</source>
        <translation>Tiempo restante</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>During a quiz, this shows the time left to identify the current note</source>
        <translation>Durante la prueba, el tiempo que queda para reconocer la nota</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Hourglass</source>
        <translation>Reloj de arena</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Seconds left</source>
        <translation>Segundos restantes</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Note buttons</source>
        <translation>Botones de notas</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use these buttons or the keyboard to select notes</source>
        <translation>Elige las notas con estos botones o con el teclado</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Note %1</source>
        <translation>Nota %1</translation>
    </message>
    <message>
        <location line="-21"/>
        <source>Instrument</source>
        <translation>Instrumento</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Instrument keys</source>
        <translation>Teclas del instrumento</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use these controls or the keyboard to select notes</source>
        <translation>Elige las notas aquí o con el teclado</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Score board</source>
        <translation>Marcador</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your score is shown here during and after a quiz</source>
        <translation>Aquí se ve tu puntuación durante y después de la prueba</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+1"/>
        <location line="+5"/>
        <source>Score</source>
        <translation>Total</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+1"/>
        <source>out of</source>
        <translation>de</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Maximum score</source>
        <translation>Puntuación máxima</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Click the track and/or slide the box to change the quiz difficulty level</source>
        <translation>Haz clic en la barra o arrastra el cursor para cambiar la dificultad</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+4"/>
        <location line="+1"/>
        <location line="+5"/>
        <source>Level</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+2"/>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Exit Quavix [Alt+F4]</source>
        <translation>Salir de Quavix [Alt+F4]</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Hints</source>
        <translation>Ayudas</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Describes the control under the mouse pointer</source>
        <translation>Describe el elemento bajo el puntero del ratón</translation>
    </message>
    <message>
        <source>Flat</source>
        <translation>Bemol</translation>
    </message>
    <message>
        <source>Sharp</source>
        <translation>Sostenido</translation>
    </message>
    <message>
        <source>Press before a letter, or type # or + (sharp) or - (flat) before its key</source>
        <translation>Púlselo antes de la nota, o escriba # + (sostenido) o - (bemol)</translation>
    </message>
</context>
<context>
    <name>quavix::TCommands</name>
    <message>
        <source>Adapti&amp;ve Practice</source>
        <translation>Práct&amp;ica adaptativa</translation>
    </message>
    <message>
        <source>Ask the notes you are learning, so about four in five come right</source>
        <translation>Preguntar sobre todo las notas que estás aprendiendo</translation>
    </message>
    <message>
        <source>&amp;Quiz Length</source>
        <translation>Duración de la prueba</translation>
    </message>
    <message>
        <source>&amp;Until I Stop</source>
        <translation>&amp;Hasta que pare</translation>
    </message>
    <message>
        <source>&amp;%1 Notes</source>
        <translation>&amp;%1 notas</translation>
    </message>
    <message>
        <location filename="../src/app/Commands.cpp" line="+32"/>
        <source>Use &amp;Note Buttons</source>
        <translation>Usar &amp;botones de notas</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use the Note Button control [F2]</source>
        <translation>Responder con los botones de notas [F2]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use &amp;Piano Keys</source>
        <translation>Usar teclas de &amp;piano</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Use the Piano control [F3]</source>
        <translation>Responder en el teclado de piano [F3]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Treble Notes</source>
        <translation>Notas en clave de &amp;sol</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use notes in the treble staff only [F5]</source>
        <translation>Solo notas en clave de sol [F5]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Bass Notes</source>
        <translation>Notas en clave de &amp;fa</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use notes in the bass staff only [F6]</source>
        <translation>Solo notas en clave de fa [F6]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;All Notes</source>
        <translation>&amp;Todas las notas</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Use notes from both staves [F7]</source>
        <translation>Notas de ambos pentagramas [F7]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Single Octave Only</source>
        <translation>&amp;Una sola octava</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(Piano) Show one octave only [F8]</source>
        <translation>(Piano) Mostrar una sola octava [F8]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Full Keyboard Range</source>
        <translation>Teclado &amp;completo</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(Piano) Show the full range of notes [F9]</source>
        <translation>(Piano) Mostrar toda la extensión de notas [F9]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Begin Quiz</source>
        <translation>&amp;Iniciar prueba</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Begin a quiz [Space bar]</source>
        <translation>Iniciar una prueba [Barra espaciadora]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;End Quiz</source>
        <translation>&amp;Terminar prueba</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>End the current quiz now [Enter]</source>
        <translation>Terminar ya la prueba en curso [Intro]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Use Guitar Frets</source>
        <translation>Usar trastes de &amp;guitarra</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Use the Guitar control [F4]</source>
        <translation>Responder en el mástil de guitarra [F4]</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Results</source>
        <translation>&amp;Resultados</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show the results of the last quiz [F10]</source>
        <translation>Mostrar los resultados de la última prueba [F10]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Practise &amp;Weak Notes</source>
        <translation>Practicar notas &amp;difíciles</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ask the notes you miss or answer slowly more often</source>
        <translation>Preguntar más a menudo las notas que fallas o respondes despacio</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Keep My Progress</source>
        <translation>Guardar mi p&amp;rogreso</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Keep your answers and options for the next time</source>
        <translation>Guardar tus respuestas y opciones para la próxima vez</translation>
    </message>
    <message>
        <location line="+126"/>
        <source>&amp;Game</source>
        <translation>&amp;Juego</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Options</source>
        <translation>&amp;Opciones</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>S&amp;ound</source>
        <translation>S&amp;onido</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;MIDI Input</source>
        <translation>Entrada &amp;MIDI</translation>
    </message>
    <message>
        <location filename="../src/app/Commands.cpp" line="0"/>
        <source>&amp;Listen</source>
        <translation>&amp;Escuchar</translation>
    </message>
    <message>
        <location filename="../src/app/Commands.cpp" line="0"/>
        <source>Listen&amp;ing</source>
        <translation>Ajustes de escuc&amp;ha</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Not&amp;e Names</source>
        <translation>&amp;Nombres de las notas</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Contents</source>
        <translation>&amp;Contenido</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Atajos de teclado</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Quavix 2 on the Web</source>
        <translation>Quavix 2 en la Web</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Quavix 3 on the Web</source>
        <translation>Quavix 3 en la Web</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;About</source>
        <translation>Acerca &amp;de</translation>
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
        <translation>Página &amp;principal de Quavix Music</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Free Software at Quavix Music</source>
        <translation>Software &amp;gratuito en Quavix Music</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tonewright Home &amp;Page</source>
        <translation>Página p&amp;rincipal de Tonewright</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quavix at &amp;Tonewright</source>
        <translation>Quavix en &amp;Tonewright</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Tonewright &amp;Support</source>
        <translation>&amp;Soporte de Tonewright</translation>
    </message>
    <message>
        <source>Clefs and &amp;Ranges</source>
        <translation>Cla&amp;ves y registros</translation>
    </message>
    <message>
        <source>&amp;Alto Clef</source>
        <translation>Clave de do en &amp;tercera</translation>
    </message>
    <message>
        <source>Alto and &amp;Treble Clefs</source>
        <translation>Claves de do en tercera y de &amp;sol</translation>
    </message>
    <message>
        <source>T&amp;enor Clef</source>
        <translation>Clave de do en &amp;cuarta</translation>
    </message>
    <message>
        <source>Tenor and &amp;Bass Clefs</source>
        <translation>Claves de do en cuarta y de &amp;fa</translation>
    </message>
    <message>
        <source>Use notes in the clefs that players of these parts read</source>
        <translation>Usar notas en las claves que leen los intérpretes de estas partes</translation>
    </message>
    <message>
        <source>&amp;Guitar in the Octave-Treble Clef</source>
        <translation>&amp;Guitarra en clave de sol octavada</translation>
    </message>
    <message>
        <source>(Guitar) Write the treble clef with the 8 below: it sounds an octave lower</source>
        <translation>(Guitarra) Clave de sol con el 8 debajo: suena una octava más grave</translation>
    </message>
    <message>
        <source>Note &amp;Range...</source>
        <translation>&amp;Registro de notas...</translation>
    </message>
    <message>
        <source>Choose the lowest and highest note asked on each staff</source>
        <translation>Elegir la nota más grave y la más aguda de cada pentagrama</translation>
    </message>
    <message>
        <source>A&amp;ccidentals</source>
        <translation>&amp;Alteraciones</translation>
    </message>
    <message>
        <source>&amp;Naturals Only</source>
        <translation>Solo notas &amp;naturales</translation>
    </message>
    <message>
        <source>&amp;Sharps and Flats</source>
        <translation>&amp;Sostenidos y bemoles</translation>
    </message>
    <message>
        <source>&amp;Key Signature</source>
        <translation>&amp;Armadura</translation>
    </message>
    <message>
        <source>Ke&amp;y</source>
        <translation>Tona&amp;lidad</translation>
    </message>
    <message>
        <source>A &amp;Different Key Each Quiz</source>
        <translation>Una tonalidad &amp;distinta en cada prueba</translation>
    </message>
    <message>
        <source>P&amp;ractise the Weakest Key: %1</source>
        <translation>&amp;Practicar la tonalidad más débil: %1</translation>
    </message>
    <message>
        <source>Accidentals &amp;Against the Key</source>
        <translation>&amp;Alteraciones accidentales</translation>
    </message>
</context>
<context>
    <name>quavix::TConfirmBox</name>
    <message>
        <location filename="../src/app/ConfirmBox.h" line="+15"/>
        <source>Confirm</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Quiz in progress. Really quit?</source>
        <translation>Hay una prueba en curso. ¿Salir de verdad?</translation>
    </message>
</context>
<context>
    <name>quavix::TDlgAbout</name>
    <message>
        <location filename="../src/app/About.cpp" line="+107"/>
        <source>Home of Rhythm Rally and Scale Ladder</source>
        <translation>Los creadores de Rhythm Rally y Scale Ladder</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Home of Quavix 3</source>
        <translation>Los creadores de Quavix 3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Home of Interval Owl and Chord Lantern</source>
        <translation>Los creadores de Interval Owl y Chord Lantern</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Home of Tempo Tortoise</source>
        <translation>Los creadores de Tempo Tortoise</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Home of Clef Climber and Key Quest</source>
        <translation>Los creadores de Clef Climber y Key Quest</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>Come by for a visit!</source>
        <translation>¡Ven de visita!</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Come and visit Tonewright Software on the Web</source>
        <translation>Visita Tonewright Software en la Web</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Free Downloads</source>
        <translation>Descargas gratis</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Copyright © 2004–2007 Tonewright Software. All rights reserved.</source>
        <translation>© 2004–2007 Tonewright Software. Todos los derechos reservados.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>With thanks to all our beta testers</source>
        <translation>Gracias a todos nuestros probadores</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Return to Quavix [Enter]</source>
        <translation>Volver a Quavix [Intro]</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1: About</source>
        <translation>Acerca de %1</translation>
    </message>
</context>
<context>
    <name>quavix::TFormQX25</name>
    <message>
        <location filename="../src/app/MainQX25.cpp" line="+185"/>
        <location line="+6"/>
        <source>%1 encountered a problem on start-up: %2</source>
        <translation>%1 tuvo un problema al iniciarse: %2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>an unknown error</source>
        <translation>un error desconocido</translation>
    </message>
</context>
<context>
    <name>quavix::TListenRoom</name>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>Listening level</source>
        <translation>Nivel de escucha</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>Listening: the bars show how loud the microphone hears you</source>
        <translation>Escucha: las barras muestran con qué fuerza te oye el micrófono</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>&amp;Input</source>
        <translation>&amp;Entrada</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>&amp;Tolerance</source>
        <translation>&amp;Tolerancia</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>%1 cents</source>
        <translation>%1 cents</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>&amp;Singing: Any Octave</source>
        <translation>C&amp;anto: cualquier octava</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source> (system default)</source>
        <translation> (predeterminada)</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>Listening is not available: its module or Qt Multimedia is not installed.</source>
        <translation>La escucha no está disponible: su módulo o Qt Multimedia no está instalado.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>No microphone found. Quavix listens as soon as one is plugged in.</source>
        <translation>No se encontró ningún micrófono. Quavix escuchará en cuanto conectes uno.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone could not be opened: another program may be using it.</source>
        <translation>No se pudo abrir el micrófono: quizá otro programa lo esté usando.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone was unplugged. Quavix listens again when it is back.</source>
        <translation>Se desconectó el micrófono. Quavix volverá a escuchar cuando lo conectes de nuevo.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone delivers sound in a form Quavix cannot read.</source>
        <translation>El micrófono entrega el sonido en un formato que Quavix no puede leer.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone hears only silence: is it muted or turned down?</source>
        <translation>El micrófono solo oye silencio: ¿está silenciado o muy bajo?</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone is too loud: turn its input level down.</source>
        <translation>El micrófono satura: baja su nivel de entrada.</translation>
    </message>
    <message>
        <location filename="../src/app/ListenRoom.cpp" line="0"/>
        <source>The microphone has stopped sending sound.</source>
        <translation>El micrófono ha dejado de enviar sonido.</translation>
    </message>
</context>
<context>
    <name>quavix::TMidiRoom</name>
    <message>
        <location filename="../src/app/MidiRoom.cpp" line="+64"/>
        <location line="+48"/>
        <source>MIDI input connected: %1</source>
        <translation>Entrada MIDI conectada: %1</translation>
    </message>
    <message>
        <location line="-13"/>
        <source>MIDI key %1 is a black key: only white keys answer.</source>
        <translation>La tecla MIDI %1 es negra: solo responden las teclas blancas.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>MIDI key %1 lies outside the notes asked here (%2 to %3).</source>
        <translation>La tecla MIDI %1 está fuera de las notas preguntadas (%2 a %3).</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>No MIDI input</source>
        <translation>Sin entrada MIDI</translation>
    </message>
    <message>
        <location line="+8"/>
        <source> (not connected)</source>
        <translation> (no conectada)</translation>
    </message>
</context>
<context>
    <name>quavix::TMsgPanel</name>
    <message>
        <location filename="../src/app/PopUpMessage.cpp" line="+50"/>
        <source>Feedback message</source>
        <translation>Mensaje de corrección</translation>
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
        <translation>Quavix dejará de guardar tu progreso. ¿Borrar las respuestas y opciones guardadas hasta ahora?

Sí las borra; No las conserva para cuando vuelvas a activarlo.</translation>
    </message>
    <message>
        <location line="+140"/>
        <source>unknown error</source>
        <translation>error desconocido</translation>
    </message>
</context>
<context>
    <name>quavix::TRangeDialog</name>
    <message>
        <source>Note Range</source>
        <translation>Registro de notas</translation>
    </message>
    <message>
        <source>The lowest and highest note asked on each staff. The level still decides how many of the notes in between are asked.</source>
        <translation>La nota más grave y la más aguda que se preguntan en cada pentagrama. El nivel sigue decidiendo cuántas de las notas intermedias se preguntan.</translation>
    </message>
    <message>
        <source>to</source>
        <translation>a</translation>
    </message>
    <message>
        <source>&amp;Usual Ranges</source>
        <translation>Registros &amp;habituales</translation>
    </message>
    <message>
        <source>Bass clef:</source>
        <translation>Clave de fa:</translation>
    </message>
    <message>
        <source>Alto clef:</source>
        <translation>Clave de do en tercera:</translation>
    </message>
    <message>
        <source>Tenor clef:</source>
        <translation>Clave de do en cuarta:</translation>
    </message>
    <message>
        <source>Treble clef:</source>
        <translation>Clave de sol:</translation>
    </message>
    <message>
        <source>%1 the highest note must stand above the lowest, so that at least two notes are asked.</source>
        <translation>%1 la nota más aguda debe estar por encima de la más grave, para que se pregunten al menos dos notas.</translation>
    </message>
</context>
<context>
    <name>quavix::TResultsWindow</name>
    <message>
        <location filename="../src/app/ResultsWindow.cpp" line="+27"/>
        <source>Quavix 2 Results</source>
        <translation>Resultados de Quavix 2</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>&amp;Export…</source>
        <translation>&amp;Exportar…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Export Answers</source>
        <translation>Exportar respuestas</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>quavix-answers.csv</source>
        <translation>quavix-respuestas.csv</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Comma-separated values (*.csv)</source>
        <translation>Valores separados por comas (*.csv)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The answers could not be written to “%1”: %2</source>
        <translation>No se pudieron escribir las respuestas en «%1»: %2</translation>
    </message>
</context>
</TS>
