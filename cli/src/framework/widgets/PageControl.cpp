#include "framework/widgets/PageControl.h"

#include "framework/services/Dispatch.h"
#include "framework/widgets/TabSheet.h"

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent) {
    connect(this, &QTabWidget::currentChanged, this, &TPageControl::CurrentChanged);
}

TPageControl::~TPageControl() {
    // The pages go with the widget's children, after this part is gone.
    disconnect(this, &QTabWidget::currentChanged, this, nullptr);
    for (int i = 0; i < count(); ++i)
        if (auto* sheet = Pages(i))
            sheet->m_pageControl = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
    return qobject_cast<TTabSheet*>(widget(index));
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->m_pageControl == this)
        Quietly([&] { setCurrentWidget(page); });
}

void TPageControl::Quietly(const std::function<void()>& change) {
    const bool was = m_quiet;
    m_quiet = true;
    change();
    m_quiet = was;
    m_active = qobject_cast<TTabSheet*>(currentWidget());
}

void TPageControl::InsertSheet(TTabSheet* sheet) {
    Quietly([&] { addTab(sheet, sheet->Caption()); });
    SyncTab(sheet);
}

void TPageControl::RemoveSheet(TTabSheet* sheet) {
    Quietly([&] { removeTab(indexOf(sheet)); });
}

void TPageControl::SyncTab(TTabSheet* sheet) {
    const int index = indexOf(sheet);
    if (index < 0)
        return;
    Quietly([&] {
        setTabText(index, sheet->Caption());
        setTabVisible(index, sheet->TabVisible());
        setTabEnabled(index, !sheet->testAttribute(Qt::WA_Disabled));
    });
}

void TPageControl::CurrentChanged(int index) {
    auto* page = Pages(index);
    if (m_quiet || page == m_active) {
        m_active = page;
        return;
    }
    bool allow = true;
    const bool ran = Dispatch([&] {
        if (OnChanging)
            OnChanging(allow);
    });
    if (!ran || !allow) {
        Quietly([&] { setCurrentWidget(m_active); });
        return;
    }
    m_active = page;
    Dispatch([&] {
        if (OnChange)
            OnChange();
    });
}
