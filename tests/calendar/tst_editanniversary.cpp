// The anniversary editor: its layout, the stored form of the memo's lines,
// removing a day's entry, and that no failure ever costs the user the memo.

#include "calendar/EditAnniversary.h"
#include "runtime/TextFile.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/support/TestSupport.h"
#include "widgets/ErrorBox.h"
#include "widgets/vxGradiBtn.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

using DialogDriver::click;
using TestSupport::TempProgramFolder;

namespace {
const QString kFile = QStringLiteral("Anniversary - 2026.dat");
}

class TestEditAnniversary : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layout();
    void keysStayInTheMemo();
    void minimisingBringsItBack();
    void storedForm_data();
    void storedForm();
    void cancelAllRemovesTheDay();
    void failedWriteKeepsTheMemo();
    void tooLongForOneDay_data();
    void tooLongForOneDay();
    void wrappedLineIsStoredAsShown();
    void keepsTheDateItOpenedOn();

private:
    // Runs the dialog on 7 December 2026 with the memo text; `act` does what
    // the user does. Returns the modal result.
    int run(const QString& memo, const std::function<void(TfrmEditAnniversary*)>& act);
    std::unique_ptr<TempProgramFolder> m_dir;
    std::unique_ptr<TvxAnniversary> m_store;
};

void TestEditAnniversary::init() {
    m_dir = std::make_unique<TempProgramFolder>();
    m_store = std::make_unique<TvxAnniversary>(m_dir->path());
    m_store->Year = 2026;
    m_store->Month = 12;
    m_store->Day = 7;
}

void TestEditAnniversary::cleanup() {
    m_store.reset();
    m_dir.reset();
    SetErrorBoxHandler({});
}

int TestEditAnniversary::run(const QString& memo,
                             const std::function<void(TfrmEditAnniversary*)>& act) {
    TfrmEditAnniversary d(*m_store);
    d.memAnniversary->setPlainText(memo);
    DialogDriver::Script script;
    script.on<TfrmEditAnniversary>(act);
    script.start();
    const int result = d.ShowModal();
    if (script.timedOut())
        return -1;
    return result;
}

void TestEditAnniversary::layout() {
    TfrmEditAnniversary d(*m_store);
    QCOMPARE(d.windowTitle(), QStringLiteral("기념일 수정"));
    QCOMPARE(d.labDate->text(), QStringLiteral("2026년 12월 7일"));
    QCOMPARE(d.labDate->pos(), QPoint(10, 7));
    QCOMPARE(d.memAnniversary->geometry(), QRect(7, 25, 264, 146));
    QCOMPARE(d.memAnniversary->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(d.Frame(), TvxModalDialog::TvxFrame::Sizeable);
    QVERIFY(!d.ScreenCentred());
    QCOMPARE(d.pos(), QPoint(386, 228));
    const struct {
        TvxGradiButton* button;
        QRect geometry;
        QString caption;
        int modalResult;
    } buttons[] = {{d.btnCancelAll, QRect(40, 180, 76, 25), QStringLiteral("모두 취소"), 0},
                   {d.btnConfirm, QRect(115, 180, 76, 25), QStringLiteral("완 료"), 1},
                   {d.btnCancel, QRect(190, 180, 76, 25), QStringLiteral("취 소"), 2}};
    for (const auto& b : buttons) {
        QCOMPARE(b.button->geometry(), b.geometry);
        QCOMPARE(b.button->Caption(), b.caption);
        QCOMPARE(b.button->ModalResult(), b.modalResult);
        QVERIFY(!b.button->TabStop());
        QCOMPARE(b.button->Colors(), d.vxGradiColors1);
    }
}

// Tab never puts a tab character into an entry; Enter starts a new line;
// neither Enter nor Esc ends the dialog, and the keyboard reaches its buttons.
void TestEditAnniversary::keysStayInTheMemo() {
    bool stillOpen = false, reached = false;
    QString text;
    const int result = run(QStringLiteral("생일"), [&](TfrmEditAnniversary* d) {
        QWidget* memo = d->memAnniversary;
        d->memAnniversary->moveCursor(QTextCursor::End);
        QTest::keyClick(memo, Qt::Key_Tab);
        QTest::keyClick(memo, Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, QStringLiteral("x"));
        QTest::keyClick(memo, Qt::Key_Escape);
        QTest::keyClick(d, Qt::Key_Escape);
        QTest::keyClick(d, Qt::Key_Enter);
        stillOpen = d->isVisible();
        text = d->memAnniversary->toPlainText();
        // Nothing but the keyboard can end the edit: Shift+Tab reaches 취 소.
        QTest::keyClick(memo, Qt::Key_Backtab, Qt::ShiftModifier);
        reached = QApplication::focusWidget() == d->btnCancel;
        if (reached)
            QTest::keyClick(d->btnCancel, Qt::Key_Space);
        else
            click(d->btnCancel);
    });
    QVERIFY(stillOpen);
    QVERIFY(reached);
    QCOMPARE(text, QStringLiteral("생일\nx"));
    QCOMPARE(result, 2);
}

// The calendar waits for the editor: minimised, it comes straight back.
void TestEditAnniversary::minimisingBringsItBack() {
    bool restored = false;
    const int result = run(QStringLiteral("생일"), [&](TfrmEditAnniversary* d) {
        d->setWindowState(Qt::WindowMinimized);
        restored = QTest::qWaitFor([d] { return !d->isMinimized(); }, 60000);
        click(d->btnCancel);
    });
    QVERIFY(restored);
    QCOMPARE(result, 2);
}

// The memo's lines as comma text in one more pair of double quotes, under
// section 12, key 7; read back they are the same lines.
void TestEditAnniversary::storedForm_data() {
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("two entries, one with a blank")
        << "생일\n결혼 기념일"
        << "7=\"생일,\"결혼 기념일\"\"" << QStringList{"생일", "결혼 기념일"};
    QTest::newRow("a space, a comma and a quote")
        << "a b, \"c\"\n둘째"
        << "7=\"\"a b, \"\"c\"\"\",둘째\"" << QStringList{"a b, \"c\"", "둘째"};
    QTest::newRow("a comma inside one entry") << "1,2 기념"
                                              << "7=\"\"1,2 기념\"\"" << QStringList{"1,2 기념"};
    QTest::newRow("an empty memo") << ""
                                   << "7=\"\"" << QStringList{};
    QTest::newRow("the break after the last line is no entry")
        << "생일\n"
        << "7=\"생일\"" << QStringList{"생일"};
    QTest::newRow("an empty line between entries") << "a\n\nb"
                                                   << "7=\"a,,b\"" << QStringList{"a", "", "b"};
}

void TestEditAnniversary::storedForm() {
    QFETCH(QString, memo);
    QFETCH(QString, line);
    QFETCH(QStringList, entries);
    const int result = run(memo, [](TfrmEditAnniversary* d) { click(d->btnConfirm); });
    QCOMPARE(result, 1);
    QCOMPARE(m_dir->read(kFile), Cp949::encode(QStringLiteral("[12]\r\n") + line + "\r\n"));
    QCOMPARE(m_store->ReadAnniversaries(7), entries);
    // The next opening shows the same lines.
    TfrmEditAnniversary again(*m_store);
    again.SetMemoLines(m_store->ReadAnniversaries(7));
    again.show();
    QCOMPARE(again.MemoLines(), entries);
}

// "모두 취소" removes the day's key and nothing else; on a day without an
// entry it changes nothing, and creates no file.
void TestEditAnniversary::cancelAllRemovesTheDay() {
    const int none = run(QString(), [](TfrmEditAnniversary* d) { click(d->btnCancelAll); });
    QCOMPARE(none, 2);
    QVERIFY(!m_dir->exists(kFile));
    m_dir->write(kFile, Cp949::encode(QStringLiteral("[12]\r\n7=\"생일\"\r\n8=\"모임\"\r\n")));
    const int result =
        run(QStringLiteral("생일"), [](TfrmEditAnniversary* d) { click(d->btnCancelAll); });
    QCOMPARE(result, 2);
    const QByteArray after = Cp949::encode(QStringLiteral("[12]\r\n8=\"모임\"\r\n"));
    QCOMPARE(m_dir->read(kFile), after);
    run(QString(), [](TfrmEditAnniversary* d) { click(d->btnCancelAll); });
    QCOMPARE(m_dir->read(kFile), after);
}

// A write that fails shows "Unable to write to" and the file's path; the
// dialog stays open with the memo as it was, and a second try can succeed.
void TestEditAnniversary::failedWriteKeepsTheMemo() {
    const QByteArray before = Cp949::encode(QStringLiteral("[12]\r\n7=\"생일\"\r\n"));
    m_dir->write(kFile, before);
    QStringList errors;
    SetErrorBoxHandler([&](const QString& m) { errors << m; });
    const QString memo = QStringLiteral("생일\n결혼 기념일\n졸업");
    bool stayedOpen = false;
    QString heldText;
    QByteArray fileAfterFailure;
    TfrmEditAnniversary d(*m_store);
    d.memAnniversary->setPlainText(memo);
    DialogDriver::Script script;
    script.on<TfrmEditAnniversary>([&](TfrmEditAnniversary* dlg) {
        {
            TestSupport::FileSizeLimit limit(8);
            click(dlg->btnConfirm);
        }
        stayedOpen = dlg->isVisible();
        heldText = dlg->memAnniversary->toPlainText();
        fileAfterFailure = m_dir->read(kFile);
        click(dlg->btnConfirm);
    });
    script.start();
    QCOMPARE(d.ShowModal(), 1);
    QVERIFY(!script.timedOut());
    QVERIFY(stayedOpen);
    QCOMPARE(heldText, memo);
    QCOMPARE(fileAfterFailure, before);
    QCOMPARE(errors, QStringList{QStringLiteral("Unable to write to ") + m_dir->file(kFile)});
    QCOMPARE(m_store->ReadAnniversaries(7), (QStringList{"생일", "결혼 기념일", "졸업"}));
}

// A value is read back only up to 2047 bytes: a longer one is refused
// before anything is written, and the dialog stays open.
void TestEditAnniversary::tooLongForOneDay_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("stored");
    // Lines short enough never to wrap: 204 × 9 bytes and 204 commas.
    const QStringList nines(204, QStringLiteral("abcdefghi"));
    QTest::newRow("2047 bytes") << (nines + QStringList{"abcdefg"}) << true;
    QTest::newRow("2048 bytes") << (nines + QStringList{"abcdefgh"}) << false;
    // 227 × four syllables of two bytes, 227 commas.
    const QStringList korean(227, QStringLiteral("가나다라"));
    QTest::newRow("2047 bytes of Korean") << (korean + QStringList{"마바"}) << true;
    QTest::newRow("2048 bytes of Korean") << (korean + QStringList{"마바a"}) << false;
    // 1259 bytes typed, but each line is stored as "a ""b""" (9 bytes): 2099.
    QTest::newRow("quotes count as stored") << QStringList(210, QStringLiteral("a \"b\"")) << false;
}

void TestEditAnniversary::tooLongForOneDay() {
    QFETCH(QStringList, lines);
    QFETCH(bool, stored);
    const QByteArray before = Cp949::encode(QStringLiteral("[12]\r\n7=\"생일\"\r\n"));
    m_dir->write(kFile, before);
    TfrmEditAnniversary d(*m_store);
    d.SetMemoLines(lines);
    bool stayedOpen = false;
    QString heldText;
    DialogDriver::Script script;
    script.on<TfrmEditAnniversary>([](TfrmEditAnniversary* dlg) { click(dlg->btnConfirm); });
    if (!stored) {
        script.answer(QMessageBox::Ok).on<TfrmEditAnniversary>([&](TfrmEditAnniversary* dlg) {
            stayedOpen = dlg->isVisible();
            heldText = dlg->memAnniversary->toPlainText();
            click(dlg->btnCancel);
        });
    }
    script.start();
    const int result = d.ShowModal();
    QVERIFY(!script.timedOut());
    if (stored) {
        QCOMPARE(result, 1);
        QCOMPARE(m_store->ReadAnniversaries(7), lines); // whole
        return;
    }
    QCOMPARE(result, 2);
    QVERIFY(stayedOpen);
    QCOMPARE(heldText, lines.join(u'\n'));
    QCOMPARE(m_dir->read(kFile), before);
    QCOMPARE(script.messages.size(), 1);
    QCOMPARE(script.messages[0].icon, QMessageBox::Warning);
    QVERIFY(script.messages[0].text.startsWith(QStringLiteral("기념일 내용이 너무 깁니다.")));
    QVERIFY(script.messages[0].text.contains(QStringLiteral("2047바이트")));
}

// A line wider than the memo is stored as the lines the memo shows.
void TestEditAnniversary::wrappedLineIsStoredAsShown() {
    const QString words = QStringLiteral(
        "할머니 팔순 잔치 준비 모임 장소는 시청 앞 한식당 저녁 일곱 시 선물 잊지 말기");
    QStringList shown;
    int viewportWidth = 0;
    QFontMetrics fm(QFont{});
    const int result = run(words, [&](TfrmEditAnniversary* d) {
        shown = d->MemoLines();
        viewportWidth = d->memAnniversary->viewport()->width();
        fm = QFontMetrics(d->memAnniversary->font());
        click(d->btnConfirm);
    });
    QCOMPARE(result, 1);
    QVERIFY2(shown.size() >= 2, qPrintable(shown.join('|')));
    QCOMPARE(m_store->ReadAnniversaries(7), shown);
    QCOMPARE(shown.join(u' '), words);
    for (const QString& line : shown)
        QVERIFY(fm.horizontalAdvance(line) <= viewportWidth);
}

// The calendar moves its working day while it paints; the editor stores
// under the date it was opened on.
void TestEditAnniversary::keepsTheDateItOpenedOn() {
    const int result = run(QStringLiteral("모임"), [this](TfrmEditAnniversary* d) {
        m_store->Day = 31;
        m_store->Month = 1;
        m_store->Year = 2027;
        click(d->btnConfirm);
    });
    QCOMPARE(result, 1);
    QCOMPARE(m_dir->read(kFile), Cp949::encode(QStringLiteral("[12]\r\n7=\"모임\"\r\n")));
    QVERIFY(!m_dir->exists(QStringLiteral("Anniversary - 2027.dat")));
}

QTEST_MAIN(TestEditAnniversary)
#include "tst_editanniversary.moc"
