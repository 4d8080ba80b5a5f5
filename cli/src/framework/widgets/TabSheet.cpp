#include "framework/widgets/TabSheet.h"

#include "framework/widgets/PageControl.h"

#include <QEvent>

TTabSheet::TTabSheet(TPageControl* pageControl, const QString& caption) : m_caption(caption) {
    SetPageControl(pageControl);
}

TTabSheet::~TTabSheet() {
    if (m_pageControl)
        m_pageControl->RemoveSheet(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
    if (pageControl == m_pageControl)
        return;
    if (m_pageControl) {
        m_pageControl->RemoveSheet(this);
        setParent(nullptr); // out of the page control's stack: its own window-less widget
    }
    m_pageControl = pageControl;
    if (m_pageControl)
        m_pageControl->InsertSheet(this);
}

void TTabSheet::SetCaption(const QString& caption) {
    m_caption = caption;
    if (m_pageControl)
        m_pageControl->SyncTab(this);
}

void TTabSheet::SetTabVisible(bool visible) {
    m_tabVisible = visible;
    if (m_pageControl)
        m_pageControl->SyncTab(this);
}

int TTabSheet::PageIndex() const {
    return m_pageControl ? m_pageControl->indexOf(const_cast<TTabSheet*>(this)) : -1;
}

void TTabSheet::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && m_pageControl)
        m_pageControl->SyncTab(this);
}
