#include "platform/forms/MsgBox.h"
#include "platform/forms/Form.h"
#include "platform/forms/Program.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace pv
{

namespace
{
MsgBoxHandler g_handler;

QString displayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
} // namespace

void setMsgBoxHandler(MsgBoxHandler handler)
{
    g_handler = std::move(handler);
}

int msgBoxEscapeAnswer(int flags)
{
    switch (flags & 0x0F) {
    case vbOKCancel:
    case vbYesNoCancel:
        return vbCancel;
    case vbYesNo:
        return vbNo;
    default:
        return vbOK;
    }
}

int MsgBox(const QString &text, int flags, const QString &title)
{
    MsgBoxCall call{text, title.isNull() ? programTitle() : title, flags};
    if (g_handler)
        return g_handler(call);

    QMessageBox box(activeProgramWindow());
    box.setWindowTitle(call.title);
    box.setTextFormat(Qt::PlainText);
    box.setText(displayText(text));
    switch (call.icon()) {
    case vbCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    case vbQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case vbExclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case vbInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    struct Choice {
        int answer;
        const char *label;
        QMessageBox::ButtonRole role;
    };
    QList<Choice> choices;
    switch (call.buttons()) {
    case vbOKCancel:
        choices = {{vbOK, "Tamam", QMessageBox::AcceptRole}, {vbCancel, "İptal", QMessageBox::RejectRole}};
        break;
    case vbYesNoCancel:
        choices = {{vbYes, "Evet", QMessageBox::YesRole},
                   {vbNo, "Hayır", QMessageBox::NoRole},
                   {vbCancel, "İptal", QMessageBox::RejectRole}};
        break;
    case vbYesNo:
        choices = {{vbYes, "Evet", QMessageBox::YesRole}, {vbNo, "Hayır", QMessageBox::NoRole}};
        break;
    default:
        choices = {{vbOK, "Tamam", QMessageBox::AcceptRole}};
        break;
    }
    QList<QAbstractButton *> buttons;
    for (const Choice &c : choices)
        buttons.append(box.addButton(QString::fromUtf8(c.label), c.role));
    const int def = call.defaultButton() == vbDefaultButton3   ? 2
                    : call.defaultButton() == vbDefaultButton2 ? 1
                                                               : 0;
    if (auto *b = qobject_cast<QPushButton *>(buttons.value(def, buttons.first())))
        box.setDefaultButton(b);
    const int escAnswer = msgBoxEscapeAnswer(flags);
    for (int i = 0; i < choices.size(); ++i)
        if (choices[i].answer == escAnswer)
            box.setEscapeButton(buttons[i]);
    box.exec();
    for (int i = 0; i < choices.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return choices[i].answer;
    return escAnswer;
}

} // namespace pv
