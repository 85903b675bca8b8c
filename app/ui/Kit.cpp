#include "app/ui/Kit.h"

#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/data/Recordset.h"
#include "platform/data/Values.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"
#include "platform/forms/MsgBox.h"
#include "platform/text/Formats.h"
#include "platform/text/InputChecks.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCache>
#include <QComboBox>
#include <QDataStream>
#include <QDateEdit>
#include <QFileInfo>
#include <QFrame>
#include <QIODevice>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionSlider>

#include <limits>

namespace ui
{

void place(QWidget *w, double left, double top, double width, double height)
{
    pv::setGeometryTwips(w, left, top, width, height);
}

void moveTo(QWidget *w, double left, double top)
{
    w->move(pv::twipsToPixels(left), pv::twipsToPixels(top));
}

void showAt(QWidget *w, double left, double top)
{
    moveTo(w, left, top);
    w->show();
    w->raise();
}

QLabel *label(QWidget *parent, const char *name, double l, double t, double w, double h,
              const QString &caption, Qt::Alignment align, bool wordWrap)
{
    auto *lb = new QLabel(caption, parent);
    lb->setObjectName(QLatin1String(name));
    lb->setAlignment(align);
    lb->setWordWrap(wordWrap);
    place(lb, l, t, w, h);
    return lb;
}

namespace
{

// The program's style, but a password box shows "*" for each character, whatever the
// platform's style would draw.
class PasswordStars : public QProxyStyle
{
public:
    PasswordStars() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// One style of the kind for the whole program, gone with the application.
template <class Style> QStyle *sharedStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new Style;
        style->setParent(qApp);
    }
    return style;
}

// The program's style, but a scroll bar is drawn once for each look it takes and copied from
// that image afterwards: the style fills a bar taller than about a hundred pixels on the
// thread pool, and handing the work over and waiting for it costs more than the drawing.
class ScrollBarImages : public QProxyStyle
{
public:
    ScrollBarImages() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget) const override
    {
        const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option);
        // Copied only where a copy lands on whole pixels, as drawn.
        if (control != CC_ScrollBar || !bar || bar->rect.isEmpty() ||
            painter->worldTransform().type() > QTransform::TxTranslate || painter->opacity() < 1.0 ||
            painter->compositionMode() != QPainter::CompositionMode_SourceOver) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const qreal ratio = painter->device()->devicePixelRatio();
        QByteArray key;
        {
            QDataStream out(&key, QIODevice::WriteOnly);
            out << bar->rect.size() << int(bar->state) << int(bar->direction) << bar->palette.cacheKey()
                << int(bar->subControls) << int(bar->activeSubControls) << int(bar->orientation)
                << bar->minimum << bar->maximum << bar->sliderPosition << bar->sliderValue << bar->singleStep
                << bar->pageStep << bar->upsideDown << ratio;
        }
        if (const QImage *drawn = m_drawn.object(key)) {
            painter->drawImage(bar->rect.topLeft(), *drawn);
            return;
        }
        // The bar covers the whole of its rectangle, so the image's own ground never shows.
        QImage image((QSizeF(bar->rect.size()) * ratio).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        QStyleOptionSlider at(*bar);
        at.rect.moveTo(0, 0);
        QPainter p(&image);
        QProxyStyle::drawComplexControl(control, &at, &p, widget);
        p.end();
        painter->drawImage(bar->rect.topLeft(), image);
        m_drawn.insert(key, new QImage(image), int(image.sizeInBytes() / 1024) + 1);
    }

private:
    mutable QCache<QByteArray, QImage> m_drawn{4 * 1024}; // kB of images
};

} // namespace

void scrollBarsFromImages(QAbstractScrollArea *area)
{
    for (QScrollBar *bar : {area->verticalScrollBar(), area->horizontalScrollBar()})
        bar->setStyle(sharedStyle<ScrollBarImages>());
}

QLineEdit *textBox(QWidget *parent, const char *name, double l, double t, double w, double h,
                   const QString &text)
{
    auto *e = new QLineEdit(text, parent);
    e->setObjectName(QLatin1String(name));
    // Every box, so that one that masks its text later (by its form or by code) masks it alike.
    e->setStyle(sharedStyle<PasswordStars>());
    place(e, l, t, w, h);
    return e;
}

QComboBox *comboBox(QWidget *parent, const char *name, double l, double t, double w, double h,
                    const QStringList &items)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->addItems(items);
    place(c, l, t, w, h);
    return c;
}

QDateEdit *datePicker(QWidget *parent, const char *name, double l, double t, double w, double h)
{
    auto *d = new QDateEdit(parent);
    d->setObjectName(QLatin1String(name));
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    d->setCalendarPopup(true);
    d->setDateRange(kFirstDay, kLastDay);
    place(d, l, t, w, h);
    return d;
}

QFrame *panel(QWidget *parent, const char *name, double l, double t, double w, double h, bool box)
{
    auto *f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    if (box)
        f->setFrameShape(QFrame::Box);
    f->setAutoFillBackground(true);
    place(f, l, t, w, h);
    return f;
}

void setEnabled(QWidget *w, bool on)
{
    if (auto *b = qobject_cast<BvButton *>(w))
        b->setEnabled(on);
    else if (auto *f = qobject_cast<FrameFendrixon *>(w))
        f->setEnabled(on);
    else if (w)
        w->setEnabled(on);
}

void setEnabled(const QList<QWidget *> &controls, bool on)
{
    for (QWidget *w : controls)
        setEnabled(w, on);
}

void setEnabledWhereNot(std::initializer_list<QWidget *> widgets, bool on)
{
    for (QWidget *w : widgets) {
        auto *b = qobject_cast<BvButton *>(w);
        if (w && (b ? b->Enabled() : w->isEnabled()) != on)
            setEnabled(w, on);
    }
}

void fillList(pv::DataControl *dc, const QString &field, QComboBox *list)
{
    const bool hadPick = list->currentIndex() >= 0;
    const QString picked = list->currentText();
    pv::Recordset &rs = dc->Recordset();
    QStringList items;
    const int col = rs.fieldIndex(field);
    for (int r = 0; r < rs.RecordCount(); ++r)
        items << rs.textAt(r, col);
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(hadPick ? list->findText(picked) : -1);
}

void bindField(pv::DataControl *dc, pv::HandOff *field, const QString &column)
{
    pv::bindField(*dc, *field, column);
}

// The two spellings the program stores, read without the general parser: this runs for
// every customer at every activation of the main window.
QDate quickDate(const QString &s)
{
    if (s.size() != 10)
        return {};
    int y = 0, m = 0, d = 0;
    bool a = false, b = false, c = false;
    if (s.at(2) == QLatin1Char('.') && s.at(5) == QLatin1Char('.')) {
        y = s.mid(6, 4).toInt(&a);
        m = s.mid(3, 2).toInt(&b);
        d = s.left(2).toInt(&c);
    } else if (s.at(4) == QLatin1Char('-') && s.at(7) == QLatin1Char('-')) {
        y = s.left(4).toInt(&a);
        m = s.mid(5, 2).toInt(&b);
        d = s.mid(8, 2).toInt(&c);
    }
    return a && b && c ? QDate(y, m, d) : QDate();
}

bool daysBetween(const QDate &last, const QDate &today, int *days)
{
    if (!last.isValid() || !today.isValid())
        return false;
    const qint64 n = last.daysTo(today);
    if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        return false;
    *days = int(n);
    return true;
}

bool daysSince(const pv::Recordset &rs, int row, int field, const QDate &today, int *days)
{
    const QVariant stored = rs.valueAt(row, field);
    QDate last;
    if (stored.metaType().id() == QMetaType::QDate)
        last = stored.toDate();
    else if (stored.metaType().id() == QMetaType::QDateTime)
        last = stored.toDateTime().date();
    else if (stored.metaType().id() == QMetaType::QString)
        last = quickDate(stored.toString());
    if (!last.isValid() && stored.isValid()) {
        // Any other spelling the shared date rules read.
        const QString shown = rs.textAt(row, field);
        if (const auto d = pv::parseDate(shown))
            last = *d;
        else
            last = pv::parseDateText(shown).date();
    }
    return daysBetween(last, today, days);
}

void giveFrameItsColours(FrameFendrixon *f)
{
    f->setBorderColor(0xA87E28);
    f->setButtonColor(0xA87E28);
    f->setGradientBottom(0xEBC2A5);
    f->setGradientTop(0xFFFFFF);
    f->setHeaderGradientBottom(0xA87E28);
    f->setHeaderGradientTop(0xDBC07B);
}

void refuse(QLineEdit *box, const QString &message)
{
    pv::MsgBox(message, pv::vbExclamation, kWarnTitle);
    box->setFocus();
    box->selectAll();
}

void refuseField(QWidget *field, const QString &message)
{
    pv::MsgBox(message, pv::vbOKOnly | pv::vbExclamation, kWarnTitle);
    field->setFocus(Qt::OtherFocusReason);
}

void showSaveFailed(const QString &reason)
{
    pv::MsgBox(kSaveFailed + QLatin1Char('\n') + reason, pv::vbOKOnly | pv::vbCritical, kErrorTitle);
}

bool readAmount(QLineEdit *box, double *value, const QString &emptyMessage, const QString &word)
{
    const pv::AmountCheck check = pv::checkAmount(box->text(), word);
    switch (check.status) {
    case pv::AmountStatus::Ok:
        *value = check.value;
        return true;
    case pv::AmountStatus::Empty:
        if (emptyMessage.isEmpty()) {
            *value = 0;
            return true;
        }
        refuse(box, emptyMessage);
        return false;
    case pv::AmountStatus::NotNumber:
    case pv::AmountStatus::TooLarge:
        refuse(box, check.message);
        return false;
    }
    return false;
}

QString dateOutOfRange()
{
    return QStringLiteral("Tarih ") + pv::dateText(kFirstDay) + QStringLiteral(" ile ") +
           pv::dateText(kLastDay) + QStringLiteral(" arasında olmalıdır.");
}

namespace
{

// Why the typed date is refused (notADate when it reads as no date), or "" with the date.
QString dateRefusal(const QString &text, const QString &notADate, QDate *date)
{
    const auto parsed = pv::parseDate(text);
    if (!parsed)
        return notADate;
    if (*parsed < kFirstDay || *parsed > kLastDay)
        return dateOutOfRange();
    *date = *parsed;
    return {};
}

} // namespace

bool readDate(QLineEdit *box, QDate *date)
{
    const QString why = dateRefusal(box->text(), pv::kBadDateMessage, date);
    if (!why.isEmpty())
        refuse(box, why);
    return why.isEmpty();
}

bool readDateField(QLineEdit *box, QDate *date)
{
    const QString why = dateRefusal(box->text(), kBadDate, date);
    if (!why.isEmpty())
        refuseField(box, why);
    return why.isEmpty();
}

bool readTime(QLineEdit *box, QTime *time)
{
    const auto parsed = pv::parseTime(box->text());
    if (!parsed) {
        refuse(box, pv::kBadTimeMessage);
        return false;
    }
    *time = *parsed;
    return true;
}

void formatMoneyBox(QLineEdit *box, const QString &pattern)
{
    if (const auto v = pv::toNumber(box->text()))
        box->setText(pv::Format(*v, pattern));
}

void formatDateBox(QLineEdit *box)
{
    if (const auto d = pv::parseDate(box->text()))
        box->setText(pv::dateText(*d));
}

bool isBlank(const QString &text)
{
    return text.trimmed().isEmpty();
}

QString mailValue(const QString &typed)
{
    const QString t = typed.trimmed();
    return t == QLatin1String("@") ? QString() : t;
}

QString mailDomain()
{
    return QStringLiteral("@gmail.com");
}

QString mailExample()
{
    return QStringLiteral("isletmeniz@gmail.com");
}

QString makerAddress()
{
    return QStringLiteral("www.brennavik.com");
}

PhotoCheck checkPhoto(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return PhotoCheck::Missing;
    const QString type = path.right(3).toUpper();
    if (type != QLatin1String("JPG") && type != QLatin1String("GIF") && type != QLatin1String("BMP"))
        return PhotoCheck::WrongType;
    return PhotoCheck::Ok;
}

bool reportPhoto(const QString &path)
{
    switch (checkPhoto(path)) {
    case PhotoCheck::Missing:
        pv::MsgBox(QStringLiteral("Resim Klasör Dizini Hatalı"), pv::vbExclamation, QStringLiteral("Hata "));
        return false;
    case PhotoCheck::WrongType:
        pv::MsgBox(QStringLiteral("Resim Klasör Dizini Hatalı"), pv::vbExclamation, QStringLiteral("Hata"));
        return false;
    case PhotoCheck::Ok:
        break;
    }
    return true;
}

} // namespace ui
