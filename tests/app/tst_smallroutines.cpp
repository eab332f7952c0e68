// The small routines of the shell, at their edges: positions count from 1 and 0 means "not found".
#include "SmallRoutines.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

using namespace quavix;

class tst_smallroutines : public QObject {
    Q_OBJECT

private slots:
    // The 1-based edges, where an off-by-one would hide: a match at position 1, a start exactly on a match,
    // a match that ends on the last character, a start past the end, and 0 for none.
    void posFrom_data() {
        QTest::addColumn<QString>("sub");
        QTest::addColumn<QString>("s");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("expected");
        QTest::newRow("at the very start") << "xa"
                                           << "xabxab" << 1 << 1;
        QTest::newRow("start on the occurrence") << "ab"
                                                 << "xabxab" << 5 << 5;
        QTest::newRow("ends on the last character") << "yz"
                                                    << "abcxyz" << 5 << 5;
        QTest::newRow("would not fit from start") << "yz"
                                                  << "abcxyz" << 6 << 0;
        QTest::newRow("start beyond the end") << "z"
                                              << "abcxyz" << 7 << 0;
        QTest::newRow("none") << "q"
                              << "abcxyz" << 1 << 0;
    }
    void posFrom() {
        QFETCH(QString, sub);
        QFETCH(QString, s);
        QFETCH(int, start);
        QFETCH(int, expected);
        QCOMPARE(PosFrom(sub, s, start), expected);
    }

    // An occurrence counts when it ends at or before `before`; 0 and less count from the end.
    void lastPos_data() {
        QTest::addColumn<QString>("sub");
        QTest::addColumn<QString>("s");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("expected");
        QTest::newRow("before 0 searches the whole text") << "ab"
                                                          << "abxab" << 0 << 4;
        QTest::newRow("ends exactly at before") << "ab"
                                                << "abxab" << 2 << 1;
        QTest::newRow("ends one past before") << "ab"
                                              << "abxab" << 1 << 0;
        QTest::newRow("negative counts back from the end") << "ab"
                                                           << "abxab" << -1 << 1;
        QTest::newRow("very negative clamps to 1") << "a"
                                                   << "abxab" << -100 << 1;
        QTest::newRow("empty sub gives the length") << ""
                                                    << "abxab" << 2 << 5;
    }
    void lastPos() {
        QFETCH(QString, sub);
        QFETCH(QString, s);
        QFETCH(int, before);
        QFETCH(int, expected);
        QCOMPARE(LastPos(sub, s, before), expected);
    }

    void exeFolderEndsInOneDelimiter() {
        const QString folder = ExeFolder();
        QVERIFY(folder.endsWith('/'));
        QVERIFY(!folder.endsWith("//"));
        QCOMPARE(QFileInfo(folder + QFileInfo(QCoreApplication::applicationFilePath()).fileName())
                     .canonicalFilePath(),
                 QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
    }

    // Plain: the title and the text as given (markup shown as text), no icon, one OK button.
    void messageBoxIsPlain() {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::Warning;
        int buttons = 0;
        Qt::TextFormat format = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->buttons().size();
            format = box->textFormat();
            QVERIFY(box->button(QMessageBox::Ok));
            box->button(QMessageBox::Ok)->click();
        });
        ShowMessageBox("Quavix 2 Error", "Context topic <b>109</b> is unavailable");
        QCOMPARE(title, QString("Quavix 2 Error"));
        QCOMPARE(text, QString("Context topic <b>109</b> is unavailable"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, 1);
        QCOMPARE(format, Qt::PlainText);
    }
};

QTEST_MAIN(tst_smallroutines)
#include "tst_smallroutines.moc"
