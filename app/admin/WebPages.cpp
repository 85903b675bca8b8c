#include "app/admin/WebPages.h"

#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTextBrowser>
#include <QTimer>

namespace web
{

namespace
{

Fetcher &fetcher()
{
    static Fetcher f;
    return f;
}

QString httpFetch(const QUrl &url, int timeoutMs)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = manager.get(request);
    QEventLoop loop;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    guard.start(timeoutMs);
    // The window keeps drawing while the page comes; input is held off by the caller.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    const QString text =
        reply->error() == QNetworkReply::NoError ? QString::fromUtf8(reply->readAll()) : QString();
    reply->deleteLater();
    return text;
}

} // namespace

QUrl exchangeRatePage()
{
    return QUrl(QStringLiteral("https://www.tcmb.gov.tr/kurlar/today.html?"));
}
QUrl announcementsPage()
{
    return QUrl(QStringLiteral("https://www.brennavik.com.tr/programlar/BVVER/dyr.htm"));
}

QString fetchText(const QUrl &url, int timeoutMs)
{
    if (fetcher())
        return fetcher()(url, timeoutMs);
    return httpFetch(url, timeoutMs);
}

void setFetcher(Fetcher f)
{
    fetcher() = std::move(f);
}

bool pageShowsConnection(const QString &page)
{
    const qsizetype p = page.indexOf(QStringLiteral("ABD DOLARI")) + 1; // 1-based, 0 when absent
    return !page.mid(p + 28 - 1, 9).isEmpty();
}

QTextBrowser *createBrowser(QWidget *frame)
{
    QTextBrowser *b = nullptr;
    ui::loadForm(frame, QStringLiteral("veresiye.WebPages"), frame, {pv::FormMember("WebBrowser2", b)});
    return b;
}

void toggleAnnouncements(BvButton *button, QWidget *panel, QTextBrowser *browser)
{
    if (!button->Value()) {
        panel->setVisible(false);
        return;
    }
    if (!pageShowsConnection(fetchText(exchangeRatePage()))) {
        pv::MsgBox(QStringLiteral("İnternet Bağlantınız Aktif Değil.. Bağlantı kurulamadı."), pv::vbCritical);
        panel->setVisible(false);
        button->setValue(false);
        return;
    }
    const QString page = fetchText(announcementsPage());
    if (page.isEmpty())
        browser->setPlainText(QStringLiteral("Duyurular şu anda alınamadı."));
    else
        browser->setHtml(page);
    panel->setVisible(true);
}

} // namespace web
