#include "preview/PreviewControl.h"

#include "core/ErrorHandler.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <exception>

namespace urn {

TPaperPreview::TPaperPreview(TPrintPreview* owner) : QWidget(owner->viewport()), FOwner(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(this, &TPaperPreview::Clicked, owner, &TPrintPreview::OnPaperClick);
    connect(this, &TPaperPreview::DoubleClicked, owner, &TPrintPreview::OnPaperDblClick);
}

void TPaperPreview::Invalidate() {
    FCacheValid = false;
    FPaintFailed = false;
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
    FCache = QPixmap((QSizeF(visible.size()) * dpr).toSize());
    FCache.setDevicePixelRatio(dpr);
    const TPaperPreviewOptions& o = FOwner->FPaperViewOptions;
    const QColor shadow =
        o.ShadowColor.isValid() ? o.ShadowColor : palette().color(QPalette::Shadow);
    const QColor background = FOwner->viewport()->palette().color(QPalette::Dark);
    QPainter p(&FCache);
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
    FCacheRect = visible;
    FCacheValid = true;
}

void TPaperPreview::paintEvent(QPaintEvent* event) {
    QRect visible = visibleRegion().boundingRect();
    if (visible.isEmpty())
        visible = event->rect();
    if (!FCacheValid || !FCacheRect.contains(visible)) {
        try {
            Rebuild(visible);
        } catch (...) {
            // A page that cannot be read back (its temporary file gone) shows
            // blank; the error is reported once, after the painting.
            FCache = QPixmap();
            FCacheValid = false;
            if (!FPaintFailed) {
                FPaintFailed = true;
                std::exception_ptr error = std::current_exception();
                QTimer::singleShot(0, this, [error] {
                    runReportingErrors([error] { std::rethrow_exception(error); });
                });
            }
            return;
        }
    }
    QPainter p(this);
    p.drawPixmap(FCacheRect.topLeft(), FCache);
}

void TPaperPreview::mousePressEvent(QMouseEvent* event) {
    FPressPos = event->globalPosition().toPoint();
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
    const QPoint moved = event->globalPosition().toPoint() - FPressPos;
    if (moved.manhattanLength() < QApplication::startDragDistance())
        emit Clicked();
}

void TPaperPreview::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit DoubleClicked();
}

} // namespace urn
