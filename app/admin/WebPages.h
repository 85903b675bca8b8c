#pragma once
// The web addresses the program reads, kept in one place, the page fetch behind them and
// the announcements panel of the main window. No part of the program needs the network:
// a fetch that fails only means the panel stays closed.
#include <QString>
#include <QUrl>
#include <functional>

class BvButton;
class QTextBrowser;
class QWidget;

namespace web
{

// The central bank's daily exchange rates: its text tells whether the internet is there.
QUrl exchangeRatePage();
// The maker's announcements, shown in the panel.
QUrl announcementsPage();

// Fetches a page as text; an empty text when it could not be fetched in time.
using Fetcher = std::function<QString(const QUrl &url, int timeoutMs)>;
QString fetchText(const QUrl &url, int timeoutMs = 5000);
void setFetcher(Fetcher fetcher); // tests; empty restores the plain HTTP fetch

// The internet counts as reachable when the nine characters 28 places after the first
// "ABD DOLARI" (or from place 28 when it is absent) are not empty.
bool pageShowsConnection(const QString &page);

// The browser of the announcements panel, placed inside its frame.
QTextBrowser *createBrowser(QWidget *frame);

// The announcements toggle: pressed, it tests the connection and shows the page in the
// panel; released or without a connection, the panel hides (and the button is released).
void toggleAnnouncements(BvButton *button, QWidget *panel, QTextBrowser *browser);

} // namespace web
