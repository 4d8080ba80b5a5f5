#pragma once

#include <QPointer>
#include <QTabWidget>

#include <functional>

class TTabSheet;

// Pages with tabs. The operator's changes of page (a click, Ctrl+Tab) run
// OnChanging first, which can keep the old page (allow = false or an abort),
// then OnChange; both through Dispatch. Changes made by the program
// (SetActivePage, hiding or removing the active page) run neither.
// Disabled pages cannot be selected by the operator.
class TPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);
    ~TPageControl() override;

    TTabSheet* ActivePage() const { return m_active; }
    void SetActivePage(TTabSheet* page);

    int PageCount() const { return count(); }
    TTabSheet* Pages(int index) const;

    std::function<void(bool& allowChange)> OnChanging;
    std::function<void()> OnChange;

private:
    friend class TTabSheet;
    void InsertSheet(TTabSheet* sheet);
    void RemoveSheet(TTabSheet* sheet);
    void SyncTab(TTabSheet* sheet);
    void CurrentChanged(int index);
    // Runs a change made by the program: no events, the new page is taken as is.
    void Quietly(const std::function<void()>& change);

    QPointer<TTabSheet> m_active;
    bool m_quiet = false;
};
