#pragma once

#include "framework/widgets/MaskEdit.h"

#include <QStringList>

// A date edit, dd/mm/yyyy. A complete valid date is shown in blue with its
// weekday in the tooltip; leaving the control with anything else than a valid
// date or nothing tells the operator and keeps the focus here.
class TDateEditPlus : public TMaskEdit {
    Q_OBJECT
public:
    explicit TDateEditPlus(QWidget* parent = nullptr);

    // OLE Automation date; 0 when empty or not a valid date.
    double GetDate() const;
    // 0 empties the edit.
    void SetDate(double date);
    // Empty or a valid date.
    bool IsValidOrEmpty() const;
    // Shows "Data inválida." and aborts, with the focus back here, when the
    // text is neither empty nor a valid date.
    void CheckValidDate();

    // The weekday names the tooltip shows, Sunday first (seven of them);
    // the full Portuguese names by default.
    void SetWeekdayNames(const QStringList& sundayFirst);

protected:
    void ExitEdit() override;

private:
    void ShowValidity();

    QStringList m_weekdayNames; // Sunday first; empty: the default names
};
