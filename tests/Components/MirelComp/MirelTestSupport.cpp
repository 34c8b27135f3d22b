#include "MirelTestSupport.h"

#include "Components/MirelComp/MirelFonts.h"

#include <QApplication>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(TextRecorder *device) : QPaintEngine(AllFeatures), m_device(device) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyTransform)
            m_transform = state.transform();
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath &) override {}
    void drawRects(const QRectF *, int) override {}
    void drawLines(const QLineF *, int) override {}
    void drawPoints(const QPointF *, int) override {}
    void drawEllipse(const QRectF &) override {}
    void drawImage(const QRectF &, const QImage &, const QRectF &, Qt::ImageConversionFlags) override {}
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        m_device->runs.append({item.text(), m_transform.map(p), item.font()});
    }
    Type type() const override { return User; }

private:
    TextRecorder *m_device;
    QTransform m_transform;
};

// The tests need one application object for their widgets.
class AppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_mirelcomp";
        static char *argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                        : qgetenv("QT_QPA_PLATFORM"));
        m_app = std::make_unique<QApplication>(argc, argv);
        mirel::installFontSubstitutions();
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] const auto *g_env = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

} // namespace

TextRecorder::TextRecorder() : m_engine(std::make_unique<RecordingEngine>(this)) {}
TextRecorder::~TextRecorder() = default;

QPaintEngine *TextRecorder::paintEngine() const
{
    return m_engine.get();
}

int TextRecorder::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return 2000;
    case PdmHeight: return 2000;
    case PdmWidthMM: return 529;
    case PdmHeightMM: return 529;
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 32;
    case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    default: return 0;
    }
}

QList<TextRecorder::Run> TextRecorder::record(QWidget *widget)
{
    TextRecorder device;
    widget->render(&device, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return device.runs;
}

QStringList TextRecorder::texts(QWidget *widget)
{
    QStringList out;
    for (const Run &run : record(widget))
        out << run.text;
    return out;
}

bool PaintCounter::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Paint)
        ++count;
    return false;
}

QImage snapshot(QWidget *widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

QRect inkBox(const QImage &image, QRgb background)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF))
                box |= QRect(x, y, 1, 1);
    return box;
}
