// The About dialog: its controls, the promotional line and its colours, the address's hover look and
// click, and its keys.
#include "About.h"
#include "ColourScheme.h"
#include "RecordingFrontEnd.h"
#include "UrlCatcher.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace quavix;

namespace {

QRgb TextColour(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText).rgb() & 0xFFFFFF;
}
QRgb BackColour(const QWidget* widget) {
    return widget->palette().color(QPalette::Window).rgb() & 0xFFFFFF;
}

template <typename T = QWidget> T* Child(const QWidget& dialog, const char* name) {
    T* child = dialog.findChild<T*>(name);
    if (!child)
        qFatal("no control %s", name);
    return child;
}

int HomeOfIndex(const QString& text) {
    for (int i = 0; i < int(TDlgAbout::HomeOfLines.size()); ++i)
        if (text == TDlgAbout::HomeOfLines[i])
            return i;
    return -1;
}

} // namespace

class tst_about : public QObject {
    Q_OBJECT

private slots:
    void fixedProperties() {
        ScriptedRandom random;
        TDlgAbout dialog(nullptr, random, true, {});
        QCOMPARE(dialog.size(), QSize(427, 278));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE(dialog.windowTitle(), QString("Quavix 2: About"));
        QCOMPARE(Child<QLabel>(dialog, "lblVersion")->text(), QString(QUAVIX_PROJECT_VERSION ".0"));
        QVERIFY(!Child(dialog, "Bevel1")->isEnabled());
        auto* title = Child<QLabel>(dialog, "lblTitle");
        QVERIFY(QFontInfo(title->font()).family().contains("Serif") ||
                QFontInfo(title->font()).family().contains("Times"));
        QVERIFY(Child<QPushButton>(dialog, "cmdOK")->isDefault());
        QVERIFY(Child<QLabel>(dialog, "lblURL")->text().startsWith("http://"));
    }

    // That every text fits its label, in every language, is tst_translations' to check; here, what the
    // layout itself promises.
    void textsSitApart() {
        ScriptedRandom random;
        TDlgAbout dialog(nullptr, random, true, {});
        for (const char* line : TDlgAbout::HomeOfLines)
            QVERIFY(QString(line).startsWith("Home of "));
        // The version stands clear of the title's letters.
        auto* title = Child<QLabel>(dialog, "lblTitle");
        const QRect titleText(title->pos(), QSize(title->fontMetrics().horizontalAdvance(title->text()),
                                                  title->fontMetrics().height()));
        QVERIFY(!titleText.intersects(Child(dialog, "lblVersion")->geometry()));
        // The slogan is two words.
        QCOMPARE(Child<QLabel>(dialog, "Label8")->text().split(' ').size(), 2);
    }

    void backgroundFollowsRichColour_data() {
        QTest::addColumn<bool>("rich");
        QTest::newRow("rich") << true;
        QTest::newRow("plain") << false;
    }
    void backgroundFollowsRichColour() {
        QFETCH(bool, rich);
        ScriptedRandom random;
        TDlgAbout dialog(nullptr, random, rich, {});
        const QRgb expected = rich ? 0xF0F0F0 : 0xC0C0C0;
        QCOMPARE(BackColour(&dialog), expected);
        for (const char* name : {"lblVersion", "lblTitle", "lblSubtitle", "lblCopyright", "lblCredits"}) {
            QCOMPARE(BackColour(Child(dialog, name)), expected);
            QVERIFY(Child(dialog, name)->autoFillBackground());
        }
        // Shown and painted, the background really is that colour.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.grab().toImage().pixel(3, 3) & 0xFFFFFF, expected);
    }

    void promotionalLineCyclesFromLineOne() {
        ScriptedRandom random;
        random.script = {5, 0, 3, 1, 2, 4, 5};
        TDlgAbout dialog(nullptr, random, true, {});
        auto* homeOf = Child<QLabel>(dialog, "lblHomeOf");
        QCOMPARE(random.reseeds, 1);
        auto* timer = dialog.findChild<QTimer*>("tmrFlash");
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 4000);
        QVERIFY(timer->isActive());

        const int expectedLines[] = {1, 2, 3, 4, 0, 1, 2};
        const int expectedColours[] = {5, 0, 3, 1, 2, 4, 5};
        for (int tick = 0; tick < 7; ++tick) {
            if (tick > 0)
                QMetaObject::invokeMethod(timer, "timeout");
            QCOMPARE(HomeOfIndex(homeOf->text()), expectedLines[tick]);
            QCOMPARE(TextColour(homeOf), TDlgAbout::FlashColours[expectedColours[tick]]);
        }
        QCOMPARE(random.asked, std::vector<int>(7, 6));
        QCOMPARE(random.reseeds, 1);
    }

    // The address lights up (blue, underlined) under the pointer, and only where the pointer leaves it for
    // the background.
    void pointerDecidesTheLook() {
        ScriptedRandom random;
        TDlgAbout dialog(nullptr, random, true, {});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* url = Child<QLabel>(dialog, "lblURL");
        const auto checkLook = [&](bool hot) {
            QCOMPARE(TextColour(url), hot ? QRgb(0x0000FF) : QRgb(0x000000));
            QVERIFY(url->font().bold());
            QCOMPARE(url->font().underline(), hot);
            QCOMPARE(url->font().pixelSize(), 16);
        };
        checkLook(false);
        const auto moveTo = [&](QPoint point) { QTest::mouseMove(&dialog, point); };
        moveTo({200, 141}); // the address
        QVERIFY(dialog.LinkHot());
        checkLook(true);
        moveTo({370, 262}); // straight onto OK: unchanged
        QVERIFY(dialog.LinkHot());
        moveTo({200, 181}); // the promotional line: unchanged
        QVERIFY(dialog.LinkHot());
        moveTo({200, 260}); // the background below the frame
        QVERIFY(!dialog.LinkHot());
        checkLook(false);
        moveTo({99, 150}); // the address's frame, outside the text
        QVERIFY(dialog.LinkHot());
        moveTo({10, 240}); // inside the disabled bevel, over nothing else
        QVERIFY(!dialog.LinkHot());
        for (QPoint other :
             {QPoint(200, 50), QPoint(60, 60), QPoint(300, 45), QPoint(250, 95), QPoint(25, 155),
              QPoint(57, 140), QPoint(400, 155), QPoint(370, 140), QPoint(200, 210), QPoint(200, 226)}) {
            moveTo({200, 141});
            QVERIFY(dialog.LinkHot());
            moveTo(other);
            QVERIFY2(!dialog.LinkHot(), qPrintable(QString("%1,%2").arg(other.x()).arg(other.y())));
        }
    }

    void linkCursorIsThePointingHand() {
        const QCursor cursor = TDlgAbout::LinkCursor();
        QCOMPARE(cursor.hotSpot(), QPoint(13, 7));
        QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
        ScriptedRandom random;
        TDlgAbout dialog(nullptr, random, true, {});
        QCOMPARE(Child(dialog, "lblURL")->cursor().hotSpot(), QPoint(13, 7));
        QCOMPARE(Child(dialog, "Shape3")->cursor().shape(), Qt::ArrowCursor);
    }

    void clickingTheAddressOpensItUnderTheWaitCursor() {
        UrlCatcher recorder;
        {
            ScriptedRandom random;
            TDlgAbout dialog(nullptr, random, true, {});
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, {99, 150}); // the frame only
            QVERIFY(recorder.urls.isEmpty());
            auto* url = Child<QLabel>(dialog, "lblURL");
            QTest::mouseClick(url, Qt::LeftButton, {}, url->rect().center());
            QCOMPARE(recorder.urls.size(), 1);
            QCOMPARE(recorder.urls.first(), QUrl(url->text()));
            QCOMPARE(recorder.cursors.first(), Qt::WaitCursor);
            QVERIFY(QApplication::overrideCursor() == nullptr);
        }
    }

    void keys() {
        int helpCalls = 0;
        int helpContext = -1;
        ScriptedRandom random;
        TDlgAbout dialog(nullptr, random, true, [&](int context) {
            ++helpCalls;
            helpContext = context;
            return true;
        });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* ok = Child<QPushButton>(dialog, "cmdOK");
        QCOMPARE(dialog.focusWidget(), ok);

        QTest::keyClick(ok, Qt::Key_F1);
        QCOMPARE(helpCalls, 1);
        QCOMPARE(helpContext, 0);
        QTest::keyClick(&dialog, Qt::Key_F1);
        QCOMPARE(helpCalls, 2);
        QTest::keyClick(ok, Qt::Key_F1, Qt::ShiftModifier);
        QTest::keyClick(ok, Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(helpCalls, 2);

        QTest::keyClick(ok, Qt::Key_Escape);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());

        QTest::keyClick(ok, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    // Every opening is a new dialog that starts at line 1, modal over the main window, freed afterwards.
    void showAboutOpensAFreshModalDialogEachTime() {
        QWidget mainWindow;
        mainWindow.show();
        ScriptedRandom random;
        int helpCalls = 0;
        QList<int> firstLines;
        QList<QPointer<TDlgAbout>> seen;
        for (int opening = 0; opening < 2; ++opening) {
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<TDlgAbout*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                QCOMPARE(OpenAboutDialog(), dialog);
                QCOMPARE(dialog->windowModality(), Qt::WindowModal);
                QCOMPARE(dialog->parentWidget(), &mainWindow);
                seen.append(dialog);
                firstLines.append(HomeOfIndex(Child<QLabel>(*dialog, "lblHomeOf")->text()));
                QTest::keyClick(Child(*dialog, "cmdOK"), Qt::Key_F1);
                QTest::keyClick(Child(*dialog, "cmdOK"), Qt::Key_Enter);
            });
            ShowAbout(&mainWindow, random, true, [&](int) { return ++helpCalls > 0; });
            QVERIFY(OpenAboutDialog() == nullptr);
        }
        QCOMPARE(firstLines, QList<int>({1, 1}));
        QCOMPARE(helpCalls, 2);
        QCOMPARE(random.reseeds, 2);
        QCOMPARE(seen.size(), 2);
        QVERIFY(seen[0].isNull() && seen[1].isNull());
    }
};

QTEST_MAIN(tst_about)
#include "tst_about.moc"
