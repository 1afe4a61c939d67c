// The dialogs of the hard moments: their frames, sizes, places, colours,
// texts and buttons, the answer each way out gives, and the community board
// that opens the home page once per showing.

#include "core/ProjectInfo.h"
#include "dialogs/DontBear.h"
#include "dialogs/MessagePicture.h"
#include "dialogs/Sorry.h"
#include "dialogs/WaitShowWeb.h"
#include "dialogs/WaitWater.h"
#include "runtime/Desktop.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/support/TestSupport.h"
#include "widgets/Look.h"

#include <QLabel>
#include <QTest>
#include <memory>

using DialogDriver::click;

namespace {

// The dialog under test with its two buttons in the order of the table:
// the one that answers OK first.
struct Made {
    std::unique_ptr<TvxModalDialog> dialog;
    TvxGradiButton* ok;
    TvxGradiButton* cancel;
};

Made make(const QString& which, TvxPrjInfo& prj) {
    if (which == QLatin1String("water")) {
        auto* d = new TfrmWaitWater;
        return {std::unique_ptr<TvxModalDialog>(d), d->vxGradiButton1, d->vxGradiButton2};
    }
    if (which == QLatin1String("board")) {
        auto* d = new TfrmWaitShowWeb(prj);
        return {std::unique_ptr<TvxModalDialog>(d), d->vxGradiButton1, d->vxGradiButton2};
    }
    if (which == QLatin1String("appeal")) {
        auto* d = new TfrmDontBear;
        return {std::unique_ptr<TvxModalDialog>(d), d->vxGradiButton2, d->vxGradiButton1};
    }
    auto* d = new TfrmSorry;
    return {std::unique_ptr<TvxModalDialog>(d), d->vxGradiButton1, d->vxGradiButton2};
}

QStringList labelTexts(const QWidget* w) {
    QStringList out;
    for (const QLabel* l : w->findChildren<QLabel*>())
        out << QStringLiteral("%1,%2 %3").arg(l->x()).arg(l->y()).arg(l->text());
    return out;
}

} // namespace

class TestCravingDialogs : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_folder = std::make_unique<TestSupport::TempProgramFolder>();
        m_prj = std::make_unique<TvxPrjInfo>(m_folder->path());
        m_opened.clear();
        Desktop::SetOpenUrlHandler([this](const QString& url) {
            m_opened << url;
            return true;
        });
    }
    void cleanup() {
        Desktop::SetOpenUrlHandler({});
        m_prj.reset();
        m_folder.reset();
    }

    // Each way out and its modal result: OK 1, Cancel 2, the close box Cancel.
    void answers_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<int>("how"); // 0 the OK button, 1 the Cancel button, 2 the close box
        QTest::addColumn<int>("expected");
        for (const char* which : {"water", "board", "appeal", "sorry"}) {
            QTest::addRow("%s ok", which) << QString::fromLatin1(which) << 0 << 1;
            QTest::addRow("%s cancel", which) << QString::fromLatin1(which) << 1 << 2;
            QTest::addRow("%s close box", which) << QString::fromLatin1(which) << 2 << 2;
        }
    }
    void answers() {
        QFETCH(QString, which);
        QFETCH(int, how);
        QFETCH(int, expected);
        Made m = make(which, *m_prj);
        bool enterIgnored = false;
        DialogDriver::Script script;
        script.then([](QWidget* w) { return qobject_cast<TvxModalDialog*>(w) != nullptr; },
                    [&](QWidget* w) {
                        // No button is a default or cancel button, or a tab stop.
                        QTest::keyClick(w, Qt::Key_Return);
                        QTest::keyClick(w, Qt::Key_Escape);
                        enterIgnored = w->isVisible();
                        if (how == 0)
                            click(m.ok);
                        else if (how == 1)
                            click(m.cancel);
                        else
                            w->close();
                    });
        script.start();
        QCOMPARE(m.dialog->ShowModal(), expected);
        QVERIFY(enterIgnored);
        QVERIFY(!m.ok->TabStop() && !m.cancel->TabStop());
        QVERIFY(!m.ok->Default() && !m.cancel->Cancel());
    }

    // Captions, inner sizes, grounds, buttons and texts as designed.
    void layout_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QColor>("ground");
        QTest::addColumn<QRect>("okButton");
        QTest::addColumn<QString>("okCaption");
        QTest::addColumn<QRect>("cancelButton");
        QTest::addColumn<QString>("cancelCaption");
        QTest::addColumn<QStringList>("labels");

        const QColor face = Look::ButtonFace();
        QTest::newRow("water") << "water"
                               << "꼭 해보세요" << QSize(374, 139) << face
                               << QRect(135, 99, 101, 25) << "좋왔어 ^^" << QRect(238, 99, 126, 25)
                               << "그래도...T_T"
                               << QStringList{"65,20 지금 바로 물을 한컵 드세요!!!",
                                              "65,50 확실한 효과가 있습니다."};
        QTest::newRow("board") << "board"
                               << "이웃과 함께하면 수월합니다." << QSize(360, 174)
                               << QColor(0xED, 0xEB, 0xDA) << QRect(120, 135, 101, 25)
                               << "힘난다 ^^" << QRect(225, 135, 126, 25) << "흐이그흐~"
                               << QStringList{"10,25 금연 게시판을 방문하겠습니다.",
                                              "20,55 금연은 누구에게나 어려운 일입니다.",
                                              "20,70 금연은 혼자서 하시는 것 보다 같이 "
                                              "금연을 결심한",
                                              "20,90 많은 분들과 함께 잠시 말씀을 나누어 "
                                              "보십시요."};
        QTest::newRow("appeal") << "appeal"
                                << "금연 결심" << QSize(463, 270) << face << QRect(15, 155, 145, 25)
                                << "아냐 난 참을 수 있어!!" << QRect(15, 215, 145, 25)
                                << "정말 미안해..T_T" << QStringList{};
    }
    void layout() {
        QFETCH(QString, which);
        QFETCH(QString, caption);
        QFETCH(QSize, client);
        QFETCH(QColor, ground);
        QFETCH(QRect, okButton);
        QFETCH(QString, okCaption);
        QFETCH(QRect, cancelButton);
        QFETCH(QString, cancelCaption);
        QFETCH(QStringList, labels);
        Made m = make(which, *m_prj);
        TvxModalDialog& d = *m.dialog;
        QCOMPARE(d.windowTitle(), caption);
        QCOMPARE(d.size(), client);
        QCOMPARE(d.minimumSize(), d.maximumSize()); // a fixed dialog frame
        const Qt::WindowFlags f = d.windowFlags();
        QVERIFY(f & Qt::WindowCloseButtonHint);
        QVERIFY(!(f & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(f & Qt::WindowMaximizeButtonHint));
        QVERIFY(d.ScreenCentred());
        QCOMPARE(d.font().pixelSize(), 12);
        QCOMPARE(d.grab().toImage().pixelColor(client.width() - 3, 3), ground);
        QCOMPARE(m.ok->geometry(), okButton);
        QCOMPARE(m.ok->Caption(), okCaption);
        QCOMPARE(m.cancel->geometry(), cancelButton);
        QCOMPARE(m.cancel->Caption(), cancelCaption);
        QCOMPARE(labelTexts(&d), labels);
        for (const QLabel* l : d.findChildren<QLabel*>()) {
            // Both lines of the water dialog are headlines; the board has one.
            const bool headline = which == QLatin1String("water") || l->y() == 25;
            QCOMPARE(l->font().bold(), headline);
            QCOMPARE(l->font().pixelSize(), headline ? 15 : 12);
        }
    }

    void boardTitleCentredAcross341() {
        TfrmWaitShowWeb d(*m_prj);
        QCOMPARE(d.labTitle->geometry().left(), 10);
        QCOMPARE(d.labTitle->width(), 341);
        QCOMPARE(d.labTitle->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }

    // The relapse dialog: an ordinary sizeable frame with every caption
    // button, where it was designed (379, 243; 474 × 303 with its frame).
    void relapseDialogFrameAndPlace() {
        TfrmSorry d;
        QCOMPARE(d.windowTitle(), QStringLiteral("에고, 이런 이런"));
        const Qt::WindowFlags f = d.windowFlags();
        QVERIFY(f & Qt::WindowMinimizeButtonHint);
        QVERIFY(f & Qt::WindowMaximizeButtonHint);
        QVERIFY(f & Qt::WindowCloseButtonHint);
        QVERIFY(d.minimumSize() != d.maximumSize());
        QVERIFY(!d.ScreenCentred());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QTRY_COMPARE(d.frameGeometry(), QRect(379, 243, 474, 303));
        QCOMPARE(d.vxGradiButton1->geometry(), QRect(16, 155, 144, 25));
        QCOMPARE(d.vxGradiButton1->Caption(), QStringLiteral("다시 시작할께"));
        QCOMPARE(d.vxGradiButton2->geometry(), QRect(16, 210, 144, 25));
        QCOMPARE(d.vxGradiButton2->Caption(), QStringLiteral("미안, 실은 장난이야"));
        QCOMPARE(d.Shape1->geometry(), QRect(17, 12, 437, 130));
        QCOMPARE(d.img->geometry(), QRect(20, 15, 431, 124));
        QCOMPARE(d.imgMsgRetry->geometry(), QRect(170, 150, 281, 51));
        QCOMPARE(d.imgMsgCancel->geometry(), QRect(170, 210, 281, 51));
        // A white frame with a black outline around the picture.
        const QImage img = d.grab().toImage();
        QCOMPARE(img.pixelColor(17, 12), QColor(Qt::black));
        QCOMPARE(img.pixelColor(453, 141), QColor(Qt::black));
        QCOMPARE(img.pixelColor(18, 13), QColor(Qt::white));
        QCOMPARE(img.pixelColor(21, 16), QColor(0x3D, 0x55, 0x53));
        QCOMPARE(img.pixelColor(5, 5), Look::ButtonFace());
        d.hide();
    }

    void appealPicturesInPlace() {
        TfrmDontBear d;
        QCOMPARE(d.Shape1->geometry(), QRect(17, 12, 437, 130));
        QCOMPARE(d.img->geometry(), QRect(20, 15, 431, 124));
        QCOMPARE(d.imgMsgCancel->geometry(), QRect(170, 155, 281, 51));
        QCOMPARE(d.imgMsgRetry->geometry(), QRect(170, 210, 281, 51));
    }

    // The board opens the home page when it first becomes active in a
    // showing; coming back to it (from the browser) does not open it again,
    // a new showing does.
    void homePageOncePerShowing() {
        TfrmWaitShowWeb d(*m_prj);
        QWidget other;
        other.resize(100, 100);
        for (int showing = 1; showing <= 2; ++showing) {
            int seenOnArrival = -1;
            int seenAfterReturn = -1;
            DialogDriver::Script script;
            script.on<TfrmWaitShowWeb>([&](TfrmWaitShowWeb* dlg) {
                QTRY_VERIFY(dlg->isActiveWindow());
                seenOnArrival = int(m_opened.size());
                // Away to the browser and back, twice.
                for (int i = 0; i < 2; ++i) {
                    other.show();
                    other.activateWindow();
                    QTRY_VERIFY(!dlg->isActiveWindow());
                    dlg->activateWindow();
                    QTRY_VERIFY(dlg->isActiveWindow());
                }
                seenAfterReturn = int(m_opened.size());
                click(dlg->vxGradiButton2);
            });
            script.start();
            QCOMPARE(d.ShowModal(), TvxModalDialog::mrCancel);
            QVERIFY(!script.timedOut());
            QCOMPARE(seenOnArrival, showing);
            QCOMPARE(seenAfterReturn, showing);
        }
        QCOMPARE(m_opened, (QStringList{HomePageUrl, HomePageUrl}));
    }

private:
    std::unique_ptr<TestSupport::TempProgramFolder> m_folder;
    std::unique_ptr<TvxPrjInfo> m_prj;
    QStringList m_opened;
};

QTEST_MAIN(TestCravingDialogs)
#include "tst_cravingdialogs.moc"
