#include "platform/data/Database.h"
#include "platform/data/Recordset.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

using pv::Database;
using pv::DataControl;
using pv::DbError;
using pv::Recordset;

class TestData : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    Database m_db;

    // Small tables of the shop's kind, each test on a new file.
    void createTables()
    {
        QVERIFY2(m_db.exec(QStringLiteral(R"(
            CREATE TABLE musteriler (id INTEGER PRIMARY KEY AUTOINCREMENT,
                mus_kodu TEXT COLLATE TURKISH NOT NULL UNIQUE, MusteriFirma TEXT COLLATE TURKISH,
                Sonislem DATE, Gun INTEGER, Bakiye REAL, "Not" TEXT COLLATE TURKISH);
            CREATE TABLE veresiye (Tarih TEXT COLLATE TURKISH, Saat TEXT COLLATE TURKISH,
                Eklenen REAL, Odenen REAL, id INTEGER PRIMARY KEY AUTOINCREMENT,
                Tarih2 TEXT COLLATE TURKISH, islemNo2 TEXT COLLATE TURKISH, mus_kodu TEXT COLLATE TURKISH);
            CREATE TABLE son_islemno (islemno INTEGER);
            CREATE TABLE "User" (Username TEXT COLLATE TURKISH NOT NULL UNIQUE, Password TEXT,
                UserType TEXT COLLATE TURKISH, id INTEGER PRIMARY KEY AUTOINCREMENT);
            CREATE TABLE Product (id INTEGER PRIMARY KEY AUTOINCREMENT,
                [Product Code] TEXT COLLATE TURKISH NOT NULL UNIQUE, [Generic Name] TEXT COLLATE TURKISH,
                [Brand Name] TEXT COLLATE TURKISH, OnHand REAL);
            INSERT INTO son_islemno VALUES (0);
        )")),
                 qPrintable(m_db.lastError().message));
    }

    bool like(const QString &text, const QString &pattern)
    {
        return m_db.scalar(QStringLiteral("SELECT ? LIKE ?"), {text, pattern}).toInt() == 1;
    }

    QStringList column(const QString &sql, const QVariantList &params = {})
    {
        QStringList out;
        Recordset rs(m_db, sql, params);
        for (; !rs.Eof(); rs.MoveNext())
            out << rs.Fields(0).text();
        return out;
    }

    void addCustomer(const QString &code, const QString &name)
    {
        QVERIFY(m_db.exec(QStringLiteral("INSERT INTO musteriler (mus_kodu, MusteriFirma) VALUES (?, ?)"),
                          {code, name}));
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(m_db.open(m_dir->filePath(QStringLiteral("pelvanor.dll")), Database::CreateIfMissing));
        createTables();
    }
    void cleanup()
    {
        m_db.close();
        m_dir.reset();
    }

    // What the user reads when a statement fails: Turkish for every condition, the number
    // kept for the callers that test it, the engine's English only in the detail.
    void reasonsInTurkish_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<int>("number"); // the low byte for SQLite's codes
        QTest::addColumn<QString>("message");
        const QString busy = QStringLiteral(
            "Veri tabanı dosyası başka bir program tarafından kullanılıyor; biraz sonra yeniden deneyin.");
        QTest::newRow("another program's write lock") << "busy" << SQLITE_BUSY << busy;
        QTest::newRow("read-only") << "readonly" << SQLITE_READONLY
                                   << QStringLiteral("Veri tabanı dosyası salt okunur; kayıt yapılamaz.");
        QTest::newRow("disk full") << "full" << SQLITE_FULL << QStringLiteral("Diskte yer kalmadı.");
        QTest::newRow("I/O error") << "io" << SQLITE_IOERR
                                   << QStringLiteral("Veri tabanı dosyası okunurken ya da yazılırken disk "
                                                     "hatası oluştu.");
        QTest::newRow("damaged") << "damaged" << SQLITE_NOTADB
                                 << QStringLiteral("Veri tabanı dosyası zarar görmüş.");
        QTest::newRow("missing file")
            << "missing" << SQLITE_CANTOPEN << QStringLiteral("Veri tabanı dosyası açılamadı.");
        QTest::newRow("a unique key given twice")
            << "unique" << int(DbError::DuplicateKey) << QStringLiteral("Bu anahtarla bir kayıt zaten var.");
        QTest::newRow("any other") << "other" << SQLITE_ERROR
                                   << QStringLiteral("Veri tabanı işlemi yapılamadı.");
        QTest::newRow("an old engine's number") << "no current record" << int(DbError::NoCurrentRecord)
                                                << QStringLiteral("Veri tabanı işlemi yapılamadı.");
    }
    void reasonsInTurkish()
    {
        QFETCH(QString, condition);
        QFETCH(int, number);
        QFETCH(QString, message);
        const QString path = m_dir->filePath(QStringLiteral("pelvanor.dll"));
        const QString insert = QStringLiteral("INSERT INTO son_islemno VALUES (1)");
        sqlite3 *other = nullptr;
        DbError error;
        if (condition == QLatin1String("busy")) {
            // Another program holds a write lock; no wait, to keep the test short.
            QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &other), SQLITE_OK);
            QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_busy_timeout(m_db.handle(), 0);
            QVERIFY(!m_db.exec(insert));
            error = m_db.lastError();
        } else if (condition == QLatin1String("readonly")) {
            Database look;
            QVERIFY(look.open(path, Database::ReadOnly));
            QVERIFY(!look.exec(insert));
            error = look.lastError();
        } else if (condition == QLatin1String("full")) {
            QVERIFY(m_db.exec(QStringLiteral("PRAGMA max_page_count = ") +
                              m_db.scalar(QStringLiteral("PRAGMA page_count")).toString()));
            QVERIFY(!m_db.exec(QStringLiteral("INSERT INTO musteriler (mus_kodu, \"Not\") VALUES ('1', ?)"),
                               {QString(100000, u'x')}));
            error = m_db.lastError();
        } else if (condition == QLatin1String("io")) {
            // No disk fails on demand: the number SQLite gives for a failed write.
            QCOMPARE(pv::userReason(SQLITE_IOERR_WRITE), message);
            QCOMPARE(pv::userReason(SQLITE_IOERR_DELETE), message);
            return;
        } else if (condition == QLatin1String("damaged")) {
            QFile text(m_dir->filePath(QStringLiteral("notlar.dll")));
            QVERIFY(text.open(QIODevice::WriteOnly) && text.write(QByteArray(8192, 'x')) == 8192);
            text.close();
            Database db;
            QVERIFY(!db.open(text.fileName())); // the first read of the opening fails
            error = db.lastError();
        } else if (condition == QLatin1String("missing")) {
            Database db;
            QVERIFY(!db.open(m_dir->filePath(QStringLiteral("yok.dll"))));
            error = db.lastError();
        } else if (condition == QLatin1String("unique")) {
            addCustomer(QStringLiteral("1"), QStringLiteral("Bir"));
            QVERIFY(!m_db.exec(QStringLiteral("INSERT INTO musteriler (mus_kodu) VALUES ('1')")));
            error = m_db.lastError();
        } else if (condition == QLatin1String("other")) {
            QVERIFY(!m_db.exec(QStringLiteral("SELECT * FROM yok")));
            error = m_db.lastError();
        } else {
            Recordset rs(m_db, QStringLiteral("SELECT * FROM musteriler"));
            QVERIFY(!rs.MoveNext());
            error = rs.lastError();
        }
        if (other) {
            sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(other);
        }
        QCOMPARE(number > 0xff ? error.number : error.number & 0xff, number);
        QCOMPARE(error.message, message);
        QVERIFY(!error.detail.isEmpty());
    }

    void likePatterns_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("match");
        QTest::newRow("Ç folds") << "ÇELİK"
                                 << "çelik" << true;
        QTest::newRow("Ç prefix") << "Çelik Ticaret"
                                  << "çel*" << true;
        QTest::newRow("C is not Ç") << "Celik"
                                    << "çelik" << false;
        QTest::newRow("İ to i") << "İsmail"
                                << "ismail" << true;
        QTest::newRow("İ not ı") << "İsmail"
                                 << "ısmail" << false;
        QTest::newRow("ışık upper") << "ışık"
                                    << "IŞIK" << true;
        QTest::newRow("Işık lower") << "Işık"
                                    << "ışık" << true;
        QTest::newRow("I is not i") << "Işık"
                                    << "işık" << false;
        QTest::newRow("Ş start") << "Şahin"
                                 << "ş*" << true;
        QTest::newRow("S is not Ş") << "Sahin"
                                    << "ş*" << false;
        QTest::newRow("öz") << "öz"
                            << "ÖZ" << true;
        QTest::newRow("contains") << "Ahmet Öztürk"
                                  << "*ÖZT*" << true;
        QTest::newRow("no wildcard is equality") << "Ali Veli"
                                                 << "ali" << false;
        QTest::newRow("? one") << "Ali"
                               << "A?i" << true;
        QTest::newRow("? not two") << "Aliş"
                                   << "A?i" << false;
        QTest::newRow("# digit") << "K12"
                                 << "K##" << true;
        QTest::newRow("# not letter") << "K1x"
                                      << "K##" << false;
        QTest::newRow("[abc]") << "b7"
                               << "[abc]#" << true;
        QTest::newRow("[abc] miss") << "d7"
                                    << "[abc]#" << false;
        QTest::newRow("[a-z] Turkish letter") << "Ç"
                                              << "[a-z]" << true;
        QTest::newRow("[a-z] digit") << "5"
                                     << "[a-z]" << false;
        QTest::newRow("[!abc]") << "d"
                                << "[!abc]" << true;
        QTest::newRow("[!abc] miss") << "A"
                                     << "[!abc]" << false;
        QTest::newRow("apostrophe") << "O'Brien Ltd"
                                    << "*'b*" << true;
        QTest::newRow("% is literal") << "1000"
                                      << "100%" << false;
        QTest::newRow("_ is literal") << "axb"
                                      << "a_b" << false;
        QTest::newRow("bracketed star") << "5*3"
                                        << "5[*]3" << true;
        QTest::newRow("bracketed star literal only") << "523"
                                                     << "5[*]3" << false;
        QTest::newRow("star at both ends empty") << ""
                                                 << "**" << true;
    }
    void likePatterns()
    {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(bool, match);
        QCOMPARE(like(text, pattern), match);
        QCOMPARE(pv::likeMatch(pattern, text), match);
    }

    void containsSearch_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("plain") << "ali" << QStringList{"Ali Veli", "Kalite"};
        QTest::newRow("user star is literal") << "*" << QStringList{"5*3 Yapı"};
        QTest::newRow("user ? is literal") << "?" << QStringList{};
        QTest::newRow("user # is literal") << "#1" << QStringList{"No #1"};
        QTest::newRow("apostrophe") << "o'b" << QStringList{"O'Brien"};
        QTest::newRow("Turkish fold") << "IŞI" << QStringList{"Işık"};
    }
    void containsSearch()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, found);
        const QStringList names{"Ali Veli", "Kalite", "5*3 Yapı", "No #1", "O'Brien", "Işık", "İsmail"};
        for (int i = 0; i < names.size(); ++i)
            addCustomer(QString::number(i + 1), names.at(i));
        QCOMPARE(column(QStringLiteral(
                            "SELECT MusteriFirma FROM musteriler WHERE MusteriFirma LIKE ? ORDER BY id"),
                        {pv::containsPattern(typed)}),
                 found);
    }

    void turkishOrderAndEquality()
    {
        const QStringList names{"Zeki", "Çelik", "Demir", "Cem",  "İsmail", "Işık", "Öz",
                                "Oya",  "Şahin", "Sarı",  "Ümit", "Uz",     "ali"};
        for (int i = 0; i < names.size(); ++i)
            addCustomer(QString::number(i), names.at(i));
        QCOMPARE(column(QStringLiteral("SELECT MusteriFirma FROM musteriler ORDER BY MusteriFirma")),
                 (QStringList{"ali", "Cem", "Çelik", "Demir", "Işık", "İsmail", "Oya", "Öz", "Sarı", "Şahin",
                              "Uz", "Ümit", "Zeki"}));
        QCOMPARE(
            column(QStringLiteral("SELECT MusteriFirma FROM musteriler WHERE MusteriFirma = ?"), {"ÇELİK"}),
            QStringList{"Çelik"});
        QCOMPARE(column(QStringLiteral("SELECT MusteriFirma FROM musteriler WHERE MusteriFirma = 'IŞIK'")),
                 QStringList{"Işık"});
    }

    void valueConversion_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("given");
        QTest::addColumn<QString>("storedType");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("money text") << "Bakiye" << QVariant("1.234,50") << "real" << QVariant(1234.5)
                                    << "1234,5";
        QTest::newRow("parenthesised negative")
            << "Bakiye" << QVariant("(25,00)") << "real" << QVariant(-25.0) << "-25";
        QTest::newRow("plain decimal") << "Bakiye" << QVariant("37,5") << "real" << QVariant(37.5) << "37,5";
        QTest::newRow("empty is NULL") << "Bakiye" << QVariant("") << "null" << QVariant() << "";
        QTest::newRow("number value") << "Bakiye" << QVariant(-0.25) << "real" << QVariant(-0.25) << "-0,25";
        QTest::newRow("integer text") << "Gun" << QVariant("30") << "integer" << QVariant(30) << "30";
        QTest::newRow("negative days") << "Gun" << QVariant("-2") << "integer" << QVariant(-2) << "-2";
        QTest::newRow("date into text") << "MusteriFirma" << QVariant(QDate(2026, 12, 8)) << "text"
                                        << QVariant("08.12.2026") << "08.12.2026";
        QTest::newRow("number into text")
            << "MusteriFirma" << QVariant(37.5) << "text" << QVariant("37,5") << "37,5";
        QTest::newRow("money text stays text")
            << "MusteriFirma" << QVariant("1.234,50") << "text" << QVariant("1.234,50") << "1.234,50";
        QTest::newRow("date text into date")
            << "Sonislem" << QVariant("08.12.2026") << "text" << QVariant("2026-12-08") << "08.12.2026";
        QTest::newRow("date value into date")
            << "Sonislem" << QVariant(QDate(2026, 1, 5)) << "text" << QVariant("2026-01-05") << "05.01.2026";
    }
    void valueConversion()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, given);
        QFETCH(QString, storedType);
        QFETCH(QVariant, stored);
        QFETCH(QString, readBack);
        Recordset rs(m_db, QStringLiteral("musteriler"));
        QVERIFY(rs.AddNew());
        rs.Fields("mus_kodu") = QStringLiteral("1");
        QVERIFY(rs.Fields(field).setValue(given));
        QVERIFY2(rs.Update(), qPrintable(rs.lastError().message));
        QCOMPARE(m_db.scalar(QStringLiteral("SELECT typeof(%1) FROM musteriler").arg(field)).toString(),
                 storedType);
        const QVariant raw = m_db.scalar(QStringLiteral("SELECT %1 FROM musteriler").arg(field));
        if (stored.isValid())
            QCOMPARE(raw.toString(), stored.toString());
        else
            QVERIFY(!raw.isValid());
        Recordset back(m_db, QStringLiteral("select * from musteriler"));
        QCOMPARE(back.Fields(field).text(), readBack);
        QCOMPARE(back.valueAt(0, back.fieldIndex(field)), back.Fields(field).value());
        if (field == QLatin1String("Sonislem")) // a DATE column reads back as a date value
            QCOMPARE(back.Fields(field).value().typeId(), int(QMetaType::QDate));
    }

    void badNumberIsAnError_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("given");
        QTest::newRow("letters into money") << "Bakiye"
                                            << "on beş";
        QTest::newRow("two commas") << "Bakiye"
                                    << "1,2,3";
        QTest::newRow("letters into days") << "Gun"
                                           << "x";
        QTest::newRow("no date") << "Sonislem"
                                 << "31.02.2026";
    }
    void badNumberIsAnError()
    {
        QFETCH(QString, field);
        QFETCH(QString, given);
        Recordset rs(m_db, QStringLiteral("musteriler"));
        QVERIFY(rs.AddNew());
        rs.Fields("mus_kodu") = QStringLiteral("1");
        QVERIFY(rs.Fields(field).setValue(QStringLiteral("5")) || field == "Sonislem");
        QVERIFY(!rs.Fields(field).setValue(given));
        QCOMPARE(rs.lastError().number, int(DbError::TypeConversion));
        QVERIFY(rs.Update()); // the row goes in without the refused value
        QVERIFY(
            m_db.scalar(
                    QStringLiteral("SELECT count(*) FROM musteriler WHERE %1 IS NULL OR %1 = 5").arg(field))
                .toInt() == 1);
    }

    void duplicateKeyIs3022()
    {
        Recordset rs(m_db, QStringLiteral("musteriler"));
        QVERIFY(rs.AddNew());
        rs.Fields("mus_kodu") = QStringLiteral("100");
        QVERIFY(rs.Update());
        QVERIFY(rs.AddNew());
        rs.Fields("mus_kodu") = QStringLiteral("100");
        QVERIFY(!rs.Update());
        QCOMPARE(rs.lastError().number, int(DbError::DuplicateKey));
        QVERIFY(!rs.lastError().message.isEmpty());
        rs.CancelUpdate();
        QVERIFY(!m_db.exec(QStringLiteral("INSERT INTO musteriler (mus_kodu) VALUES ('100')")));
        QCOMPARE(m_db.lastError().number, int(DbError::DuplicateKey));
        QVERIFY(!m_db.exec(QStringLiteral("SELECT * FROM nosuchtable")));
        QVERIFY(m_db.lastError().number != 0 && m_db.lastError().number != int(DbError::DuplicateKey));
        QCOMPARE(m_db.scalar(QStringLiteral("SELECT count(*) FROM musteriler")).toInt(), 1);
    }

    void navigation_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("source");
        QTest::newRow("empty") << 0 << "select * from musteriler ORDER BY mus_kodu";
        QTest::newRow("one") << 1 << "select * from musteriler ORDER BY mus_kodu";
        QTest::newRow("three") << 3 << "select * from musteriler ORDER BY mus_kodu";
        QTest::newRow("empty table") << 0 << "musteriler";
        QTest::newRow("table") << 3 << "musteriler"; // rows read as they are looked at
    }
    void navigation()
    {
        QFETCH(int, rows);
        QFETCH(QString, source);
        for (int i = 0; i < rows; ++i)
            addCustomer(QString::number(i + 1), QStringLiteral("M%1").arg(i + 1));
        Recordset rs(m_db, source);
        QCOMPARE(rs.RecordCount(), rows);
        QCOMPARE(rs.Eof(), rows == 0);
        QCOMPARE(rs.Bof(), rows == 0);
        QStringList forward, backward;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            forward << rs.Fields("mus_kodu").text();
        QVERIFY(rs.Eof());
        QVERIFY(!rs.MoveNext());
        QCOMPARE(rs.Fields("mus_kodu").text(), QString());
        for (rs.MoveLast(); !rs.Bof(); rs.MovePrevious())
            backward << rs.Fields(1).text();
        QVERIFY(rs.Bof());
        QVERIFY(!rs.MovePrevious());
        QCOMPARE(forward, column(QStringLiteral("SELECT mus_kodu FROM musteriler ORDER BY id")));
        std::reverse(backward.begin(), backward.end());
        QCOMPARE(backward, forward);
        if (rows == 0) {
            QVERIFY(!rs.MoveFirst());
            QVERIFY(rs.Eof() && rs.Bof());
        }
    }

    void deleteLeavesNoCurrentRow()
    {
        for (int i = 1; i <= 3; ++i)
            addCustomer(QString::number(i), QString());
        Recordset rs(m_db, QStringLiteral("musteriler"));
        rs.MoveNext();
        QCOMPARE(rs.Fields("mus_kodu").text(), QStringLiteral("2"));
        QVERIFY(rs.Delete());
        QVERIFY(!rs.hasCurrent());
        QCOMPARE(rs.Fields("mus_kodu").text(), QString());
        QCOMPARE(rs.RecordCount(), 2);
        QVERIFY(rs.MoveNext());
        QCOMPARE(rs.Fields("mus_kodu").text(), QStringLiteral("3"));
        // Deleting every row while walking, as a cascade does.
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            QVERIFY(rs.Delete());
        QCOMPARE(m_db.scalar(QStringLiteral("SELECT count(*) FROM musteriler")).toInt(), 0);
    }

    void findFirst_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QStringList>("found"); // FindFirst, then FindNext until NoMatch
        QTest::newRow("code, case ignored") << "musteriler"
                                            << "mus_kodu = ?" << QVariant("ab1") << QStringList{"AB1"};
        QTest::newRow("no match") << "musteriler"
                                  << "mus_kodu = ?" << QVariant("zz") << QStringList{};
        QTest::newRow("next") << "select * from musteriler where mus_kodu <> 'AB1' ORDER BY mus_kodu desc"
                              << "MusteriFirma = ?" << QVariant("şahin") << QStringList{"C3", "B2"};
        QTest::newRow("alias of a sum")
            << "select mus_kodu as kod, count(*) as sayi from musteriler group by mus_kodu"
            << "kod = ?" << QVariant("c3") << QStringList{"C3"};
    }
    void findFirst()
    {
        QFETCH(QString, source);
        QFETCH(QString, criterion);
        QFETCH(QVariant, value);
        QFETCH(QStringList, found);
        addCustomer(QStringLiteral("AB1"), QStringLiteral("Ali"));
        addCustomer(QStringLiteral("B2"), QStringLiteral("Şahin"));
        addCustomer(QStringLiteral("C3"), QStringLiteral("ŞAHİN"));
        Recordset rs(m_db, source);
        QVERIFY(rs.isOpen());
        rs.MoveLast();
        const QString before = rs.Fields(0).text();
        QStringList got;
        for (bool hit = rs.FindFirst(criterion, {value}); hit; hit = rs.FindNext(criterion, {value}))
            got << rs.Fields(source.contains("kod,") ? 0 : 1).text();
        QCOMPARE(got, found);
        QVERIFY(rs.NoMatch());
        if (found.isEmpty())
            QCOMPARE(rs.Fields(0).text(), before); // no match leaves the current row
    }

    void addNewByPosition()
    {
        Recordset rs(m_db, QStringLiteral("veresiye"));
        QVERIFY(rs.AddNew());
        QVERIFY(rs.Fields(0).setValue(QStringLiteral("08.12.2026")));
        QVERIFY(rs.Fields(2).setValue(QStringLiteral("1.500,00")));
        QVERIFY(rs.Fields(7).setValue(QStringLiteral("K1")));
        QVERIFY(!rs.Fields(8).exists());
        QVERIFY(!rs.Fields(8).setValue(QStringLiteral("x")));
        QCOMPARE(rs.lastError().number, int(DbError::ItemNotFound));
        QVERIFY(rs.Update());
        QVERIFY(rs.setBookmark(rs.LastModified()));
        QCOMPARE(rs.Fields("eklenen").text(), QStringLiteral("1500"));
        QCOMPARE(rs.Fields("[Tarih]").text(), QStringLiteral("08.12.2026"));
        QCOMPARE(
            m_db.scalar(QStringLiteral("SELECT count(*) FROM veresiye WHERE Odenen IS NULL AND Saat IS NULL "
                                       "AND islemNo2 IS NULL AND Eklenen = 1500 AND mus_kodu = 'K1'"))
                .toInt(),
            1);
    }

    void editAndCancel()
    {
        addCustomer(QStringLiteral("1"), QStringLiteral("Eski"));
        Recordset rs(m_db, QStringLiteral("select * from musteriler"));
        QVERIFY(!rs.Fields("MusteriFirma").setValue(QStringLiteral("x"))); // no Edit yet
        QCOMPARE(rs.lastError().number, int(DbError::UpdateWithoutEdit));
        QVERIFY(rs.Edit());
        rs.Fields("MusteriFirma") = QStringLiteral("Yeni");
        rs.CancelUpdate();
        QCOMPARE(rs.Fields("MusteriFirma").text(), QStringLiteral("Eski"));
        QVERIFY(rs.Edit());
        rs.Fields("Not") = QStringLiteral("not yazısı");
        rs.Fields("Bakiye") = QStringLiteral("12,5");
        QVERIFY(rs.Update());
        // The row in memory is what was stored, the fields not written kept.
        QCOMPARE(rs.Fields("MusteriFirma").text() + '|' + rs.Fields("Not").text() + '|' +
                     rs.Fields("Bakiye").text() + '|' + rs.Fields("mus_kodu").text(),
                 QStringLiteral("Eski|not yazısı|12,5|1"));
        QCOMPARE(m_db.scalar(QStringLiteral("SELECT \"Not\" FROM musteriler")).toString(),
                 QStringLiteral("not yazısı"));
        QCOMPARE(m_db.scalar(QStringLiteral("SELECT MusteriFirma FROM musteriler")).toString(),
                 QStringLiteral("Eski"));
    }

    // A written row shows what was stored whether its fields keep their size (a number over
    // a number), change it, or the row was never read before the write (a table read on
    // demand); the other fields stay as they were.
    void updateShowsWhatWasStored_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("readFirst");
        QTest::addColumn<QString>("gun");
        QTest::addColumn<QString>("bakiye");
        QTest::addColumn<QString>("firma");
        QTest::addColumn<QString>("expected"); // Gun|Bakiye|MusteriFirma|Not after the write
        for (const char *source : {"musteriler", "select * from musteriler"}) {
            const QString src = QLatin1String(source);
            QTest::addRow("%s: numbers over numbers", source) << src << true << "12"
                                                              << "-1234,50"
                                                              << ""
                                                              << "12|-1234,5|Eski|not";
            QTest::addRow("%s: emptied", source) << src << true << ""
                                                 << ""
                                                 << ""
                                                 << "||Eski|not";
            QTest::addRow("%s: longer text", source) << src << true << "7"
                                                     << ""
                                                     << "Çok daha uzun bir ad"
                                                     << "7|5|Çok daha uzun bir ad|not";
            QTest::addRow("%s: written before read", source) << src << false << "12"
                                                             << "0,5"
                                                             << "Yeni"
                                                             << "12|0,5|Yeni|not";
        }
    }
    void updateShowsWhatWasStored()
    {
        QFETCH(QString, source);
        QFETCH(bool, readFirst);
        QFETCH(QString, gun);
        QFETCH(QString, bakiye);
        QFETCH(QString, firma);
        QFETCH(QString, expected);
        QVERIFY(
            m_db.exec(QStringLiteral("INSERT INTO musteriler (mus_kodu, MusteriFirma, Gun, Bakiye, \"Not\") "
                                     "VALUES ('1', 'Eski', 3, 5, 'not')")));
        Recordset rs(m_db, source);
        const auto shown = [&] {
            return QStringList{rs.Fields("Gun").text(), rs.Fields("Bakiye").text(),
                               rs.Fields("MusteriFirma").text(), rs.Fields("Not").text()}
                .join(u'|');
        };
        if (readFirst)
            QCOMPARE(shown(), QStringLiteral("3|5|Eski|not"));
        QVERIFY(rs.Edit());
        QVERIFY(rs.Fields("Gun").setValue(gun));
        if (!firma.isEmpty())
            QVERIFY(rs.Fields("MusteriFirma").setValue(firma));
        if (gun.isEmpty() || !bakiye.isEmpty())
            QVERIFY(rs.Fields("Bakiye").setValue(bakiye));
        QVERIFY2(rs.Update(), qPrintable(rs.lastError().message));
        QCOMPARE(shown(), expected);
        QVERIFY(rs.Requery());
        QCOMPARE(shown(), expected);
    }

    // A pass writes row after row by the same statements: two sets writing in turn (a
    // statement of each in use at once) each store their own.
    void passesWriteByTheSameStatements()
    {
        const QString gun = QStringLiteral("Gun"), bakiye = QStringLiteral("Bakiye");
        for (const QString &code : {QStringLiteral("1"), QStringLiteral("2")})
            addCustomer(code, QStringLiteral("Ad ") + code);
        Recordset a(m_db, QStringLiteral("musteriler"));
        Recordset b(m_db, QStringLiteral("select Bakiye, Gun, mus_kodu from musteriler"));
        for (int round = 1; round <= 2; ++round) {
            for (a.MoveFirst(), b.MoveFirst(); !a.Eof(); a.MoveNext(), b.MoveNext()) {
                QVERIFY(a.Edit());
                QVERIFY(a.Fields(gun).setValue(QString::number(round)));
                QVERIFY(b.Edit());
                QVERIFY(b.Fields(bakiye).setValue(QStringLiteral("%1,5").arg(round)));
                QVERIFY(b.Update());
                QVERIFY(a.Update());
            }
        }
        QVERIFY(b.Requery());
        QCOMPARE(b.Fields(bakiye).text(), QStringLiteral("2,5"));
        QCOMPARE(m_db.scalar(QStringLiteral("SELECT group_concat(Gun || '/' || Bakiye, ' ') FROM musteriler"))
                     .toString(),
                 QStringLiteral("2/2.5 2/2.5"));
        // The same select read inside a read of it gets a statement of its own.
        const QString sql = QStringLiteral("select mus_kodu from musteriler order by mus_kodu");
        Recordset outer(m_db, sql);
        QStringList pairs;
        for (outer.MoveFirst(); !outer.Eof(); outer.MoveNext()) {
            Recordset inner(m_db, sql);
            for (inner.MoveFirst(); !inner.Eof(); inner.MoveNext())
                pairs << outer.Fields(0).text() + inner.Fields(0).text();
        }
        QCOMPARE(pairs.join(u' '), QStringLiteral("11 12 21 22"));
    }

    void sumsAndAliases()
    {
        QVERIFY(m_db.exec(
            QStringLiteral("INSERT INTO veresiye (Eklenen, mus_kodu, Tarih2) VALUES (100, 'K1', '20261201'), "
                           "(200.5, 'K1', '20261215'), (50, 'K2', '20261210')")));
        Recordset rs(m_db, QStringLiteral("Select sum(Eklenen) as toplam from veresiye where mus_kodu = ? "),
                     {"k1"});
        QVERIFY(!rs.isUpdatable());
        QCOMPARE(rs.Fields("Toplam").text(), QStringLiteral("300,5"));
        Recordset none(m_db, QStringLiteral("Select sum(Odenen) as toplam from veresiye where mus_kodu = ?"),
                       {"K1"});
        QVERIFY(none.Fields("TOPLAM").isNull());
        QCOMPARE(none.Fields("TOPLAM").text(), QString());
        QCOMPARE(m_db.scalar(QStringLiteral("Select sum(Eklenen) from veresiye where Tarih2 Between ? and ?"),
                             {"20261210", "20261215"})
                     .toDouble(),
                 250.5);
        QCOMPARE(column(QStringLiteral(
                            "select DISTINCTROW * from veresiye where Tarih2 like '202612*' order by id"))
                     .size(),
                 3);
    }

    void sqlOfTheWindows_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("first"); // first column of the first row, as a box shows it
        QTest::addColumn<int>("rows");
        QTest::newRow("keyword table") << "select * from User ORDER BY Username asc"
                                       << "admin" << 2;
        QTest::newRow("key ignoring case") << "select Username from User where Username='ADMİN'"
                                           << "admin" << 1;
        QTest::newRow("dotless I is another letter") << "select Username from User where Username='ADMIN'"
                                                     << "" << 0;
        QTest::newRow("bracketed names") << "select [Generic Name] from Product where [Product Code]='p-1'"
                                         << "Süt" << 1;
        QTest::newRow("DISTINCTROW")
            << "select DISTINCTROW * from Product ORDER BY [Brand Name],[Product Code]"
            << "2" << 2;
        QTest::newRow("like on bracketed")
            << "select [Product Code] from Product where [Brand Name] like '*ÇAM*'"
            << "P-2" << 1;
        QTest::newRow("Between text keys")
            << "select sum(OnHand) as toplam from Product where [Product Code] Between 'P-1' and 'p-2'"
            << "12,5" << 1;
        QTest::newRow("sum over no rows") << "Select sum(OnHand) as toplam from Product where OnHand > 100"
                                          << "" << 1;
        QTest::newRow("rows compared to a column")
            << "select * from Product where OnHand<=[OnHand] order by id desc"
            << "2" << 2;
    }
    void sqlOfTheWindows()
    {
        QFETCH(QString, sql);
        QFETCH(QString, first);
        QFETCH(int, rows);
        QVERIFY(m_db.exec(QStringLiteral(
            "INSERT INTO \"User\" (Username, Password, UserType) VALUES ('admin', 'admin', '0'), ('kasa', "
            "'1', '1');"
            "INSERT INTO Product ([Product Code], [Generic Name], [Brand Name], OnHand) VALUES "
            "('P-1', 'Süt', 'Yayla', 10), ('P-2', 'Ekmek', 'Çamlıca', 2.5)")));
        Recordset rs(m_db, sql);
        QVERIFY2(rs.isOpen(), qPrintable(rs.lastError().message));
        QCOMPARE(rs.RecordCount(), rows);
        QCOMPARE(rs.Fields(0).text(), first);
    }

    void transactionRollsBack_data()
    {
        QTest::addColumn<bool>("commitInner");
        QTest::addColumn<bool>("commitOuter");
        QTest::addColumn<int>("rows");
        QTest::newRow("both committed") << true << true << 2;
        QTest::newRow("outer not committed") << true << false << 0;
        QTest::newRow("inner not committed") << false << true << 0;
    }
    void transactionRollsBack()
    {
        QFETCH(bool, commitInner);
        QFETCH(bool, commitOuter);
        QFETCH(int, rows);
        {
            pv::Transaction outer(m_db);
            QVERIFY(outer.isActive());
            addCustomer(QStringLiteral("1"), QString());
            {
                pv::Transaction inner(m_db);
                addCustomer(QStringLiteral("2"), QString());
                if (commitInner)
                    QVERIFY(inner.commit());
            }
            if (commitOuter)
                QCOMPARE(outer.commit(), commitInner);
        }
        QVERIFY(!m_db.inTransaction());
        QCOMPARE(m_db.scalar(QStringLiteral("SELECT count(*) FROM musteriler")).toInt(), rows);
    }

    void counterIs64Bit()
    {
        pv::Counter c(m_db, QStringLiteral("son_islemno"), QStringLiteral("islemno"));
        QCOMPARE(c.next(), 1);
        {
            pv::Transaction t(m_db);
            QVERIFY(c.write(9999999999LL));
            QVERIFY(t.commit());
        }
        QCOMPARE(c.next(), 10000000000LL);
        {
            pv::Transaction t(m_db);
            QVERIFY(c.write(10000000000LL));
        } // not committed
        QCOMPARE(c.value(), 9999999999LL);
    }

    void namedParameters()
    {
        QVERIFY(
            m_db.exec(QStringLiteral("INSERT INTO musteriler (mus_kodu, MusteriFirma) VALUES (:kod, :ad)"),
                      QVariantMap{{"kod", "7"}, {":ad", "D'Artagnan"}}));
        DataControl dc;
        dc.setDatabaseName(m_db.path());
        dc.setRecordSource(QStringLiteral("select * from musteriler where MusteriFirma like :ara"),
                           QVariantMap{{"ara", pv::startsWithPattern(QStringLiteral("d'a"))}});
        QVERIFY(dc.Refresh());
        QCOMPARE(dc.Recordset().RecordCount(), 1);
        QCOMPARE(dc.Recordset().Fields("mus_kodu").text(), QStringLiteral("7"));
        QVERIFY(dc.Recordset().isUpdatable());
    }

    void sharedConnection()
    {
        Database other;
        QVERIFY(other.open(m_db.path()));
        pv::Transaction t(m_db);
        QVERIFY(other.inTransaction()); // one connection per file: a transaction covers every handle
        QVERIFY(other.exec(QStringLiteral("INSERT INTO musteriler (mus_kodu) VALUES ('9')")));
        t.rollback();
        QCOMPARE(m_db.scalar(QStringLiteral("SELECT count(*) FROM musteriler")).toInt(), 0);
        Database missing;
        QVERIFY(!missing.open(m_dir->filePath(QStringLiteral("yok.dll"))));
        QVERIFY(missing.lastError());
    }

    void boundWidgetSignalsRealChanges_data()
    {
        QTest::addColumn<QStringList>("names"); // rows in list order
        QTest::addColumn<int>("changes");       // textChanged while walking to the end
        QTest::newRow("same name twice") << QStringList{"Ali", "Ali", "Veli"} << 3; // the end empties it
        QTest::newRow("empty name then end") << QStringList{"Ali", ""} << 2;
        QTest::newRow("all different") << QStringList{"A", "B", "C"} << 4; // the end empties it
        QTest::newRow("no rows") << QStringList{} << 0;
    }
    void boundWidgetSignalsRealChanges()
    {
        QFETCH(QStringList, names);
        QFETCH(int, changes);
        for (int i = 0; i < names.size(); ++i)
            addCustomer(QString::number(i + 1), names.at(i));
        DataControl dc;
        dc.setDatabaseName(m_db.path());
        dc.setRecordSource(QStringLiteral("select * from musteriler ORDER BY id"));
        QLineEdit box;
        dc.bind(&box, QStringLiteral("MusteriFirma"));
        QSignalSpy changed(&box, &QLineEdit::textChanged);
        QSignalSpy moved(&dc, &DataControl::Reposition);
        QVERIFY(dc.Refresh());
        QCOMPARE(box.text(), names.value(0));
        while (!dc.Recordset().Eof())
            dc.Recordset().MoveNext();
        QCOMPARE(box.text(), QString());
        QCOMPARE(changed.count(), changes);
        QCOMPARE(moved.count(), 1 + names.size());
    }

    void boundBoxShowsItsStart()
    {
        const QString first = QStringLiteral("Başı görünen çok uzun bir müşteri adı ve unvanı, sonu");
        addCustomer(QStringLiteral("1"), first);
        addCustomer(QStringLiteral("2"), QStringLiteral("Bir başka uzun müşteri adı, sonu gizli kalır"));
        DataControl dc;
        dc.setDatabaseName(m_db.path());
        dc.setRecordSource(QStringLiteral("select * from musteriler ORDER BY id"));
        QLineEdit box;
        box.resize(60, 20);
        dc.bind(&box, QStringLiteral("MusteriFirma"));
        QVERIFY(dc.Refresh());
        QCOMPARE(box.text(), first);
        QCOMPARE(box.cursorPosition(), 0);
        dc.Recordset().MoveNext();
        QCOMPARE(box.cursorPosition(), 0);
    }

    void boundValuesWrittenOnlyOnSave()
    {
        addCustomer(QStringLiteral("1"), QStringLiteral("Eski"));
        addCustomer(QStringLiteral("2"), QStringLiteral("İkinci"));
        auto stored = [&] {
            return m_db.scalar(QStringLiteral("SELECT MusteriFirma FROM musteriler WHERE mus_kodu = '1'"))
                .toString();
        };
        QLineEdit name, balance;
        {
            DataControl dc;
            dc.setDatabaseName(m_db.path());
            dc.setRecordSource(QStringLiteral("musteriler"));
            QVERIFY(dc.Refresh());
            dc.bind(&name, QStringLiteral("MusteriFirma"));
            dc.bind(&balance, QStringLiteral("Bakiye"));
            QTest::keyClicks(&name, QStringLiteral(" Yeni"));
            dc.Recordset().MoveNext();
            dc.Recordset().MovePrevious();
            QCOMPARE(name.text(), QStringLiteral("Eski")); // the move dropped the typing
            QCOMPARE(stored(), QStringLiteral("Eski"));
            name.setText(QStringLiteral("Yeni"));
            dc.Refresh();
            QCOMPARE(stored(), QStringLiteral("Eski"));
            name.setText(QStringLiteral("Yeni"));
            balance.setText(QStringLiteral("on lira")); // the column cannot take it
            QVERIFY(!dc.UpdateRecord());
            QCOMPARE(dc.lastError().number, int(DbError::TypeConversion));
            QCOMPARE(stored(), QStringLiteral("Eski")); // all or nothing
            QCOMPARE(name.text(), QStringLiteral("Eski"));
            name.setText(QStringLiteral("Yeni"));
            balance.setText(QStringLiteral("1.234,50"));
            QVERIFY(dc.UpdateRecord());
            QCOMPARE(stored(), QStringLiteral("Yeni"));
            QCOMPARE(balance.text(), QStringLiteral("1234,5"));
            QVERIFY(dc.Recordset().Edit()); // a field the window writes itself goes with the save
            dc.Recordset().Fields("Not") = QStringLiteral("not");
            name.setText(QStringLiteral("Yeni"));
            QVERIFY(dc.UpdateRecord());
            QCOMPARE(
                m_db.scalar(QStringLiteral("SELECT \"Not\" FROM musteriler WHERE mus_kodu = '1'")).toString(),
                QStringLiteral("not"));
            name.setText(QStringLiteral("Vazgeçilen"));
            dc.CancelUpdate();
            QCOMPARE(name.text(), QStringLiteral("Yeni"));
            name.setText(QStringLiteral("Kapanışta"));
        } // closing writes nothing
        QCOMPARE(stored(), QStringLiteral("Yeni"));
    }

    void otherBoundWidgets()
    {
        QVERIFY(m_db.exec(QStringLiteral("INSERT INTO musteriler (mus_kodu, MusteriFirma, Gun) VALUES "
                                         "('1', 'Bayi', 1), ('2', 'Yok', 0)")));
        DataControl dc;
        dc.setDatabaseName(m_db.path());
        dc.setRecordSource(QStringLiteral("select * from musteriler order by id"));
        QCheckBox check;
        QComboBox kind;
        kind.addItems({"Alıcı", "Bayi"});
        QLabel label;
        dc.bind(&check, QStringLiteral("Gun"));
        dc.bind(&kind, QStringLiteral("MusteriFirma"));
        dc.bind(&label, QStringLiteral("mus_kodu"));
        QSignalSpy toggled(&check, &QCheckBox::toggled);
        QVERIFY(dc.Refresh());
        QVERIFY(check.isChecked());
        QCOMPARE(kind.currentText(), QStringLiteral("Bayi"));
        QCOMPARE(label.text(), QStringLiteral("1"));
        dc.Recordset().MoveNext();
        QVERIFY(!check.isChecked());
        QCOMPARE(kind.currentIndex(), -1); // "Yok" is not an item
        QCOMPARE(label.text(), QStringLiteral("2"));
        QCOMPARE(toggled.count(), 2);
        check.setChecked(true);
        kind.setCurrentIndex(0);
        label.setText(QStringLiteral("99")); // a label never writes
        QVERIFY(dc.UpdateRecord());
        QCOMPARE(
            m_db.scalar(QStringLiteral("SELECT Gun || MusteriFirma FROM musteriler WHERE id = 2")).toString(),
            QStringLiteral("1Alıcı"));
    }

    void addNewThroughBoundWidgets()
    {
        addCustomer(QStringLiteral("1"), QStringLiteral("Var"));
        DataControl dc;
        dc.setDatabaseName(m_db.path());
        dc.setRecordSource(QStringLiteral("musteriler"));
        QVERIFY(dc.Refresh());
        QLineEdit code, name;
        dc.bind(&code, QStringLiteral("mus_kodu"));
        dc.bind(&name, QStringLiteral("MusteriFirma"));
        QVERIFY(dc.Recordset().AddNew());
        QCOMPARE(name.text(), QString()); // a new row starts empty
        code.setText(QStringLiteral("2"));
        name.setText(QStringLiteral("Yeni Müşteri"));
        QVERIFY(dc.UpdateRecord());
        QCOMPARE(name.text(), QStringLiteral("Var")); // back on the row it stood on
        QCOMPARE(m_db.scalar(QStringLiteral("SELECT MusteriFirma FROM musteriler WHERE mus_kodu = '2'"))
                     .toString(),
                 QStringLiteral("Yeni Müşteri"));
        QVERIFY(dc.Recordset().AddNew());
        code.setText(QStringLiteral("1"));
        QVERIFY(!dc.UpdateRecord());
        QCOMPARE(dc.lastError().number, int(DbError::DuplicateKey));
    }

    void changeHandlerMayRequery()
    {
        addCustomer(QStringLiteral("1"), QStringLiteral("A"));
        addCustomer(QStringLiteral("2"), QStringLiteral("B"));
        DataControl dc;
        dc.setDatabaseName(m_db.path());
        dc.setRecordSource(QStringLiteral("select * from musteriler order by id"));
        QLineEdit name, code;
        std::vector<std::unique_ptr<QLineEdit>> more;
        dc.bind(&name, QStringLiteral("MusteriFirma"));
        connect(&name, &QLineEdit::textChanged, &dc, [&](const QString &t) {
            if (t != QLatin1String("A"))
                return;
            for (int i = 0; i < 16; ++i) { // more bindings while the control walks its own
                more.push_back(std::make_unique<QLineEdit>());
                dc.bind(more.back().get(), QStringLiteral("mus_kodu"));
            }
            dc.setRecordSource(QStringLiteral("select * from musteriler where mus_kodu = ?"), {"2"});
            dc.Refresh();
        });
        dc.bind(&code, QStringLiteral("mus_kodu"));
        QVERIFY(dc.Refresh());
        QCOMPARE(name.text(), QStringLiteral("B"));
        QCOMPARE(code.text(), QStringLiteral("2"));
        QCOMPARE(more.back()->text(), QStringLiteral("2"));
        name.setText(QStringLiteral("C"));
        QVERIFY(dc.UpdateRecord());
        QCOMPARE(m_db.scalar(QStringLiteral("SELECT MusteriFirma FROM musteriler WHERE id = 2")).toString(),
                 QStringLiteral("C"));
    }

    void gridFollowsControl()
    {
        for (int i = 1; i <= 4; ++i)
            addCustomer(QString::number(i), QStringLiteral("Müşteri %1").arg(i));
        DataControl dc;
        dc.setDatabaseName(m_db.path());
        dc.setRecordSource(QStringLiteral("select * from musteriler order by id"));
        QVERIFY(dc.Refresh());
        pv::DataGridModel model(&dc, {{QStringLiteral("MÜŞTERİ NO"), QStringLiteral("mus_kodu"), 1826},
                                      {QStringLiteral("MÜŞTERİLER"), QStringLiteral("MusteriFirma"), 8705},
                                      {QStringLiteral("BAKİYE"), QStringLiteral("Bakiye"), 3307}});
        QTableView view;
        model.attach(&view, [](int w) { return w / 10; });
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("MÜŞTERİLER"));
        QCOMPARE(model.index(2, 1).data().toString(), QStringLiteral("Müşteri 3"));
        QCOMPARE(view.columnWidth(1), 870);
        QCOMPARE(view.currentIndex().row(), 0);
        view.setCurrentIndex(model.index(2, 0));
        QCOMPARE(dc.Recordset().Fields("mus_kodu").text(), QStringLiteral("3"));
        dc.Recordset().MoveNext();
        QCOMPARE(view.currentIndex().row(), 3);
        QVERIFY(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable) == false);
        dc.Recordset().Delete();
        QCOMPARE(model.rowCount(), 3);
        dc.setRecordSource(QStringLiteral("select * from musteriler where mus_kodu = ?"), {"2"});
        dc.Refresh();
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(view.currentIndex().row(), 0);
    }
};

QTEST_MAIN(TestData)
#include "test_data.moc"
