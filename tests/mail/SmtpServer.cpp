#include "tests/mail/SmtpServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpServer>

namespace
{

const QString kPython = QStringLiteral("/usr/bin/python3");
const QString kOpenssl = QStringLiteral("/usr/bin/openssl");

struct Certificates {
    QTemporaryDir dir;
    QString error;
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
};

bool makeCertificate(const QString &dir, const QString &stem, QString *error)
{
    QProcess p;
    p.start(kOpenssl, {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                       QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                       dir + QLatin1Char('/') + stem + QStringLiteral(".key"), QStringLiteral("-out"),
                       dir + QLatin1Char('/') + stem + QStringLiteral(".pem"), QStringLiteral("-days"),
                       QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                       QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1")});
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *error = QStringLiteral("openssl could not make a test certificate (install the package openssl): ") +
                 QString::fromLocal8Bit(p.readAllStandardError()) + p.errorString();
        return false;
    }
    return true;
}

const Certificates &certificates()
{
    static const Certificates c = [] {
        Certificates made;
        if (!QFileInfo::exists(kOpenssl))
            made.error = QStringLiteral("/usr/bin/openssl is missing: install the package openssl");
        else if (makeCertificate(made.dir.path(), QStringLiteral("server"), &made.error))
            makeCertificate(made.dir.path(), QStringLiteral("other"), &made.error);
        return made;
    }();
    return c;
}

} // namespace

QString SmtpServer::caFile()
{
    return certificates().path("server.pem");
}

QString SmtpServer::otherCaFile()
{
    return certificates().path("other.pem");
}

QString SmtpServer::setupError()
{
    return certificates().error;
}

SmtpServer::~SmtpServer()
{
    if (m_proc) {
        m_proc->closeWriteChannel();
        if (!m_proc->waitForFinished(5000)) {
            m_proc->kill();
            m_proc->waitForFinished(2000);
        }
    }
}

bool SmtpServer::start(const QString &user, const QString &password, Mode mode)
{
    if (!setupError().isEmpty()) {
        qWarning("%s", qPrintable(setupError()));
        return false;
    }
    if (!QFileInfo::exists(kPython)) {
        qWarning("/usr/bin/python3 is missing: install the package python3-aiosmtpd");
        return false;
    }
    const QString script =
        qEnvironmentVariable("PV_SOURCE_DIR") + QStringLiteral("/tests/mail/smtp_server.py");
    m_proc = std::make_unique<QProcess>();
    m_proc->setProcessChannelMode(QProcess::SeparateChannels);
    m_proc->start(kPython, {script, caFile(), certificates().path("server.key"), user, password, m_out.path(),
                            mode == Silent ? QStringLiteral("silent") : QStringLiteral("normal")});
    if (!m_proc->waitForStarted(10000)) {
        qWarning("the test SMTP server did not start: %s", qPrintable(m_proc->errorString()));
        return false;
    }
    QByteArray line;
    while (!line.contains('\n') && m_proc->state() == QProcess::Running) {
        m_proc->waitForReadyRead(200);
        line += m_proc->readAllStandardOutput();
    }
    line += m_proc->readAllStandardOutput();
    bool ok = false;
    m_port = line.trimmed().toInt(&ok);
    if (!ok) {
        qWarning("the test SMTP server gave no port (install the package python3-aiosmtpd): %s %s",
                 line.constData(), m_proc->readAllStandardError().constData());
        return false;
    }
    return true;
}

QList<SmtpServer::Received> SmtpServer::messages() const
{
    QList<Received> out;
    for (int n = 1;; ++n) {
        QFile meta(m_out.filePath(QString::number(n) + QStringLiteral(".json")));
        QFile raw(m_out.filePath(QString::number(n) + QStringLiteral(".eml")));
        if (!meta.open(QIODevice::ReadOnly) || !raw.open(QIODevice::ReadOnly))
            break;
        const QJsonObject o = QJsonDocument::fromJson(meta.readAll()).object();
        Received r;
        r.from = o.value(QStringLiteral("from")).toString();
        for (const QJsonValue &v : o.value(QStringLiteral("to")).toArray())
            r.to << v.toString();
        r.login = o.value(QStringLiteral("login")).toString();
        r.raw = raw.readAll();
        out << r;
    }
    return out;
}

QStringList SmtpServer::events() const
{
    QFile f(m_out.filePath(QStringLiteral("events.log")));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

int freeLoopbackPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}
