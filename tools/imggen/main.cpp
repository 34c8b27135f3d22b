// imggen: draws the button pictures of the program folder's img/ from the
// catalogue pictures.txt. Runs without a display (offscreen platform).
//
//   imggen <catalogue> <output folder>

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace {

struct Palette {
    QColor top, bottom, border, text;
};

bool paletteByName(const QString &name, Palette &out)
{
    static const struct { const char *name; Palette p; } table[] = {
        {"tan", {{253, 247, 235}, {226, 192, 148}, {152, 129, 94}, {74, 44, 14}}},
        {"grey", {{255, 255, 255}, {222, 222, 222}, {150, 150, 150}, {20, 20, 20}}},
        {"blue", {{238, 246, 255}, {158, 196, 238}, {58, 98, 158}, {16, 38, 88}}},
        {"orange", {{255, 226, 186}, {246, 134, 31}, {168, 78, 8}, {255, 255, 255}}},
        {"red", {{255, 214, 208}, {214, 72, 60}, {140, 30, 24}, {255, 255, 255}}},
        {"green", {{226, 248, 220}, {112, 184, 92}, {48, 110, 36}, {255, 255, 255}}},
    };
    for (const auto &e : table) {
        if (name == QLatin1String(e.name)) {
            out = e.p;
            return true;
        }
    }
    return false;
}

// The largest bold font (at most half the face's height per line, and at
// most 28 pixels) whose text fits the face with a small margin.
QFont fittedFont(const QString &text, int w, int h)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    QFont font(QStringLiteral("NanumGothic"));
    font.setBold(true);
    int px = std::clamp(int(h * 0.5 / lines.size()), 6, 28);
    for (; px > 6; --px) {
        font.setPixelSize(px);
        const QRect r = QFontMetrics(font).boundingRect(QRect(0, 0, 10000, 10000), Qt::AlignCenter, text);
        if (r.width() <= w - 8 && r.height() <= h - 4)
            break;
    }
    font.setPixelSize(px);
    return font;
}

QImage drawFace(int w, int h, const Palette &pal, bool pressed, const QString &word)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    const qreal radius = std::min(6.0, std::min(w, h) / 4.0);
    const QRectF outer = QRectF(0.5, 0.5, w - 1.0, h - 1.0);
    QLinearGradient fill(0, 0, 0, h);
    if (pressed) {
        fill.setColorAt(0, pal.bottom.darker(115));
        fill.setColorAt(1, pal.top.darker(108));
    } else {
        fill.setColorAt(0, pal.top);
        fill.setColorAt(1, pal.bottom);
    }
    QPainterPath path;
    path.addRoundedRect(outer, radius, radius);
    p.fillPath(path, fill);
    p.setPen(QPen(pal.border, 1));
    p.drawPath(path);
    // A thin inner line: highlight along the top when up, shade when pressed.
    if (w > 6 && h > 6) {
        QPainterPath inner;
        inner.addRoundedRect(outer.adjusted(1.5, 1.5, -1.5, -1.5), std::max(0.0, radius - 1.5),
                             std::max(0.0, radius - 1.5));
        QColor line = pressed ? pal.border : QColor(255, 255, 255, 170);
        line.setAlpha(pressed ? 90 : 170);
        p.setPen(QPen(line, 1));
        p.drawPath(inner);
    }

    if (!word.isEmpty()) {
        const QFont font = fittedFont(word, w, h);
        p.setFont(font);
        QRect r(0, 0, w, h);
        if (pressed)
            r.translate(1, 1);
        // A soft shadow keeps light text readable on the darker faces.
        if (pal.text.lightness() > 128) {
            p.setPen(QColor(0, 0, 0, 90));
            p.drawText(r.translated(1, 1), Qt::AlignCenter, word);
        }
        p.setPen(pal.text);
        p.drawText(r, Qt::AlignCenter, word);
    }
    p.end();
    return image;
}

struct Job {
    QString file;
    int w = 0, h = 0;
    Palette palette;
    bool pressed = false;
    QString word;
};

bool parseLine(const QString &raw, int lineNo, QList<Job> &jobs, QString &error)
{
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
        return true;
    QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString kind = parts.value(0);
    const int fixed = kind == QLatin1String("pad") ? 6 : 5;
    if ((kind != QLatin1String("pad") && kind != QLatin1String("face")) || parts.size() < fixed + 1) {
        error = QStringLiteral("line %1: cannot read \"%2\"").arg(lineNo).arg(line);
        return false;
    }
    Job job;
    bool okW = false, okH = false;
    job.w = parts[2].toInt(&okW);
    job.h = parts[3].toInt(&okH);
    if (!okW || !okH || job.w <= 0 || job.h <= 0 || !paletteByName(parts[4], job.palette)) {
        error = QStringLiteral("line %1: bad size or palette").arg(lineNo);
        return false;
    }
    QString word = parts.mid(fixed).join(QLatin1Char(' '));
    if (word == QLatin1String("-"))
        word.clear();
    job.word = word.replace(QLatin1Char('|'), QLatin1Char('\n'));
    if (kind == QLatin1String("pad")) {
        job.file = parts[1];
        job.pressed = parts[5] == QLatin1String("1");
        jobs << job;
    } else {
        const QString base = QStringLiteral("face_%1_%2x%3_").arg(parts[1]).arg(job.w).arg(job.h);
        job.file = base + QStringLiteral("01.png");
        jobs << job;
        job.file = base + QStringLiteral("02.png");
        job.pressed = true;
        jobs << job;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: imggen <catalogue> <output folder>\n");
        return 2;
    }
    QFile catalogue(args[1]);
    if (!catalogue.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "imggen: cannot open %s\n", qPrintable(args[1]));
        return 1;
    }
    QList<Job> jobs;
    QTextStream in(&catalogue);
    in.setEncoding(QStringConverter::Utf8);
    int lineNo = 0;
    while (!in.atEnd()) {
        QString error;
        if (!parseLine(in.readLine(), ++lineNo, jobs, error)) {
            std::fprintf(stderr, "imggen: %s\n", qPrintable(error));
            return 1;
        }
    }
    QDir out(args[2]);
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "imggen: cannot create %s\n", qPrintable(args[2]));
        return 1;
    }
    for (const Job &job : jobs) {
        const QImage image = drawFace(job.w, job.h, job.palette, job.pressed, job.word);
        if (!image.save(out.filePath(job.file), "PNG")) {
            std::fprintf(stderr, "imggen: cannot write %s\n", qPrintable(out.filePath(job.file)));
            return 1;
        }
    }
    std::printf("imggen: %lld pictures in %s\n", static_cast<long long>(jobs.size()),
                qPrintable(out.absolutePath()));
    return 0;
}
