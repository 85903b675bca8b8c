#include "app/shell/Form3.h"

#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "platform/components/Twips.h"
#include "platform/forms/FormLoader.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTextEdit>

namespace
{

QPixmap artwork(int w, int h)
{
    QPixmap p(w, h);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.fillRect(p.rect(), Qt::white);
    QLinearGradient band(0, 0, w, 0);
    band.setColorAt(0, QColor(0x28, 0x5E, 0xA8));
    band.setColorAt(1, QColor(0x7B, 0xC0, 0xDB));
    g.fillRect(QRect(0, 0, w, h * 45 / 100), band);
    g.setPen(Qt::white);
    g.setFont(QFont(QStringLiteral("DejaVu Sans"), 30, QFont::Bold));
    g.drawText(QRect(0, h * 8 / 100, w, h * 20 / 100), Qt::AlignCenter, QStringLiteral("Pelvanor"));
    g.setFont(QFont(QStringLiteral("DejaVu Sans"), 12));
    g.drawText(QRect(0, h * 28 / 100, w, h * 10 / 100), Qt::AlignCenter,
               QStringLiteral("Cari + Veresiye + Stok + Kasa"));
    g.setPen(QColor(0x40, 0x40, 0x40));
    g.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    g.drawText(QRect(0, h * 52 / 100, w, h * 25 / 100), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("Küçük işletmeler için veresiye, kasa, stok ve banka takibi.\n\n"
                              "© Brennavik Yazılım. Tüm hakları saklıdır."));
    return p;
}

} // namespace

Form3::Form3()
{
    setObjectName(QStringLiteral("Form3"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    ui::loadForm(this, {PV_FORM_MEMBER(Image2), PV_FORM_MEMBER(Label6), PV_FORM_MEMBER(RichTextBox1),
                        PV_FORM_MEMBER(BvButton1), PV_FORM_MEMBER(BvButton3)});

    Image2->setPixmap(artwork(Image2->width(), Image2->height()));
    // Its colour after its font: a style sheet set first draws the label's own font differently.
    Label6->setStyleSheet(QStringLiteral("color: #808080;"));
    RichTextBox1->setHtml(agreementText());
}

void Form3::Form_Load()
{
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void Form3::BvButton1_Click()
{
    if (BvButton1->Value()) {
        Label6->setVisible(true);
        RichTextBox1->setVisible(true);
        ui::moveTo(RichTextBox1, 120, 120);
        RichTextBox1->raise();
        BvButton1->setCaption(QStringLiteral("Lisans Sözleşmesini Kapat"));
    } else {
        Label6->setVisible(false);
        RichTextBox1->setVisible(false);
        BvButton1->setCaption(QStringLiteral("Lisans Sözleşmesi"));
    }
}

void Form3::BvButton3_Click()
{
    pv::Unload(this);
}

QString Form3::agreementText()
{
    return QStringLiteral(
        "<h3>Pelvanor Son Kullanıcı Lisans Sözleşmesi</h3>"
        "<p>Bu sözleşme, Brennavik Yazılım (\"Yapımcı\") ile Pelvanor programını (\"Program\") kuran ya da "
        "kullanan siz (\"Kullanıcı\") arasında yapılmıştır. Programı kurarak ya da kullanarak bu sözleşmenin "
        "koşullarını kabul etmiş olursunuz.</p>"
        "<p><b>1. Kullanım hakkı.</b> Yapımcı, Kullanıcıya Programı kendi işletmesinin kayıtlarını tutmak "
        "için tek bir bilgisayarda kullanma hakkı verir. Program satılmaz, kullanım hakkı verilir.</p>"
        "<p><b>2. Kısıtlamalar.</b> Kullanıcı Programı kiralayamaz, satamaz, kaynak koduna dönüştüremez ve "
        "değiştirilmiş kopyalarını dağıtamaz.</p>"
        "<p><b>3. Veriler.</b> Programa girilen bütün kayıtlar Kullanıcıya aittir. Verilerin düzenli olarak "
        "yedeklenmesi Kullanıcının sorumluluğundadır.</p>"
        "<p><b>4. Sorumluluk.</b> Program olduğu gibi sunulur. Yapımcı, Programın kullanımından doğabilecek "
        "veri kaybı, kâr kaybı ya da başka zararlardan sorumlu tutulamaz.</p>"
        "<p><b>5. Sona erme.</b> Kullanıcı bu sözleşmenin koşullarına uymazsa kullanım hakkı kendiliğinden "
        "sona erer; Kullanıcı Programı ve bütün kopyalarını silmekle yükümlüdür.</p>"
        "<p>Pelvanor ve Brennavik adları Yapımcıya aittir.</p>");
}
