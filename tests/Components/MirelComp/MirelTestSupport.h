#pragma once
// Shared pieces of the control-library tests: the application object, a paint
// device that records the texts drawn on it, a paint-event counter and pixel
// helpers.

#include <QEvent>
#include <QFont>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QStringList>
#include <QWidget>
#include <memory>

// Records every text run that a widget draws when rendered into it.
class TextRecorder : public QPaintDevice {
public:
    struct Run {
        QString text;
        QPointF pos; // baseline origin in widget coordinates
        QFont font;  // the font it was drawn in
    };

    TextRecorder();
    ~TextRecorder() override;

    // Renders the widget (its paint routine, in its current state).
    static QList<Run> record(QWidget *widget);
    static QStringList texts(QWidget *widget);

    QPaintEngine *paintEngine() const override;
    QList<Run> runs;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<QPaintEngine> m_engine;
};

// Counts the paint events of the objects it is installed on as an event filter.
class PaintCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// The widget as it paints itself now, as an image.
QImage snapshot(QWidget *widget);

// Bounding box of the pixels whose colour differs from background.
QRect inkBox(const QImage &image, QRgb background);
