#include "framework/widgets/DateEditPlus.h"

#include "core/data/OleDate.h"
#include "framework/services/Dispatch.h"

#include <QDate>

namespace {

const QString kDateFormat = QStringLiteral("dd/MM/yyyy");

// Fixed names: the tooltip must not depend on which locales the machine has.
QString WeekdayName(const QDate& date) {
    static const QString names[] = {QStringLiteral("segunda-feira"), QStringLiteral("terça-feira"),
                                    QStringLiteral("quarta-feira"),  QStringLiteral("quinta-feira"),
                                    QStringLiteral("sexta-feira"),   QStringLiteral("sábado"),
                                    QStringLiteral("domingo")};
    return names[date.dayOfWeek() - 1];
}

} // namespace

TDateEditPlus::TDateEditPlus(QWidget* parent) : TMaskEdit(parent) {
    SetEditMask(QStringLiteral("00/00/0000;1;_"));
    connect(this, &QLineEdit::textChanged, this, [this] { ShowValidity(); });
}

double TDateEditPlus::GetDate() const {
    const QDate date = QDate::fromString(Text(), kDateFormat);
    return date.isValid() ? DateToOle(date) : 0;
}

void TDateEditPlus::SetDate(double date) {
    SetText(date == 0 ? QString() : OleToDate(date).toString(kDateFormat));
}

bool TDateEditPlus::IsValidOrEmpty() const {
    return IsEmpty() || GetDate() != 0;
}

void TDateEditPlus::CheckValidDate() {
    if (IsValidOrEmpty())
        return;
    // The focus comes back first, so that it returns here when the box closes.
    setFocus(Qt::OtherFocusReason);
    MensErro(QStringLiteral("Data inválida."));
}

void TDateEditPlus::ExitEdit() {
    CheckValidDate();
}

void TDateEditPlus::SetWeekdayNames(const QStringList& sundayFirst) {
    m_weekdayNames = sundayFirst.size() == 7 ? sundayFirst : QStringList();
    ShowValidity();
}

void TDateEditPlus::ShowValidity() {
    QPalette colours = palette();
    const bool valid = GetDate() != 0;
    if (valid) {
        colours.setColor(QPalette::Text, Qt::blue);
        setPalette(colours);
    } else {
        setPalette(QPalette());
    }
    if (!valid) {
        setToolTip(QString());
        return;
    }
    const QDate date = QDate::fromString(Text(), kDateFormat);
    setToolTip(m_weekdayNames.isEmpty() ? WeekdayName(date) : m_weekdayNames[date.dayOfWeek() % 7]);
}
