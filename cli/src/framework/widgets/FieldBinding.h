#pragma once

#include "framework/widgets/FieldDataLink.h"

// The data source and field that a data-aware control shows, as every such
// control exposes them; the control reacts through its link's callbacks.
class TFieldBinding {
public:
    TDataSource* DataSource() const { return m_link->DataSource(); }
    void SetDataSource(TDataSource* source) { m_link->SetDataSource(source); }
    const QString& DataField() const { return m_link->DataField(); }
    void SetDataField(const QString& name) { m_link->SetDataField(name); }

protected:
    // The link is a child of `control`, which owns it.
    explicit TFieldBinding(QWidget* control) : m_link(new TFieldDataLink(control)) {}

    TFieldDataLink* m_link;
};
