#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel w(QStringLiteral("bvRepair"));
    w.setWindowTitle(QStringLiteral("bvRepair"));
    w.show();
    return app.exec();
}
