// The start-date correction's time field: digits typed into the section
// that a click selects replace it.

#include "mainwindow/ModifyDateTime.h"

#include <QLineEdit>
#include <QTest>
#include <QTimeEdit>

class TestModifyDateTime : public QObject {
    Q_OBJECT
private slots:
    void typingIntoASection_data() {
        QTest::addColumn<int>("at"); // the character of 12:26:45 clicked
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QTime>("expected");
        QTest::newRow("minutes: 3, 0") << 4 << "30" << QTime(12, 30, 45);
        QTest::newRow("seconds: 0, 7") << 7 << "07" << QTime(12, 26, 7);
        QTest::newRow("a full section moves on") << 1 << "083000" << QTime(8, 30, 0);
        QTest::newRow("7 fills the minutes") << 3 << "75" << QTime(12, 7, 5);
        QTest::newRow("23 hours, the most") << 0 << "23" << QTime(23, 26, 45);
        QTest::newRow("24: the 4 starts the hours again") << 0 << "24" << QTime(4, 26, 45);
        QTest::newRow("59 seconds, the most") << 6 << "59" << QTime(12, 26, 59);
    }
    void typingIntoASection() {
        QFETCH(int, at);
        QFETCH(QString, keys);
        QFETCH(QTime, expected);
        TfrmModifyDateTime dlg;
        dlg.pckTime->setTime(QTime(12, 26, 45));
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        auto* edit = dlg.pckTime->findChild<QLineEdit*>();
        edit->setCursorPosition(at + 1);
        const QRect caret = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(caret.left() - 2, caret.center().y()));
        QCOMPARE(edit->selectedText().size(), 2);
        QTest::keyClicks(dlg.pckTime, keys);
        QCOMPARE(dlg.pckTime->time(), expected);
        QCOMPARE(edit->text(), expected.toString(QStringLiteral("HH:mm:ss"))); // no half-typed part
    }
};

QTEST_MAIN(TestModifyDateTime)
#include "tst_modifydatetime.moc"
