#include "Preview.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace urn {

TPaperPreview::TPaperPreview(TPrintPreview* owner) : QWidget(owner->viewport()), FOwner(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(this, &TPaperPreview::Clicked, owner, &TPrintPreview::OnPaperClick);
    connect(this, &TPaperPreview::DoubleClicked, owner, &TPrintPreview::OnPaperDblClick);
}

void TPaperPreview::Invalidate() {
    m_valid = false;
    update();
}

QRect TPaperPreview::PageRect() const {
    const TPaperPreviewOptions& o = FOwner->FPaperViewOptions;
    return {o.BorderWidth, o.BorderWidth, width() - o.ShadowWidth - 2 * o.BorderWidth,
            height() - o.ShadowWidth - 2 * o.BorderWidth};
}

void TPaperPreview::Rebuild(const QRect& visible) {
    // Only the visible part is drawn: at high zoom the whole sheet would be
    // far larger than the screen.
    const qreal dpr = devicePixelRatioF();
    m_cache = QPixmap((QSizeF(visible.size()) * dpr).toSize());
    m_cache.setDevicePixelRatio(dpr);
    const TPaperPreviewOptions& o = FOwner->FPaperViewOptions;
    const QColor shadow =
        o.ShadowColor.isValid() ? o.ShadowColor : palette().color(QPalette::Shadow);
    const QColor background = FOwner->viewport()->palette().color(QPalette::Dark);
    QPainter p(&m_cache);
    p.translate(-visible.topLeft());
    const int w = width();
    const int h = height();
    const int sw = o.ShadowWidth;
    p.fillRect(rect(), background);
    p.fillRect(QRect(w - sw, sw, sw, h - sw), shadow);
    p.fillRect(QRect(sw, h - sw, w - sw, sw), shadow);
    p.fillRect(QRect(0, 0, w - sw, h - sw), o.BorderColor);
    const QRect page = PageRect();
    p.fillRect(page, o.PaperColor);
    FOwner->DrawPage(FOwner->FCurrentPage, p, page);
    m_cacheRect = visible;
    m_valid = true;
}

void TPaperPreview::paintEvent(QPaintEvent* event) {
    QRect visible = visibleRegion().boundingRect();
    if (visible.isEmpty())
        visible = event->rect();
    if (!m_valid || !m_cacheRect.contains(visible))
        Rebuild(visible);
    QPainter p(this);
    p.drawPixmap(m_cacheRect.topLeft(), m_cache);
}

void TPaperPreview::mousePressEvent(QMouseEvent* event) {
    m_pressPos = event->globalPosition().toPoint();
    if (event->button() == Qt::LeftButton)
        FOwner->BeginDrag(event->globalPosition().toPoint());
    else
        FOwner->setFocus(Qt::MouseFocusReason);
}

void TPaperPreview::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        FOwner->DragTo(event->globalPosition().toPoint());
}

void TPaperPreview::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    FOwner->EndDrag();
    // Moving the page is not a click.
    const QPoint moved = event->globalPosition().toPoint() - m_pressPos;
    if (moved.manhattanLength() < QApplication::startDragDistance())
        emit Clicked();
}

void TPaperPreview::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit DoubleClicked();
}

} // namespace urn
