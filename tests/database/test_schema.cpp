// The shipped database: its tables, the column positions the windows write by, the shipped
// rows, and the unique keys.
#include "database/DbScripts.h"
#include "platform/data/SqlFunctions.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

namespace
{

struct Column {
    int cid = -1;
    QString type;
    bool hasDefault = false;
};

} // namespace

class TestSchema : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    sqlite3 *m_db = nullptr;

    bool exec(const QString &sql, QString *error = nullptr)
    {
        char *err = nullptr;
        const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &err);
        if (error)
            *error = err ? QString::fromUtf8(err) : QString();
        sqlite3_free(err);
        return rc == SQLITE_OK;
    }

    // Every row of a query, each row its columns as text (NULL as a null QString).
    QList<QStringList> rows(const QString &sql)
    {
        QList<QStringList> out;
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
            qWarning("%s: %s", qPrintable(sql), sqlite3_errmsg(m_db));
            return out;
        }
        while (sqlite3_step(st) == SQLITE_ROW) {
            QStringList r;
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                const auto *t = sqlite3_column_text(st, i);
                r << (t ? QString::fromUtf8(reinterpret_cast<const char *>(t)) : QString());
            }
            out << r;
        }
        sqlite3_finalize(st);
        return out;
    }

    QString scalar(const QString &sql)
    {
        const auto r = rows(sql);
        return r.isEmpty() || r.first().isEmpty() ? QString() : r.first().first();
    }

    QHash<QString, Column> columns(const QString &table)
    {
        QHash<QString, Column> out;
        for (const QStringList &r : rows(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
            out.insert(r.at(1).toLower(), Column{r.at(0).toInt(), r.at(2).toUpper(), !r.at(4).isNull()});
        return out;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("pelvanor.dll"));
        QString error;
        QVERIFY2(pv::createDatabaseFromScripts(path, &error), qPrintable(error));
        QCOMPARE(sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr),
                 SQLITE_OK);
        QCOMPARE(pv::registerSqlFunctions(m_db), SQLITE_OK);
    }

    void cleanupTestCase() { sqlite3_close(m_db); }

    void cleanup() { exec(QStringLiteral("ROLLBACK")); }

    void tables()
    {
        QStringList names;
        for (const QStringList &r : rows(QStringLiteral(
                 "SELECT name FROM sqlite_master WHERE type='table' AND substr(name, 1, 7) <> 'sqlite_'")))
            names << r.first();
        names.sort();
        QStringList expected{"User",
                             "dgrayr",
                             "yedek_yeri",
                             "birimler",
                             "surum",
                             "musteriler",
                             "son_musterino",
                             "Musteri_Gruplari",
                             "MailKonu",
                             "MailMesaj",
                             "veresiye",
                             "SatisRapor",
                             "VeresiyeEkleAcik",
                             "VeresiyeOdeAcik",
                             "kasa",
                             "son_islemno",
                             "kasa_giren_a",
                             "kasa_cikan_a",
                             "Product",
                             "urun_marka",
                             "urun_reyon",
                             "banka",
                             "banka2"};
        expected.sort();
        QCOMPARE(names, expected);
    }

    // position -1: the column must exist, its place is free.
    void columnPositions_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("position");
        auto add = [](const char *table, const QStringList &cols, const QList<int> &pos) {
            for (qsizetype i = 0; i < cols.size(); ++i)
                QTest::addRow("%s.%s", table, qPrintable(cols.at(i)))
                    << QString::fromLatin1(table) << cols.at(i) << (pos.isEmpty() ? -1 : pos.at(i));
        };
        add("musteriler",
            {"mus_kodu", "MusteriFirma", "ilgili", "Telefon1", "Adres", "vd", "vdn", "Sonislem", "Bakiye",
             "Turu", "Gsm", "mail", "Sonislem2", "MusGrup", "ParaTuru", "foto"},
            {1, 2, 3, 4, 7, 8, 9, 10, 12, 13, 14, 15, 16, 20, 21, 22});
        add("musteriler", {"id", "Telefon2", "Gun", "Not"}, {});
        add("veresiye",
            {"Tarih", "Saat", "Turu", "Aciklama", "Miktar", "Birim", "BirimFiyat", "Eklenen", "Odenen",
             "Tarih2", "islemNo2", "mus_kodu"},
            {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 17});
        add("veresiye", {"id", "UygFiyat", "ProductCode", "form_kodu"}, {});
        add("kasa",
            {"id", "mus_kodu", "Tarih", "Saat", "Tur", "Aciklama", "Giren", "Cikan", "Tarih2", "islemNo",
             "islemNo2", "OdemeSekli"},
            {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
        add("SatisRapor",
            {"ProductCode", "UrunMarkasi", "UrunAdi", "Miktar", "Birim", "BirimFiyat", "Tutar", "Tarih",
             "Month", "Year", "Tarih2", "mus_kodu"},
            {1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 15});
        add("banka", {"id", "Banka", "Sube", "SubeKod", "HesapNo", "Giren", "Cikan", "Bakiye", "HesapTuru"},
            {0, 1, 2, 3, 4, 5, 6, 7, 8});
        add("banka2",
            {"id", "Banka_Kodu", "Tarih", "Saat", "Turu", "Aciklama", "Giren", "Cikan", "islemNo", "Tarih2",
             "mus_kodu"},
            {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        add("birimler", {"birimadi"}, {0});
        add("Musteri_Gruplari", {"grupadi"}, {0});
        add("MailKonu", {"Aciklama"}, {0});
        add("MailMesaj", {"Aciklama"}, {0});
        add("VeresiyeEkleAcik", {"Aciklama"}, {0});
        add("VeresiyeOdeAcik", {"Aciklama"}, {0});
        add("User", {"Username", "Password", "UserType", "Name"}, {});
        add("dgrayr",
            {"kurumismi", "logo", "oto_yedek", "oto_yedek_aktif", "show", "mailsunucu", "mailadres",
             "mailsifre", "mailport"},
            {});
        add("yedek_yeri", {"yolu"}, {});
        add("surum", {"surum", "marketadi"}, {});
        add("son_musterino", {"musterino"}, {});
        add("son_islemno", {"islemno"}, {});
        add("kasa_giren_a", {"GirenAciklama"}, {});
        add("kasa_cikan_a", {"CikanAciklama"}, {});
        add("urun_marka", {"urunmarkaadi"}, {});
        add("urun_reyon", {"reyon"}, {});
        add("Product",
            {"id",
             "Product Code",
             "Generic Name",
             "Brand Name",
             "Price",
             "SatisFiyati",
             "SatisFiyati2",
             "SatisFiyati3",
             "OnHand",
             "Reorder Level",
             "Unit",
             "kdv",
             "kdvOran",
             "SaticiFirma",
             "Sinifi",
             "OzelKod1",
             "OzelKod2",
             "KayitTarihi",
             "Month",
             "Year",
             "Expiration Date",
             "AlisFiyatiTopTut",
             "SatisFiyatiTopTut",
             "SatisFiyati2TopTut",
             "SatisFiyati3TopTut"},
            {});
    }
    void columnPositions()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(int, position);
        const auto cols = columns(table);
        QVERIFY2(cols.contains(column.toLower()), qPrintable(table + "." + column + " missing"));
        if (position >= 0)
            QCOMPARE(cols.value(column.toLower()).cid, position);
    }

    // Tables written by position end where the writers expect them to.
    void columnCounts_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("count");
        QTest::newRow("musteriler") << "musteriler" << 23;
        QTest::newRow("veresiye") << "veresiye" << 18;
        QTest::newRow("kasa") << "kasa" << 12;
        QTest::newRow("SatisRapor") << "SatisRapor" << 16;
        QTest::newRow("banka") << "banka" << 9;
        QTest::newRow("banka2") << "banka2" << 11;
    }
    void columnCounts()
    {
        QFETCH(QString, table);
        QFETCH(int, count);
        QCOMPARE(columns(table).size(), count);
    }

    // Amounts are numbers that sum, with no default: an unwritten amount is empty, not 0.
    // Date values sort as dates; date texts, keys and codes are text; counters whole numbers.
    void columnTypes_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("type");
        const QList<std::pair<const char *, const char *>> money{{"musteriler", "Bakiye"},
                                                                 {"veresiye", "Eklenen"},
                                                                 {"veresiye", "Odenen"},
                                                                 {"kasa", "Giren"},
                                                                 {"kasa", "Cikan"},
                                                                 {"banka", "Giren"},
                                                                 {"banka", "Cikan"},
                                                                 {"banka", "Bakiye"},
                                                                 {"banka2", "Giren"},
                                                                 {"banka2", "Cikan"},
                                                                 {"Product", "Price"},
                                                                 {"Product", "SatisFiyati"},
                                                                 {"Product", "SatisFiyati2"},
                                                                 {"Product", "SatisFiyati3"},
                                                                 {"Product", "OnHand"},
                                                                 {"Product", "Reorder Level"},
                                                                 {"Product", "AlisFiyatiTopTut"},
                                                                 {"Product", "SatisFiyatiTopTut"},
                                                                 {"Product", "SatisFiyati2TopTut"},
                                                                 {"Product", "SatisFiyati3TopTut"},
                                                                 {"SatisRapor", "Tutar"}};
        for (const auto &[t, c] : money)
            QTest::addRow("%s.%s", t, c) << QString::fromLatin1(t) << QString::fromLatin1(c) << "REAL";
        const QList<std::pair<const char *, const char *>> dates{
            {"musteriler", "Sonislem"}, {"banka2", "Tarih"}, {"SatisRapor", "Tarih"}};
        for (const auto &[t, c] : dates)
            QTest::addRow("%s.%s", t, c) << QString::fromLatin1(t) << QString::fromLatin1(c) << "DATE";
        const QList<std::pair<const char *, const char *>> whole{{"son_islemno", "islemno"},
                                                                 {"son_musterino", "musterino"},
                                                                 {"yedek_yeri", "yolu"},
                                                                 {"musteriler", "Gun"}};
        for (const auto &[t, c] : whole)
            QTest::addRow("%s.%s", t, c) << QString::fromLatin1(t) << QString::fromLatin1(c) << "INTEGER";
        const QList<std::pair<const char *, const char *>> text{
            {"veresiye", "Tarih"},      {"veresiye", "Tarih2"},      {"veresiye", "mus_kodu"},
            {"veresiye", "islemNo2"},   {"veresiye", "Miktar"},      {"veresiye", "BirimFiyat"},
            {"kasa", "Tarih"},          {"kasa", "Tarih2"},          {"kasa", "islemNo"},
            {"banka2", "islemNo"},      {"banka2", "Banka_Kodu"},    {"banka", "HesapNo"},
            {"musteriler", "mus_kodu"}, {"musteriler", "Sonislem2"}, {"Product", "Product Code"}};
        for (const auto &[t, c] : text)
            QTest::addRow("%s.%s", t, c) << QString::fromLatin1(t) << QString::fromLatin1(c) << "TEXT";
    }
    void columnTypes()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, type);
        const Column c = columns(table).value(column.toLower());
        QCOMPARE(c.type, type);
        QVERIFY(!c.hasDefault);
    }

    // Record numbers are given by the database and never handed out twice.
    void recordNumbers_data()
    {
        QTest::addColumn<QString>("table");
        for (const char *t : {"musteriler", "veresiye", "kasa", "Product", "banka", "banka2", "SatisRapor"})
            QTest::newRow(t) << QString::fromLatin1(t);
    }
    void recordNumbers()
    {
        QFETCH(QString, table);
        const QString sql =
            scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE name='%1'").arg(table));
        QVERIFY(sql.simplified().contains(QStringLiteral("id INTEGER PRIMARY KEY AUTOINCREMENT"),
                                          Qt::CaseInsensitive));
    }

    void unwrittenAmountIsEmpty()
    {
        QVERIFY(exec("BEGIN"));
        QVERIFY(exec("INSERT INTO veresiye (mus_kodu, Eklenen) VALUES ('1', 10)"));
        QVERIFY(exec("INSERT INTO veresiye (mus_kodu, Eklenen) VALUES ('1', 2.5)"));
        QVERIFY(scalar("SELECT Odenen FROM veresiye WHERE mus_kodu='1'").isNull());
        QVERIFY(scalar("SELECT sum(Odenen) FROM veresiye WHERE mus_kodu='1'").isNull());
        QCOMPARE(scalar("SELECT sum(Eklenen) FROM veresiye WHERE mus_kodu='1'").toDouble(), 12.5);
        // Record numbers come from the database in the order rows are added.
        const auto ids = rows("SELECT id FROM veresiye ORDER BY rowid");
        QCOMPARE(ids.size(), 2);
        QVERIFY(ids.at(0).at(0).toLongLong() < ids.at(1).at(0).toLongLong());
    }

    void seedRows_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one settings row") << "SELECT count(*) FROM dgrayr"
                                          << "1";
        QTest::newRow("shop name") << "SELECT kurumismi FROM dgrayr"
                                   << "Pelvanor";
        QTest::newRow("alert off") << "SELECT show FROM dgrayr"
                                   << "0";
        QTest::newRow("auto backup off") << "SELECT oto_yedek_aktif FROM dgrayr"
                                         << "0";
        QTest::newRow("one version row") << "SELECT count(*) FROM surum"
                                         << "1";
        QTest::newRow("version label") << "SELECT surum FROM surum"
                                       << "1.0.0";
        QTest::newRow("market name") << "SELECT marketadi FROM surum"
                                     << "Pelvanor";
        QTest::newRow("receipt counter") << "SELECT count(*) || ':' || max(islemno) FROM son_islemno"
                                         << "1:0";
        QTest::newRow("customer counter") << "SELECT count(*) || ':' || max(musterino) FROM son_musterino"
                                          << "1:0";
        QTest::newRow("next customer receipt") << "SELECT count(*) || ':' || max(yolu) FROM yedek_yeri"
                                               << "1:1";
        QTest::newRow("admin")
            << "SELECT Password || '|' || UserType || '|' || Name FROM \"User\" WHERE Username='admin'"
            << "admin|0|Tam Yetki";
        QTest::newRow("units")
            << "SELECT group_concat(birimadi, ',') FROM (SELECT birimadi FROM birimler ORDER BY id)"
            << "Adet,Kg,Metre,Litre,Paket,Kutu";
        QTest::newRow("money-in texts") << "SELECT count(*) > 0 FROM kasa_giren_a"
                                        << "1";
        QTest::newRow("money-out texts") << "SELECT count(*) > 0 FROM kasa_cikan_a"
                                         << "1";
        QTest::newRow("no customers") << "SELECT count(*) FROM musteriler"
                                      << "0";
        QTest::newRow("no movements") << "SELECT count(*) FROM veresiye"
                                      << "0";
    }
    void seedRows()
    {
        QFETCH(QString, query);
        QFETCH(QString, expected);
        QCOMPARE(scalar(query), expected);
    }

    // insert is run with the first value, then with the second; refused: the second must fail.
    void uniqueKeys_data()
    {
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("refused");
        const QString mus = "INSERT INTO musteriler (mus_kodu, MusteriFirma) VALUES ('%1', 'x')";
        const QString user = "INSERT INTO \"User\" (Username, Password) VALUES ('%1', 'p')";
        const QString prod = "INSERT INTO Product ([Product Code]) VALUES ('%1')";
        const QString marka = "INSERT INTO urun_marka (urunmarkaadi) VALUES ('%1')";
        const QString reyon = "INSERT INTO urun_reyon (reyon) VALUES ('%1')";
        QTest::newRow("customer number") << mus << "42"
                                         << "42" << true;
        QTest::newRow("customer number differs") << mus << "42"
                                                 << "43" << false;
        QTest::newRow("user name") << user << "kasa"
                                   << "kasa" << true;
        QTest::newRow("user name İ/i") << user << "İsmail"
                                       << "ismail" << true;
        QTest::newRow("user name I/ı") << user << "IŞIK"
                                       << "ışık" << true;
        QTest::newRow("user name I is not İ") << user << "ISMAIL"
                                              << "ismail" << false;
        QTest::newRow("shipped admin") << user << "Ahmet"
                                       << "ADMİN" << true;
        QTest::newRow("product code") << prod << "8690000000017"
                                      << "8690000000017" << true;
        QTest::newRow("product code case") << prod << "ABC1"
                                           << "abc1" << true;
        QTest::newRow("category") << marka << "Gıda"
                                  << "GIDA" << true;
        QTest::newRow("category differs") << marka << "Gıda"
                                          << "Giyim" << false;
        QTest::newRow("supplier") << reyon << "Şahin Ltd"
                                  << "şahin ltd" << true;
        QTest::newRow("units may repeat") << "INSERT INTO birimler (birimadi) VALUES ('%1')"
                                          << "Adet"
                                          << "Adet" << false;
        QTest::newRow("canned texts may repeat") << "INSERT INTO VeresiyeEkleAcik (Aciklama) VALUES ('%1')"
                                                 << "Ekmek"
                                                 << "Ekmek" << false;
        QTest::newRow("account numbers may repeat") << "INSERT INTO banka (HesapNo) VALUES ('%1')"
                                                    << "123"
                                                    << "123" << false;
    }
    void uniqueKeys()
    {
        QFETCH(QString, insert);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, refused);
        QVERIFY(exec("BEGIN"));
        QString error;
        QVERIFY2(exec(insert.arg(first), &error), qPrintable(error));
        const bool ok = exec(insert.arg(second), &error);
        QCOMPARE(!ok, refused);
        if (refused)
            QCOMPARE(sqlite3_extended_errcode(m_db), SQLITE_CONSTRAINT_UNIQUE);
    }

    void emptyCategoryRefused_data()
    {
        QTest::addColumn<QString>("insert");
        QTest::newRow("category") << "INSERT INTO urun_marka (urunmarkaadi) VALUES (%1)";
        QTest::newRow("supplier") << "INSERT INTO urun_reyon (reyon) VALUES (%1)";
    }
    void emptyCategoryRefused()
    {
        QFETCH(QString, insert);
        QVERIFY(exec("BEGIN"));
        QVERIFY(!exec(insert.arg("''")));
        QVERIFY(!exec(insert.arg("NULL")));
    }

    // Keys and lists sort the Turkish way.
    void turkishOrder()
    {
        QVERIFY(exec("BEGIN"));
        QVERIFY(
            exec("INSERT INTO Musteri_Gruplari (grupadi) VALUES ('Zeytin'), ('Çiçek'), ('ışık'), ('İnci'), "
                 "('Cam'), ('Ilgaz')"));
        QCOMPARE(
            scalar("SELECT group_concat(grupadi, ',') FROM (SELECT grupadi FROM Musteri_Gruplari ORDER BY "
                   "grupadi asc)"),
            QStringLiteral("Cam,Çiçek,Ilgaz,ışık,İnci,Zeytin"));
    }
};

QTEST_APPLESS_MAIN(TestSchema)
#include "test_schema.moc"
