#include "ui/CQuickViewDlg.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextBlock>
#include <QVBoxLayout>

#include "ui/CInsertionPlot.h"
#include "ui/CNcHighlighter.h"
#include "ui/QtText.h"
#include "ui/models/DownloadDialogModel.h"

namespace {

// A plain-text view that paints the line numbers in a margin on its left.
class NumberedView : public QPlainTextEdit {
public:
    explicit NumberedView(QWidget* parent) : QPlainTextEdit(parent), gutter_(new Gutter(this)) {
        connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { UpdateMargin(); });
        connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
            if (dy != 0) {
                gutter_->scroll(0, dy);
            } else {
                gutter_->update(0, rect.y(), gutter_->width(), rect.height());
            }
        });
        UpdateMargin();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QPlainTextEdit::resizeEvent(event);
        QRect area = contentsRect();
        gutter_->setGeometry(QRect(area.left(), area.top(), GutterWidth(), area.height()));
    }

private:
    class Gutter : public QWidget {
    public:
        explicit Gutter(NumberedView* view) : QWidget(view), view_(view) {}
        QSize sizeHint() const override { return QSize(view_->GutterWidth(), 0); }

    protected:
        void paintEvent(QPaintEvent* event) override { view_->PaintGutter(event->rect()); }

    private:
        NumberedView* view_;
    };

    int GutterWidth() const {
        int digits = QString::number(std::max(1, blockCount())).size();
        return 10 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
    }
    void UpdateMargin() { setViewportMargins(GutterWidth(), 0, 0, 0); }

    void PaintGutter(const QRect& rect) {
        QPainter painter(gutter_);
        painter.fillRect(rect, palette().color(QPalette::AlternateBase));
        painter.setPen(palette().color(QPalette::PlaceholderText));
        QTextBlock block = firstVisibleBlock();
        int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
        while (block.isValid() && top <= rect.bottom()) {
            int height = qRound(blockBoundingRect(block).height());
            if (block.isVisible() && top + height >= rect.top()) {
                painter.drawText(0, top, gutter_->width() - 5, fontMetrics().height(), Qt::AlignRight,
                                 QString::number(CQuickViewDlg::LineNumberOf(block.blockNumber())));
            }
            block = block.next();
            top += height;
        }
    }

    Gutter* gutter_;
};

}  // namespace

CQuickViewDlg::CQuickViewDlg(const QString& title, const QString& text, NcDialect dialect, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    viewer_ = new NumberedView(this);
    viewer_->setReadOnly(true);
    // The arrow keys walk the lines (and the plot's mark with them).
    viewer_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    viewer_->setLineWrapMode(QPlainTextEdit::NoWrap);
    viewer_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    new CNcHighlighter(viewer_->document(), dialect);
    viewer_->setPlainText(text);

    auto* layout = new QVBoxLayout(this);
    QByteArray bytes = text.toLatin1();   // one byte per character, as the highlighter reads it
    std::vector<NcPoint> points =
        NcCoordinateReader(dialect).Points(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (points.empty()) {
        layout->addWidget(viewer_);
        resize(640, 480);
    } else {
        auto* splitter = new QSplitter(Qt::Horizontal, this);
        plot_ = new CInsertionPlot(splitter);
        splitter->addWidget(viewer_);
        splitter->addWidget(plot_);
        splitter->setStretchFactor(0, 2);
        splitter->setStretchFactor(1, 3);
        layout->addWidget(splitter);
        plot_->SetPoints(std::move(points));
        connect(plot_, &CInsertionPlot::PointChosen, this, [this](int, int line) { ShowLine(line); });
        resize(1000, 560);
    }
    connect(viewer_, &QPlainTextEdit::cursorPositionChanged, this, [this] { MarkCursorLine(); });
    MarkCursorLine();
}

void CQuickViewDlg::ShowFile(const std::string& title, const std::string& path, const std::string& mcType,
                             const std::string& notOpen, QWidget* parent) {
    // Programs are far smaller; a huge file must not stall the window.
    constexpr std::size_t kViewLimit = 4u << 20;
    std::string text;
    bool cut = false;
    if (!DownloadDialogModel::LoadViewText(path, kViewLimit, text, cut)) {
        text = notOpen;
    } else if (cut) {
        text += "\n...";
    }
    CQuickViewDlg view(ToQ(title + " - " + path), ToQ(text), NcDialect::ForMachineType(mcType), parent);
    view.exec();
}

void CQuickViewDlg::ShowLine(int line) {
    QTextBlock block = viewer_->document()->findBlockByNumber(line);
    if (!block.isValid()) return;
    QTextCursor cursor(block);
    viewer_->setTextCursor(cursor);
    viewer_->centerCursor();
}

void CQuickViewDlg::MarkCursorLine() {
    QTextEdit::ExtraSelection current;
    current.format.setBackground(QColor(255, 236, 170));
    current.format.setProperty(QTextFormat::FullWidthSelection, true);
    current.cursor = viewer_->textCursor();
    current.cursor.clearSelection();
    viewer_->setExtraSelections({current});
    if (plot_ != nullptr) plot_->SetCurrentLine(viewer_->textCursor().blockNumber());
}
