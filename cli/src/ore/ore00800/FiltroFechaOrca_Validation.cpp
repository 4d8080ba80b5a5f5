// The checks that a confirmation runs before anything is written to Filtro.
// Each failure shows its catalogue text, puts the focus on the control to
// mend and aborts silently.

#include "ore/ore00800/Cli_ore00801.h"

#include "core/data/Exceptions.h"
#include "core/data/RecordSet.h"
#include "framework/services/Dialogs.h"
#include "framework/services/Dispatch.h"
#include "framework/services/HostText.h"
#include "framework/services/Messages.h"
#include "framework/widgets/DateEditPlus.h"
#include "framework/widgets/MaskEdit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

QString TfrmFiltroFechaOrca::Msg(const char* key) const {
    return msgPadrao->Msg(QString::fromUtf8(key));
}

void TfrmFiltroFechaOrca::FocusThenFail(QWidget* target, const char* key) {
    target->setFocus(Qt::OtherFocusReason);
    MensErro(Msg(key), false);
    throw EAbort();
}

void TfrmFiltroFechaOrca::FailThenFocus(const char* key, QWidget* target) {
    MensErro(Msg(key), false);
    target->setFocus(Qt::OtherFocusReason);
    throw EAbort();
}

void TfrmFiltroFechaOrca::Vd_Intervalo() {
    if (EmptyString(medOrcaDe->Text()) && !EmptyString(medOrcaAte->Text()))
        FocusThenFail(medOrcaDe, "NRINI");
    // What leaving the edits does: zero-filled to one width, so that the
    // text order below is the number order.
    medDeIntervaloExit();
    medOrcaAteExit();
    const QString de = medOrcaDe->Text();
    const QString ate = medOrcaAte->Text();
    if (!EmptyString(de) && !EmptyString(ate) && QString::compare(de, ate) > 0)
        FocusThenFail(medOrcaDe, "NRINI>NRFIN");
}

void TfrmFiltroFechaOrca::CheckDateRange(TDateEditPlus* de, TDateEditPlus* ate,
                                         const char* missingDe, const char* missingAte,
                                         const char* reversed) {
    de->CheckValidDate();
    ate->CheckValidDate();
    const bool noDe = EmptyString(de->Text());
    const bool noAte = EmptyString(ate->Text());
    if (noDe && !noAte)
        FocusThenFail(de, missingDe);
    if (!noDe && noAte)
        FocusThenFail(ate, missingAte);
    if (!noDe && !noAte && ate->GetDate() < de->GetDate())
        FocusThenFail(de, reversed);
}

void TfrmFiltroFechaOrca::Vd_DtEvento() {
    CheckDateRange(depDeEvento, depAteEvento, "DTEVEINI_N_INF", "DTEVEFIN_N_INF", "DTINI>DTFIN");
}

void TfrmFiltroFechaOrca::Vd_DtValidade() {
    CheckDateRange(depDeEntrega, depAteEntrega, "DTVALINI_N_INF", "DTVALFIN_N_INF",
                   "DTVALINI>DTVALFIN");
}

void TfrmFiltroFechaOrca::Vd_Lista() {
    for (const TCriterion& c : m_criteria)
        if (c.lista->isChecked() && EmptyString(*c.list))
            FailThenFocus(c.missingKey, c.lista);
}

void TfrmFiltroFechaOrca::Vd_Status() {
    if (!chbAprovado->isChecked() && !chbFechado->isChecked())
        FailThenFocus("STATUS", chbAprovado);
}

void TfrmFiltroFechaOrca::Vd_GerenteSup() {
    if (EmptyString(edtCdVendedor->text()))
        return;
    edtCdVendedor->setText(Ajusta(edtCdVendedor->text(), 4));
    LoadGerenteSup(*cdsVdGerenteSup, edtCdVendedor->text());
    if (cdsVdGerenteSup->IsEmpty())
        FocusThenFail(edtCdVendedor, "GERENTESUP_N_CAD");
    edtNmVendedor->setText(cdsVdGerenteSup->FieldByName(QStringLiteral("NMFANVEN")).AsString());
}
