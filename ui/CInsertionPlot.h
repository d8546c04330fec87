#pragma once
// The insertion points of a program drawn in program order: axes in the
// program's units, the origin, the board's extent, the path between the
// points. The wheel zooms about the mouse, a drag pans, a double click or
// Home shows everything again; hovering a point shows its number, and a click
// chooses it (the Quick View then shows its line).

#include <QPointF>
#include <QWidget>
#include <vector>

#include "download/NcCoordinateReader.h"

class CInsertionPlot : public QWidget {
    Q_OBJECT
public:
    explicit CInsertionPlot(QWidget* parent = nullptr);

    void SetPoints(std::vector<NcPoint> points);
    const std::vector<NcPoint>& Points() const { return points_; }

    // Marks the points that the text line `line` (0-based) moves to.
    void SetCurrentLine(int line);
    // Indices of the marked points.
    const std::vector<int>& CurrentPoints() const { return current_; }
    int HoveredPoint() const { return hovered_; }

    // Shows all points and the origin.
    void FitAll();
    // Pixels per program unit.
    double Scale() const { return scale_; }
    // Where a point of the program lies on the widget, and the reverse.
    QPointF ToWidget(double x, double y) const;
    QPointF ToProgram(QPointF widget) const;
    // The point within a few pixels of `widget`, -1 when none.
    int PointAt(QPointF widget) const;

    QSize sizeHint() const override { return QSize(420, 420); }
    QSize minimumSizeHint() const override { return QSize(160, 160); }

signals:
    // The user clicked the point `index`, which stands on text line `line`.
    void PointChosen(int index, int line);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void ZoomAbout(QPointF widget, double factor);
    void DrawGrid(class QPainter& painter, const QRectF& plot) const;
    QRectF PlotArea() const;
    struct Extent {
        double MinX = 0, MaxX = 0, MinY = 0, MaxY = 0;
    };
    // The smallest and largest coordinates of the points (all 0 without points).
    Extent PointExtent() const;

    std::vector<NcPoint> points_;
    std::vector<int> current_;
    int hovered_ = -1;
    double scale_ = 1.0;
    QPointF centre_;          // program coordinates at the plot area's centre
    bool fitted_ = false;
    bool dragging_ = false;
    bool dragged_ = false;
    QPointF dragFrom_;
    QPointF centreFrom_;
};
