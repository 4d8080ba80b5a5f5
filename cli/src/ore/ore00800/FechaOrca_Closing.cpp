// Closing the current budget: checked here and through the contracting
// clients' server, its customer and contracting clients registered on the
// neighbour screens, marked, and the whole list handed to the closing call.
// Every check that fails ends the run; nothing is retried.

#include "ore/ore00800/Cli_ore00800.h"

#include "core/data/DataSource.h"
#include "framework/net/NetConnection.h"
#include "framework/services/BusyIndicator.h"
#include "framework/services/Dialogs.h"
#include "framework/services/Dispatch.h"
#include "framework/services/Handles.h"
#include "framework/services/HostText.h"
#include "framework/services/Messages.h"
#include "framework/services/ScreenLoader.h"
#include "framework/services/ServerResult.h"
#include "framework/services/Session.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"
#include "ore/ore00800/model/ClosingError.h"
#include "ore/ore00800/services/ServerPayload.h"

#include <QWidget>

namespace {

QString Value(const TDataSet* rs, const char* field) {
    return rs->FieldByName(QLatin1String(field)).AsString();
}

void EditUnlessEditing(TRecordSet* rs) {
    const TDataSetState state = rs->State();
    if (state != TDataSetState::Edit && state != TDataSetState::Insert)
        rs->Edit();
}

bool CanFocus(const QWidget* w) {
    return w->isEnabled() && w->isVisible() && w->focusPolicy() != Qt::NoFocus;
}

// What the client-address screen left for the budget `key`: the values of
// the last new-customer row of that key, or nothing. A row of another
// budget, left by an earlier run that failed, is not this budget's customer.
struct TNewCustomer {
    QString number;
    QString kind;
    QString tradeName;
};
std::optional<TNewCustomer> NewCustomerOf(TRecordSet* ende, const QVariantList& key) {
    std::optional<TNewCustomer> found;
    const char* const keyFields[] = {"CDFILIAL", "NRORCAEVENTO", "NRSEQORCAEVE"};
    for (int r = 1; r <= ende->RecordCount(); ++r)
        ende->ReadRow(r, [&] {
            for (int i = 0; i < 3; ++i)
                if (Value(ende, keyFields[i]) != key[i].toString())
                    return;
            found = TNewCustomer{Value(ende, "NRINSJURORCA"), Value(ende, "IDTPINJUORCA"),
                                 Value(ende, "NMFANTCLIE")};
        });
    return found;
}

} // namespace

void TfrmFechaOrca::sbtFecharOrcaClick() {
    TRecordSet* orca = data.cdsOrcaEvento;
    auto stop = [this](const char* key) { MensErro(msgPadrao->Msg(QLatin1String(key)), true); };

    // 1. Already closed.
    if (Current("IDSITUORCEVE") == u"3")
        stop("ORCA_JA_FECHADO");

    // 2. Extra labour: more than one item of this budget asks first.
    TRecordSet* aux = data.cdsItMaoObraAux;
    aux->CopyDataFrom(*data.cdsItMaoObra);
    aux->SetFiltered(false);
    aux->SetFilter(QStringLiteral("NRORCAEVENTO = '") + Current("NRORCAEVENTO") +
                   QStringLiteral("' AND NRSEQORCAEVE = '") + Current("NRSEQORCAEVE") +
                   QStringLiteral("' AND IDMOBRAEXTRA = 'S'"));
    aux->SetFiltered(true);
    if (aux->RecordCount() > 1 &&
        !TDialogs::Current().YesNo(msgPadrao->Msg(QStringLiteral("MOBRA_EXTRA"))))
        throw EAbort();

    // 3. A customer not registered is registered on the client-address screen.
    if (Current("IDSITCLIOREV") != u"C") {
        TDialogs::Current().Information(msgPadrao->Msg(QStringLiteral("CLI_N_CAD")));
        const QVariantList key = CurrentKey();
        LoadBPL(QStringLiteral("ORE00105"),
                {key[0], key[1], key[2], true, DataSourceHandle(data.dtsEndeNovoClie),
                 DataSourceHandle(data.dtsInteclieOrev)});
        const std::optional<TNewCustomer> customer = NewCustomerOf(data.cdsEndeNovoClie, key);
        if (!customer || EmptyString(customer->number))
            throw EAbort();
        EditUnlessEditing(orca);
        orca->FieldByName(QStringLiteral("CDCLIENTE"))
            .SetAsString(customer->kind + customer->number);
        orca->FieldByName(QStringLiteral("NRINSJURCLIE")).SetAsString(customer->number);
        orca->FieldByName(QStringLiteral("NMFANTCLIE")).SetAsString(customer->tradeName);
        orca->FieldByName(QStringLiteral("IDSITCLIOREV")).SetAsString(QStringLiteral("C"));
        orca->FieldByName(QStringLiteral("NMCLIEORCEVE")).Clear();
        orca->Post();
    }

    // 4. The contracting clients, on every run that gets here.
    btnContratanteClick();

    // 5 to 8. What the contracting clients' server says of them.
    auto ask = [this](const char* method) {
        return CheckResultServ(netContratante->Call(QLatin1String(method), CurrentKey()), true, 0);
    };
    data.cdsExisteContratante->SetData(
        PacketOf(ask("GetExisteContratante"), QStringLiteral("GetExisteContratante")));
    if (data.cdsExisteContratante->IsEmpty())
        stop("CONTRATANTE_N_INF");
    // A value check answers a catalogue key when it refuses; a refused value
    // takes the operator to the budget's number first.
    const struct {
        const char* method;
        bool focusNumber;
    } checks[] = {
        {"GetVdContraCancelado", false}, {"GetVdValor", true}, {"GetVdValorNegativo", false}};
    for (const auto& check : checks) {
        const QVariant first = ElementAt(ask(check.method), 0, QLatin1String(check.method));
        if (first.isNull() || first.toString().isEmpty())
            continue;
        auto* bound = qobject_cast<QWidget*>(
            orca->FieldByName(QStringLiteral("NRORCAEVENTO")).FocusControl());
        if (check.focusNumber && bound && CanFocus(bound))
            bound->setFocus();
        MensErro(msgPadrao->Msg(first.toString()), true);
    }
    // Informative only: its answer stops nothing.
    ask("GetVdTipoEveCustEfet");
    if (!ask("GetQtContratantes").toBool())
        stop("QT_CONTRAT_DIF");

    // 9. The contracting client being typed, if any.
    Vd_Cliente(true);

    // 10. The mark designates what the closing call closes. It stays when a
    // later step fails, until the list is reloaded.
    EditUnlessEditing(orca);
    orca->FieldByName(QStringLiteral("IDMARCADO")).SetAsString(QStringLiteral("S"));
    orca->Post();

    // 11. The closing call, behind the busy indicator until the operator has
    // read the outcome; a failure takes the indicator away before it is shown.
    try {
        TRecordSet* ende = data.cdsEndeNovoClie;
        const QVariant arEndeClie =
            ende->ChangeCount() > 0 ? QVariant::fromValue(ende->Data()) : QVariant();
        TBusyScope busy(window(), 1);
        CheckResultServ(
            netFechaOrca->Call(QStringLiteral("FecharOrca"),
                               {QVariant::fromValue(orca->Data()), Operador(), arEndeClie}),
            true, 0);
        LoadFromServer(QStringLiteral("GetVerifOrcaFecha"), CurrentKey(), data.cdsVerifOrcaFecha);
        TRecordSet* open = data.cdsVerifOrcaFecha;
        if (!open->IsEmpty()) {
            const QString key = Current("NRSEQORCAEVE") == u"00"
                                    ? QStringLiteral("Orc_Fecha_Aprov")
                                    : QStringLiteral("Orc_Pai_Fecha_Aprov");
            open->First();
            TDialogs::Current().Information(
                FormatMsg(msgPadrao->Msg(key), Value(open, "NRORCAEVENTO")));
        }
        if (pgcPadrao->ActivePage() != tshFolhaDados)
            ShowPage(tshFolhaDados);
        TDialogs::Current().Information(msgPadrao->Msg(QStringLiteral("SUCESSO")));
    } catch (const Exception& e) {
        if (const std::optional<TCatalogueRefusal> refusal = ClosingRefusal(e.Message()))
            MensErro(refusal->argument ? FormatMsg(msgPadrao->Msg(refusal->key), *refusal->argument)
                                       : msgPadrao->Msg(refusal->key),
                     true);
        throw;
    }

    // 12. The list as the server now has it.
    sbtVerificarClick();
}
