#include "ui/CInsertionPlot.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kLeftMargin = 60;
constexpr double kBottomMargin = 26;
constexpr double kTopMargin = 22;
constexpr double kRightMargin = 12;
constexpr double kPickRadius = 7;
constexpr double kTickSpacing = 70;       // pixels aimed at between grid lines
constexpr double kWheelStep = 1.25;
constexpr double kMaxScale = 1e7;
constexpr double kMinScale = 1e-7;

// 1, 2 or 5 times a power of ten, near `raw`.
double NiceStep(double raw) {
    double power = std::pow(10.0, std::floor(std::log10(raw)));
    double mantissa = raw / power;
    double nice = mantissa < 1.5 ? 1 : mantissa < 3.5 ? 2 : mantissa < 7.5 ? 5 : 10;
    return nice * power;
}

QString AxisNumber(double value, double step) {
    if (std::abs(value) < step * 1e-6) value = 0;   // no "-0" or 1e-17 at the origin
    int decimals = std::max(0, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
    return QString::number(value, 'f', std::min(decimals, 6));
}
}  // namespace

CInsertionPlot::CInsertionPlot(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
    setCursor(Qt::CrossCursor);
}

void CInsertionPlot::SetPoints(std::vector<NcPoint> points) {
    points_ = std::move(points);
    current_.clear();
    hovered_ = -1;
    FitAll();
}

void CInsertionPlot::SetCurrentLine(int line) {
    std::vector<int> marked;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        if (points_[i].Line == line) marked.push_back(static_cast<int>(i));
    }
    if (marked == current_) return;
    current_ = std::move(marked);
    // A marked point that was panned or zoomed out of sight is brought back.
    if (!current_.empty()) {
        const NcPoint& p = points_[current_.front()];
        if (!PlotArea().contains(ToWidget(p.X, p.Y))) centre_ = QPointF(p.X, p.Y);
    }
    update();
}

CInsertionPlot::Extent CInsertionPlot::PointExtent() const {
    Extent e;
    if (points_.empty()) return e;
    e = {points_.front().X, points_.front().X, points_.front().Y, points_.front().Y};
    for (const NcPoint& p : points_) {
        e.MinX = std::min(e.MinX, p.X);
        e.MaxX = std::max(e.MaxX, p.X);
        e.MinY = std::min(e.MinY, p.Y);
        e.MaxY = std::max(e.MaxY, p.Y);
    }
    return e;
}

QRectF CInsertionPlot::PlotArea() const {
    return QRectF(kLeftMargin, kTopMargin, std::max(1.0, width() - kLeftMargin - kRightMargin),
                  std::max(1.0, height() - kTopMargin - kBottomMargin));
}

void CInsertionPlot::FitAll() {
    // The origin is always in the picture: a board drawn away from it, or on
    // the wrong side of an axis (mirrored), shows at once.
    Extent e = PointExtent();
    double minX = std::min(e.MinX, 0.0), maxX = std::max(e.MaxX, 0.0);
    double minY = std::min(e.MinY, 0.0), maxY = std::max(e.MaxY, 0.0);
    double spanX = std::max(maxX - minX, 1e-6);
    double spanY = std::max(maxY - minY, 1e-6);
    QRectF area = PlotArea();
    scale_ = std::clamp(std::min(area.width() / spanX, area.height() / spanY) * 0.92, kMinScale, kMaxScale);
    centre_ = QPointF((minX + maxX) / 2, (minY + maxY) / 2);
    fitted_ = true;
    update();
}

QPointF CInsertionPlot::ToWidget(double x, double y) const {
    QPointF mid = PlotArea().center();
    return QPointF(mid.x() + (x - centre_.x()) * scale_, mid.y() - (y - centre_.y()) * scale_);
}

QPointF CInsertionPlot::ToProgram(QPointF widget) const {
    QPointF mid = PlotArea().center();
    return QPointF(centre_.x() + (widget.x() - mid.x()) / scale_, centre_.y() - (widget.y() - mid.y()) / scale_);
}

int CInsertionPlot::PointAt(QPointF widget) const {
    int best = -1;
    double bestDistance = kPickRadius * kPickRadius;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        QPointF d = ToWidget(points_[i].X, points_[i].Y) - widget;
        double distance = d.x() * d.x() + d.y() * d.y();
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

void CInsertionPlot::ZoomAbout(QPointF widget, double factor) {
    QPointF before = ToProgram(widget);
    scale_ = std::clamp(scale_ * factor, kMinScale, kMaxScale);
    QPointF after = ToProgram(widget);
    centre_ += before - after;   // the program point under the mouse stays put
    update();
}

// ---- painting -------------------------------------------------------------------------

void CInsertionPlot::DrawGrid(QPainter& painter, const QRectF& plot) const {
    double step = NiceStep(kTickSpacing / scale_);
    QPointF low = ToProgram(plot.bottomLeft());
    QPointF high = ToProgram(plot.topRight());
    QPen gridPen(QColor(228, 228, 228));
    QFontMetricsF metrics(painter.font());

    for (double x = std::ceil(low.x() / step) * step; x <= high.x(); x += step) {
        double px = ToWidget(x, 0).x();
        painter.setPen(gridPen);
        painter.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
        painter.setPen(palette().color(QPalette::WindowText));
        QString label = AxisNumber(x, step);
        painter.setClipping(false);   // the numbers stand in the margins
        painter.drawText(QPointF(px - metrics.horizontalAdvance(label) / 2, plot.bottom() + metrics.ascent() + 4),
                         label);
        painter.setClipping(true);
    }
    for (double y = std::ceil(low.y() / step) * step; y <= high.y(); y += step) {
        double py = ToWidget(0, y).y();
        painter.setPen(gridPen);
        painter.drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
        painter.setPen(palette().color(QPalette::WindowText));
        QString label = AxisNumber(y, step);
        painter.setClipping(false);
        painter.drawText(QPointF(plot.left() - metrics.horizontalAdvance(label) - 5, py + metrics.ascent() / 2 - 1),
                         label);
        painter.setClipping(true);
    }

    // The program's origin.
    QPointF origin = ToWidget(0, 0);
    painter.setPen(QPen(QColor(120, 120, 120), 1.2));
    if (origin.x() >= plot.left() && origin.x() <= plot.right()) {
        painter.drawLine(QPointF(origin.x(), plot.top()), QPointF(origin.x(), plot.bottom()));
    }
    if (origin.y() >= plot.top() && origin.y() <= plot.bottom()) {
        painter.drawLine(QPointF(plot.left(), origin.y()), QPointF(plot.right(), origin.y()));
    }
    painter.drawText(QPointF(plot.right() - metrics.horizontalAdvance(QStringLiteral("X")) - 2, plot.bottom() - 4),
                     QStringLiteral("X"));
    painter.drawText(QPointF(plot.left() + 4, plot.top() + metrics.ascent() + 2), QStringLiteral("Y"));
}

void CInsertionPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    QRectF plot = PlotArea();
    painter.fillRect(plot, Qt::white);
    if (points_.empty()) return;

    painter.save();
    painter.setClipRect(plot);
    DrawGrid(painter, plot);

    // The board's extent, dashed.
    Extent e = PointExtent();
    double minX = e.MinX, maxX = e.MaxX, minY = e.MinY, maxY = e.MaxY;
    painter.setPen(QPen(QColor(70, 130, 180), 1, Qt::DashLine));
    painter.setBrush(QColor(70, 130, 180, 18));
    painter.drawRect(QRectF(ToWidget(minX, maxY), ToWidget(maxX, minY)));

    // The path in program order.
    QPainterPath path(ToWidget(points_.front().X, points_.front().Y));
    for (std::size_t i = 1; i < points_.size(); ++i) path.lineTo(ToWidget(points_[i].X, points_[i].Y));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(150, 170, 200), 1));
    painter.drawPath(path);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 60, 140));
    for (const NcPoint& p : points_) painter.drawEllipse(ToWidget(p.X, p.Y), 2.6, 2.6);
    // Where the program starts and ends.
    painter.setBrush(QColor(0, 150, 60));
    painter.drawEllipse(ToWidget(points_.front().X, points_.front().Y), 4.5, 4.5);
    painter.setBrush(QColor(200, 40, 40));
    painter.drawEllipse(ToWidget(points_.back().X, points_.back().Y), 4.5, 4.5);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 140, 0), 2.5));
    for (int index : current_) {
        const NcPoint& p = points_[index];
        painter.drawEllipse(ToWidget(p.X, p.Y), 8, 8);
    }
    painter.restore();

    // The extent in numbers above the plot, and the hovered point's number.
    QFontMetricsF metrics(painter.font());
    painter.setPen(palette().color(QPalette::WindowText));
    QString extent = QStringLiteral("X %1 .. %2    Y %3 .. %4    (%5)")
                         .arg(minX, 0, 'g', 7)
                         .arg(maxX, 0, 'g', 7)
                         .arg(minY, 0, 'g', 7)
                         .arg(maxY, 0, 'g', 7)
                         .arg(points_.size());
    painter.drawText(QPointF(plot.left(), kTopMargin - 6), extent);

    if (hovered_ >= 0 && hovered_ < static_cast<int>(points_.size())) {
        const NcPoint& p = points_[hovered_];
        QString label = QStringLiteral("#%1  L%2  (%3, %4)")
                            .arg(hovered_ + 1)
                            .arg(p.Line + 1)
                            .arg(p.X, 0, 'g', 7)
                            .arg(p.Y, 0, 'g', 7);
        QPointF at = ToWidget(p.X, p.Y) + QPointF(10, -10);
        QRectF box(at, QSizeF(metrics.horizontalAdvance(label) + 8, metrics.height() + 4));
        if (box.right() > width()) box.moveRight(ToWidget(p.X, p.Y).x() - 10);
        if (box.top() < 0) box.moveTop(ToWidget(p.X, p.Y).y() + 10);
        painter.setPen(QColor(90, 90, 90));
        painter.setBrush(QColor(255, 255, 225));
        painter.drawRect(box);
        painter.setPen(Qt::black);
        painter.drawText(box.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignVCenter, label);
    }
}

void CInsertionPlot::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (fitted_) FitAll();
}

// ---- mouse and keys -------------------------------------------------------------------

void CInsertionPlot::wheelEvent(QWheelEvent* event) {
    double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) ZoomAbout(event->position(), std::pow(kWheelStep, steps));
    fitted_ = false;
    event->accept();
}

void CInsertionPlot::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    dragged_ = false;
    dragFrom_ = event->position();
    centreFrom_ = centre_;
}

void CInsertionPlot::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        QPointF moved = event->position() - dragFrom_;
        if (dragged_ || std::abs(moved.x()) + std::abs(moved.y()) > 3) {
            dragged_ = true;
            fitted_ = false;
            centre_ = centreFrom_ + QPointF(-moved.x() / scale_, moved.y() / scale_);
            update();
            return;
        }
    }
    int hovered = PointAt(event->position());
    if (hovered != hovered_) {
        hovered_ = hovered;
        update();
    }
}

void CInsertionPlot::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) return;
    dragging_ = false;
    if (dragged_) return;
    int index = PointAt(event->position());
    if (index < 0) return;
    SetCurrentLine(points_[index].Line);
    emit PointChosen(index, points_[index].Line);
}

void CInsertionPlot::mouseDoubleClickEvent(QMouseEvent* event) {
    if (PointAt(event->position()) < 0) FitAll();
}

void CInsertionPlot::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Home: FitAll(); break;
        case Qt::Key_Plus: case Qt::Key_Equal: ZoomAbout(PlotArea().center(), kWheelStep); fitted_ = false; break;
        case Qt::Key_Minus: ZoomAbout(PlotArea().center(), 1 / kWheelStep); fitted_ = false; break;
        default: QWidget::keyPressEvent(event); return;
    }
}

void CInsertionPlot::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (hovered_ >= 0) {
        hovered_ = -1;
        update();
    }
}
