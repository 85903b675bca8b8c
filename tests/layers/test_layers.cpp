// The include arrows of the program run one way: main window (app/ top level) → account
// window (app/accounts) → entry dialogs (app/sales) → posting services (app/ledger). The
// window kit (app/ui) and the report layouts (app/reports) serve every window and reach
// no window; the other window areas (cash book, stock, bank, ...) stand beside the account
// window and reach only what lies below it. No file of platform/ includes app/.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

class TestLayers : public QObject
{
    Q_OBJECT

private slots:
    void rankOf_data();
    void rankOf();
    void appArrowsRunOneWay();
    void platformIncludesNoApp();
};

namespace
{

// The area of a path below app/: "" for the top level (the main window and the
// administration windows), else the first folder.
QString areaOf(const QString &pathBelowApp)
{
    const int slash = pathBelowApp.indexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : pathBelowApp.left(slash);
}

// Higher ranks may include lower ones; an area may include itself.
int rankOf(const QString &area)
{
    if (area.isEmpty())
        return 4;
    if (area == QLatin1String("ledger"))
        return 0;
    if (area == QLatin1String("ui") || area == QLatin1String("reports"))
        return 1;
    if (area == QLatin1String("sales"))
        return 2;
    return 3; // accounts and the other window areas
}

bool allowed(const QString &fromArea, const QString &toArea)
{
    return fromArea == toArea || rankOf(toArea) < rankOf(fromArea);
}

struct Include {
    QString file; // relative to the source folder
    QString header;
};

QList<Include> includesBelow(const QString &folder)
{
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\""),
                                            QRegularExpression::MultilineOption);
    const QString root = qEnvironmentVariable("PV_SOURCE_DIR");
    QList<Include> out;
    QDirIterator it(root + QLatin1Char('/') + folder, {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString relative = f.fileName().mid(root.size() + 1);
        auto m = include.globalMatch(QString::fromUtf8(f.readAll()));
        while (m.hasNext())
            out.append({relative, m.next().captured(1)});
    }
    return out;
}

} // namespace

void TestLayers::rankOf_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("ok");
    QTest::newRow("main window → account window") << ""
                                                  << "accounts" << true;
    QTest::newRow("account window → entry dialogs") << "accounts"
                                                    << "sales" << true;
    QTest::newRow("entry dialogs → ledger") << "sales"
                                            << "ledger" << true;
    QTest::newRow("entry dialogs → kit") << "sales"
                                         << "ui" << true;
    QTest::newRow("cash book → ledger") << "cashbook"
                                        << "ledger" << true;
    QTest::newRow("entry dialogs → account window") << "sales"
                                                    << "accounts" << false;
    QTest::newRow("account window → main window") << "accounts"
                                                  << "" << false;
    QTest::newRow("ledger → kit") << "ledger"
                                  << "ui" << false;
    QTest::newRow("kit → entry dialogs") << "ui"
                                         << "sales" << false;
    QTest::newRow("kit → report layouts") << "ui"
                                          << "reports" << false;
    QTest::newRow("cash book → account window") << "cashbook"
                                                << "accounts" << false;
}

void TestLayers::rankOf()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(bool, ok);
    QCOMPARE(allowed(from, to), ok);
}

void TestLayers::appArrowsRunOneWay()
{
    const QList<Include> includes = includesBelow(QStringLiteral("app"));
    QVERIFY(includes.size() > 20);
    QStringList wrong;
    for (const Include &i : includes) {
        if (!i.header.startsWith(QLatin1String("app/")))
            continue;
        const QString from = areaOf(i.file.mid(4));
        const QString to = areaOf(i.header.mid(4));
        if (!allowed(from, to))
            wrong << i.file + QStringLiteral(" includes ") + i.header;
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
}

void TestLayers::platformIncludesNoApp()
{
    const QList<Include> includes = includesBelow(QStringLiteral("platform"));
    QVERIFY(includes.size() > 20);
    QStringList wrong;
    for (const Include &i : includes)
        if (i.header.startsWith(QLatin1String("app/")))
            wrong << i.file + QStringLiteral(" includes ") + i.header;
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestLayers)
#include "test_layers.moc"
