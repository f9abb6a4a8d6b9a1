#include "PageText.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QTextItem>

namespace urn::test {

namespace {

class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(DrawnPage& page) : QPaintEngine(AllFeatures), m_page(page) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override {
        if (state.state() & DirtyTransform)
            m_transform = state.transform();
        if (state.state() & DirtyFont)
            m_font = state.font();
        if (state.state() & DirtyPen)
            m_penWidth = state.pen().widthF();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        DrawnText t;
        t.text = item.text();
        t.font = item.font();
        // Decorations are drawn apart from the glyphs: take them from the
        // painter's font.
        t.font.setUnderline(m_font.underline());
        t.font.setStrikeOut(m_font.strikeOut());
        const QPointF base = m_transform.map(p);
        // Replaying a picture lays text out again in floating point: whole
        // page units are what the printout asked for.
        t.topLeft = QPointF(qRound(base.x()), qRound(base.y() - QFontMetrics(t.font).ascent()));
        m_page.texts.append(t);
    }
    void drawLines(const QLineF* lines, int n) override {
        for (int i = 0; i < n; ++i)
            addLine(m_transform.map(lines[i]));
    }
    void drawLines(const QLine* lines, int n) override {
        for (int i = 0; i < n; ++i)
            addLine(m_transform.map(QLineF(lines[i])));
    }
    void drawRects(const QRectF* rects, int n) override {
        for (int i = 0; i < n; ++i)
            addRect(m_transform.mapRect(rects[i]));
    }
    void drawRects(const QRect* rects, int n) override {
        for (int i = 0; i < n; ++i)
            addRect(m_transform.mapRect(QRectF(rects[i])));
    }
    void drawEllipse(const QRectF& r) override { m_page.ellipses.append(m_transform.mapRect(r)); }
    void drawEllipse(const QRect& r) override {
        m_page.ellipses.append(m_transform.mapRect(QRectF(r)));
    }
    // Lines replayed from a picture arrive as two-point polylines.
    void drawPolygon(const QPointF* points, int n, PolygonDrawMode mode) override {
        if (mode != PolylineMode)
            return;
        for (int i = 1; i < n; ++i)
            addLine(m_transform.map(QLineF(points[i - 1], points[i])));
    }
    void drawPolygon(const QPoint* points, int n, PolygonDrawMode mode) override {
        if (mode != PolylineMode)
            return;
        for (int i = 1; i < n; ++i)
            addLine(m_transform.map(QLineF(points[i - 1], points[i])));
    }
    void drawPath(const QPainterPath& path) override {
        addRect(m_transform.map(path).boundingRect());
    }
    Type type() const override { return User; }

private:
    void addLine(const QLineF& l) {
        m_page.lines.append(l);
        m_page.lineWidths.append(m_penWidth);
    }
    void addRect(const QRectF& r) {
        m_page.rects.append(r);
        m_page.rectWidths.append(m_penWidth);
    }

    DrawnPage& m_page;
    QTransform m_transform;
    QFont m_font;
    qreal m_penWidth = 0;
};

class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(DrawnPage& page) : m_engine(page) {}
    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
        case PdmHeight:
            return 10000;
        case PdmWidthMM:
        case PdmHeightMM:
            return 2646;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return QPicture().logicalDpiX();
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 1 << 24;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    mutable RecordingEngine m_engine;
};

} // namespace

int DrawnText::right() const {
    return qRound(topLeft.x()) + QFontMetrics(font).horizontalAdvance(text);
}

QStringList DrawnPage::strings() const {
    QStringList r;
    for (const DrawnText& t : texts)
        r.append(t.text);
    return r;
}

const DrawnText* DrawnPage::find(const QString& s) const {
    for (const DrawnText& t : texts)
        if (t.text == s)
            return &t;
    return nullptr;
}

const DrawnText* DrawnPage::findStarting(const QString& s) const {
    for (const DrawnText& t : texts)
        if (t.text.startsWith(s))
            return &t;
    return nullptr;
}

const DrawnText* DrawnPage::findContaining(const QString& s) const {
    for (const DrawnText& t : texts)
        if (t.text.contains(s))
            return &t;
    return nullptr;
}

int DrawnPage::count(const QString& s) const {
    int n = 0;
    for (const DrawnText& t : texts)
        n += t.text == s ? 1 : 0;
    return n;
}

DrawnPage drawnPage(const QPicture& picture) {
    DrawnPage page;
    RecordingDevice device(page);
    QPainter p(&device);
    p.drawPicture(0, 0, picture);
    return page;
}

} // namespace urn::test
