#include "ui/C_DialogTabCtrl.h"

#include <QEvent>
#include <QIcon>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace {
// Gap between the frame of the tab area and the page.
constexpr int kPageInset = 4;
}  // namespace

C_DialogTabCtrl::C_DialogTabCtrl(int id, QWidget* parent) : QWidget(parent), id_(id), bar_(new QTabBar(this)) {
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    bar_->move(0, 0);
    connect(bar_, &QTabBar::currentChanged, this, [this](int index) {
        if (!programmatic_) OnUserSelection(index);
    });
    // After the selected tab was deleted nothing is shown; a click on the tab
    // the bar still highlights must show its page.
    connect(bar_, &QTabBar::tabBarClicked, this, [this](int index) {
        if (curSel_ == -1 && index >= 0 && index == bar_->currentIndex()) OnUserSelection(index);
    });
}

int C_DialogTabCtrl::InsertItem(int index, const QString& text, QWidget* page) {
    return InsertItem(index, text, QIcon(), page);
}

int C_DialogTabCtrl::InsertItem(int index, const QString& text, const QIcon& icon, QWidget* page) {
    if (index < 0) return 0;
    const bool wasEmpty = bar_->count() == 0;
    programmatic_ = true;
    int at = bar_->insertTab(index, icon, text);
    programmatic_ = false;
    if (at < 0) return 0;
    if (wasEmpty || curSel_ != -1) curSel_ = bar_->currentIndex();
    if (page != nullptr) {
        if (page->parentWidget() != this) page->setParent(this);
        page->hide();
        page->installEventFilter(this);
    }
    if (at >= pages_.size()) {
        pages_.append(page);
    } else {
        pages_.insert(at, page);
    }
    bar_->resize(bar_->sizeHint().width(), bar_->sizeHint().height());
    updateGeometry();
    return 1;
}

bool C_DialogTabCtrl::DeleteItem(int index) {
    if (index < 0 || index >= bar_->count()) return false;
    const bool wasSelected = index == curSel_;
    if (wasSelected && Page(index)) Page(index)->hide();
    programmatic_ = true;
    bar_->removeTab(index);
    programmatic_ = false;
    if (index < pages_.size()) pages_.removeAt(index);
    curSel_ = wasSelected || bar_->count() == 0 ? -1 : bar_->currentIndex();
    return true;
}

void C_DialogTabCtrl::DeleteAllItems() {
    if (QWidget* page = CurrentPage()) page->hide();
    programmatic_ = true;
    while (bar_->count() > 0) bar_->removeTab(0);
    programmatic_ = false;
    pages_.clear();
    curSel_ = -1;
}

void C_DialogTabCtrl::SetItemText(int index, const QString& text) {
    bar_->setTabText(index, text);
    bar_->resize(bar_->sizeHint());
    updateGeometry();
}

int C_DialogTabCtrl::ItemCount() const { return bar_->count(); }

QWidget* C_DialogTabCtrl::Page(int index) const {
    if (index < 0 || index >= pages_.size()) return nullptr;
    return pages_.at(index).data();
}

int C_DialogTabCtrl::SelectPage(int index) {
    const int previous = curSel_;
    if (index != curSel_) {
        if (QWidget* page = CurrentPage()) page->hide();
        if (index >= 0 && index < bar_->count()) {
            programmatic_ = true;
            bar_->setCurrentIndex(index);
            programmatic_ = false;
            curSel_ = index;
        }
    }
    if (QWidget* page = Page(index)) {
        PlacePage(page);
        page->show();
    }
    return previous;
}

void C_DialogTabCtrl::OnUserSelection(int index) {
    if (QWidget* page = CurrentPage()) {
        PlacePage(page);
        page->hide();
    }
    curSel_ = index;
    if (QWidget* page = Page(index)) {
        PlacePage(page);
        page->show();
    }
    emit PageChanged(id_, index);
}

QRect C_DialogTabCtrl::PageRect() const {
    const int top = bar_->sizeHint().height() + kPageInset;
    return QRect(kPageInset, top, std::max(0, width() - 2 * kPageInset), std::max(0, height() - top - kPageInset));
}

void C_DialogTabCtrl::PlacePage(QWidget* page) const { page->setGeometry(PageRect()); }

QSize C_DialogTabCtrl::sizeHint() const {
    QSize pages(0, 0);
    for (const QPointer<QWidget>& page : pages_) {
        if (page) pages = pages.expandedTo(page->sizeHint());
    }
    QSize bar = bar_->sizeHint();
    return QSize(std::max(bar.width(), pages.width() + 2 * kPageInset),
                 bar.height() + pages.height() + 2 * kPageInset);
}

bool C_DialogTabCtrl::eventFilter(QObject* watched, QEvent* event) {
    // A page whose contents changed size (new captions) changes the control's size.
    if (event->type() == QEvent::LayoutRequest) updateGeometry();
    return QWidget::eventFilter(watched, event);
}

void C_DialogTabCtrl::resizeEvent(QResizeEvent*) {
    bar_->resize(std::min(width(), bar_->sizeHint().width()), bar_->sizeHint().height());
    for (const QPointer<QWidget>& page : pages_) {
        if (page) PlacePage(page);
    }
}

void C_DialogTabCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    const int barHeight = bar_->sizeHint().height();
    frame.rect = QRect(0, barHeight - 1, width(), height() - barHeight + 1);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = bar_->sizeHint();
    frame.tabBarRect = QRect(0, 0, bar_->width(), barHeight);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}
