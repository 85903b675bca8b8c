// The message builder and the shop's code page: what a mail reader gets back after
// decoding, and that nothing typed reaches the headers as a header of its own.
#include "platform/mail/MailMessage.h"
#include "platform/text/CodePage1254.h"
#include "tests/mail/MailParse.h"

#include <QTemporaryDir>
#include <QtTest>

using pv::MailAddress;
using pv::MailMessage;

namespace
{

MailMessage sample()
{
    MailMessage m;
    m.from = {QStringLiteral("Dukkan"), QStringLiteral("dukkan@gmail.com")};
    m.to = {{QStringLiteral("Ahmet"), QStringLiteral("ahmet@ornek.com")}};
    m.subject = QStringLiteral("Borc Bilgisi");
    m.body = QStringLiteral("Merhaba");
    m.date = QDateTime(QDate(2026, 12, 10), QTime(10, 0), Qt::OffsetFromUTC, 3 * 3600);
    return m;
}

QByteArray built(const MailMessage &m)
{
    QByteArray out;
    QString error;
    if (!m.build(&out, &error))
        qWarning("build failed: %s", qPrintable(error));
    return out;
}

// Every line break is CR LF: no bare CR, no bare LF.
bool onlyCrLf(const QByteArray &b)
{
    for (qsizetype i = 0; i < b.size(); ++i) {
        if (b.at(i) == '\r' && (i + 1 >= b.size() || b.at(i + 1) != '\n'))
            return false;
        if (b.at(i) == '\n' && (i == 0 || b.at(i - 1) != '\r'))
            return false;
    }
    return true;
}

QByteArray headBlock(const QByteArray &raw)
{
    return raw.left(raw.indexOf("\r\n\r\n") + 2);
}

} // namespace

class TestMailMessage : public QObject
{
    Q_OBJECT
private slots:
    void headers_data();
    void headers();
    void typedTextAddsNoHeader_data();
    void typedTextAddsNoHeader();
    void fixedHeaders();
    void body_data();
    void body();
    void attachmentsArriveUnchanged();
    void refusedMessages_data();
    void refusedMessages();
    void codePage();
    void codePageFallback();
};

void TestMailMessage::headers_data()
{
    QTest::addColumn<QString>("fromName");
    QTest::addColumn<QString>("toName");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<bool>("plain"); // ASCII stays as typed

    QTest::newRow("ascii") << "Dukkan"
                           << "Ahmet Kaya"
                           << "Borc Bilgisi" << true;
    QTest::newRow("turkish") << "Şirin Dükkân"
                             << "Ahmet Yılmaz"
                             << "Borç Bilgisi" << false;
    QTest::newRow("all turkish letters") << "ÇĞİÖŞÜ çğıöşü"
                                         << "İğdır Öğüt"
                                         << "ŞşİıĞğ ÇçÖöÜü" << false;
    QTest::newRow("long subject")
        << "Dükkan"
        << "Ayşe" << QString(QStringLiteral("Hesap Özetiniz ekte – Aralık dönemi borç bilgisi. ")).repeated(5)
        << false;
    QTest::newRow("empty subject") << "Dükkan"
                                   << ""
                                   << "" << false;
}

void TestMailMessage::headers()
{
    QFETCH(QString, fromName);
    QFETCH(QString, toName);
    QFETCH(QString, subject);
    QFETCH(bool, plain);
    MailMessage m = sample();
    m.from.name = fromName;
    m.to.first().name = toName;
    m.subject = subject;
    const QByteArray raw = built(m);
    QVERIFY(!raw.isEmpty());
    const QByteArray head = headBlock(raw);
    QVERIFY(onlyCrLf(raw));
    for (const QByteArray &line : head.split('\n')) {
        QVERIFY2(line.size() <= 78, line.constData());
        for (const char c : line)
            QVERIFY2(static_cast<unsigned char>(c) < 0x80, "header bytes are ASCII");
    }
    const auto e = mailparse::parse(raw);
    QCOMPARE(mailparse::decodeWords(e.header("subject")), subject);
    const QString from = mailparse::decodeWords(e.header("from"));
    QCOMPARE(from, fromName + QStringLiteral(" <dukkan@gmail.com>"));
    const QString to = mailparse::decodeWords(e.header("to"));
    QCOMPARE(to, toName.isEmpty() ? QStringLiteral("<ahmet@ornek.com>")
                                  : toName + QStringLiteral(" <ahmet@ornek.com>"));
    if (plain) {
        QVERIFY(head.contains("Subject: " + subject.toLatin1() + "\r\n"));
        QVERIFY(head.contains("To: " + toName.toLatin1() + " <ahmet@ornek.com>\r\n"));
    }
}

void TestMailMessage::typedTextAddsNoHeader_data()
{
    QTest::addColumn<QString>("toName");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("shownName"); // the name a reader sees, quotes taken off

    QTest::newRow("name with CR LF and Bcc") << "Ahmet\r\nBcc: kotu@ornek.com"
                                             << "Konu"
                                             << "AhmetBcc: kotu@ornek.com";
    QTest::newRow("subject with CR LF and Bcc") << "Ahmet"
                                                << "Konu\r\nBcc: kotu@ornek.com\r\n\r\ngövde"
                                                << "Ahmet";
    QTest::newRow("name with an address") << "Ali <ali@kotu.com>, veli@kotu.com"
                                          << "Konu"
                                          << "Ali <ali@kotu.com>, veli@kotu.com";
    QTest::newRow("name with quotes") << "Ali \"Usta\" Kaya"
                                      << "Konu"
                                      << "Ali \\\"Usta\\\" Kaya";
    QTest::newRow("bare LF in turkish name") << "Ayşe\nCc: kotu@ornek.com"
                                             << "Konu"
                                             << "AyşeCc: kotu@ornek.com";
}

void TestMailMessage::typedTextAddsNoHeader()
{
    QFETCH(QString, toName);
    QFETCH(QString, subject);
    QFETCH(QString, shownName);
    MailMessage m = sample();
    m.to.first().name = toName;
    m.subject = subject;
    const QByteArray raw = built(m);
    const auto e = mailparse::parse(raw);
    QCOMPARE(e.count("bcc"), 0);
    QCOMPARE(e.count("cc"), 0);
    QCOMPARE(e.count("to"), 1);
    QCOMPARE(e.count("subject"), 1);
    QCOMPARE(m.envelopeRecipients(), QStringList{QStringLiteral("ahmet@ornek.com")});
    QString to = mailparse::decodeWords(e.header("to"));
    if (to.startsWith(QLatin1Char('"')))
        to = to.mid(1, to.lastIndexOf(QLatin1Char('"')) - 1);
    else
        to = to.left(to.lastIndexOf(QLatin1String(" <")));
    QCOMPARE(to, shownName);
    QVERIFY(e.header("to").endsWith("<ahmet@ornek.com>"));
    QCOMPARE(mailparse::parse(raw).body, mailparse::parse(built(sample())).body);
}

void TestMailMessage::fixedHeaders()
{
    MailMessage m = sample();
    m.cc = MailMessage::splitAddresses(QStringLiteral(" muhasebe@ornek.com ; patron@ornek.com"));
    m.bcc = MailMessage::splitAddresses(QStringLiteral("gizli@ornek.com"));
    const auto e = mailparse::parse(built(m));
    QCOMPARE(e.header("date"), QByteArray("Thu, 10 Dec 2026 10:00:00 +0300"));
    QCOMPARE(e.header("mime-version"), QByteArray("1.0"));
    QVERIFY(e.header("message-id").startsWith('<'));
    QVERIFY(e.header("message-id").endsWith("@gmail.com>"));
    QCOMPARE(e.header("cc"), QByteArray("<muhasebe@ornek.com>, <patron@ornek.com>"));
    QCOMPARE(e.count("bcc"), 0);
    QVERIFY(!built(m).contains("gizli"));
    QCOMPARE(m.envelopeRecipients(),
             (QStringList{"ahmet@ornek.com", "muhasebe@ornek.com", "patron@ornek.com", "gizli@ornek.com"}));
    QCOMPARE(m.envelopeSender(), QStringLiteral("dukkan@gmail.com"));
}

void TestMailMessage::body_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("expected"); // as the reader gets it

    QTest::newRow("bare CR") << "Sayın, Müşterimiz\r\rHesap"
                             << "Sayın, Müşterimiz\r\n\r\nHesap";
    QTest::newRow("bare LF") << "a\nb\n"
                             << "a\r\nb\r\n";
    QTest::newRow("CR LF") << "a\r\nb"
                           << "a\r\nb";
    QTest::newRow("dot line") << "a\n.\nb"
                              << "a\r\n.\r\nb";
    QTest::newRow("dot first") << ".\n..x"
                               << ".\r\n..x";
    QTest::newRow("equals and trailing blank") << "1+1=2 \nx\t"
                                               << "1+1=2 \r\nx\t";
    const QString longLine = QStringLiteral("Toplam Bakiye: 1.234,50 TL — ödeme bekleniyor. ").repeated(8);
    QTest::newRow("long line") << longLine << longLine;
    QTest::newRow("empty") << ""
                           << "";
}

void TestMailMessage::body()
{
    QFETCH(QString, body);
    QFETCH(QString, expected);
    MailMessage m = sample();
    m.body = body;
    const QByteArray raw = built(m);
    QVERIFY(onlyCrLf(raw));
    const auto e = mailparse::parse(raw);
    QCOMPARE(e.header("content-type"), QByteArray("text/plain; charset=UTF-8"));
    QCOMPARE(e.header("content-transfer-encoding"), QByteArray("quoted-printable"));
    for (const QByteArray &line : e.body.split('\n'))
        QVERIFY2(line.size() <= 77, line.constData()); // 76 and the CR
    QByteArray decoded = mailparse::qpDecode(e.body);
    QVERIFY(decoded.endsWith("\r\n"));
    decoded.chop(2);
    QCOMPARE(QString::fromUtf8(decoded), expected);
}

void TestMailMessage::attachmentsArriveUnchanged()
{
    QTemporaryDir dir;
    QByteArray binary;
    for (int i = 0; i < 3000; ++i)
        binary.append(char(i % 256));
    const QByteArray page = pv::toCodePage1254(QStringLiteral("<b>Şükrü Öğüt</b>\r\n"));
    const QString binPath = dir.filePath(QStringLiteral("Özet ğ \"1\".bin"));
    const QString pagePath = dir.filePath(QStringLiteral("CariHareketRaporu.html"));
    for (const auto &[path, bytes] : {std::pair{binPath, binary}, std::pair{pagePath, page}}) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    MailMessage m = sample();
    m.body = QStringLiteral("Ekte");
    m.bcc = {{QString(), QStringLiteral("gizli@ornek.com")}};
    m.attachments = {{binPath}, {pagePath, QStringLiteral("text/html"), QStringLiteral("windows-1254")}};
    const QByteArray raw = built(m);
    QVERIFY(onlyCrLf(raw));
    QVERIFY(!raw.contains("gizli"));
    const auto e = mailparse::parse(raw);
    QVERIFY(e.header("content-type").startsWith("multipart/mixed;"));
    const auto parts = mailparse::parts(e);
    QCOMPARE(parts.size(), 3);
    QCOMPARE(mailparse::qpDecode(parts[0].body), QByteArray("Ekte")); // the last CR LF is the boundary's
    QCOMPARE(QByteArray::fromBase64(parts[1].body), binary);
    QCOMPARE(QByteArray::fromBase64(parts[2].body), page);
    for (const QByteArray &line : parts[1].body.split('\n'))
        QVERIFY(line.size() <= 77);
    QVERIFY(
        parts[1]
            .header("content-disposition")
            .contains("filename*=UTF-8''" + QStringLiteral("Özet ğ \"1\".bin").toUtf8().toPercentEncoding()));
    QCOMPARE(mailparse::decodeWords(parts[1].header("content-type")),
             QStringLiteral("application/octet-stream; name=\"Özet ğ \"1\".bin\""));
    QCOMPARE(parts[2].header("content-type"),
             QByteArray("text/html; charset=windows-1254; name=\"CariHareketRaporu.html\""));
    QCOMPARE(parts[2].header("content-disposition"),
             QByteArray("attachment; filename=\"CariHareketRaporu.html\""));
}

void TestMailMessage::refusedMessages_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("attachment");

    QTest::newRow("missing attachment") << "dukkan@gmail.com"
                                        << "a@ornek.com"
                                        << "/yok/boyle/bir/dosya.pdf";
    QTest::newRow("recipient with blank") << "dukkan@gmail.com"
                                          << "a b@ornek.com"
                                          << "";
    QTest::newRow("recipient with >") << "dukkan@gmail.com"
                                      << "a@ornek.com>"
                                      << "";
    QTest::newRow("recipient without @") << "dukkan@gmail.com"
                                         << "ornek.com"
                                         << "";
    QTest::newRow("two recipients in one") << "dukkan@gmail.com"
                                           << "a@ornek.com,b@ornek.com"
                                           << "";
    QTest::newRow("sender empty") << ""
                                  << "a@ornek.com"
                                  << "";
}

void TestMailMessage::refusedMessages()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, attachment);
    MailMessage m = sample();
    m.from.address = from;
    m.to.first().address = to;
    if (!attachment.isEmpty())
        m.attachments = {{attachment}};
    QByteArray out;
    QString error;
    QVERIFY(!m.build(&out, &error));
    QVERIFY(!error.isEmpty());
}

void TestMailMessage::codePage()
{
    QCOMPARE(pv::toCodePage1254(QStringLiteral("ŞşİıĞğ")), QByteArray("\xDE\xFE\xDD\xFD\xD0\xF0"));
    QCOMPARE(pv::toCodePage1254(QStringLiteral("ÇçÖöÜü€")), QByteArray("\xC7\xE7\xD6\xF6\xDC\xFC\x80"));
    QCOMPARE(pv::toCodePage1254(QStringLiteral("abc <>&\r\n")), QByteArray("abc <>&\r\n"));
    // Every defined byte goes there and back.
    for (int b = 0x80; b <= 0xFF; ++b) {
        const QByteArray one(1, char(b));
        const QString s = pv::fromCodePage1254(one);
        if (s == QString(QChar(0xFFFD)))
            continue;
        QCOMPARE(pv::toCodePage1254(s), one);
    }
    QCOMPARE(pv::fromCodePage1254(QByteArray("\x81")), QString(QChar(0xFFFD)));
}

void TestMailMessage::codePageFallback()
{
    QCOMPARE(pv::toCodePage1254(QStringLiteral("a日b")), QByteArray("a?b"));
    QCOMPARE(pv::toCodePage1254(QStringLiteral("a日b"), pv::Unmappable::CharacterReference),
             QByteArray("a&#26085;b"));
    QCOMPARE(pv::toCodePage1254(QString::fromUcs4(U"x\U0001F600"), pv::Unmappable::CharacterReference),
             QByteArray("x&#128512;"));
    QCOMPARE(pv::toCodePage1254(QStringLiteral("Ğ"), pv::Unmappable::CharacterReference), QByteArray("\xD0"));
}

QTEST_GUILESS_MAIN(TestMailMessage)
#include "test_mailmessage.moc"
