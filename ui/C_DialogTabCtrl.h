#pragma once
// A tab control that shows one page widget per tab. The control keeps a list of
// page references in tab order; it shows, hides and places the pages but never
// owns or deletes them. A tab may have no page (an index past the list).
//
// A change of tab made by the user emits PageChanged(id, index), the window's
// cue to switch function pages; a change made by program (SelectPage) emits
// nothing.

#include <QList>
#include <QPointer>
#include <QWidget>

class QIcon;
class QTabBar;

class C_DialogTabCtrl : public QWidget {
    Q_OBJECT
public:
    explicit C_DialogTabCtrl(int id, QWidget* parent = nullptr);

    int Id() const { return id_; }

    // Inserts a tab and its page (hidden); the page goes to the tab's index in
    // the page list, or to its end when the index lies past it. 1 on success,
    // 0 when the tab could not be inserted.
    int InsertItem(int index, const QString& text, QWidget* page);
    int InsertItem(int index, const QString& text, const QIcon& icon, QWidget* page);
    // Deletes the tab and drops its page reference (the page stays alive, hidden).
    bool DeleteItem(int index);
    void DeleteAllItems();
    void SetItemText(int index, const QString& text);
    int ItemCount() const;

    // Selects a tab by program and shows its page; returns the previous selection.
    int SelectPage(int index);
    // Selected tab, -1 when none.
    int CurSel() const { return curSel_; }
    QWidget* CurrentPage() const { return Page(curSel_); }
    QWidget* Page(int index) const;

    QTabBar* TabBar() const { return bar_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void PageChanged(int id, int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void PlacePage(QWidget* page) const;
    void OnUserSelection(int index);
    QRect PageRect() const;

    int id_;
    QTabBar* bar_;
    QList<QPointer<QWidget>> pages_;
    int curSel_ = -1;
    bool programmatic_ = false;
};
