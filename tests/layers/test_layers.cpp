// The include arrows of the program run one way: main window (app/shell) → account
// window (app/accounts) → entry dialogs (app/sales) → posting services (app/ledger). The
// window kit (app/ui) and the report layouts (app/reports) serve every window and reach
// no window; the other window areas (cash book, stock, bank, ...) stand beside the account
// window and reach only what lies below it. No file of platform/ includes app/, and no
// source file lies loose in app/.
//
// The shop's tables are written by the posting services alone: outside app/ledger no file
// holds a transaction or the ledger's write scope, SQL text that writes a shop table, or a
// record-set or data-control write other than the listed writes of the settings, users,
// units and canned texts. This is the first signal; the shop file's guard refuses such a
// write at run time however it is spelt.
//
// Two doors stay single: SQLite itself (its header, its calls, a connection's handle) is
// reached from app/ through the kit's database helper alone, so no window opens the file
// unguarded or switches the guard off, and the data layer's inside (Connection.h, where a
// connection's scope count lives) from no file of app/ at all; and a control is looked up
// by its name through the kit's checked look-up alone, which fails loudly on a name the
// form file lacks.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
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
    void sourceScan_data();
    void sourceScan();
    void shopTablesAreWrittenByTheLedgerAlone();
    void controlScan_data();
    void controlScan();
    void windowsReachOthersOnlyByOpeners();
};

namespace
{

// The area of a path below app/: its first folder, "" for a file loose in app/.
QString areaOf(const QString &pathBelowApp)
{
    const int slash = pathBelowApp.indexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : pathBelowApp.left(slash);
}

// Higher ranks may include lower ones; an area may include itself.
int rankOf(const QString &area)
{
    if (area == QLatin1String("shell"))
        return 4;
    if (area == QLatin1String("ledger"))
        return 0;
    if (area == QLatin1String("ui") || area == QLatin1String("reports"))
        return 1;
    if (area == QLatin1String("sales"))
        return 2;
    return 3; // accounts and the other window areas, administration among them
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

// ---------------------------------------------------------------- writes of the shop's tables

const QString kShopTables =
    QStringLiteral("musteriler|veresiye|kasa|SatisRapor|Product|banka|banka2|son_islemno|son_musterino|"
                   "urun_marka|urun_reyon");

// A source file split into its code (comments and literals blanked, lines kept) and the
// texts of its string literals with their lines.
struct Scanned {
    QString code;
    QList<std::pair<int, QString>> literals;
};

Scanned scan(const QString &text)
{
    Scanned out;
    out.code.reserve(text.size());
    int line = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
        if (c == QLatin1Char('/') && next == QLatin1Char('/')) {
            while (i < text.size() && text.at(i) != QLatin1Char('\n'))
                ++i;
            --i;
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            for (i += 2; i + 1 < text.size() &&
                         !(text.at(i) == QLatin1Char('*') && text.at(i + 1) == QLatin1Char('/'));
                 ++i)
                if (text.at(i) == QLatin1Char('\n')) {
                    out.code += QLatin1Char('\n');
                    ++line;
                }
            ++i;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            QString literal;
            for (++i; i < text.size() && text.at(i) != c && text.at(i) != QLatin1Char('\n'); ++i) {
                if (text.at(i) == QLatin1Char('\\') && i + 1 < text.size())
                    literal += text.at(++i);
                else
                    literal += text.at(i);
            }
            out.code += QStringLiteral("\"\"");
            if (c == QLatin1Char('"'))
                out.literals.append({line, literal});
        } else {
            if (c == QLatin1Char('\n'))
                ++line;
            out.code += c;
        }
    }
    return out;
}

// What a file's code and literals do to the shop's tables, one finding a line: "line: what".
// A table is named plain, quoted or bracketed, after a database's name or not (s.kasa,
// "main"."veresiye").
QStringList shopWrites(const Scanned &s, const QStringList &allowedCalls)
{
    static const QRegularExpression sqlWrite(
        QStringLiteral(
            "\\b(insert\\s+(or\\s+\\w+\\s+)?into|replace\\s+into|update(\\s+or\\s+\\w+)?|delete\\s+from)\\s+"
            "((\\w+|\\[[^\\]]*\\]|\"[^\"]*\"|`[^`]*`)\\s*\\.\\s*)?[\\[\"`]?(%1)\\b")
            .arg(kShopTables),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression ledgerOnly(QStringLiteral(
        "\\b(pv::)?(Transaction|Counter|WriteScope)\\b|\\b(pv::ledger::)?Ledger(Write|Transaction)\\b"));
    static const QRegularExpression recordWrite(QStringLiteral(
        "\\b\\w+(\\(\\))?((\\.|->)\\w+(\\(\\))?)*(\\.|->)(Edit|AddNew|Update|UpdateRecord|Delete)\\s*\\("));
    QStringList found;
    for (const auto &[line, literal] : s.literals)
        if (sqlWrite.match(literal).hasMatch())
            found << QStringLiteral("%1: SQL \"%2\"").arg(line).arg(literal);
    const QStringList lines = s.code.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (const auto m = ledgerOnly.match(lines.at(i)); m.hasMatch())
            found << QStringLiteral("%1: %2").arg(i + 1).arg(m.captured(0));
        auto calls = recordWrite.globalMatch(lines.at(i));
        while (calls.hasNext()) {
            const QString call = calls.next().captured(0).remove(QLatin1Char(' '));
            if (!allowedCalls.contains(call))
                found << QStringLiteral("%1: %2").arg(i + 1).arg(call);
        }
    }
    return found;
}

// The one file of app/ that reaches SQLite itself: the backup and the file checks.
const QString kSqliteDoor = QStringLiteral("app/ui/KitDatabase.cpp");

// Where code includes the data layer's inside, one finding a line: "line: what". Through
// it a connection's write scopes could be counted up by hand; no file of app/ includes it.
QStringList insideIncludes(const Scanned &s)
{
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*(<([^>]*)>|\"\")"));
    static const QRegularExpression inside(QStringLiteral("(^|/)platform/data/Connection\\.h$"));
    QStringList found;
    const QStringList lines = s.code.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const auto m = include.match(lines.at(i));
        if (!m.hasMatch())
            continue;
        QStringList headers{m.captured(2)};
        for (const auto &[line, literal] : s.literals)
            if (line == i + 1)
                headers << literal;
        for (const QString &h : headers)
            if (inside.match(h).hasMatch())
                found << QStringLiteral("%1: #include %2").arg(i + 1).arg(h);
    }
    return found;
}

// Where code reaches SQLite itself, one finding a line: "line: what". The header however
// its include is spelt, any sqlite3_ name, and a connection's handle.
QStringList sqliteUses(const Scanned &s)
{
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*(<[^>]*>|\"\")"));
    static const QRegularExpression header(QStringLiteral("(^|[/<])sqlite3\\w*\\.h>?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression use(QStringLiteral("\\bsqlite3_\\w+|(\\.|->)\\s*handle\\s*\\("));
    QStringList found;
    const QStringList lines = s.code.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (const auto m = include.match(lines.at(i)); m.hasMatch()) {
            QStringList headers{m.captured(1)};
            for (const auto &[line, literal] : s.literals)
                if (line == i + 1)
                    headers << literal;
            for (const QString &h : headers)
                if (header.match(h).hasMatch())
                    found << QStringLiteral("%1: #include %2").arg(i + 1).arg(h);
        }
        auto m = use.globalMatch(lines.at(i));
        while (m.hasNext())
            found << QStringLiteral("%1: %2").arg(i + 1).arg(m.next().captured(0).remove(QLatin1Char(' ')));
    }
    return found;
}

// The record-set and data-control writes outside the ledger, each on a table that is no
// shop table, or a pending row the ledger saves: file, the call as written, and why.
struct AllowedWrite {
    const char *file;
    const char *call;
    const char *why;
};
const AllowedWrite kAllowedWrites[] = {
    {"app/admin/ayarlar.cpp", "rs.Edit(", "settings (dgrayr)"},
    {"app/admin/ayarlar.cpp", "rs.Update(", "settings (dgrayr)"},
    {"app/admin/kullanici.cpp", "rs.AddNew(", "users"},
    {"app/admin/kullanici.cpp", "rs.Edit(", "users"},
    {"app/admin/kullanici.cpp", "rs.Update(", "users"},
    {"app/admin/kullanici.cpp", "rs.Delete(", "users"},
    {"app/admin/birmler.cpp", "rs.AddNew(", "units"},
    {"app/admin/birmler.cpp", "rs.Update(", "units"},
    {"app/admin/birmler.cpp", "Data1->Recordset().Delete(", "units"},
    {"app/shell/frmAlert.cpp", "Data1->UpdateRecord(", "the alert switch (dgrayr)"},
    {"app/accounts/FrmEmail.cpp", "DataFirmaBilgi->UpdateRecord(", "shop name and sender (dgrayr)"},
    {"app/sales/veresiyeekleode.cpp", "rs.AddNew(", "canned descriptions"},
    {"app/sales/veresiyeekleode.cpp", "rs.Update(", "canned descriptions"},
    {"app/sales/veresiyeekleode.cpp", "rs.Delete(", "canned descriptions"},
    {"app/stock/frmProduct.cpp", "Data1->Recordset().AddNew(", "a pending row saveProduct saves"},
    {"app/stock/frmProduct.cpp", "rs.Edit(", "a pending row saveProduct saves"},
};

QStringList allowedCallsOf(const QString &file)
{
    QStringList calls;
    for (const AllowedWrite &a : kAllowedWrites)
        if (file == QLatin1String(a.file))
            calls << QLatin1String(a.call);
    return calls;
}

// ---------------------------------------------------------------- other windows' controls

// The one file of app/ that looks a control up by its name: the kit's checked look-up.
const QString kControlDoor = QStringLiteral("app/ui/KitControls.cpp");

// Where code looks a control up by its name, one finding a line: "line: what". A
// findChild or findChildren given anything but nothing or search options, and a comparison
// with an object's name on either side. code is without comments and literals.
QStringList namedLookups(const QString &code)
{
    static const QRegularExpression lookup(
        QStringLiteral("\\bfindChild(ren)?\\b\\s*(<[^;(){}]*>)?\\s*\\((?!\\s*(\\)|Qt::Find\\w+\\s*\\)))"));
    static const QRegularExpression compared(
        QStringLiteral("\\bobjectName\\s*\\(\\s*\\)\\s*[!=]=|[!=]=\\s*([\\w:]+(\\(\\))?\\s*(\\.|->)\\s*)*"
                       "objectName\\s*\\("));
    QStringList found;
    const QStringList lines = code.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i)
        for (const QRegularExpression *re : {&lookup, &compared}) {
            auto m = re->globalMatch(lines.at(i));
            while (m.hasNext())
                found << QStringLiteral("%1: %2").arg(i + 1).arg(
                    m.next().captured(0).remove(QLatin1Char(' ')));
        }
    return found;
}

// The window classes of the program's sources: every class made on pv::Form.
QStringList windowClassesIn(const QString &code)
{
    static const QRegularExpression form(QStringLiteral("\\bclass\\s+(\\w+)\\s*:\\s*public\\s+pv::Form\\b"));
    QStringList out;
    auto m = form.globalMatch(code);
    while (m.hasNext())
        out << m.next().captured(1);
    return out;
}

// Where code reaches a control of another window, one finding a line: "line: what". A
// window is reached by a reference or pointer of its class, or by pv::form<>() itself; its
// controls are the members used through "->" or made into it with new or the kit. The
// names are gathered from every part given (a header declares what its source uses);
// findings are told for code alone. own is the class of the file.
QStringList controlsOfOthers(const QString &code, const QString &declarations, const QString &own,
                             const QStringList &windows)
{
    QStringList others = windows;
    others.removeAll(own);
    if (others.isEmpty())
        return {};
    const QString names = others.join(QLatin1Char('|'));
    const QRegularExpression bound(QStringLiteral("\\b(%1)\\s*[&*]\\s*(\\w+)").arg(names));
    const QRegularExpression formRef(
        QStringLiteral("\\bauto\\s*&\\s*(\\w+)\\s*=\\s*pv::form<(%1)>").arg(names));
    QStringList holders;
    for (const QString &text : {declarations, code}) {
        auto b = bound.globalMatch(text);
        while (b.hasNext())
            holders << b.next().captured(2);
        auto f = formRef.globalMatch(text);
        while (f.hasNext())
            holders << f.next().captured(1);
    }
    QStringList uses{QStringLiteral("\\bpv::form<(%1)>\\(\\)\\s*\\.\\s*\\w+\\s*->").arg(names)};
    holders.removeDuplicates();
    if (!holders.isEmpty()) {
        const QString h = holders.join(QLatin1Char('|'));
        uses << QStringLiteral("\\b(%1)\\s*(\\.|->)\\s*\\w+\\s*->").arg(h)
             << QStringLiteral("\\b(%1)\\s*(\\.|->)\\s*\\w+\\s*=\\s*(new\\b|ui::)").arg(h);
    }
    QStringList found;
    const QStringList lines = code.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i)
        for (const QString &use : uses) {
            auto m = QRegularExpression(use).globalMatch(lines.at(i));
            while (m.hasNext())
                found << QStringLiteral("%1: %2").arg(i + 1).arg(
                    m.next().captured(0).remove(QLatin1Char(' ')));
        }
    return found;
}

} // namespace

void TestLayers::rankOf_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("ok");
    QTest::newRow("main window → account window") << "shell"
                                                  << "accounts" << true;
    QTest::newRow("main window → administration") << "shell"
                                                  << "admin" << true;
    QTest::newRow("administration → main window") << "admin"
                                                  << "shell" << false;
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
                                                  << "shell" << false;
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
    // Every source belongs to an area: none stands in app/ itself.
    const QDir app(qEnvironmentVariable("PV_SOURCE_DIR") + QStringLiteral("/app"));
    QVERIFY(app.exists());
    for (const QString &loose : app.entryList({QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files))
        wrong << QStringLiteral("app/") + loose + QStringLiteral(" lies loose in app/");
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

// The scan itself, on made-up code: what it finds and what it lets pass.
void TestLayers::sourceScan_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("allowed");
    QTest::addColumn<QStringList>("found");
    const QStringList none;
    QTest::newRow("own transaction") << "pv::Transaction tx(db);" << none
                                     << QStringList{"1: pv::Transaction"};
    QTest::newRow("counter") << "x;\nCounter c(db, t, f);" << none << QStringList{"2: Counter"};
    QTest::newRow("write scope") << "const pv::WriteScope s = pv::ledger::LedgerWrite::scope(db);" << none
                                 << QStringList{"1: pv::WriteScope"};
    QTest::newRow("ledger transaction")
        << "pv::ledger::LedgerTransaction t(db);" << none << QStringList{"1: pv::ledger::LedgerTransaction"};
    QTest::newRow("delete of a category") << "q(\"DELETE FROM urun_marka WHERE id = ?\");" << none
                                          << QStringList{"1: SQL \"DELETE FROM urun_marka WHERE id = ?\""};
    QTest::newRow("update of a shop table")
        << "db.exec(QStringLiteral(\"UPDATE musteriler SET Gun = ?\"));" << none
        << QStringList{"1: SQL \"UPDATE musteriler SET Gun = ?\""};
    QTest::newRow("insert, any case") << "q(\"insert into [kasa] (a) values (?)\");" << none
                                      << QStringList{"1: SQL \"insert into [kasa] (a) values (?)\""};
    QTest::newRow("delete from the ledger") << "q(\"delete from veresiye where id = ?\");" << none
                                            << QStringList{"1: SQL \"delete from veresiye where id = ?\""};
    QTest::newRow("an attached file's cash rows")
        << "q(\"INSERT INTO s.kasa (Aciklama) VALUES (?)\");" << none
        << QStringList{"1: SQL \"INSERT INTO s.kasa (Aciklama) VALUES (?)\""};
    QTest::newRow("the ledger of main") << "q(\"UPDATE main.veresiye SET Aciklama = ?\");" << none
                                        << QStringList{"1: SQL \"UPDATE main.veresiye SET Aciklama = ?\""};
    QTest::newRow("quoted database and table")
        << "q(\"delete from \\\"main\\\" . \\\"Product\\\" where 1\");" << none
        << QStringList{"1: SQL \"delete from \"main\" . \"Product\" where 1\""};
    QTest::newRow("bracketed database and table")
        << "q(\"insert or replace into [ek].[son_islemno] values (?)\");" << none
        << QStringList{"1: SQL \"insert or replace into [ek].[son_islemno] values (?)\""};
    // Every conflict clause: OR ROLLBACK, ABORT, FAIL, IGNORE, REPLACE.
    for (const char *sql :
         {"UPDATE OR IGNORE kasa SET Giren = ?", "update or replace [veresiye] set a = ?",
          "UPDATE OR ROLLBACK main.Product SET OnHand = ?", "INSERT OR REPLACE INTO kasa (a) VALUES (?)",
          "insert or abort into \"kasa\" (a) values (?)", "REPLACE INTO musteriler (a) VALUES (?)"})
        QTest::addRow("conflict clause: %s", sql)
            << QStringLiteral("q(\"%1\");").arg(QString::fromLatin1(sql).replace(u'"', QLatin1String("\\\"")))
            << none << QStringList{QStringLiteral("1: SQL \"%1\"").arg(QString::fromLatin1(sql))};
    QTest::newRow("a canned text table")
        << "q(\"insert into Musteri_Gruplari (grupadi) values (?)\");" << none << none;
    QTest::newRow("a canned text table of an attached file")
        << "q(\"insert into s.Musteri_Gruplari (grupadi) values (?)\");" << none << none;
    QTest::newRow("a read of an attached file")
        << "q(\"select * from s.kasa where main.x = ?\");" << none << none;
    QTest::newRow("a read") << "q(\"select * from musteriler where kasa = ?\");" << none << none;
    QTest::newRow("data-control save")
        << "if (!m_data.UpdateRecord(kCardFields))" << none << QStringList{"1: m_data.UpdateRecord("};
    QTest::newRow("record set, listed")
        << "ok = rs.AddNew() && rs.Update();" << QStringList{"rs.AddNew(", "rs.Update("} << none;
    QTest::newRow("record set, one listed")
        << "ok = rs.AddNew() && rs.Update();" << QStringList{"rs.AddNew("} << QStringList{"1: rs.Update("};
    QTest::newRow("through a getter")
        << "Data1->Recordset().Delete();" << none << QStringList{"1: Data1->Recordset().Delete("};
    QTest::newRow("cancel, line edit, widget update")
        << "Data4->CancelUpdate(); c->lineEdit()->setReadOnly(true); DBGrid1->viewport()->update();" << none
        << none;
    QTest::newRow("comments and texts") << "// rs.Update() in a pv::Transaction\n/* UPDATE kasa SET */\n"
                                           "say(\"rs.Edit() opens it\");"
                                        << none << none;
    QTest::newRow("SQLite's header")
        << "#include <sqlite3.h>\n# include \"sqlite3.h\"\n#include <sqlite3ext.h>" << none
        << QStringList{"1: #include <sqlite3.h>", "2: #include sqlite3.h", "3: #include <sqlite3ext.h>"};
    QTest::newRow("a file opened raw")
        << "sqlite3 *raw = nullptr;\nsqlite3_open_v2(path, &raw, SQLITE_OPEN_READWRITE, nullptr);" << none
        << QStringList{"2: sqlite3_open_v2"};
    QTest::newRow("the guard switched off")
        << "sqlite3_set_authorizer(db.handle(), nullptr, nullptr);\nauto *h = m_db->handle ();" << none
        << QStringList{"1: sqlite3_set_authorizer", "1: .handle(", "2: ->handle("};
    QTest::newRow("SQLite named in comments and texts")
        << "// sqlite3_open_v2(db.handle())\n#include \"app/ui/KitDatabase.h\"\nsay(\"sqlite3_exec\");"
        << none << none;
    QTest::newRow("the data layer's inside")
        << "#include \"platform/data/Connection.h\"\n#include <platform/data/Connection.h>\n"
           "#include \"platform/data/Database.h\"\n// #include \"platform/data/Connection.h\""
        << none
        << QStringList{"1: #include platform/data/Connection.h", "2: #include platform/data/Connection.h"};
}

void TestLayers::sourceScan()
{
    QFETCH(QString, code);
    QFETCH(QStringList, allowed);
    QFETCH(QStringList, found);
    const Scanned scanned = scan(code);
    QCOMPARE(shopWrites(scanned, allowed) + sqliteUses(scanned) + insideIncludes(scanned), found);
}

// No shop table written outside the ledger, SQLite reached through the kit's one door, and
// the data layer's inside through none.
void TestLayers::shopTablesAreWrittenByTheLedgerAlone()
{
    const QString root = qEnvironmentVariable("PV_SOURCE_DIR");
    QDirIterator it(root + QStringLiteral("/app"), {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                    QDir::Files, QDirIterator::Subdirectories);
    int files = 0;
    QStringList wrong;
    while (it.hasNext()) {
        QFile f(it.next());
        const QString relative = f.fileName().mid(root.size() + 1);
        QVERIFY(f.open(QIODevice::ReadOnly));
        ++files;
        const Scanned scanned = scan(QString::fromUtf8(f.readAll()));
        QStringList findings;
        if (!relative.startsWith(QLatin1String("app/ledger/")))
            findings << shopWrites(scanned, allowedCallsOf(relative));
        if (relative != kSqliteDoor)
            findings << sqliteUses(scanned);
        findings << insideIncludes(scanned);
        for (const QString &finding : findings)
            wrong << relative + QStringLiteral(":") + finding;
    }
    QVERIFY(files > 20);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
}

// The scan of other windows' controls, on made-up code.
void TestLayers::controlScan_data()
{
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("declarations");
    QTest::addColumn<QStringList>("found");
    const QStringList none;
    QTest::newRow("a box of the window opened")
        << "AccountMail"
        << "FrmEmail &m = pv::form<FrmEmail>();\nm.TextBox2->setText(name);"
        << "" << QStringList{"2: m.TextBox2->"};
    QTest::newRow("auto reference") << "FrmEmail"
                                    << "auto &d = pv::form<Dialog2>(); d.Timer1->setEnabled(true);"
                                    << "" << QStringList{"1: d.Timer1->"};
    QTest::newRow("straight from pv::form") << "FrmEmail"
                                            << "pv::form<Dialog2>().XP_ProgressBar1->setValue(0);"
                                            << "" << QStringList{"1: pv::form<Dialog2>().XP_ProgressBar1->"};
    QTest::newRow("a panel building into the window")
        << "StokArama"
        << "w.aramaFrame = ui::frame(&w, n, 0, 0, 1, 1, t);\nw.Timer1 = new pv::Timer(10, false, &w);"
        << "frmProduct &w;" << QStringList{"1: w.aramaFrame=ui::", "2: w.Timer1=new"};
    QTest::newRow("hand-off fields and openers")
        << "AccountMail"
        << "auto &m = pv::form<FrmEmail>();\nm.Text10 = code;\nm.openPlain(c);\nm.Show(pv::Form::Modal);"
        << "" << none;
    QTest::newRow("its own controls") << "Dialog2"
                                      << "Dialog2 &d = *this; d.Timer1->setEnabled(false);"
                                      << "" << none;
    QTest::newRow("a panel of its own") << "frmProduct"
                                        << "arama->txtAra->setCurrentIndex(0);"
                                        << "" << none;
    QTest::newRow("a box by its name")
        << "FrmEmail"
        << "auto *t = findChild<QLineEdit *>(\"xpTxt3\");\nif (t)\n    t->clear();"
        << "" << QStringList{"1: findChild<QLineEdit*>("};
    QTest::newRow("by a name held") << "FrmEmail"
                                    << "for (auto *b : w->findChildren<QPushButton *>(name)) b->hide();"
                                    << "" << QStringList{"1: findChildren<QPushButton*>("};
    QTest::newRow("compared by name")
        << "FrmEmail"
        << "if (c->objectName() == \"Text1\") c->hide();\nif (\"Text2\" != c->objectName()) return;"
        << "" << QStringList{"1: objectName()==", "2: !=c->objectName("};
    QTest::newRow("every child, names read, in comments and texts")
        << "FrmEmail"
        << "for (QWidget *c : findChildren<QWidget *>()) log(c->objectName() + x);\n"
           "findChildren<QWidget *>(Qt::FindDirectChildrenOnly);\nfindChild<QFrame "
           "*>(Qt::FindChildrenRecursively);\n"
           "// findChild<QLineEdit *>(\"xpTxt3\")\nsay(\"objectName() == it\");"
        << "" << none;
}

void TestLayers::controlScan()
{
    QFETCH(QString, own);
    QFETCH(QString, code);
    QFETCH(QString, declarations);
    QFETCH(QStringList, found);
    const QStringList windows{QStringLiteral("FrmEmail"), QStringLiteral("Dialog2"),
                              QStringLiteral("frmProduct")};
    const QString scanned = scan(code).code;
    QCOMPARE(controlsOfOthers(scanned, scan(declarations).code, own, windows) + namedLookups(scanned), found);
}

// A window reaches another only through its openers and hand-off fields, never by its
// controls; a panel of a window reaches it through hooks and signals. A control is looked
// up by its name through the kit's checked look-up alone.
void TestLayers::windowsReachOthersOnlyByOpeners()
{
    const QString root = qEnvironmentVariable("PV_SOURCE_DIR");
    QMap<QString, QString> code; // relative path -> code without comments and literals
    QDirIterator it(root + QStringLiteral("/app"), {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        QVERIFY(f.open(QIODevice::ReadOnly));
        code.insert(f.fileName().mid(root.size() + 1), scan(QString::fromUtf8(f.readAll())).code);
    }
    QStringList windows;
    for (const QString &c : code)
        windows << windowClassesIn(c);
    QVERIFY(windows.contains(QStringLiteral("FrmEmail")) && windows.contains(QStringLiteral("frmProduct")));
    QStringList wrong;
    for (auto i = code.cbegin(); i != code.cend(); ++i) {
        const QFileInfo file(i.key());
        const QString stem = file.path() + QLatin1Char('/') + file.completeBaseName();
        const QString declarations = code.value(stem + QStringLiteral(".h"));
        QStringList findings = controlsOfOthers(i.value(), declarations, file.completeBaseName(), windows);
        if (i.key() != kControlDoor)
            findings << namedLookups(i.value());
        for (const QString &finding : findings)
            wrong << i.key() + QStringLiteral(":") + finding;
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestLayers)
#include "test_layers.moc"
