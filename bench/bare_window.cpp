// The yardstick for Tarvell's running costs: a bare Qt Widgets window of the
// same size that rewrites three labels every second.
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("Bare window"));
    w.setFixedSize(783, 486);
    QLabel* labels[3];
    for (int i = 0; i < 3; ++i) {
        labels[i] = new QLabel(&w);
        labels[i]->setGeometry(10, 10 + 20 * i, 300, 18);
    }
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const QDateTime now = QDateTime::currentDateTime();
        labels[0]->setText(now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        labels[1]->setText(QString::number(now.toSecsSinceEpoch()));
        labels[2]->setText(QString::number(now.time().second()));
    });
    timer.start(1000);
    w.show();
    return app.exec();
}
