#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Pelvanor"));
    QLabel w(QStringLiteral("Pelvanor"));
    w.setWindowTitle(QStringLiteral("Pelvanor"));
    w.resize(640, 400);
    w.show();
    return app.exec();
}
