// "Formulário": the budget's general data, its client, event and people.

#include "ore/ore00800/Cli_ore00800.h"

#include "core/data/DataSource.h"
#include "framework/services/HostText.h"
#include "framework/widgets/DBDateEditPlus.h"
#include "framework/widgets/DBEdit.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/TabSheet.h"
#include "ore/ore00800/EventHours.h"
#include "ore/ore00800/FechaOrca_DetailControls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace {

constexpr int kCodeWidth = 50;
constexpr int kNumberWidth = 55;

// The hhmm edits of the event's hour and duration.
TMaskEdit* NewHourEdit(QWidget* parent, const char* name) {
    auto* edit = new TMaskEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->SetEditMask(QStringLiteral("!00:00;0; "));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00:000")) + 12);
    ShowOnly(edit);
    return edit;
}

} // namespace

void TfrmFechaOrca::BuildFormularioPage() {
    QWidget* page = tshFormulario;
    TDataSource* orca = dtsPadrao;
    auto field = [&](const char* name, int width = 0) {
        return NewShownField(page, orca, name, width);
    };
    auto* grid = new QGridLayout(page);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    int line = 0;
    // Two captioned groups of controls per line; the second may be absent.
    auto add = [&](const QString& caption, QHBoxLayout* shown, const QString& caption2 = {},
                   QHBoxLayout* shown2 = nullptr) {
        QWidget* buddy = shown->itemAt(0)->widget();
        grid->addWidget(NewCaption(page, caption, buddy), line, 0);
        grid->addLayout(shown, line, 1);
        if (shown2) {
            grid->addWidget(NewCaption(page, caption2, shown2->itemAt(0)->widget()), line, 2);
            grid->addLayout(shown2, line, 3);
        }
        ++line;
    };

    TDBEdit* seq = field("NRSEQORCAEVE", 30);
    add(QStringLiteral("Nr. Orçamento"),
        Row({field("NRORCAEVENTO", 90), NewCaption(page, QStringLiteral("Seqüencial"), seq), seq,
             nullptr}),
        QStringLiteral("Digitador"), Row({field("NMOPERADOR")}));
    add(QStringLiteral("Vendedor"), Row({field("CDVENDEDOR", kCodeWidth), field("NMFANVEN")}),
        QStringLiteral("Data de Validade"),
        Row({NewShownDate(page, orca, "DTVALIORCEVE"), nullptr}));
    add(QStringLiteral("Tipo"), Row({field("CDTPRECEOREV", kCodeWidth), field("NMTPRECEOREV")}));
    add(QStringLiteral("Gerente"), Row({field("CDGERVENDEDOR", kCodeWidth), field("NMFANGER")}),
        QStringLiteral("Supervisor(a)"),
        Row({field("CDSUPVENDEDOR", kCodeWidth), field("NMFANSUP")}));

    // The registered client or the name of a new one: the radios only show which.
    auto* cliente = new QGroupBox(page);
    cliente->setObjectName(QStringLiteral("grbCliente"));
    auto* clienteGrid = new QGridLayout(cliente);
    rdbCliJaCad = new QRadioButton(QStringLiteral("Cliente já cadastrado"), cliente);
    rdbCliJaCad->setObjectName(QStringLiteral("rdbCliJaCad"));
    rdbNovoCli = new QRadioButton(QStringLiteral("Novo Cliente"), cliente);
    rdbNovoCli->setObjectName(QStringLiteral("rdbNovoCli"));
    for (QRadioButton* r : {rdbCliJaCad, rdbNovoCli})
        ShowOnly(r);
    clienteGrid->addWidget(rdbCliJaCad, 0, 0);
    clienteGrid->addLayout(Row({NewShownField(cliente, orca, "NRINSJURCLIE", 150),
                                NewShownField(cliente, orca, "NMFANTCLIE")}),
                           0, 1);
    clienteGrid->addWidget(rdbNovoCli, 1, 0);
    clienteGrid->addWidget(NewShownField(cliente, orca, "NMCLIEORCEVE"), 1, 1);
    clienteGrid->setColumnStretch(1, 1);
    grid->addWidget(cliente, line++, 0, 1, 4);
    data.cdsOrcaEvento->FieldByName("NRINSJURCLIE").OnGetText =
        RegistrationText(QStringLiteral("IDTPIJURCLIE"));

    medHoraEve = NewHourEdit(page, "medHoraEve");
    medDuracao = NewHourEdit(page, "medDuracao");
    add(QStringLiteral("Tipo de Evento"),
        Row({field("CDTIPOEVENTO", kCodeWidth), field("NMTIPOEVENTO")}),
        QStringLiteral("Data/Hora"),
        Row({NewShownDate(page, orca, "DTEVENTO"), medHoraEve, nullptr}));
    TDBEdit* adultos = field("QTADULORCEVE", kNumberWidth);
    TDBEdit* criancas = field("QTCRIAORCEVE", kNumberWidth);
    add(QStringLiteral("Nr. Convidados"),
        Row({field("QTCONVORCEVE", kNumberWidth),
             NewCaption(page, QStringLiteral("Adultos"), adultos), adultos,
             NewCaption(page, QStringLiteral("Crianças"), criancas), criancas, nullptr}),
        QStringLiteral("Duração"), Row({medDuracao, nullptr}));
    add(QStringLiteral("Tipo de Serviço"),
        Row({field("CDTPSERVEVEN", kCodeWidth), field("NMTPSERVEVEN")}),
        QStringLiteral("Realizado %"), Row({field("VRPEREALOREV", 70), nullptr}));
    grid->setRowStretch(line, 1);
}

void TfrmFechaOrca::LoadFormulario() {
    const TRecordSet* orca = data.cdsOrcaEvento;
    medHoraEve->SetText(HoraEvento(orca->FieldByName("DTEVENTO").AsDateTime()));
    medDuracao->SetText(DuracaoEvento(orca->FieldByName("QTHREVENTO").AsFloat()));
    const bool registered = orca->FieldByName("IDSITCLIOREV").AsString() == u"C";
    // Exclusive radios: checking one clears the other.
    (registered ? rdbCliJaCad : rdbNovoCli)->setChecked(true);
}
