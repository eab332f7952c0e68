// The program in each of its languages: the translation the locale asks for is the one the window speaks,
// every translated text fits the control that shows it, no menu has two items on one accelerator, and a
// missing or broken translation leaves the program in English without a word.

#include "About.h"
#include "Artwork.h"
#include "ArtworkDrawing.h"
#include "ClientArea.h"
#include "ConfirmBox.h"
#include "Controls.h"
#include "FeedbackText.h"
#include "MainQX25.h"
#include "NoteNameText.h"
#include "NoteNames.h"
#include "PopUpMessage.h"
#include "ProgressRoom.h"
#include "ResultsPicture.h"
#include "ResultsWindow.h"
#include "Translations.h"
#include "WindowTestSupport.h"

#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTranslator>

using namespace quavix;

namespace {

const QString Compiled = QStringLiteral(QUAVIX_TRANSLATIONS);

std::unique_ptr<TFormQX25> NewWindow(SteppingRandom& random) {
    TFormQX25::Options options;
    options.colourDepth = 32;
    options.random = &random;
    return std::make_unique<TFormQX25>(options);
}

QStringList MenuTitles(const QMenuBar* bar) {
    QStringList titles;
    for (const QAction* action : bar->actions())
        titles.append(action->text());
    return titles;
}

// The character after a single '&', upper case and without its accent (Alt+E also reaches an "&É").
QChar Accelerator(const QString& text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        const QString base = QString(text[i + 1]).normalized(QString::NormalizationForm_D);
        return base.at(0).toUpper();
    }
    return {};
}

// Every pair of items in one menu (or the menu bar) that share an accelerator, described for the failure.
void FindCollisions(const QList<QAction*>& actions, const QString& where, QStringList& collisions) {
    QHash<QChar, QString> taken;
    for (const QAction* action : actions) {
        if (action->isSeparator())
            continue;
        const QChar key = Accelerator(action->text());
        if (!key.isNull()) {
            if (taken.contains(key))
                collisions.append(
                    QStringLiteral("%1: \"%2\" and \"%3\"").arg(where, taken[key], action->text()));
            taken.insert(key, action->text());
        }
        if (action->menu())
            FindCollisions(action->menu()->actions(), action->text(), collisions);
    }
}

// A label's text fits when it needs no more room than the label has, on the lines the label allows.
QString LabelOverflow(const QLabel* label, const QString& text) {
    const QFontMetrics metrics(label->font());
    const QRect room = label->contentsRect();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = metrics.boundingRect(room, flags, text);
    if (needed.width() <= room.width() && needed.height() <= room.height())
        return {};
    return QStringLiteral("%1 \"%2\" needs %3x%4, has %5x%6")
        .arg(label->objectName(), text)
        .arg(needed.width())
        .arg(needed.height())
        .arg(room.width())
        .arg(room.height());
}

QString WidthOverflow(const QWidget* control, const QString& text, int room) {
    const int needed = QFontMetrics(control->font()).horizontalAdvance(text);
    if (needed <= room)
        return {};
    return QStringLiteral("%1 \"%2\" needs %3, has %4")
        .arg(control->objectName(), text)
        .arg(needed)
        .arg(room);
}

QString ButtonOverflow(const QPushButton* button) {
    // The button's text less its accelerator mark, inside the part of the face the style draws text on.
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.rect = button->rect();
    const QRect face = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const QString text = QString(button->text()).remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return WidthOverflow(button, text, face.width());
}

void AddLanguageRows() {
    QTest::addColumn<QString>("language");
    for (const char* language : {"en", "de", "fr", "es", "it"})
        QTest::newRow(language) << QString::fromLatin1(language);
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void theLocaleChoosesTheLanguage_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("octave");
        QTest::addColumn<QString>("re"); // the syllable of D, as the language writes it
        QTest::newRow("German") << "de_DE"
                                << "de" << QStringList{"&Spiel", "&Optionen", "&Hilfe"}
                                << "Ein Quiz läuft. Wirklich beenden?"
                                << "Richtige Note, aber in der falschen Oktave"
                                << "Re";
        // A country without its own file takes its language's.
        QTest::newRow("Austrian German")
            << "de_AT"
            << "de" << QStringList{"&Spiel", "&Optionen", "&Hilfe"} << "Ein Quiz läuft. Wirklich beenden?"
            << "Richtige Note, aber in der falschen Oktave"
            << "Re";
        QTest::newRow("French") << "fr_FR"
                                << "fr" << QStringList{"&Jeu", "&Options", "&Aide"}
                                << QString::fromUtf8("Un quiz est en cours. Vraiment quitter\u00a0?")
                                << "Bonne note, mais pas dans la bonne octave"
                                << QString::fromUtf8("R\u00e9");
        QTest::newRow("Spanish") << "es_ES"
                                 << "es" << QStringList{"&Juego", "&Opciones", "Ay&uda"}
                                 << "Hay una prueba en curso. ¿Salir de verdad?"
                                 << "La nota es correcta, pero la octava no"
                                 << "Re";
        QTest::newRow("Italian") << "it_IT"
                                 << "it" << QStringList{"&Gioco", "&Opzioni", "&Aiuto"}
                                 << "Quiz in corso. Uscire davvero?"
                                 << "Nota giusta, ma nell’ottava sbagliata"
                                 << "Re";
        const QStringList english{"&Game", "&Options", "&Help"};
        const QString confirm = "Quiz in progress. Really quit?";
        const QString octave = "You picked the right note but in the wrong octave";
        QTest::newRow("English") << "en_US"
                                 << "" << english << confirm << octave << "Re";
        QTest::newRow("no language named") << "C"
                                           << "" << english << confirm << octave << "Re";
        // A language the program does not speak: English, and not the translation of another language.
        QTest::newRow("Portuguese") << "pt_BR"
                                    << "" << english << confirm << octave << "Re";
    }
    void theLocaleChoosesTheLanguage() {
        QFETCH(QString, locale);
        QFETCH(QString, language);
        QFETCH(QStringList, menus);
        QFETCH(QString, confirm);
        QFETCH(QString, octave);
        QFETCH(QString, re);
        const auto translations = InstallTranslations(QLocale(locale), Compiled);
        QCOMPARE(translations->Language(), language);
        // Qt's own words come only with the program's: English buttons in a German box would jar.
        if (language.isEmpty())
            QVERIFY(!translations->QtTranslated());
        SteppingRandom random;
        const auto window = NewWindow(random);
        QCOMPARE(MenuTitles(window->menuBar()), menus);
        TConfirmBox box(window.get());
        QCOMPARE(box.text(), confirm);
        QCOMPARE(FeedbackText({NoteMessage::Kind::WrongOctave, 'C', 'C'}, LetterNames), octave);
        // The note names, letters or syllables, go where the sentence puts them.
        for (const auto& [naming, picked, asked] :
             {std::tuple{LetterNames, QString("D"), QString("G")}, {FixedDo, re, QString("Sol")}}) {
            const QString wrong = FeedbackText({NoteMessage::Kind::WrongNote, 'D', 'G'}, naming);
            QVERIFY2(wrong.contains(picked) && wrong.contains(asked) && !wrong.contains('%'),
                     qPrintable(wrong));
            QVERIFY(wrong.indexOf(picked) < wrong.lastIndexOf(asked));
        }
    }

    void aMissingOrBrokenTranslationLeavesEnglish_data() {
        QTest::addColumn<QByteArray>("file"); // empty: no file at all
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("not a translation") << QByteArray("<TS version=\"2.1\" language=\"de\"></TS>");
        QTest::newRow("cut short") << QByteArray::fromHex("3cb8649418caef9ca1");
    }
    void aMissingOrBrokenTranslationLeavesEnglish() {
        QFETCH(QByteArray, file);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        if (!file.isNull()) {
            QFile broken(folder.filePath(QStringLiteral("quavix_de.qm")));
            QVERIFY(broken.open(QIODevice::WriteOnly));
            broken.write(file);
        }
        ModalWatcher watcher;
        const auto translations = InstallTranslations(QLocale(QStringLiteral("de_DE")), folder.path());
        QCOMPARE(translations->Language(), QString());
        // Without the program's own words Qt's are not wanted either: the buttons would not match.
        QVERIFY(!translations->QtTranslated());
        SteppingRandom random;
        const auto window = NewWindow(random);
        QVERIFY(!window->StartupFailed());
        QCOMPARE(MenuTitles(window->menuBar()), (QStringList{"&Game", "&Options", "&Help"}));
        QTest::qWait(30);
        QVERIFY(watcher.boxes.isEmpty());
    }

    void qtOwnButtonsSpeakTheLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("yes");
        QTest::addColumn<QString>("no");
        QTest::newRow("de") << "de"
                            << "Ja"
                            << "Nein";
        QTest::newRow("fr") << "fr"
                            << "Oui"
                            << "Non";
        QTest::newRow("es") << "es"
                            << "Sí"
                            << "No";
        QTest::newRow("it") << "it"
                            << "Sì"
                            << "No";
    }
    void qtOwnButtonsSpeakTheLanguage() {
        QFETCH(QString, language);
        QFETCH(QString, yes);
        QFETCH(QString, no);
        const auto translations = InstallTranslations(QLocale(language), Compiled);
        QCOMPARE(translations->Language(), language);
        if (!translations->QtTranslated())
            QSKIP("Qt's own translations are not installed here (Debian: qt6-translations-l10n)");
        TConfirmBox box(nullptr);
        const auto plain = [](QString text) { return text.remove('&'); };
        QCOMPARE(plain(box.button(QMessageBox::Yes)->text()), yes);
        QCOMPARE(plain(box.button(QMessageBox::No)->text()), no);
    }

    void noMenuHasTwoItemsOnOneAccelerator_data() { AddLanguageRows(); }
    void noMenuHasTwoItemsOnOneAccelerator() {
        QFETCH(QString, language);
        const auto translations = InstallTranslations(QLocale(language), Compiled);
        SteppingRandom random;
        const auto window = NewWindow(random);
        QStringList collisions;
        FindCollisions(window->menuBar()->actions(), QStringLiteral("menu bar"), collisions);
        QVERIFY2(collisions.isEmpty(), qPrintable(collisions.join('\n')));
        // Each menu title has its accelerator, so every menu opens from the keyboard.
        for (const QAction* menu : window->menuBar()->actions())
            QVERIFY2(!Accelerator(menu->text()).isNull(), qPrintable(menu->text()));
    }

    void theWindowsTextsFitTheirControls_data() { AddLanguageRows(); }
    void theWindowsTextsFitTheirControls() {
        QFETCH(QString, language);
        const auto translations = InstallTranslations(QLocale(language), Compiled);
        SteppingRandom random;
        const auto window = NewWindow(random);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QStringList overflows;

        for (const ui::TLabel* label : window->findChildren<ui::TLabel*>()) {
            const QString problem = WidthOverflow(label, label->Text(), label->width());
            if (!problem.isEmpty())
                overflows.append(problem);
        }
        // A panel's caption sits inside up to three one-pixel edges on either side (the close panel's
        // frame and its two bevels).
        for (const ui::TPanel* panel : window->findChildren<ui::TPanel*>()) {
            const QString problem = WidthOverflow(panel, panel->Caption(), panel->width() - 6);
            if (!problem.isEmpty())
                overflows.append(problem);
        }

        // Every hint shows whole in the status bar, wrapped onto at most the lines the bar has room for.
        const auto* bar = window->findChild<ui::TStatusBar*>();
        QVERIFY(bar);
        QStringList hints;
        for (const QObject* owner : window->findChildren<QObject*>())
            if (const QString hint = owner->property("hint").toString(); !hint.isEmpty())
                hints.append(hint);
        QVERIFY(hints.size() > 10);
        const QFontMetrics hintMetrics(bar->font());
        const QRect room = bar->TextRect();
        for (const QString& hint : hints) {
            const QRect needed = hintMetrics.boundingRect(room, Qt::AlignLeft | Qt::TextWordWrap, hint);
            if (needed.height() > room.height() || needed.width() > room.width())
                overflows.append(QStringLiteral("hint \"%1\" needs %2x%3")
                                     .arg(hint)
                                     .arg(needed.width())
                                     .arg(needed.height()));
        }

        // The menu titles stay on one row: a second row would push the window's fixed layout down.
        const QMenuBar* menus = window->menuBar();
        const QList<QAction*> titles = menus->actions();
        const QRect first = menus->actionGeometry(titles.first());
        for (QAction* title : titles) {
            const QRect place = menus->actionGeometry(title);
            if (place.top() != first.top() || place.right() >= menus->width())
                overflows.append(QStringLiteral("menu title \"%1\" leaves the bar's row").arg(title->text()));
            // Each menu opens whole on the smallest screen the window itself fits on.
            if (QMenu* menu = title->menu(); menu && menu->sizeHint().width() > 640)
                overflows.append(QStringLiteral("menu \"%1\" is %2 wide")
                                     .arg(title->text())
                                     .arg(menu->sizeHint().width()));
        }
        QVERIFY2(overflows.isEmpty(), qPrintable(overflows.join('\n')));
    }

    void theFeedbackFitsBesideTheStaff_data() { AddLanguageRows(); }
    void theFeedbackFitsBesideTheStaff() {
        QFETCH(QString, language);
        const auto translations = InstallTranslations(QLocale(language), Compiled);
        SteppingRandom random;
        const auto window = NewWindow(random);
        const QWidget* client = window->centralWidget();
        for (const NoteMessage message : {NoteMessage{NoteMessage::Kind::WrongNote, 'F', 'B'},
                                          NoteMessage{NoteMessage::Kind::WrongOctave, 'C', 'C'},
                                          NoteMessage{NoteMessage::Kind::OutOfTime, 0, 'E'}}) {
            ShowNoteMessage(*window, message);
            const TMsgPanel* panel = PopUps(*window).Current()->Panel();
            const QString text = panel->MessageLabel()->text();
            QVERIFY2(client->rect().contains(panel->geometry()),
                     qPrintable(QStringLiteral("\"%1\" at %2,%3 %4x%5")
                                    .arg(text)
                                    .arg(panel->x())
                                    .arg(panel->y())
                                    .arg(panel->width())
                                    .arg(panel->height())));
            // Long messages break once, onto two lines; never more.
            QVERIFY2(text.count('\n') <= 1, qPrintable(text));
            RemoveNoteMessage(*window);
        }
    }

    void theResultsWordsFitTheirPlaces_data() { AddLanguageRows(); }
    void theResultsWordsFitTheirPlaces() {
        QFETCH(QString, language);
        const auto translations = InstallTranslations(QLocale(language), Compiled);
        // Figures are written the way the user's locale writes them (a decimal comma in German, say).
        const QLocale before;
        QLocale::setDefault(QLocale(language));
        const auto restore = qScopeGuard([&before] { QLocale::setDefault(before); });
        QStringList overflowing;
        ResultsPicture::Draw(ResultsData{}, 1.0, &overflowing);

        // The widest figures a month of practice gives: double-figure counts, a time-out's seconds, and
        // hundreds of answers for a note, with notes on both staves.
        ResultsData full;
        for (int i = 0; i < NotesPerQuiz; ++i) {
            AnswerRecord answer;
            answer.Row = i;
            answer.Staff = StaffOfRow(i, NoteButtons);
            answer.Result = i < 10 ? Outcome::Right : i < 19 ? Outcome::Wrong : Outcome::TimedOut;
            answer.Milliseconds = 12999;
            full.Quiz.push_back(answer);
        }
        for (const std::uint8_t staff : {TrebleStaff, BassStaff}) {
            const NoteFigures figures{{staff, 20}, 999, 999, 0, 0, 12999, 0};
            full.ThisRun.push_back(figures);
            full.LastWeek[figures.Key] = figures;
            full.LastMonth[figures.Key] = figures;
        }
        full.HistoryKept = true;
        ResultsPicture::Draw(full, 1.0, &overflowing);
        QVERIFY2(overflowing.isEmpty(), qPrintable(overflowing.join('\n')));
    }

    // A syllable is written alike wherever it shows: on the note buttons (a picture of its own where the
    // language writes it with an accent, Ré in French), in the Note Names menu and in the messages.
    void syllablesAreWrittenAlikeEverywhere_data() { AddLanguageRows(); }
    void syllablesAreWrittenAlikeEverywhere() {
        QFETCH(QString, language);
        QList<QImage> plain;
        for (int i = 0; i < Artwork::LetterCount; ++i)
            plain.append(Artwork::NoteName(i, FixedDo, true, 2.0));
        const auto translations = InstallTranslations(QLocale(language), Compiled);
        QStringList syllables;
        for (const char letter : {'C', 'D', 'E', 'F', 'G', 'A', 'B'})
            syllables.append(NoteNameText(letter, FixedDo));
        SteppingRandom random;
        const auto window = NewWindow(random);
        const auto* item = window->findChild<QAction*>(QStringLiteral("actNoteNames%1").arg(int(FixedDo)));
        QVERIFY(item);
        QCOMPARE(item->text(), syllables.join(' '));
        for (int i = 0; i < Artwork::LetterCount; ++i) {
            const QString syllable = NoteNameText(char('A' + i), FixedDo);
            const bool accented = syllable != QString::fromLatin1(NoteName(char('A' + i), FixedDo).data());
            QCOMPARE(Artwork::NoteName(i, FixedDo, true, 2.0) != plain[i], accented);
        }
        QCOMPARE(NoteNameText('D', FixedDo) != QStringLiteral("Re"), language == QStringLiteral("fr"));
        // The accented picture is baked for the usual ratios as drawn.
        if (language == QStringLiteral("fr"))
            for (double ratio : {1.0, 1.25, 1.5, 2.0, 3.0})
                for (bool enabled : {true, false})
                    QCOMPARE(Artwork::NoteName(3, FixedDo, enabled, ratio),
                             ArtworkDrawing::NoteName(Artwork::AccentedRe, enabled, ratio));
    }

    // The seconds of the results stand apart from their unit, in every language: "13,1 s", not "13,1s" (a
    // hair space is too thin to see).
    void resultsSecondsKeepTheirSpace_data() { AddLanguageRows(); }
    void resultsSecondsKeepTheirSpace() {
        QFETCH(QString, language);
        const auto translations = InstallTranslations(QLocale(language), Compiled);
        const QString figures = ResultsPicture::tr("%1% of %2, %3 s");
        static const QRegularExpression spaced(QStringLiteral("%3[ \\x{00a0}\\x{202f}\\x{2009}]s"));
        QVERIFY2(spaced.match(figures).hasMatch(), qPrintable(figures));
    }

    void theDialogsTextsFit_data() { AddLanguageRows(); }
    void theDialogsTextsFit() {
        QFETCH(QString, language);
        const auto translations = InstallTranslations(QLocale(language), Compiled);
        QStringList overflows;
        const auto note = [&overflows](const QString& problem) {
            if (!problem.isEmpty())
                overflows.append(problem);
        };

        SteppingRandom random;
        TDlgAbout about(nullptr, random, true, {});
        const QLabel* homeOf = about.findChild<QLabel*>(QStringLiteral("lblHomeOf"));
        QVERIFY(homeOf);
        for (const QLabel* label : about.findChildren<QLabel*>())
            if (label != homeOf && !label->text().isEmpty())
                note(LabelOverflow(label, label->text()));
        // The changing line, in each of its versions.
        for (const char* line : TDlgAbout::HomeOfLines)
            note(LabelOverflow(homeOf, TDlgAbout::tr(line)));
        for (const QPushButton* button : about.findChildren<QPushButton*>())
            note(ButtonOverflow(button));

        TConfirmBox box(nullptr);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        for (const QAbstractButton* button : box.buttons())
            note(ButtonOverflow(qobject_cast<const QPushButton*>(button)));
        box.hide();

        TResultsWindow results([](const QString&) { return QString(); }, nullptr);
        results.show();
        QVERIFY(QTest::qWaitForWindowExposed(&results));
        for (const QPushButton* button : results.findChildren<QPushButton*>()) {
            note(ButtonOverflow(button));
        }
        QVERIFY2(overflows.isEmpty(), qPrintable(overflows.join('\n')));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
