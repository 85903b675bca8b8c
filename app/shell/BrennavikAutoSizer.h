#pragma once
// Keeps the main window's layout fitted to its size. A control takes part when its
// "Tag" property starts with "AutoSizer:" followed by flag letters:
//   X  Left follows the container's right edge     Y  Top follows the bottom edge
//   W  Width grows with the container               H  Height grows with the container
//   F  font size scales with the form's height      C  fit into the own container, centred
// Lines (controls with X1, X2, Y1, Y2 properties) move their end points instead.
// All arithmetic is in twips, in floating point, as the designs are laid out in twips.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <vector>

class QWidget;

namespace pv
{
class PropertyBag;
}

class BrennavikAutoSizer : public QObject
{
    Q_OBJECT
public:
    // The parent form is the window whose controls are arranged; the sizer records on
    // GetInitialPositions (called at the form's load) and arranges on every resize of it.
    explicit BrennavikAutoSizer(QWidget *parentForm);

    // Stored design properties: Enabled, MinWidth, MinHeight, MaxWidth, MaxHeight.
    void ReadProperties(const pv::PropertyBag &bag);

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool on) { m_enabled = on; }

    QWidget *parentForm() const { return m_form; }

    void GetInitialPositions();
    void AutoResize();

    // What the recording keeps, by key ("Frame1.Left", "Frame1 veresiye.Dimensions"…);
    // NaN / empty when nothing is recorded under the key.
    double recorded(const QString &key) const;
    QString recordedDimensions(const QString &key) const { return m_dimensions.value(key); }

    // The tag protocol, exposed for the form and its tests.
    static bool isMarked(const QString &tag);
    static QString flagsOf(const QString &tag);

signals:
    void BeforeResize();
    void AfterResize();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static QString controlName(const QWidget *w);
    static bool isLine(const QWidget *w);
    QWidget *referenceContainer(QWidget *w, const QString &flags) const;
    QString containerName(QWidget *container) const;
    // The controls whose tag marks them, with what both the recording and the resize read of
    // each: its name, flags, reference container and the key of that container's dimensions.
    struct Marked {
        QWidget *control;
        QString name;
        QString flags;
        QWidget *container;
        QString dimensionsKey;
    };
    std::vector<Marked> markedControls() const;
    bool has(const QString &key) const { return m_values.contains(key); }

    QPointer<QWidget> m_form;
    bool m_enabled = true;
    int m_minWidth = 0;
    int m_minHeight = 0;
    int m_maxWidth = 0;
    int m_maxHeight = 0;
    QHash<QString, double> m_values;
    QHash<QString, QString> m_dimensions;
};
