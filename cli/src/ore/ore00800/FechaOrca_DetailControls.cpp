#include "ore/ore00800/FechaOrca_DetailControls.h"

#include "core/data/DataSet.h"
#include "core/data/DataSource.h"
#include "core/data/Field.h"
#include "framework/widgets/DBDateEditPlus.h"
#include "framework/widgets/DBEdit.h"

#include <QHBoxLayout>
#include <QLabel>

void ShowOnly(QWidget* control) {
    control->setEnabled(false);
    QPalette p = control->palette();
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, p.color(QPalette::Active, role));
    p.setColor(QPalette::Disabled, QPalette::Base, p.color(QPalette::Active, QPalette::Button));
    control->setPalette(p);
}

void OnToolTipGround(QWidget* control) {
    QPalette tip = control->palette();
    tip.setColor(QPalette::Base, tip.color(QPalette::ToolTipBase));
    control->setPalette(tip);
}

QLabel* NewCaption(QWidget* parent, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

namespace {

template <class TEdit>
TEdit* Bound(TEdit* edit, TDataSource* source, const char* field, const char* name) {
    if (name)
        edit->setObjectName(QLatin1String(name));
    else
        edit->setObjectName(QStringLiteral("dbe") + QLatin1String(field));
    edit->SetDataSource(source);
    edit->SetDataField(QLatin1String(field));
    ShowOnly(edit);
    return edit;
}

} // namespace

TDBEdit* NewShownField(QWidget* parent, TDataSource* source, const char* field, int width,
                       const char* name) {
    TDBEdit* edit = Bound(new TDBEdit(parent), source, field, name);
    if (width > 0)
        edit->setFixedWidth(width);
    const TField* f =
        source->DataSet() ? source->DataSet()->FindField(QLatin1String(field)) : nullptr;
    if (f && f->Kind() == TFieldKind::Float)
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
}

TDBDateEditPlus* NewShownDate(QWidget* parent, TDataSource* source, const char* field) {
    TDBDateEditPlus* edit = Bound(new TDBDateEditPlus(parent), source, field, nullptr);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 12);
    return edit;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> shown) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : shown) {
        if (!w)
            row->addStretch(1);
        else
            row->addWidget(w,
                           qobject_cast<QLabel*>(w) || w->maximumWidth() < QWIDGETSIZE_MAX ? 0 : 1);
    }
    return row;
}
