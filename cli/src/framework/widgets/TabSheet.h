#pragma once

#include <QWidget>

class TPageControl;

// A page of a TPageControl. Its tab shows the caption; hiding the tab
// (TabVisible) leaves the page out; disabling the page (setEnabled) disables
// its tab too.
class TTabSheet : public QWidget {
    Q_OBJECT
public:
    explicit TTabSheet(TPageControl* pageControl = nullptr, const QString& caption = {});
    ~TTabSheet() override;

    TPageControl* PageControl() const { return m_pageControl; }
    void SetPageControl(TPageControl* pageControl);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);

    bool TabVisible() const { return m_tabVisible; }
    void SetTabVisible(bool visible);

    // Position among the page control's pages; -1 without one.
    int PageIndex() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    friend class TPageControl;
    TPageControl* m_pageControl = nullptr;
    QString m_caption;
    bool m_tabVisible = true;
};
